#include "ContactsController.h"

#include "ContactExport.h"
#include "ContactFile.h"
#include "ContactReadErrorText.h"
#include "FileChooser.h"
#include "FileErrorText.h"
#include "ImportWindow.h"
#include "MessageBox.h"
#include "PhoneBookEditing.h"
#include "PhoneListModel.h"
#include "SearchWindow.h"

#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QShortcut>

namespace tarvok {

namespace {

const QString kImportFilter = QStringLiteral("Kontakte (*.vcf *.vcard *.csv)");
const QString kExportFilter = QStringLiteral("vCard (*.vcf);;CSV (*.csv)");

// The contact files among dropped URLs; empty when any is something else.
QStringList droppedContactFiles(const QMimeData* mime) {
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl& url : mime->urls()) {
        if (!url.isLocalFile() || !IsContactFileName(url.toLocalFile()))
            return {};
        paths << url.toLocalFile();
    }
    return paths;
}

} // namespace

ContactsController::ContactsController(AppState& state, const std::array<QListView*, 4>& lists,
                                       const std::array<PhoneListModel*, 4>& models,
                                       PhoneBookEditing& editing, QWidget* window)
    : QObject(window)
    , m_state(state)
    , m_lists(lists)
    , m_models(models)
    , m_editing(editing)
    , m_window(window) {
    for (size_t i = 0; i < m_lists.size(); ++i) {
        QListView* list = m_lists[i];
        list->setAcceptDrops(true);
        list->viewport()->setAcceptDrops(true);
        list->viewport()->installEventFilter(this);
        m_viewports[i] = list->viewport();
    }
    auto* search = new QShortcut(QKeySequence::Find, window);
    search->setObjectName(QStringLiteral("SearchShortcut"));
    connect(search, &QShortcut::activated, this, &ContactsController::OpenSearch);
}

void ContactsController::addMenuItems(QMenu* listMenu) {
    // Before the separator that precedes "&Abbrechen", which stays the default item.
    QAction* separator = nullptr;
    for (QAction* action : listMenu->actions()) {
        if (action->isSeparator())
            separator = action;
    }
    const auto add = [&](const char* name, const QString& caption,
                         void (ContactsController::*run)()) {
        auto* action = new QAction(caption, listMenu);
        action->setObjectName(QLatin1String(name));
        listMenu->insertAction(separator, action);
        // Queued: the work runs once the pop-up has closed, not inside its event loop.
        connect(action, &QAction::triggered, this, run, Qt::QueuedConnection);
    };
    add("pumImport", QStringLiteral("&Importieren..."), &ContactsController::ChooseAndImport);
    add("pumExport", QStringLiteral("&Exportieren..."), &ContactsController::ChooseAndExport);
    add("pumSearch", QStringLiteral("&Suchen..."), &ContactsController::OpenSearch);
}

int ContactsController::listInFront() const {
    return m_state.CurrentTab >= 1 && m_state.CurrentTab <= 4 ? m_state.CurrentTab : 0;
}

void ContactsController::ChooseAndImport() {
    if (listInFront() == 0)
        return;
    const QString path =
        FileChooser::openFileName(m_window, QStringLiteral("Kontakte importieren"), kImportFilter);
    if (!path.isEmpty())
        ImportFile(path, listInFront());
}

void ContactsController::ChooseAndExport() {
    if (listInFront() == 0)
        return;
    const QString path =
        FileChooser::saveFileName(m_window, QStringLiteral("Kontakte exportieren"), kExportFilter);
    if (!path.isEmpty())
        ExportFile(path, listInFront());
}

bool ContactsController::ImportFile(const QString& path, int list) {
    const ContactFileContent content = ReadContactFile(path);
    if (!content.ok()) {
        MessageBox::exclamation(m_window, MessageBox::kTitle,
                                ContactReadErrorText(QFileInfo(path).fileName(), content));
        return false;
    }
    const Settings& settings = m_state.phoneBook.settings;
    ImportWindow preview(m_state.phoneBook, content.numbers,
                         list > 0 ? list : std::max(1, listInFront()),
                         StandardImportRules(settings.CountryCode, settings.AreaCode), m_window);
    bool accepted = false;
    {
        ModalBusyScope busy(m_state);
        accepted = preview.exec() == QDialog::Accepted;
    }
    if (!accepted || preview.plan().newCount == 0)
        return false;
    const int target = preview.chosenList() - 1;
    // One save for the whole import: Brisel.BAK then holds the file from before it.
    ApplyImportPlan(preview.plan(), m_state.phoneBook.lists[size_t(target)]);
    m_models[size_t(target)]->reload();
    m_editing.SavePhoneFile();
    return true;
}

bool ContactsController::ExportFile(const QString& path, int list) {
    FileError error;
    if (ExportContacts(path, m_state.phoneBook, list, &error))
        return true;
    MessageBox::critical(m_window, MessageBox::kTitle,
                         QStringLiteral("Die Kontakte konnten nicht exportiert werden.") +
                             QStringLiteral("\n\n") + FileErrorText(error));
    return false;
}

void ContactsController::OpenSearch() {
    if (m_state.ModalBusy != 0)
        return;
    SearchWindow search(m_state.phoneBook, m_window);
    {
        ModalBusyScope busy(m_state);
        search.exec();
    }
    if (const auto hit = search.chosen())
        emit dialRequested(hit->list, hit->row);
}

int ContactsController::listOf(QObject* object) const {
    for (int i = 0; i < 4; ++i) {
        if (object == m_viewports[size_t(i)])
            return i + 1;
    }
    return 0;
}

// Contact files dropped onto a list go into that list, one preview per file.
bool ContactsController::eventFilter(QObject* watched, QEvent* event) {
    const int list = listOf(watched);
    if (list == 0)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (droppedContactFiles(drag->mimeData()).isEmpty() || m_state.ModalBusy != 0)
            return false;
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = droppedContactFiles(drop->mimeData());
        if (paths.isEmpty() || m_state.ModalBusy != 0)
            return false;
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        // After the drop has returned: the source's drag loop must not wait on a preview.
        QMetaObject::invokeMethod(
            this,
            [this, paths, list] {
                for (const QString& path : paths)
                    ImportFile(path, list);
            },
            Qt::QueuedConnection);
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace tarvok
