#include "CompactStyle.h"

#include <QStyleOptionComplex>

namespace tarvok {

namespace {
constexpr int kArrowWidth = 13; // pixels; wide enough for the arrow glyph
} // namespace

CompactStyle::CompactStyle(QObject* parent)
    : QProxyStyle() {
    setParent(parent);
}

int CompactStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                              const QWidget* widget) const {
    if (metric == PM_FocusFrameHMargin)
        return 1;
    // A button in a narrow frame keeps its whole caption.
    if (metric == PM_ButtonMargin)
        return 2;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

QRect CompactStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                   SubControl subControl, const QWidget* widget) const {
    QRect rect = QProxyStyle::subControlRect(control, option, subControl, widget);
    if (control != CC_ComboBox)
        return rect;
    const QRect arrow = QProxyStyle::subControlRect(control, option, SC_ComboBoxArrow, widget);
    if (arrow.width() <= kArrowWidth)
        return rect;
    const int gained = arrow.width() - kArrowWidth;
    const bool rightToLeft = option->direction == Qt::RightToLeft;
    if (subControl == SC_ComboBoxArrow) {
        if (rightToLeft)
            rect.setRight(rect.right() - gained);
        else
            rect.setLeft(rect.left() + gained);
    } else if (subControl == SC_ComboBoxEditField) {
        if (rightToLeft)
            rect.setLeft(rect.left() - gained);
        else
            rect.setRight(rect.right() + gained);
    }
    return rect;
}

} // namespace tarvok
