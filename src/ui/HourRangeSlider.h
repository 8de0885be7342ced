#pragma once

#include <QSlider>

class QStyleOptionSlider;

namespace tarvok {

// TimeSlider: a horizontal slider over the whole hours 0 to 24 that also holds and paints
// a selected range. A move after a plain press sets the start and pulls the end along; a
// move after a press with Shift, Ctrl or Alt held sets the end and pulls the start down
// when it would lie after the end. The handle always stands on the end.
class HourRangeSlider : public QSlider {
    Q_OBJECT
public:
    explicit HourRangeSlider(QWidget* parent = nullptr);

    int selectionStart() const { return m_start; }
    int selectionEnd() const { return m_end; }
    // Puts the handle on the end and takes the range as it is, without the move rules.
    void setSelection(int start, int end);

signals:
    void selectionChanged(int start, int end);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyStep(int value);
    void takeModifiers(Qt::KeyboardModifiers modifiers);
    int handleCentre(const QStyleOptionSlider& option, int value) const;
    void paintChannel(QPainter& painter, const QStyleOptionSlider& option) const;

    int m_start = 0;
    int m_end = 0;
    bool m_setEndHour = false; // SetEndHour: a modifier was held when the move began
    bool m_loading = false;
};

} // namespace tarvok
