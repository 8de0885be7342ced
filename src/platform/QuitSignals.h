#pragma once

#include <QObject>

class QSocketNotifier;

namespace tarvok {

// Turns SIGTERM, SIGINT and SIGHUP into a signal on the user-interface thread, so that the
// program ends the same orderly way as through its own menu. One instance per process.
class QuitSignals : public QObject {
    Q_OBJECT
public:
    explicit QuitSignals(QObject* parent = nullptr);
    ~QuitSignals() override;

signals:
    void quitRequested();

private:
    void onReadable();

    QSocketNotifier* m_notifier = nullptr;
};

} // namespace tarvok
