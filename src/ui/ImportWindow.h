#pragma once

#include "ContactNumber.h"
#include "ImportPlan.h"
#include "PhoneBook.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QTableView;

namespace tarvok {

class ImportPlanModel;

// "Kontakte importieren": the target list, one row per number found with what will happen
// to it, "Übernehmen" and "&Abbrechen". Changes nothing itself; the caller applies the plan
// of the list chosen when the window was accepted.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    ImportWindow(const PhoneBook& book, std::vector<ContactNumber> numbers, int list,
                 ImportRules rules, QWidget* parent = nullptr);

    int chosenList() const; // 1..4
    const ImportPlan& plan() const;

private:
    void rebuildPlan();

    const PhoneBook& m_book;
    std::vector<ContactNumber> m_numbers;
    ImportRules m_rules;
    ImportPlanModel* m_model = nullptr;
    QComboBox* m_list = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_accept = nullptr;
};

} // namespace tarvok
