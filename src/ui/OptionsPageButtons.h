#pragma once

#include <QRect>

class QPushButton;
class QStyle;
class QWidget;

namespace tarvok {

// The modem's set-up buttons of the options page, side by side in one row.
struct ModemButtons {
    QPushButton* devices = nullptr; // "Geräte...", the window "Modem-Anschlüsse"
    QPushButton* test = nullptr;    // "Modem testen", on the port ComList shows
};
// `style` draws them with little margin, as the frame is narrow.
ModemButtons AddModemButtons(QWidget* frame, QRect devicesRect, QRect testRect, QStyle* style);

// "Aktualisierung rückgängig", disabled until a provider update can be undone.
QPushButton* AddUndoUpdateButton(QWidget* frame, QRect rect);

} // namespace tarvok
