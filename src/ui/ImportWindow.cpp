#include "ImportWindow.h"

#include "ImportPlanModel.h"
#include "ResultTable.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvok {

ImportWindow::ImportWindow(const PhoneBook& book, std::vector<ContactNumber> numbers, int list,
                           ImportRules rules, QWidget* parent)
    : QDialog(parent)
    , m_book(book)
    , m_numbers(std::move(numbers))
    , m_rules(std::move(rules)) {
    setObjectName(QStringLiteral("ImportWindow"));
    setWindowTitle(QStringLiteral("Kontakte importieren"));

    auto* listLabel = new QLabel(QStringLiteral("&Liste:"), this);
    m_list = new QComboBox(this);
    m_list->setObjectName(QStringLiteral("ImportList"));
    // Named by the chosen list, labelled by "Liste:"; the description says what for.
    m_list->setAccessibleDescription(QStringLiteral("Liste, in die importiert wird"));
    for (const QString& name : book.settings.ListNames)
        m_list->addItem(name);
    m_list->setCurrentIndex(std::clamp(list, 1, 4) - 1);
    listLabel->setBuddy(m_list);

    m_model = new ImportPlanModel(this);
    m_table = MakeResultTable(m_model, QStringLiteral("ImportTable"),
                              QStringLiteral("Gefundene Nummern"), this);
    m_table->setColumnWidth(ImportPlanModel::NameColumn, 220);
    m_table->setColumnWidth(ImportPlanModel::NumberColumn, 150);
    m_table->setColumnWidth(
        ImportPlanModel::ZeroColumn,
        m_table->horizontalHeader()->sectionSizeHint(ImportPlanModel::ZeroColumn));

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("ImportSummary"));

    auto* buttons = new QDialogButtonBox(this);
    m_accept = buttons->addButton(QStringLiteral("Übernehmen"), QDialogButtonBox::AcceptRole);
    m_accept->setObjectName(QStringLiteral("ImportAccept"));
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("ImportCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(listLabel);
    top->addWidget(m_list, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_table, 1);
    layout->addWidget(m_summary);
    layout->addWidget(buttons);
    resize(820, 440);

    connect(m_list, &QComboBox::currentIndexChanged, this, &ImportWindow::rebuildPlan);
    rebuildPlan();
}

int ImportWindow::chosenList() const {
    return m_list->currentIndex() + 1;
}

const ImportPlan& ImportWindow::plan() const {
    return m_model->plan();
}

void ImportWindow::rebuildPlan() {
    const PhoneList& target = m_book.lists[size_t(chosenList() - 1)];
    m_model->setPlan(BuildImportPlan(m_numbers, target, m_rules));
    const int rows = int(m_numbers.size());
    const int added = plan().newCount;
    m_summary->setText(
        added == 1 ? QStringLiteral("1 von %1 Nummern wird übernommen.").arg(rows)
                   : QStringLiteral("%1 von %2 Nummern werden übernommen.").arg(added).arg(rows));
    m_summary->setAccessibleName(m_summary->text());
    m_accept->setEnabled(added > 0);
}

} // namespace tarvok
