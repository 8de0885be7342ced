#include "SecondStart.h"

#include "InstanceChannel.h"
#include "InstanceClient.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace tarvok {

namespace {

void PrintError(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

} // namespace

namespace {

int ExitCodeOf(const HandOverResult& result, const QString& dataDir) {
    if (result.status == HandOverResult::Status::Answered) {
        if (result.reply.accepted)
            return 0;
        PrintError(QStringLiteral("tarvok-pro: ") + result.reply.reason);
        return 1;
    }
    PrintError(QStringLiteral("tarvok-pro: Für den Ordner „%1“ läuft bereits ein Tarvok-Pro, "
                              "es antwortet aber nicht.")
                   .arg(QDir::toNativeSeparators(dataDir)));
    return 1;
}

} // namespace

int HandOverToRunningInstance(const QString& dataDir, const InstanceRequest& request) {
    return ExitCodeOf(
        SendInstanceRequest(InstanceServerName(dataDir), request, kInstanceAnswerTimeout), dataDir);
}

std::optional<int> HandOverIfListening(const QString& dataDir, const InstanceRequest& request) {
    const HandOverResult result = SendInstanceRequest(
        InstanceServerName(dataDir), request, kInstanceAnswerTimeout, ConnectAttempts::Once);
    if (result.status == HandOverResult::Status::NoServer)
        return std::nullopt;
    return ExitCodeOf(result, dataDir);
}

std::optional<int> TakeFolderOrHandOver(InstanceLock& lock, int& argc, char** argv,
                                        const QString& dataDir, const InstanceRequest& request) {
    switch (lock.acquire()) {
    case InstanceLock::Result::Acquired:
        return std::nullopt;
    case InstanceLock::Result::HeldByOther: {
        // No window, no files: only the socket, without a display.
        QCoreApplication app(argc, argv);
        return HandOverToRunningInstance(dataDir, request);
    }
    case InstanceLock::Result::Failed:
        break;
    }
    PrintError(QStringLiteral("tarvok-pro: Im Datenordner „%1“ lässt sich keine Sperrdatei "
                              "anlegen. Ohne sie könnten zwei Programme dieselben Dateien "
                              "schreiben; Tarvok-Pro startet daher nicht.")
                   .arg(QDir::toNativeSeparators(dataDir)));
    return 1;
}

} // namespace tarvok
