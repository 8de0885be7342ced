#pragma once

#include "ProviderTable.h"
#include "WeekWinners.h"

#include <QDialog>

class QAbstractItemView;
class QComboBox;
class QListView;
class QStandardItemModel;
class QTableView;

namespace tarvok {

class TableFindingsModel;
class WeekChartModel;

// "Anbietertabelle prüfen": the findings about the provider table, one line each, and the
// week chart of one distance class with its legend, which can be saved as a PNG picture.
// Works on a copy of the table taken when it opens.
class ProviderCheckWindow : public QDialog {
    Q_OBJECT
public:
    ProviderCheckWindow(const ProviderTable& table, const QString& pictureDir,
                        QWidget* parent = nullptr);
    ~ProviderCheckWindow() override;

    // Writes the chart with its legend as a PNG file; a failure is shown in a box.
    bool saveChartPicture(const QString& path);

signals:
    void rowChosen(int row); // 0-based row of the provider table a clicked finding names

private:
    void buildFindings();
    void buildChart();
    void showDistance(int distance);
    void onSaveClicked();

    ProviderTable m_table;
    WeekWinners m_winners;
    QString m_pictureDir;
    TableFindingsModel* m_findings = nullptr;
    QListView* m_findingList = nullptr;
    WeekChartModel* m_chart = nullptr;
    QTableView* m_chartView = nullptr;
    QStandardItemModel* m_legend = nullptr;
    QWidget* m_picture = nullptr; // chart and legend, what the PNG shows
    QComboBox* m_distanceList = nullptr;
};

} // namespace tarvok
