#pragma once

#include <QString>

class QWidget;

namespace tarvok {

// The about box of the tray menu's "&Info": the program's description, then who wrote it
// and how to reach them.
void ShowAboutBox(QWidget* parent);
void AboutBox(QWidget* parent, const QString& title, const QString& text);

} // namespace tarvok
