#include "HourRangeSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace tarvok {

namespace {

constexpr int kFirstHour = 0;
constexpr int kLastHour = 24;
constexpr int kChannelHeight = 8;
constexpr Qt::KeyboardModifiers kEndModifiers =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

} // namespace

HourRangeSlider::HourRangeSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
    setRange(kFirstHour, kLastHour);
    setSingleStep(1);
    setPageStep(1); // a click beside the handle moves it one hour towards the click
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
    setTracking(true);
    connect(this, &QSlider::valueChanged, this, &HourRangeSlider::applyStep);
}

void HourRangeSlider::setSelection(int start, int end) {
    m_loading = true;
    setValue(end);
    m_loading = false;
    m_start = start;
    m_end = end;
    update();
    emit selectionChanged(m_start, m_end);
}

void HourRangeSlider::applyStep(int value) {
    if (m_loading)
        return;
    if (m_setEndHour) {
        m_end = value;
        m_start = std::min(m_start, m_end);
    } else {
        m_start = value;
        m_end = value;
    }
    update();
    emit selectionChanged(m_start, m_end);
}

void HourRangeSlider::takeModifiers(Qt::KeyboardModifiers modifiers) {
    // A drag keeps the mode of its press, whatever keys go down while it lasts.
    if (!isSliderDown())
        m_setEndHour = (modifiers & kEndModifiers) != 0;
}

void HourRangeSlider::mousePressEvent(QMouseEvent* event) {
    takeModifiers(event->modifiers());
    QSlider::mousePressEvent(event);
}

// The tip shows above the slider: below the pointer, where Qt puts it, it would cover the
// buttons the user reaches for next.
bool HourRangeSlider::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || toolTip().isEmpty())
        return QSlider::event(event);
    const QFontMetrics metrics(QToolTip::font());
    const int tipHeight = metrics.boundingRect(QRect(0, 0, 2000, 0), 0, toolTip()).height();
    // Qt places a tip a little below and right of the point it is given.
    constexpr int kBelowPoint = 16;
    constexpr int kFrameAndGap = 12;
    const QPoint at = mapToGlobal(QPoint(0, 0)) - QPoint(0, tipHeight + kBelowPoint + kFrameAndGap);
    QToolTip::showText(at, toolTip(), this, rect());
    return true;
}

void HourRangeSlider::keyPressEvent(QKeyEvent* event) {
    takeModifiers(event->modifiers());
    QSlider::keyPressEvent(event);
}

void HourRangeSlider::wheelEvent(QWheelEvent* event) {
    takeModifiers(event->modifiers());
    QSlider::wheelEvent(event);
}

int HourRangeSlider::handleCentre(const QStyleOptionSlider& option, int value) const {
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = groove.width() - handle.width();
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(minimum(), maximum(), value, span, option.upsideDown);
}

// A sunken channel with the selected hours filled in the highlight colour, in the manner
// of a classic track bar with a selection range.
void HourRangeSlider::paintChannel(QPainter& painter, const QStyleOptionSlider& option) const {
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect channel(groove.x(), groove.center().y() - kChannelHeight / 2 + 1, groove.width(),
                        kChannelHeight);
    painter.fillRect(channel, palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(channel.topLeft(), channel.topRight());
    painter.drawLine(channel.topLeft(), channel.bottomLeft());
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(channel.bottomLeft(), channel.bottomRight());
    painter.drawLine(channel.topRight(), channel.bottomRight());

    const int first = std::clamp(std::min(m_start, m_end), minimum(), maximum());
    const int last = std::clamp(std::max(m_start, m_end), minimum(), maximum());
    const int left = handleCentre(option, first);
    const int right = std::max(handleCentre(option, last), left + 1);
    painter.fillRect(QRect(QPoint(left, channel.top() + 2), QPoint(right, channel.bottom() - 2)),
                     palette().color(QPalette::Highlight));
}

void HourRangeSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionSlider option;
    initStyleOption(&option);
    paintChannel(painter, option);

    option.subControls = QStyle::SC_SliderHandle | QStyle::SC_SliderTickmarks;
    if (isSliderDown()) {
        option.activeSubControls = QStyle::SC_SliderHandle;
        option.state |= QStyle::State_Sunken;
    }
    style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
}

} // namespace tarvok
