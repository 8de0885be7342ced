#pragma once

#include "AppState.h"

#include <QObject>

class QAbstractButton;
class QWidget;

namespace tarvok {

class HttpClient;
class ProviderTableModel;

// DownloadUpdateFile: fetch the tariff list, keep it as Update.DAT, ask whether the old
// providers go, import, save Provider.DAT once. The button is disabled throughout.
class ProviderUpdate : public QObject {
    Q_OBJECT
public:
    ProviderUpdate(AppState& state, ProviderTableModel& model, HttpClient& http,
                   QWidget* window);

    void DownloadUpdateFile(QAbstractButton* button);

private:
    AppState& m_state;
    ProviderTableModel& m_model;
    HttpClient& m_http;
    QWidget* m_window;
};

} // namespace tarvok
