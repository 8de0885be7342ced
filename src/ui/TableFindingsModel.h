#pragma once

#include "ProviderTableCheck.h"

#include <QAbstractListModel>

#include <vector>

namespace tarvok {

// The checker's findings, one German line each, put into words only when a view asks, so
// that a table of thousands of shadowed rows opens at once. An empty result shows one line
// saying so.
class TableFindingsModel : public QAbstractListModel {
    Q_OBJECT
public:
    static constexpr int kRowRole = Qt::UserRole + 1; // 0-based table row, -1 for none

    TableFindingsModel(const ProviderTable& table, std::vector<TableFinding> findings,
                       QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const ProviderTable& m_table;
    std::vector<TableFinding> m_findings;
};

} // namespace tarvok
