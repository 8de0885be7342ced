#pragma once

#include "AppState.h"

#include <QObject>
#include <QPoint>

class QAction;
class QMenu;
class QTreeView;
class QWidget;

namespace tarvok {

class ProviderTableModel;

// The handlers of TelcoList: the pop-up menu "Anbieter" (pum3), the double-click, the
// column-header clicks and the provider editor Form3. Every confirmed change is saved to
// Provider.DAT at once.
class ProviderListController : public QObject {
    Q_OBJECT
public:
    enum MenuItem { Einfuegen = 1, Aendern = 2, Loeschen = 3, Abbrechen = 5 };

    ProviderListController(AppState& state, ProviderTableModel& model, QTreeView* list,
                           QWidget* window);

    // 1-based number of the first selected row in display order, 0 when none.
    int SelectedRow() const;
    void ShowProviderMenu(const QPoint& globalPos);
    void TelcoList_DblClick();
    void TelcoList_ColumnClick(int header); // 1-based header index
    void pum3_Click(int index);
    void EditProvider(const QString& name, const QString& networkCode, int dayCode, int startHour,
                      int endHour, int nearFlag, int farFlag, int abroadFlag);

    void selectRow(int row); // 0-based; -1 clears the selection

    int LastSortColumn() const { return m_lastSortColumn; }
    QMenu* menu() const { return m_menu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenu();
    void deleteSelected();
    void saveProviders();

    AppState& m_state;
    ProviderTableModel& m_model;
    QTreeView* m_list;
    QWidget* m_viewport = nullptr; // m_list's, watched for double-clicks
    QWidget* m_window;
    QMenu* m_menu = nullptr;  // pummain3 "Anbieter"
    QAction* m_items[6] = {}; // pum3(1..5) at their indices
    int m_lastSortColumn = 0;
};

} // namespace tarvok
