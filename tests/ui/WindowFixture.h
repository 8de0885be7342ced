#pragma once

#include "DataFiles.h"
#include "FakeTrayIcon.h"
#include "MainWindow.h"
#include "MessageBoxRecorder.h"
#include "PhoneFile.h"
#include "StartUp.h"

#include <QLabel>
#include <QListView>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <memory>

// A main window over a phone book in a temporary folder, started the way main() does.
struct WindowFixture {
    explicit WindowFixture(const QStringList& entries, bool trayAvailable = true,
                           tarvok::SerialPort* serialPort = nullptr)
        : tray(trayAvailable)
        , port(serialPort) {
        writeFile(dir.path(), QStringLiteral("Brisel.DAT"),
                  phoneFile(QStringLiteral("[BRISEL VERSION 2.2]"), entries));
        state.dataDir = dir.path();
        start(tarvok::StartUp(state).LoadDataFiles());
    }

    // For a phone book made in memory: the window over `state` as it stands.
    WindowFixture(tarvok::PhoneBook book, bool trayAvailable = true)
        : tray(trayAvailable) {
        state.dataDir = dir.path();
        state.phoneBook = std::move(book);
        start(tarvok::StartUp::Next::ShowLists);
    }

    void start(tarvok::StartUp::Next next) {
        window = std::make_unique<tarvok::MainWindow>(
            state, tarvok::MainWindow::Parts{tray, port, nullptr, std::chrono::milliseconds(20)});
        window->FinishStartUp(next);
    }

    template <typename T> T* find(const QString& name) const { return window->findChild<T*>(name); }
    QListView* list(int index) const {
        return find<QListView>(QStringLiteral("NamList(%1)").arg(index));
    }
    QTabWidget* tabs() const { return find<QTabWidget>(QStringLiteral("TabStrip1")); }
    QString statusText() const {
        return find<QStatusBar>(QStringLiteral("StatusBar1"))->findChild<QLabel*>()->text();
    }
    void select(int index, int row) const {
        list(index)->setCurrentIndex(list(index)->model()->index(row, 0));
    }
    QStringList names(int index) const {
        QStringList result;
        const QAbstractItemModel* model = list(index)->model();
        for (int row = 0; row < model->rowCount(); ++row)
            result << model->index(row, 0).data().toString();
        return result;
    }
    // What Brisel.DAT holds now, read back the way the next start reads it.
    tarvok::PhoneBook bookOnDisk() const {
        tarvok::PhoneBook book;
        tarvok::OpenPhoneFile(dir.path(), book);
        return book;
    }
    QByteArray fileBytes(const char* name) const {
        return readFile(dir.path(), QLatin1String(name));
    }

    QTemporaryDir dir;
    MessageBoxRecorder boxes;
    FakeTrayIcon tray;
    tarvok::SerialPort* port = nullptr;
    tarvok::AppState state;
    std::unique_ptr<tarvok::MainWindow> window;
};
