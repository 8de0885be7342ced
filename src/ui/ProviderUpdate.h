#pragma once

#include "AppState.h"
#include "ProviderUpdateUndo.h"

#include <QObject>

class QAbstractButton;
class QWidget;

namespace tarvok {

class HttpClient;
struct HttpReply;
class ProviderTableModel;
struct TariffImport;

// DownloadUpdateFile: fetch the tariff list, keep it as Update.DAT, ask whether the old
// providers go, import, save Provider.DAT once. The button is disabled throughout.
class ProviderUpdate : public QObject {
    Q_OBJECT
public:
    ProviderUpdate(AppState& state, ProviderTableModel& model, HttpClient& http, QWidget* window);

    void DownloadUpdateFile(QAbstractButton* button);
    // Puts the table from before the last update back, while nothing else changed it.
    void UndoUpdate();

    static inline const QString kTitle = QStringLiteral("Provider-Update");

signals:
    void statusText(const QString& text); // what the update or its undo changed
    void undoAvailable(bool available);

private:
    void reportFetchFailure(const HttpReply& reply);
    bool keepUpdateFile(const QString& converted);
    void importList(const TariffImport& list, bool dropOldRows);

    AppState& m_state;
    ProviderTableModel& m_model;
    HttpClient& m_http;
    QWidget* m_window;
    bool DownloadFailed = false; // set when the running fetch failed, in either way
    bool m_running = false;
    ProviderUpdateUndo m_undo;
};

} // namespace tarvok
