#include "KeyRepeat.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>

namespace tarvok {

namespace {

QPointer<KeyRepeat>& instance() {
    static QPointer<KeyRepeat> watcher;
    return watcher;
}

} // namespace

void KeyRepeat::watch() {
    QCoreApplication* app = QCoreApplication::instance();
    if (instance() || !app)
        return;
    instance() = new KeyRepeat(app);
    app->installEventFilter(instance());
}

bool KeyRepeat::isRepeat(const QKeyEvent& event) {
    if (event.isAutoRepeat())
        return true;
    const KeyRepeat* watcher = instance();
    // Events made up inside the program carry no time stamp.
    return watcher && event.type() == QEvent::KeyPress && event.timestamp() != 0 &&
           event.key() == watcher->m_releasedKey && event.timestamp() == watcher->m_releasedAt;
}

bool KeyRepeat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        m_releasedKey = key->key();
        m_releasedAt = key->timestamp();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace tarvok
