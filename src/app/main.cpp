#include "AppState.h"
#include "CommandLine.h"
#include "InstanceLock.h"
#include "InstanceRequests.h"
#include "MainWindow.h"
#include "QtHttpClient.h"
#include "QtSerialPort.h"
#include "QtTrayIcon.h"
#include "QuitSignals.h"
#include "SecondStart.h"
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
    QtSerialPort port;
    QtHttpClient http;
    MainWindow window(state, MainWindow::Parts{tray, &port, &http});
    QuitSignals quitSignals;
    QObject::connect(&window, &MainWindow::programEnded, &app, &QApplication::quit);
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window, &MainWindow::QuitProgram);
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &window,
                     [&window] { window.QuitProgram(); });

    InstanceRequests requests(state, window);
    QString listenError;
    if (!requests.listen(dataDir, listenError))
        Print(stderr, QStringLiteral("tarvok-pro: ") + listenError + u'\n');

    window.FinishStartUp(next);
    requests.handleOwn(own);
    return app.exec();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Tarvok-Pro"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    // Read before any application object: help, version and usage errors need no display.
    const CommandLine commandLine = ParseCommandLine(arguments);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        Print(stdout, CommandLineUsage());
        return 0;
    case CommandLine::Action::Version:
        Print(stdout, CommandLineVersion());
        return 0;
    case CommandLine::Action::Error:
        Print(stderr, QStringLiteral("tarvok-pro: ") + commandLine.error + QStringLiteral("\n\n") +
                          CommandLineUsage());
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    QString error;
    const QString dataDir = DataFolder(commandLine, error);
    if (dataDir.isEmpty()) {
        Print(stderr, QStringLiteral("tarvok-pro: ") + error + u'\n');
        return 1;
    }
    const InstanceRequest request = commandLine.request(QDir::currentPath());
    InstanceLock lock(dataDir);
    switch (lock.acquire()) {
    case InstanceLock::Result::Acquired:
        return RunInstance(argc, argv, dataDir, request);
    case InstanceLock::Result::HeldByOther: {
        // No window, no files: only the socket, without a display.
        QCoreApplication app(argc, argv);
        return HandOverToRunningInstance(dataDir, request);
    }
    case InstanceLock::Result::Failed:
        break;
    }
    Print(stderr, LockFailedText(dataDir) + u'\n');
    return 1;
}
