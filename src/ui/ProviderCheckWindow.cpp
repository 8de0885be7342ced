#include "ProviderCheckWindow.h"

#include "CarrierTexts.h"
#include "FileErrorText.h"
#include "MessageBox.h"
#include "SafeFile.h"
#include "TableFindingsModel.h"
#include "WeekChartModel.h"

#include <QBuffer>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvok {

namespace {

QLabel* addCaption(QLayout* layout, const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    layout->addWidget(label);
    return label;
}

QIcon ColourSwatch(const QColor& colour) {
    QPixmap swatch(14, 14);
    swatch.fill(colour);
    return QIcon(swatch);
}

} // namespace

ProviderCheckWindow::ProviderCheckWindow(const ProviderTable& table, const QString& pictureDir,
                                         QWidget* parent)
    : QDialog(parent)
    , m_table(table)
    , m_winners(m_table)
    , m_pictureDir(pictureDir) {
    setObjectName(QStringLiteral("ProviderCheck"));
    setWindowTitle(QStringLiteral("Anbietertabelle prüfen"));
    setAccessibleName(windowTitle());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    new QVBoxLayout(this);
    buildFindings();
    buildChart();

    auto* buttons = new QDialogButtonBox(this);
    auto* save =
        buttons->addButton(QStringLiteral("Als &Bild speichern …"), QDialogButtonBox::ActionRole);
    save->setObjectName(QStringLiteral("SaveChart"));
    save->setAccessibleName(QStringLiteral("Wochenübersicht als Bild speichern"));
    auto* close = buttons->addButton(QStringLiteral("&Schließen"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("CloseCheck"));
    close->setAccessibleName(QStringLiteral("Schließen"));
    connect(save, &QPushButton::clicked, this, &ProviderCheckWindow::onSaveClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    this->layout()->addWidget(buttons);
}

ProviderCheckWindow::~ProviderCheckWindow() = default;

void ProviderCheckWindow::buildFindings() {
    m_findings = new TableFindingsModel(m_table, CheckProviderTable(m_table, m_winners), this);
    m_findingList = new QListView(this);
    m_findingList->setObjectName(QStringLiteral("Findings"));
    m_findingList->setAccessibleName(QStringLiteral("Befunde"));
    m_findingList->setModel(m_findings);
    // One line each, all equally high: the view asks only for the lines it shows.
    m_findingList->setUniformItemSizes(true);
    m_findingList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_findingList->setMinimumSize(640, 140);
    const auto choose = [this](const QModelIndex& index) {
        const int row = index.data(TableFindingsModel::kRowRole).toInt();
        if (row >= 0)
            emit rowChosen(row);
    };
    connect(m_findingList, &QListView::clicked, this, choose);
    connect(m_findingList, &QListView::activated, this, choose);
    addCaption(layout(), QStringLiteral("&Befunde:"), m_findingList);
    layout()->addWidget(m_findingList);
}

void ProviderCheckWindow::buildChart() {
    m_distanceList = new QComboBox(this);
    m_distanceList->setObjectName(QStringLiteral("ChartDistance"));
    // Named by the chosen distance, labelled by its caption.
    m_distanceList->setAccessibleDescription(QStringLiteral("Weite der Wochenübersicht"));
    for (int distance = 1; distance <= WeekWinners::kDistances; ++distance)
        m_distanceList->addItem(DistanceName(distance), distance);
    auto* choice = new QHBoxLayout;
    addCaption(choice, QStringLiteral("&Wochenübersicht für Weite:"), m_distanceList);
    choice->addWidget(m_distanceList);
    choice->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(choice);

    m_picture = new QWidget(this);
    auto* pictureLayout = new QHBoxLayout(m_picture);
    m_chart = new WeekChartModel(m_table, m_winners, this);
    m_chartView = new QTableView(m_picture);
    m_chartView->setObjectName(QStringLiteral("WeekChart"));
    m_chartView->setAccessibleName(QStringLiteral("Wochenübersicht"));
    m_chartView->setModel(m_chart);
    m_chartView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_chartView->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_chartView->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    pictureLayout->addWidget(m_chartView, 1);

    m_legend = new QStandardItemModel(this);
    auto* legendView = new QListView(m_picture);
    legendView->setObjectName(QStringLiteral("ChartLegend"));
    legendView->setAccessibleName(QStringLiteral("Legende"));
    legendView->setModel(m_legend);
    legendView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    legendView->setMaximumWidth(200);
    pictureLayout->addWidget(legendView);
    layout()->addWidget(m_picture);

    connect(m_distanceList, &QComboBox::currentIndexChanged, this,
            [this](int index) { showDistance(m_distanceList->itemData(index).toInt()); });
    showDistance(1);
}

void ProviderCheckWindow::showDistance(int distance) {
    m_chart->setDistance(distance);
    m_legend->clear();
    for (const WeekChartModel::LegendEntry& entry : m_chart->legend()) {
        auto* item = new QStandardItem(ColourSwatch(entry.colour), entry.text);
        item->setEditable(false);
        m_legend->appendRow(item);
    }
    auto* none = new QStandardItem(QStringLiteral("– ohne Anbieter"));
    none->setEditable(false);
    m_legend->appendRow(none);
}

bool ProviderCheckWindow::saveChartPicture(const QString& path) {
    const QImage image = m_picture->grab().toImage();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    FileError error;
    const QFileInfo info(path);
    if (image.save(&buffer, "PNG") &&
        WriteWhole(info.absolutePath(), info.fileName(), bytes, &error))
        return true;
    if (!error) {
        error.kind = FileError::Kind::WriteFailed;
        error.fileName = info.fileName();
    }
    MessageBox::critical(this, MessageBox::kTitle,
                         QStringLiteral("Die Wochenübersicht konnte nicht gespeichert werden.\n") +
                             FileErrorText(error));
    return false;
}

void ProviderCheckWindow::onSaveClicked() {
    const QString suggested =
        QDir(m_pictureDir)
            .filePath(
                QStringLiteral("Wochenübersicht %1.png").arg(DistanceName(m_chart->distance())));
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Wochenübersicht speichern"),
                                                suggested, QStringLiteral("PNG-Bilder (*.png)"));
    if (path.isEmpty())
        return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive))
        path += QStringLiteral(".png");
    saveChartPicture(path);
}

} // namespace tarvok
