#include "FittedSize.h"

#include <QEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace tarvok {

namespace {

const QString kWidthSample = QStringLiteral("Anschluß Wahlart 0123456789");

class WrappedHeight : public QObject {
public:
    explicit WrappedHeight(QLabel* label)
        : QObject(label) {
        label->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) {
            auto* label = static_cast<QLabel*>(watched);
            label->setMinimumHeight(label->heightForWidth(label->width()));
        }
        return false;
    }
};

} // namespace

// Measured on text rather than by point size: the desktop's font may run wider than the
// Arial the windows were drawn with.
double FontScale(const QFont& font) {
    QFont drawn(QStringLiteral("Liberation Sans"));
    drawn.setFamilies(
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("Arial")});
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    drawn.setPointSizeF(8.0 * 96.0 / dpi);
    const double width = QFontMetricsF(font).horizontalAdvance(kWidthSample) /
                         QFontMetricsF(drawn).horizontalAdvance(kWidthSample);
    const double height = QFontMetricsF(font).height() / QFontMetricsF(drawn).height();
    return std::max({1.0, width, height});
}

QSize ScaledTwips(const QWidget* widget, int widthTwips, int heightTwips) {
    const double scale = FontScale(widget->font());
    return QSize(int(std::lround(widthTwips / 15.0 * scale)),
                 int(std::lround(heightTwips / 15.0 * scale)));
}

void WrapAtBlanks(QLabel* label) {
    label->setWordWrap(true);
    int widest = 0;
    const QFontMetrics metrics(label->font());
    for (const QString& word : label->text().split(u' ', Qt::SkipEmptyParts))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    label->setMaximumWidth(widest + 2 * label->margin() + 1);
    // Layouts give a wrapped label the height of one line unless told otherwise.
    label->setMinimumHeight(label->heightForWidth(label->maximumWidth()));
}

void WrapToFit(QLabel* label) {
    label->setWordWrap(true);
    new WrappedHeight(label);
}

int TextBoxWidthForDigits(const QLineEdit* edit, int chars) {
    const QFontMetrics metrics(edit->font());
    // QLineEdit keeps a two-pixel margin either side of its text, and a pixel for the cursor.
    const QSize text(metrics.horizontalAdvance(QString(chars, u'0')) + 2 * 2 + 1, metrics.height());
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QMargins margins = edit->textMargins();
    return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, text, edit).width() +
           margins.left() + margins.right();
}

} // namespace tarvok
