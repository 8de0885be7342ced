#include "CarrierStatus.h"

#include "CallExplanation.h"
#include "CarrierTexts.h"
#include "DialableNumber.h"
#include "PhoneEntry.h"
#include "ProviderTableModel.h"

#include <QLabel>
#include <QStatusBar>

#include <set>
#include <utility>

namespace tarvok {

namespace {

// A little past the full hour, so that the clock read then is surely in the new hour.
constexpr int kHourMarginMs = 50;

int MsToNextHour(const QTime& now) {
    return ((59 - now.minute()) * 60 + (59 - now.second())) * 1000 + (1000 - now.msec()) +
           kHourMarginMs;
}

} // namespace

CarrierStatus::CarrierStatus(const AppState& state, ProviderTableModel& providers,
                             QStatusBar* statusBar, Clock clock)
    : QObject(statusBar)
    , m_state(state)
    , m_providers(providers)
    , m_label(new QLabel(statusBar))
    , m_clock(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {
    m_label->setObjectName(QStringLiteral("CarrierPreview"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAccessibleDescription(QStringLiteral("Anbieter bei einer Anwahl jetzt"));
    statusBar->addPermanentWidget(m_label);

    m_hourTimer.setSingleShot(true);
    connect(&m_hourTimer, &QTimer::timeout, this, &CarrierStatus::refresh);
    connect(&m_providers, &QAbstractItemModel::rowsInserted, this, &CarrierStatus::tableChanged);
    connect(&m_providers, &QAbstractItemModel::rowsRemoved, this, &CarrierStatus::tableChanged);
    connect(&m_providers, &QAbstractItemModel::modelReset, this, &CarrierStatus::tableChanged);
    // Only a re-sort changes the layout: the order of preference before and after it.
    connect(&m_providers, &QAbstractItemModel::layoutAboutToBeChanged, this,
            [this] { m_beforeSort = carriers(); });
    connect(&m_providers, &QAbstractItemModel::layoutChanged, this, [this] {
        m_winners.reset();
        if (m_beforeSort)
            announceChanges(*m_beforeSort);
        m_beforeSort.reset();
        refresh();
    });
    armHourTimer();
}

void CarrierStatus::setEntryLine(const QString& line) {
    m_line = line;
    refresh();
}

QString CarrierStatus::text() const {
    return m_label->text();
}

void CarrierStatus::tableChanged() {
    m_winners.reset();
    refresh();
}

const WeekWinners& CarrierStatus::winners() {
    if (!m_winners)
        m_winners.emplace(m_providers.table());
    return *m_winners;
}

void CarrierStatus::refresh() {
    QString text;
    if (!m_line.isEmpty() && FirstUndialableCharacter(EntryNumber(m_line)) >= 0) {
        text = RefusedPreviewText();
    } else if (!m_line.isEmpty()) {
        const QDateTime now = m_clock();
        const DialExplanation dial =
            PreviewDial(m_line, m_state.phoneBook.settings, m_providers.table(), winners(),
                        now.date().dayOfWeek(), now.time().hour());
        text = CarrierPreviewText(dial, m_providers.table());
    }
    m_label->setText(text);
    m_label->setAccessibleName(text);
    armHourTimer();
}

void CarrierStatus::armHourTimer() {
    m_hourTimer.start(MsToNextHour(m_clock().time()));
}

// Name and code of the carrier each call slot goes to; empty without one.
CarrierStatus::Carriers CarrierStatus::carriers() {
    const ProviderTable& table = m_providers.table();
    const WeekWinners& winners = this->winners();
    Carriers result;
    size_t slot = 0;
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance)
        for (int weekday = 1; weekday <= WeekWinners::kDays; ++weekday)
            for (int hour = 0; hour < WeekWinners::kHours; ++hour, ++slot)
                if (const int row = winners.at(distance, weekday, hour); row >= 0)
                    result[slot] = CarrierName(table.row(row));
    return result;
}

void CarrierStatus::announceChanges(const Carriers& before) {
    const Carriers after = carriers();
    std::set<int> hours; // weekday * 24 + hour
    QStringList classes;
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance) {
        bool changed = false;
        for (int h = 0; h < WeekWinners::kDays * WeekWinners::kHours; ++h) {
            const size_t slot =
                size_t((distance - 1) * WeekWinners::kDays * WeekWinners::kHours + h);
            if (before[slot] != after[slot]) {
                hours.insert(h);
                changed = true;
            }
        }
        if (changed)
            classes << DistanceName(distance);
    }
    if (hours.empty())
        return;
    const QString count = hours.size() == 1
                              ? QStringLiteral("1 Stunde der Woche wählt")
                              : QStringLiteral("%1 Stunden der Woche wählen").arg(hours.size());
    emit orderChanged(QStringLiteral("Reihenfolge geändert: ") + count +
                      QStringLiteral(" jetzt einen anderen Anbieter (") +
                      classes.join(QStringLiteral(", ")) + QLatin1Char(')'));
}

} // namespace tarvok
