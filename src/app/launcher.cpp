// tarvok-pro: the front that every start goes through. It answers --help, --version and
// usage errors, and hands a request to the instance already running on the data folder;
// only when none runs does it become the program with the window (tarvok-pro-window) in
// the same process. It loads QtCore and QtNetwork alone, so that a second start, the
// common case of a tel: link, is over before the window libraries would have loaded.
#include "CommandLine.h"
#include "HugePageHeap.h"
#include "SecondStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

using namespace tarvok;

namespace {

// Beside the front in the build tree; in its libexec folder when installed.
QString WindowProgram() {
    const QDir bin =
        QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(u'/', 0, -2);
    const QString besides = bin.filePath(QStringLiteral("tarvok-pro-window"));
    if (QFileInfo(besides).isExecutable())
        return besides;
    return QDir::cleanPath(bin.filePath(QStringLiteral(TARVOK_WINDOW_PROGRAM_FROM_BIN)));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Tarvok-Pro"));
    CommandLine commandLine;
    QString dataDir;
    if (const std::optional<int> exitCode = BeginStart(argc, argv, commandLine, dataDir))
        return *exitCode;
    {
        // The socket alone: the lock stays the window program's, whose process id it holds.
        QCoreApplication app(argc, argv);
        if (const std::optional<int> exitCode =
                HandOverIfListening(dataDir, commandLine.request(QDir::currentPath())))
            return *exitCode;
    }
    // Nobody listens: the window program reads the arguments anew and takes the folder, or
    // hands over to an instance that is still starting.
    const QByteArray program = WindowProgram().toLocal8Bit();
    RequestHugePageHeap();
    execv(program.constData(), argv);
    std::fprintf(stderr, "tarvok-pro: %s: %s\n", program.constData(), std::strerror(errno));
    return 1;
}
