#pragma once

#include <QSize>

class QFont;
class QLabel;
class QLineEdit;
class QWidget;

namespace tarvok {

// Sizes that follow the user's font: the windows were drawn in twips for an 8-point Arial
// at 96 dpi, and grow in proportion when the font is larger or wider, or the dpi higher.

// How many times larger than 8 points at 96 dpi `font` is drawn; never below 1.
double FontScale(const QFont& font);

// A size drawn in twips, grown with the widget's font.
QSize ScaledTwips(const QWidget* widget, int widthTwips, int heightTwips);

// A caption drawn on two lines ("Aus- land"): wraps at each blank however wide its column.
void WrapAtBlanks(QLabel* label);

// A caption that wraps to as many lines as its width needs (setWordWrap). A window takes its
// smallest size from its children's smallest sizes, and a wrapping label's is one line; this
// keeps the label's smallest height at what its current width needs, so that the window
// grows instead of laying its neighbours over it.
void WrapToFit(QLabel* label);

// The width at which `edit` shows `chars` digits whole, frame and margins included.
int TextBoxWidthForDigits(const QLineEdit* edit, int chars);

} // namespace tarvok
