#pragma once

#include "AppState.h"

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

    static inline const QString kTitle = QStringLiteral("Provider-Update");

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
};

} // namespace tarvok
