#include "PhoneBookEditing.h"

#include "EntryEditor.h"
#include "EntryNumber.h"
#include "FileErrorText.h"
#include "MessageBox.h"
#include "NumberMessages.h"
#include "PhoneFile.h"
#include "PhoneListModel.h"

#include <QItemSelectionModel>
#include <QListView>

namespace tarvok {

PhoneBookEditing::PhoneBookEditing(AppState& state, const std::array<QListView*, 4>& lists,
                                   const std::array<PhoneListModel*, 4>& models, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_lists(lists)
    , m_models(models)
    , m_window(window) {}

int PhoneBookEditing::currentList() const {
    return m_state.CurrentTab >= 1 && m_state.CurrentTab <= 4 ? m_state.CurrentTab - 1 : -1;
}

int PhoneBookEditing::selectedRow() const {
    const int list = currentList();
    if (list < 0)
        return -1;
    const QModelIndexList selected = m_lists[list]->selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void PhoneBookEditing::pum_Click(int index) {
    const int row = selectedRow();
    switch (index) {
    case 1:
        OpenEntryEditor({}, {}, 1);
        break;
    case 2:
        if (row >= 0) {
            const PhoneEntry& entry = m_models[currentList()]->list().at(row);
            OpenEntryEditor(entry.Name, entry.Number, entry.ZeroPrefix);
        }
        break;
    case 3:
        if (row >= 0)
            askAndRemove();
        break;
    default:
        break;
    }
}

void PhoneBookEditing::askAndRemove() {
    const PhoneEntry& entry = m_models[currentList()]->list().at(selectedRow());
    const bool yes =
        MessageBox::question(m_window, QStringLiteral("Eintrag löschen"),
                             QStringLiteral("Soll der folgende Eintrag wirklich gelöscht werden?") +
                                 QStringLiteral("\n\n") + entry.Name + QStringLiteral(" (") +
                                 entry.Number + QStringLiteral(")"));
    if (!yes)
        return;
    RemoveSelectedEntry();
    SavePhoneFile();
}

void PhoneBookEditing::OpenEntryEditor(const QString& name, const QString& number, int zeroFlag) {
    if (currentList() < 0)
        return;
    EntryEditor editor(m_window);
    editor.setObjectName(QStringLiteral("Form2"));
    editor.setEntry(name, number, zeroFlag);
    editor.setAcceptCheck([this, &editor, number] { return normaliseNumber(editor, number); });
    m_state.NewEntryMode = name.isEmpty() && number.isEmpty();
    bool accepted = false;
    {
        ModalBusyScope busy(m_state);
        accepted = editor.exec() == QDialog::Accepted;
    }
    if (accepted)
        acceptEntry(editor);
}

// At "&OK": a number typed the way people write it goes into the book's form, so that the
// dial gets digits; one that cannot be read keeps the editor open. An empty name or number
// keeps its meaning (nothing added, or the entry deleted).
bool PhoneBookEditing::normaliseNumber(EntryEditor& editor, const QString& previousNumber) {
    if (editor.nameText().trimmed().isEmpty() || editor.numberText().trimmed().isEmpty())
        return true;
    const Settings& settings = m_state.phoneBook.settings;
    const ExternalNumber number =
        NumberForEntry(editor.numberText(), editor.zeroFlag(), previousNumber, settings.CountryCode,
                       settings.AreaCode);
    if (!number.ok()) {
        MessageBox::exclamation(
            &editor, MessageBox::kTitle,
            EntryNumberRefusedText(editor.numberText().trimmed(), number.error));
        editor.focusNumber();
        return false;
    }
    editor.setEntry(editor.nameText(), number.Number, number.ZeroPrefix);
    return true;
}

// A change is the removal of the old line and the insertion of the new one, so a changed
// entry takes its new sorted place, and clearing its name or number deletes it.
void PhoneBookEditing::acceptEntry(const EntryEditor& editor) {
    const int list = currentList();
    if (!m_state.NewEntryMode)
        RemoveSelectedEntry();

    const PhoneEntry entry{editor.nameText().trimmed(), editor.numberText().trimmed(),
                           editor.zeroFlag()};
    if (!entry.Name.isEmpty() && !entry.Number.isEmpty()) {
        const std::optional<int> row = m_models[list]->insert(entry);
        if (row) {
            m_lists[list]->setCurrentIndex(m_models[list]->index(*row));
            m_lists[list]->scrollTo(m_models[list]->index(*row));
        } else {
            MessageBox::exclamation(
                m_window, MessageBox::kTitle,
                QStringLiteral("Die Liste „%1“ ist voll: sie kann höchstens %2 Einträge "
                               "aufnehmen.")
                        .arg(m_state.phoneBook.settings.ListNames[size_t(list)])
                        .arg(PhoneList::kMaxLines) +
                    u'\n' +
                    QStringLiteral("Der Eintrag „%1“ wurde daher nicht aufgenommen.")
                        .arg(entry.Name));
        }
    }
    SavePhoneFile();
}

void PhoneBookEditing::RemoveSelectedEntry() {
    const int row = selectedRow();
    if (row < 0)
        return;
    m_models[currentList()]->removeAt(row);
    // The view selects the next line in its place; a line the user never picked must not
    // be the one "&Löschen" or Enter acts on next.
    m_lists[currentList()]->selectionModel()->clearSelection();
}

bool PhoneBookEditing::SavePhoneFile() {
    FileError error;
    if (tarvok::SavePhoneFile(m_state.dataDir, m_state.phoneBook, &error))
        return true;
    MessageBox::critical(m_window, MessageBox::kTitle,
                         QStringLiteral("Die Telefonliste konnte nicht gespeichert werden.") +
                             QStringLiteral("\n\n") + FileErrorText(error) + u'\n' +
                             QStringLiteral("Die Änderung bleibt im Programm erhalten und "
                                            "wird beim nächsten Speichern mitgesichert."));
    return false;
}

} // namespace tarvok
