#include "ShownReport.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace tarvok {

void ShownReport::watchIfAsked(QWidget& window) {
    if (qEnvironmentVariableIsSet("TARVOK_REPORT_SHOWN"))
        new ShownReport(window);
}

ShownReport::ShownReport(QWidget& window)
    : QObject(&window) {
    window.installEventFilter(this);
}

bool ShownReport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && !m_reported) {
        m_reported = true;
        // The paint reaches the screen when this paint pass ends: report after it.
        QTimer::singleShot(0, this, [this, watched] {
            std::fputs(kLine, stdout);
            std::fputc('\n', stdout);
            std::fflush(stdout);
            watched->removeEventFilter(this);
        });
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvok
