#include "ContactRequests.h"

#include "ContactExport.h"
#include "ContactFile.h"
#include "ContactsController.h"
#include "FileErrorText.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "RequestRouter.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

namespace tarvok {

namespace {

// The list a request names: 1..4, 0 for all (export only), the list in front when empty.
// -1 when it is none of these.
int RequestedList(const InstanceRequest& request, const AppState& state, bool allowAll) {
    const QString text = request.args.value(1);
    if (text.isEmpty())
        return state.CurrentTab >= 1 && state.CurrentTab <= 4 ? state.CurrentTab : 1;
    bool ok = false;
    const int list = text.toInt(&ok);
    return ok && list >= (allowAll ? 0 : 1) && list <= 4 ? list : -1;
}

// A refusal goes back to the asking process and, as a later start may have no terminal,
// into a box here as well.
InstanceReply Refuse(MainWindow& window, const QString& reason) {
    QTimer::singleShot(0, &window, [&window, reason] {
        MessageBox::exclamation(&window, MessageBox::kTitle, reason);
    });
    return {false, reason};
}

InstanceReply Import(const InstanceRequest& request, AppState& state, MainWindow& window) {
    const QString path = RequestedContactFile(request);
    const int list = RequestedList(request, state, false);
    if (path.isEmpty() || list < 0)
        return Refuse(window, QStringLiteral("Der Import-Auftrag ist ungültig."));
    if (!QFileInfo(path).isFile())
        return Refuse(window,
                      QStringLiteral("Die Datei %1 gibt es nicht.").arg(QuotedForMessage(path)));
    if (state.ModalBusy != 0)
        return Refuse(window, QStringLiteral("Tarvok-Pro importiert nicht, solange eines seiner "
                                             "Fenster offen ist. Bitte schließen Sie es und "
                                             "versuchen Sie es erneut."));
    // The asking process has its answer before the preview opens its own event loop.
    QTimer::singleShot(0, &window, [&window, path, list] {
        window.ShowFromOutside();
        window.contacts().ImportFile(path, list);
    });
    return {true, {}};
}

InstanceReply Export(const InstanceRequest& request, AppState& state, MainWindow& window) {
    const QString path = RequestedContactFile(request);
    const int list = RequestedList(request, state, true);
    if (path.isEmpty() || list < 0)
        return Refuse(window, QStringLiteral("Der Export-Auftrag ist ungültig."));
    // Only contact files: a typing slip must never overwrite a data file.
    if (!IsContactFileName(path))
        return Refuse(window, QStringLiteral("Bitte eine Datei mit der Endung .vcf oder .csv "
                                             "angeben."));
    FileError error;
    if (!ExportContacts(path, state.phoneBook, list, &error))
        return Refuse(window, QStringLiteral("Die Kontakte konnten nicht exportiert werden. ") +
                                  FileErrorText(error));
    return {true, {}};
}

} // namespace

QString RequestedContactFile(const InstanceRequest& request) {
    if (request.args.size() != 2 || request.args[0].isEmpty())
        return {};
    const QString& file = request.args[0];
    if (QDir::isAbsolutePath(file))
        return QDir::cleanPath(file);
    if (!QDir::isAbsolutePath(request.workingDir))
        return {};
    return QDir::cleanPath(QDir(request.workingDir).absoluteFilePath(file));
}

void AddContactRequests(RequestRouter& router, AppState& state, MainWindow& window) {
    router.addKind(QStringLiteral("import"), [&state, &window](const InstanceRequest& request) {
        return Import(request, state, window);
    });
    router.addKind(QStringLiteral("export"), [&state, &window](const InstanceRequest& request) {
        return Export(request, state, window);
    });
}

} // namespace tarvok
