#pragma once

#include "ProviderTable.h"
#include "WeekWinners.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>

#include <vector>

namespace tarvok {

// The week chart of one distance class: 7 rows (Monday to Sunday) by 24 columns (hours),
// each cell the network code of the carrier that wins it, in that carrier's colour. Every
// cell names its day, hour and winner for screen readers.
class WeekChartModel : public QAbstractTableModel {
    Q_OBJECT
public:
    struct LegendEntry {
        QString text; // "Alpha (01011)"
        QColor colour;
    };

    WeekChartModel(const ProviderTable& table, const WeekWinners& winners,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    int distance() const { return m_distance; }
    void setDistance(int distance); // 1 near, 2 far, 3 abroad
    // The carriers of the chart shown, in the order of their first winning row.
    std::vector<LegendEntry> legend() const;

private:
    int winnerAt(const QModelIndex& index) const;
    QColor colourOf(int row) const;
    QString cellName(const QModelIndex& index) const;

    const ProviderTable& m_table;
    const WeekWinners& m_winners;
    int m_distance = 1;
    QHash<QString, QColor> m_colours; // by carrier name and code, the same in all three charts
};

} // namespace tarvok
