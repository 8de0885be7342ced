#include "ProviderUpdate.h"

#include "FileErrorText.h"
#include "HttpClient.h"
#include "MessageBox.h"
#include "ProviderFile.h"
#include "ProviderTableChanges.h"
#include "ProviderTableModel.h"
#include "SafeFile.h"
#include "TariffList.h"
#include "TariffListUrl.h"

#include <QAbstractButton>
#include <QPointer>

namespace tarvok {

namespace {

// Keeps the button disabled from the first step to the last, whichever way the update ends.
class DisabledWhileRunning {
public:
    explicit DisabledWhileRunning(QAbstractButton* button)
        : m_button(button) {
        if (m_button)
            m_button->setEnabled(false);
    }
    ~DisabledWhileRunning() {
        if (m_button)
            m_button->setEnabled(true);
    }
    DisabledWhileRunning(const DisabledWhileRunning&) = delete;
    DisabledWhileRunning& operator=(const DisabledWhileRunning&) = delete;

private:
    QPointer<QAbstractButton> m_button;
};

class RunningFlag {
public:
    explicit RunningFlag(bool& flag)
        : m_flag(flag) {
        m_flag = true;
    }
    ~RunningFlag() { m_flag = false; }
    RunningFlag(const RunningFlag&) = delete;
    RunningFlag& operator=(const RunningFlag&) = delete;

private:
    bool& m_flag;
};

QString NoValidUpdateText() {
    return QStringLiteral("Es liegt z.Z. keine gültiges Provider-Update vor - versuchen Sie es "
                          "bitte später noch einmal.") +
           QLatin1Char('\n') +
           QStringLiteral("Sie können die Verbindung zum Internet jetzt beenden.");
}

QString ImportSummary(int added, int skipped) {
    QString text =
        added == 1 ? QStringLiteral("Import beendet - 1 Provider wurde übernommen.")
                   : QStringLiteral("Import beendet - %1 Provider wurden übernommen.").arg(added);
    if (skipped == 1)
        text += QStringLiteral("\n1 Zeile wurde übersprungen, weil ihre Netzkennzahl nicht nur "
                               "aus Ziffern besteht.");
    else if (skipped > 1)
        text += QStringLiteral("\n%1 Zeilen wurden übersprungen, weil ihre Netzkennzahl nicht nur "
                               "aus Ziffern besteht.")
                    .arg(skipped);
    return text;
}

} // namespace

ProviderUpdate::ProviderUpdate(AppState& state, ProviderTableModel& model, HttpClient& http,
                               QWidget* window)
    : m_state(state)
    , m_model(model)
    , m_http(http)
    , m_window(window)
    , m_undo(model) {
    connect(&m_undo, &ProviderUpdateUndo::availableChanged, this, &ProviderUpdate::undoAvailable);
}

void ProviderUpdate::DownloadUpdateFile(QAbstractButton* button) {
    if (m_running)
        return;
    const RunningFlag running(m_running);
    const DisabledWhileRunning disabled(button);
    DownloadFailed = false;

    const HttpReply reply = m_http.Fetch(TariffListUrl(m_state.dataDir));
    reportFetchFailure(reply);
    if (DownloadFailed)
        return;

    const QString converted = ConvertTariffText(reply.text());
    if (!HasTariffMarker(converted)) {
        MessageBox::exclamation(m_window, kTitle, NoValidUpdateText());
        return;
    }
    if (!keepUpdateFile(converted))
        return;
    MessageBox::information(
        m_window, kTitle,
        QStringLiteral(
            "Übertragung beendet - Sie können die Verbindung zum Internet jetzt beenden"));
    const bool dropOldRows = MessageBox::question(
        m_window, kTitle, QStringLiteral("Möchten Sie Ihre alten Provider-Daten löschen?"));
    importList(ImportTariffList(converted), dropOldRows);
}

// The two ways a fetch can fail, each with its own box; both end the update.
void ProviderUpdate::reportFetchFailure(const HttpReply& reply) {
    switch (reply.outcome) {
    case HttpReply::Outcome::Body:
        return;
    case HttpReply::Outcome::CallError:
        DownloadFailed = true;
        MessageBox::critical(m_window, kTitle,
                             QStringLiteral("Es gab folgerndes Problem:") + QLatin1Char('\n') +
                                 reply.errorDescription + QStringLiteral(" (") +
                                 QString::number(reply.errorNumber) + QLatin1Char(')'));
        return;
    case HttpReply::Outcome::ErrorState:
        DownloadFailed = true;
        MessageBox::critical(m_window, kTitle,
                             reply.responseText + QStringLiteral("\n\n(Code ") +
                                 QString::number(reply.responseCode) + QLatin1Char(')'));
        return;
    }
}

// Update.DAT keeps the converted list; without it nothing is imported.
bool ProviderUpdate::keepUpdateFile(const QString& converted) {
    FileError error;
    if (WriteWhole(m_state.dataDir, QString::fromLatin1(kUpdateFileName),
                   UpdateFileBytes(converted), &error))
        return true;
    MessageBox::critical(m_window, kTitle,
                         FileErrorText(error) +
                             QStringLiteral("\nDie Provider-Liste bleibt unverändert."));
    return false;
}

void ProviderUpdate::importList(const TariffImport& list, bool dropOldRows) {
    ProviderTable before = m_model.table();
    if (dropOldRows)
        m_model.ClearProviderTable();
    m_model.AddProviderRows(list.rows);
    const ProviderTableChanges changes = CompareProviderTables(before, m_model.table());
    m_undo.keep(std::move(before));
    emit statusText(QStringLiteral("Aktualisiert: %1 neu, %2 geändert, %3 entfernt")
                        .arg(changes.added)
                        .arg(changes.changed)
                        .arg(changes.removed));

    FileError error;
    if (!SaveProviderFile(m_state.dataDir, m_model.table(), &error)) {
        MessageBox::critical(m_window, kTitle,
                             FileErrorText(error) +
                                 QStringLiteral("\nDie neuen Provider stehen in der Liste, "
                                                "sind aber nicht gespeichert."));
        return;
    }
    // A clean import ends without a word; refused rows must not vanish unseen.
    if (list.skipped > 0)
        MessageBox::information(m_window, kTitle,
                                ImportSummary(int(list.rows.size()), list.skipped));
}

// "Aktualisierung rückgängig": the table from before the update, saved the usual way, so
// that the updated one becomes the backup.
void ProviderUpdate::UndoUpdate() {
    if (m_running || !m_undo.restore())
        return;
    FileError error;
    if (!SaveProviderFile(m_state.dataDir, m_model.table(), &error)) {
        MessageBox::critical(m_window, kTitle,
                             FileErrorText(error) +
                                 QStringLiteral("\nDie frühere Provider-Liste steht wieder in "
                                                "der Liste, ist aber nicht gespeichert."));
        return;
    }
    emit statusText(QStringLiteral("Aktualisierung rückgängig gemacht"));
}

} // namespace tarvok
