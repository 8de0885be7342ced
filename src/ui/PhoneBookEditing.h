#pragma once

#include "AppState.h"

#include <QObject>
#include <QString>

#include <array>

class QListView;
class QWidget;

namespace tarvok {

class EntryEditor;
class PhoneListModel;

// What the "Namensliste" menu does to the list of the current tab: add, change and delete
// entries through the entry editor, saving the phone book after every change.
class PhoneBookEditing : public QObject {
    Q_OBJECT
public:
    PhoneBookEditing(AppState& state, const std::array<QListView*, 4>& lists,
                     const std::array<PhoneListModel*, 4>& models, QWidget* window);

    void pum_Click(int index);
    void OpenEntryEditor(const QString& name, const QString& number, int zeroFlag);
    void RemoveSelectedEntry();
    // Writes Brisel.DAT; a failure is shown to the user and gives false.
    bool SavePhoneFile();

private:
    int currentList() const; // 0..3, or -1 while the options page is in front
    int selectedRow() const; // in the current list, -1 without a selection
    bool normaliseNumber(EntryEditor& editor, const QString& previousNumber);
    void acceptEntry(const EntryEditor& editor);
    void askAndRemove();

    AppState& m_state;
    std::array<QListView*, 4> m_lists;
    std::array<PhoneListModel*, 4> m_models;
    QWidget* m_window;
};

} // namespace tarvok
