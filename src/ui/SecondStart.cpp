#include "SecondStart.h"

#include "InstanceChannel.h"
#include "InstanceClient.h"

#include <QDir>

#include <cstdio>

namespace tarvok {

namespace {

void PrintError(const QString& text) {
    std::fputs((text + u'\n').toUtf8().constData(), stderr);
}

} // namespace

int HandOverToRunningInstance(const QString& dataDir, const InstanceRequest& request) {
    const HandOverResult result =
        SendInstanceRequest(InstanceServerName(dataDir), request, kInstanceAnswerTimeout);
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

QString LockFailedText(const QString& dataDir) {
    return QStringLiteral("tarvok-pro: Im Datenordner „%1“ lässt sich keine Sperrdatei anlegen. "
                          "Ohne sie könnten zwei Programme dieselben Dateien schreiben; "
                          "Tarvok-Pro startet daher nicht.")
        .arg(QDir::toNativeSeparators(dataDir));
}

} // namespace tarvok
