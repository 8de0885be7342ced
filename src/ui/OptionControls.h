#pragma once

#include <QString>

class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStyle;
class QWidget;

namespace tarvok {

// The controls the options page is built of, each named by its objectName and sized to
// the font it is shown in.

// A titled frame added to a column of the page; `stretch` as in QBoxLayout::addWidget.
QGroupBox* addFrame(QBoxLayout* column, const char* name, const QString& caption, int stretch = 0);
QLabel* addLabel(QWidget* frame, const char* name, const QString& text);
// A text box as wide as `chars` digits need, and never narrower than drawn (in twips).
QLineEdit* addText(QWidget* frame, const char* name, int chars, int widthTwips,
                   const QString& accessibleName, QLabel* label = nullptr);
// A drop-down list that accepts no typed text, introduced by `label`. Qt on Linux names a
// drop-down list by its current item and hands the label to a screen reader as "labelled
// by", so both are heard; with no item chosen the label's text is the name.
QComboBox* addList(QWidget* frame, const char* name, QLabel* label, QStyle* style);
QPushButton* addButton(QWidget* frame, const char* name, const QString& caption);
// Two columns in a frame: captions on the left, the controls they introduce on the right.
QGridLayout* addGrid(QWidget* frame);
// A caption (wrapped at its blanks, as "Aus- land" is drawn) and its text box of `chars`
// digits in row `row` of `grid`.
QLineEdit* addCodeRow(QGridLayout* grid, int row, const char* labelName, const QString& caption,
                      const char* textName, int chars, const QString& accessibleName);

} // namespace tarvok
