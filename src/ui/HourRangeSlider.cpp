#include "HourRangeSlider.h"

namespace tarvok {

HourRangeSlider::HourRangeSlider(QWidget* parent)
    : QSlider(Qt::Horizontal, parent) {
    setRange(0, 24);
}

void HourRangeSlider::setSelection(int start, int end) {
    m_start = start;
    m_end = end;
    emit selectionChanged(m_start, m_end);
}

void HourRangeSlider::mousePressEvent(QMouseEvent* event) {
    QSlider::mousePressEvent(event);
}
void HourRangeSlider::keyPressEvent(QKeyEvent* event) {
    QSlider::keyPressEvent(event);
}
void HourRangeSlider::paintEvent(QPaintEvent* event) {
    QSlider::paintEvent(event);
}
void HourRangeSlider::applyStep(int) {}

} // namespace tarvok
