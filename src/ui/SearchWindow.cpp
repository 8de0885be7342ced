#include "SearchWindow.h"

#include "ResultTable.h"
#include "SearchResultModel.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTableView>
#include <QVBoxLayout>

namespace tarvok {

SearchWindow::SearchWindow(const PhoneBook& book, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SearchWindow"));
    setWindowTitle(QStringLiteral("Suchen"));

    auto* label = new QLabel(QStringLiteral("&Name oder Nummer:"), this);
    m_query = new QLineEdit(this);
    m_query->setObjectName(QStringLiteral("SearchText"));
    m_query->setAccessibleName(QStringLiteral("Name oder Nummer suchen"));
    label->setBuddy(m_query);

    m_model = new SearchResultModel(book, this);
    m_table = MakeResultTable(m_model, QStringLiteral("SearchResults"),
                              QStringLiteral("Gefundene Einträge"), this);
    m_table->setColumnWidth(SearchResultModel::ListColumn, 90);
    m_table->setColumnWidth(SearchResultModel::NameColumn, 240);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_query);
    layout->addWidget(m_table, 1);
    resize(520, 360);

    connect(m_query, &QLineEdit::textChanged, this, &SearchWindow::onQueryChanged);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { choose(index.row()); });
    m_query->installEventFilter(this);
    m_table->installEventFilter(this);
    onQueryChanged({});
}

void SearchWindow::onQueryChanged(const QString& query) {
    m_model->setQuery(query);
    if (m_model->rowCount() > 0)
        m_table->setCurrentIndex(m_model->index(0, 0));
}

void SearchWindow::choose(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    m_chosen = m_model->hitAt(row);
    accept();
}

// Enter dials the selected hit from the text box as from the table; the arrow keys move
// through the hits without leaving the text box.
bool SearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    const int key = keyEvent->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter held down repeats: only the fresh press dials.
        if (!keyEvent->isAutoRepeat())
            choose(m_table->currentIndex().isValid() ? m_table->currentIndex().row() : 0);
        return true;
    }
    if (watched == m_query && (key == Qt::Key_Down || key == Qt::Key_Up ||
                               key == Qt::Key_PageDown || key == Qt::Key_PageUp)) {
        QCoreApplication::sendEvent(m_table, event);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tarvok
