#pragma once

#include <QObject>

class QWidget;

namespace tarvok {

// Writes one line to standard output once `window` has been painted for the first time,
// so that a benchmark can time a whole start from outside. Asked for with the environment
// variable TARVOK_REPORT_SHOWN; without it nothing is watched.
class ShownReport : public QObject {
    Q_OBJECT
public:
    static constexpr const char* kLine = "Tarvok-Pro: window shown";

    static void watchIfAsked(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit ShownReport(QWidget& window);
    bool m_reported = false;
};

} // namespace tarvok
