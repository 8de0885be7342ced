#pragma once

class QAction;
class QMenu;
class QPoint;

namespace tarvok {

// Shows a pop-up menu and waits for it like QMenu::exec, returning the item chosen or null.
// A screen reader chooses an item through its "Press" action, which only triggers the item
// and leaves the menu open; such a choice closes the menu here and counts like a click.
QAction* ExecPopupMenu(QMenu* menu, const QPoint& at);

} // namespace tarvok
