#include "WeekChartModel.h"

#include "CarrierTexts.h"

#include <QBrush>
#include <QSet>

#include <iterator>

#include <set>

namespace tarvok {

namespace {

// Colours that stay apart on screen and in print; later carriers get spread hues.
const QColor kPalette[] = {QColor(0x4e, 0x79, 0xa7), QColor(0xf2, 0x8e, 0x2b),
                           QColor(0x59, 0xa1, 0x4f), QColor(0xe1, 0x57, 0x59),
                           QColor(0x76, 0xb7, 0xb2), QColor(0xed, 0xc9, 0x48),
                           QColor(0xb0, 0x7a, 0xa1), QColor(0xff, 0x9d, 0xa7),
                           QColor(0x9c, 0x75, 0x5f), QColor(0xba, 0xb0, 0xac)};
constexpr int kPaletteSize = int(std::size(kPalette));

QColor ColourNumber(int n) {
    if (n < kPaletteSize)
        return kPalette[n];
    return QColor::fromHsv((n * 137) % 360, 150, 225);
}

} // namespace

WeekChartModel::WeekChartModel(const ProviderTable& table, const WeekWinners& winners,
                               QObject* parent)
    : QAbstractTableModel(parent)
    , m_table(table)
    , m_winners(winners) {
    std::set<int> rows;
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance)
        for (int weekday = 1; weekday <= WeekWinners::kDays; ++weekday)
            for (int hour = 0; hour < WeekWinners::kHours; ++hour)
                if (const int row = winners.at(distance, weekday, hour); row >= 0)
                    rows.insert(row);
    for (const int row : rows) {
        const QString carrier = CarrierName(table.row(row));
        if (!m_colours.contains(carrier))
            m_colours.insert(carrier, ColourNumber(int(m_colours.size())));
    }
}

int WeekChartModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : WeekWinners::kDays;
}

int WeekChartModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : WeekWinners::kHours;
}

void WeekChartModel::setDistance(int distance) {
    if (distance == m_distance || distance < 1 || distance > WeekWinners::kDistances)
        return;
    m_distance = distance;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int WeekChartModel::winnerAt(const QModelIndex& index) const {
    return m_winners.at(m_distance, index.row() + 1, index.column());
}

QColor WeekChartModel::colourOf(int row) const {
    return m_colours.value(CarrierName(m_table.row(row)));
}

QString WeekChartModel::cellName(const QModelIndex& index) const {
    const int row = winnerAt(index);
    return QStringLiteral("%1, %2 Uhr: %3")
        .arg(DayLongName(index.row() + 1))
        .arg(index.column(), 2, 10, QLatin1Char('0'))
        .arg(row < 0 ? QStringLiteral("ohne Anbieter") : CarrierName(m_table.row(row)));
}

QVariant WeekChartModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    const int row = winnerAt(index);
    switch (role) {
    case Qt::DisplayRole:
        return row < 0 ? QStringLiteral("–") : m_table.row(row)[ColNetz];
    case Qt::BackgroundRole:
        return row < 0 ? QBrush(Qt::gray, Qt::BDiagPattern) : QBrush(colourOf(row));
    case Qt::ForegroundRole:
        return row < 0 || colourOf(row).lightness() > 140 ? QBrush(Qt::black) : QBrush(Qt::white);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case Qt::ToolTipRole:
    case Qt::AccessibleTextRole:
        return cellName(index);
    default:
        return {};
    }
}

QVariant WeekChartModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Vertical) {
        if (role == Qt::DisplayRole)
            return DayShortName(section + 1);
        if (role == Qt::AccessibleTextRole)
            return DayLongName(section + 1);
    } else if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole) {
        return QStringLiteral("%1").arg(section, 2, 10, QLatin1Char('0'));
    }
    return {};
}

std::vector<WeekChartModel::LegendEntry> WeekChartModel::legend() const {
    std::set<int> rows;
    for (int weekday = 1; weekday <= WeekWinners::kDays; ++weekday)
        for (int hour = 0; hour < WeekWinners::kHours; ++hour)
            if (const int row = m_winners.at(m_distance, weekday, hour); row >= 0)
                rows.insert(row);
    std::vector<LegendEntry> entries;
    QSet<QString> seen;
    for (const int row : rows) {
        const QString carrier = CarrierName(m_table.row(row));
        if (!seen.contains(carrier)) {
            seen.insert(carrier);
            entries.push_back({carrier, colourOf(row)});
        }
    }
    return entries;
}

} // namespace tarvok
