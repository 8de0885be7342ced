#pragma once

class QKeyEvent;

namespace tarvok {

// What a key pressed on a phone list asks for: a dial, or one of the "Namensliste" menu's
// items as a desktop user expects them on a list.
enum class ListKeyAction {
    None,
    Dial,   // Enter, Return, Space
    Insert, // Insert: "&Einfügen"
    Change, // F2: "&Ändern"
    Delete, // Delete: "&Löschen"
};

// A key held down repeats; only a fresh press acts, or holding Enter would dial again and
// again, each dial a call attempt on the line.
ListKeyAction ListKeyActionFor(const QKeyEvent& event);

// The "Namensliste" item the action stands for (1 to 3), 0 for none.
int ListMenuItemFor(ListKeyAction action);

} // namespace tarvok
