#pragma once

#include "PhoneBook.h"
#include "PhoneBookSearch.h"

#include <QDialog>

#include <optional>

class QLineEdit;
class QTableView;

namespace tarvok {

class SearchResultModel;

// "Suchen": a box that filters all four lists as the user types. Enter or a double-click
// chooses the entry to dial and closes the window; Escape closes it.
class SearchWindow : public QDialog {
    Q_OBJECT
public:
    explicit SearchWindow(const PhoneBook& book, QWidget* parent = nullptr);

    std::optional<PhoneBookSearch::Hit> chosen() const { return m_chosen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onQueryChanged(const QString& query);
    void choose(int row);

    SearchResultModel* m_model = nullptr;
    QLineEdit* m_query = nullptr;
    QTableView* m_table = nullptr;
    std::optional<PhoneBookSearch::Hit> m_chosen;
};

} // namespace tarvok
