#pragma once

#include "AppState.h"
#include "WeekWinners.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;

namespace tarvok {

class ProviderTableModel;

// The right-hand part of the status bar: what a dial of the selected entry would do now.
// It follows the entry, the hour of the clock, the settings and every change of the
// provider table; a re-sort that hands calls to other carriers is announced.
class CarrierStatus : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    CarrierStatus(const AppState& state, ProviderTableModel& providers, QStatusBar* statusBar,
                  Clock clock = {});

    // The entry line a dial would take now; empty when none is selected.
    void setEntryLine(const QString& line);
    void refresh();
    QString text() const;

signals:
    // A German sentence for the status bar's own text.
    void orderChanged(const QString& message);

private:
    using Carriers = std::array<QString, WeekWinners::kSlots>;
    Carriers carriers();
    void announceChanges(const Carriers& before);
    void armHourTimer();
    void tableChanged();
    const WeekWinners& winners();

    const AppState& m_state;
    ProviderTableModel& m_providers;
    QLabel* m_label;
    Clock m_clock;
    QString m_line;
    QTimer m_hourTimer;
    std::optional<Carriers> m_beforeSort;
    std::optional<WeekWinners> m_winners; // of the table as it stands; worked out when asked
};

} // namespace tarvok
