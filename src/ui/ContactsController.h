#pragma once

#include "AppState.h"

#include <QObject>
#include <QString>

#include <array>

class QListView;
class QMenu;
class QWidget;

namespace tarvok {

class PhoneBookEditing;
class PhoneListModel;

// Contacts in and out of the phone lists: the import (menu, dropped files, command line)
// through the preview window, the export, and the search box. The main window only
// wires it in.
class ContactsController : public QObject {
    Q_OBJECT
public:
    ContactsController(AppState& state, const std::array<QListView*, 4>& lists,
                       const std::array<PhoneListModel*, 4>& models, PhoneBookEditing& editing,
                       QWidget* window);

    // "&Importieren...", "&Exportieren..." and "&Suchen..." before the separator of the
    // list menu; Ctrl+F opens the search box; files dropped onto a list are imported.
    void addMenuItems(QMenu* listMenu);

    // Reads `path`, shows the preview for `list` (1..4, 0 the list in front) and adds what
    // the user accepts, saving once. False when nothing was added.
    bool ImportFile(const QString& path, int list);
    // Writes the list (1..4, 0 all four) to `path`; a failure is shown. True when written.
    bool ExportFile(const QString& path, int list);

    void ChooseAndImport();
    void ChooseAndExport();
    void OpenSearch();

signals:
    // An entry chosen in the search box, to be dialled the normal way.
    void dialRequested(int list, int row);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int listInFront() const; // 1..4, 0 while the options page is in front
    int listOf(QObject* object) const;

    AppState& m_state;
    std::array<QListView*, 4> m_lists;
    // Kept apart from the lists: while a list is being destroyed its viewport still sends
    // events, and asking the half-destroyed list for it would be undefined.
    std::array<QObject*, 4> m_viewports{};
    std::array<PhoneListModel*, 4> m_models;
    PhoneBookEditing& m_editing;
    QWidget* m_window;
};

} // namespace tarvok
