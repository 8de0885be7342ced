#pragma once

#include <QObject>

class QKeyEvent;

namespace tarvok {

// Tells a held key's repeats from fresh presses. X repeats a held key as a release and a
// press with the same time stamp; Qt marks the press as a repeat only when both have
// arrived together, and on a busy machine the press often comes later and passes for a
// fresh one, so a held Enter would dial again and again. A person's release and new press
// never share a time stamp.
class KeyRepeat : public QObject {
    Q_OBJECT
public:
    // Starts watching the application's key releases; once is enough, more do no harm.
    static void watch();
    static bool isRepeat(const QKeyEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;

    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};

} // namespace tarvok
