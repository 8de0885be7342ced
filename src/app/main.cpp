#include "AppState.h"
#include "CommandLine.h"
#include "HugePageHeap.h"
#include "InstanceLock.h"
#include "InstanceRequests.h"
#include "MainWindow.h"
#include "QtHttpClient.h"
#include "QtSerialPort.h"
#include "QtTrayIcon.h"
#include "QuitSignals.h"
#include "SecondStart.h"
#include "ShownReport.h"
#include "StartUp.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstdio>

using namespace tarvok;

namespace {

void Print(FILE* stream, const QString& text) {
    std::fputs(text.toUtf8().constData(), stream);
}

// The first instance on the data folder: the window, and the socket on which later starts
// hand in their requests. Its own request runs once the window is up.
int RunInstance(int& argc, char** argv, const QString& dataDir, const InstanceRequest& own) {
    QApplication app(argc, argv);
    // The window lives on in the notification area when its last box closes.
    app.setQuitOnLastWindowClosed(false);

    // Qt's own texts (standard buttons, text-box menus) in German.
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtGerman);

    AppState state;
    state.dataDir = dataDir;
    const StartUp::Next next = StartUp(state).LoadDataFiles();
    if (next == StartUp::Next::EndProgram)
        return 1;

    QtTrayIcon tray;
    QtSerialPort port(state.dataDir);
    QtHttpClient http;
    MainWindow window(state, MainWindow::Parts{tray, &port, &http});
    QuitSignals quitSignals;
    QObject::connect(&window, &MainWindow::programEnded, &app, &QApplication::quit);
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window, &MainWindow::QuitProgram);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.QuitProgram(); });

    ShownReport::watchIfAsked(window);
    InstanceRequests requests(state, window);
    QString listenError;
    if (!requests.listen(dataDir, listenError))
        Print(stderr, QStringLiteral("tarvok-pro: ") + listenError + u'\n');

    window.FinishStartUp(next);
    requests.handleOwn(own);
    return app.exec();
}

} // namespace

// The program with its window. It is started by the `tarvok-pro` front (launcher.cpp) with
// the same arguments when no instance ran on the folder a moment before; between the two
// another start may have taken the folder, so it checks again and hands over as well.
int main(int argc, char* argv[]) {
    DropHugePageRequest();
    KeepLargeBlocksInTheHeap();
    QCoreApplication::setApplicationName(QStringLiteral("Tarvok-Pro"));
    CommandLine commandLine;
    QString dataDir;
    if (const std::optional<int> exitCode = BeginStart(argc, argv, commandLine, dataDir))
        return *exitCode;
    const InstanceRequest request = commandLine.request(QDir::currentPath());
    InstanceLock lock(dataDir);
    if (const std::optional<int> exitCode =
            TakeFolderOrHandOver(lock, argc, argv, dataDir, request))
        return *exitCode;
    return RunInstance(argc, argv, dataDir, request);
}
