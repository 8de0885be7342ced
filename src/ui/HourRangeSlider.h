#pragma once

#include <QSlider>

namespace tarvok {

// TimeSlider: a horizontal 0..24 hour slider that also holds and paints a selected
// range. A plain move sets the start (and the end with it); a move begun with Shift,
// Ctrl or Alt held sets the end, pulling the start down when it would lie after it.
class HourRangeSlider : public QSlider {
    Q_OBJECT
public:
    explicit HourRangeSlider(QWidget* parent = nullptr);

    int selectionStart() const { return m_start; }
    int selectionEnd() const { return m_end; }
    // Sets the range and puts the handle on its end without applying the move rules.
    void setSelection(int start, int end);

signals:
    void selectionChanged(int start, int end);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void applyStep(int value);

    int m_start = 0;
    int m_end = 0;
    bool m_setEndHour = false; // the last press or key held Shift, Ctrl or Alt
    bool m_loading = false;
};

} // namespace tarvok
