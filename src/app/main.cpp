#include "AppState.h"
#include "MainWindow.h"
#include "QtHttpClient.h"
#include "QtSerialPort.h"
#include "QtTrayIcon.h"
#include "QuitSignals.h"
#include "StartUp.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

using namespace tarvok;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("Tarvok-Pro"));
    // The window lives on in the notification area when its last box closes.
    app.setQuitOnLastWindowClosed(false);

    // Qt's own texts (standard buttons, text-box menus) in German.
    QTranslator qtGerman;
    if (qtGerman.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtGerman);

    AppState state;
    state.dataDir = QDir::currentPath();
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

    window.FinishStartUp(next);
    return app.exec();
}
