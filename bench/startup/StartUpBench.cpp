// Start-up to the shown main window: the start-up loader on the data files, the window
// built over them and shown. Run offscreen; Qt's own initialisation is outside the figure.
#include "MainWindow.h"
#include "MessageBox.h"
#include "PhoneFile.h"
#include "ProviderFile.h"
#include "StartUp.h"
#include "TrayIcon.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <memory>
#include <sys/resource.h>

using namespace tarvok;

namespace {

class NoTray : public TrayIcon {
public:
    bool isAvailable() const override { return true; }
    void showIcon(const QIcon&, const QString&) override {}
    void removeIcon() override {}
};

// A full phone book (4 x 32767 entries) and 1000 providers, written once.
QString fullFolder() {
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        PhoneBook book;
        for (int list = 0; list < 4; ++list) {
            for (int i = 0; i < PhoneList::kMaxLines; ++i) {
                const int n = (i * 7919 + list * 131) % 100000;
                book.lists[size_t(list)].appendUnsorted(
                    {QStringLiteral("Teilnehmer %1, Vorname").arg(n, 5, 10, QLatin1Char('0')),
                     QStringLiteral("49 89 %1").arg(100000 + n), i % 2});
            }
        }
        FileError error;
        SavePhoneFile(dir.path(), book, &error);
        ProviderTable table;
        std::vector<ProviderRecord> rows;
        for (int i = 0; i < 1000; ++i)
            rows.push_back({QStringLiteral("Anbieter %1").arg(i),
                            QStringLiteral("010%1").arg(i % 100, 2, 10, QLatin1Char('0')), i % 2,
                            (i / 2) % 2, i % 24, 24, 1, i % 3 ? 1 : 0, i % 5 ? 0 : 1});
        table.AddProviderRows(rows);
        SaveProviderFile(dir.path(), table, &error);
        made = true;
    }
    return dir.path();
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void startOnce(benchmark::State& state, const QString& folder) {
    AppState appState;
    appState.dataDir = folder;
    NoTray tray;
    const StartUp::Next next = StartUp(appState).LoadDataFiles();
    auto window = std::make_unique<MainWindow>(appState, MainWindow::Parts{tray});
    window->FinishStartUp(next);
    if (!QTest::qWaitForWindowExposed(window.get()))
        state.SkipWithError("window not shown");
    state.PauseTiming();
    window.reset();
    state.ResumeTiming();
}

void BM_StartUpFullPhoneBook(benchmark::State& state) {
    const QString folder = fullFolder();
    for (auto _ : state)
        startOnce(state, folder);
    state.counters["peak_MiB"] = double(peakKiB()) / 1024.0;
}
BENCHMARK(BM_StartUpFullPhoneBook)->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_StartUpEmptyFolder(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        state.ResumeTiming();
        startOnce(state, dir->path());
        state.PauseTiming();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["peak_MiB"] = double(peakKiB()) / 1024.0;
}
BENCHMARK(BM_StartUpEmptyFolder)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // The new-file message is answered at once; its reading time is the user's.
    MessageBox::setHandler([](const MessageBox::Shown&) { return MessageBox::Answer::Ok; });
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
