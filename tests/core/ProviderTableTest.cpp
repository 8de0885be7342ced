#include "ProviderTable.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

ProviderRecord provider(const QString& name, const QString& code, int start = 0) {
    return {name, code, 1, 1, start, 24, 1, 1, 1};
}

QStringList column(const ProviderTable& table, int col) {
    QStringList texts;
    for (int i = 0; i < table.rowCount(); ++i)
        texts << table.row(i)[size_t(col)];
    return texts;
}

TEST(ProviderTable, StartsByNameAscendingInGermanOrder) {
    ProviderTable table;
    EXPECT_EQ(table.sortColumn(), ColName);
    EXPECT_EQ(table.sortOrder(), Qt::AscendingOrder);
    for (const char* name : {"Zapp", "ärger", "Arcor", "Billig", "arcor"})
        table.AddProviderRow(provider(QString::fromUtf8(name), "010"));
    EXPECT_EQ(column(table, ColName), (QStringList{"Arcor", "arcor", "ärger", "Billig", "Zapp"}));
}

TEST(ProviderTable, NewRowGoesAboveItsEquals) {
    for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
        SCOPED_TRACE(order);
        ProviderTable table;
        table.setSort(ColTag, order);
        EXPECT_EQ(table.AddProviderRow(provider("A", "1")), 0);
        EXPECT_EQ(table.AddProviderRow(provider("B", "2")), 0);
        EXPECT_EQ(table.AddProviderRow({"C", "3", 1, 0, 0, 24, 1, 1, 1}),
                  order == Qt::AscendingOrder ? 2 : 0);
        EXPECT_EQ(table.AddProviderRow(provider("D", "4")), order == Qt::AscendingOrder ? 0 : 1);
        const QStringList expected = order == Qt::AscendingOrder ? QStringList{"4", "2", "1", "3"}
                                                                 : QStringList{"3", "4", "2", "1"};
        EXPECT_EQ(column(table, ColNetz), expected);
    }
}

TEST(ProviderTable, BatchEqualsAddingOneByOne) {
    std::vector<ProviderRecord> batch;
    for (int i = 0; i < 60; ++i)
        batch.push_back(provider(QStringLiteral("P%1").arg(i % 7), QString::number(i), i % 3));
    for (const int col : {int(ColName), int(ColAb)}) {
        ProviderTable single;
        ProviderTable together;
        single.setSort(col, Qt::DescendingOrder);
        together.setSort(col, Qt::DescendingOrder);
        single.AddProviderRow(provider("P3", "old"));
        together.AddProviderRow(provider("P3", "old"));
        for (const ProviderRecord& record : batch)
            single.AddProviderRow(record);
        together.AddProviderRows(batch);
        EXPECT_EQ(column(together, ColNetz), column(single, ColNetz)) << col;
    }
}

TEST(ProviderTable, ResortKeepsOrderOfEqualsAndRemoveKeepsOrder) {
    ProviderTable table;
    table.AddProviderRow(provider("C", "3", 9));
    table.AddProviderRow(provider("A", "1", 9));
    table.AddProviderRow(provider("B", "2", 0));
    table.setSort(ColAb, Qt::DescendingOrder);
    EXPECT_EQ(column(table, ColNetz), (QStringList{"1", "3", "2"}));
    table.setSort(ColAb, Qt::AscendingOrder);
    EXPECT_EQ(column(table, ColNetz), (QStringList{"2", "1", "3"}));
    table.RemoveProvider(1);
    EXPECT_EQ(column(table, ColNetz), (QStringList{"2", "3"}));
    table.ClearProviderTable();
    EXPECT_EQ(table.rowCount(), 0);
}

} // namespace
