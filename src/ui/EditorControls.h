#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tarvok {

// Controls the two editor dialogs build alike.

// A text box named objectName that the label introduces, both to Alt shortcuts and to
// screen readers.
QLineEdit* makeEditorTextBox(const QString& objectName, const QString& accessibleName,
                             QLabel* label, QWidget* parent);

// A button that Enter in a text box never presses: neither default nor auto-default.
QPushButton* makeEditorButton(const QString& objectName, const QString& caption, QWidget* parent);

} // namespace tarvok
