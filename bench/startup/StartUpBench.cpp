// Start-up to the shown main window. In process: the start-up loader on the data files, the
// window built over them and shown, offscreen; Qt's own initialisation is outside the figure.
// Whole process: the real program launched in a data folder until it reports its window
// painted, offscreen unless TARVOK_BENCH_QPA names another platform (xcb under xvfb-run).
#include "MainWindow.h"
#include "MessageBox.h"
#include "PhoneFile.h"
#include "ProviderFile.h"
#include "ShownReport.h"
#include "StartUp.h"
#include "TrayIcon.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <csignal>
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
        // In order, as every file the program writes is.
        for (PhoneList& list : book.lists)
            list.sortStable();
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

// A phone book without entries, and no provider table.
QString emptyBookFolder() {
    static QTemporaryDir dir;
    static bool made = false;
    if (!made) {
        PhoneBook book;
        FileError error;
        SavePhoneFile(dir.path(), book, &error);
        made = true;
    }
    return dir.path();
}

long peakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The peak resident memory of a running process (VmHWM), in KiB; 0 when unknown.
long processPeakKiB(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

void startOnce(benchmark::State& state, const QString& folder) {
    auto appState = std::make_unique<AppState>();
    appState->dataDir = folder;
    NoTray tray;
    const StartUp::Next next = StartUp(*appState).LoadDataFiles();
    auto window = std::make_unique<MainWindow>(*appState, MainWindow::Parts{tray});
    window->FinishStartUp(next);
    if (!QTest::qWaitForWindowExposed(window.get()))
        state.SkipWithError("window not shown");
    // Freeing the phone book belongs to the program's end, not to its start.
    state.PauseTiming();
    window.reset();
    appState.reset();
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

// Launches the program in `folder` and waits for its report that the window is painted;
// the program is ended outside the timing.
void launchOnce(benchmark::State& state, const QString& folder, long* peak) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TARVOK_REPORT_SHOWN"), QStringLiteral("1"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"),
               qEnvironmentVariable("TARVOK_BENCH_QPA", QStringLiteral("offscreen")));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(folder);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tarvok-pro"), {});
    QByteArray out;
    while (!out.contains(ShownReport::kLine) && program.waitForReadyRead(10000))
        out += program.readAllStandardOutput();
    state.PauseTiming();
    if (!out.contains(ShownReport::kLine))
        state.SkipWithError("the program did not report its window");
    *peak = std::max(*peak, processPeakKiB(program.processId()));
    ::kill(pid_t(program.processId()), SIGTERM);
    if (!program.waitForFinished(10000))
        program.kill();
    program.waitForFinished();
    state.ResumeTiming();
}

void launchRepeatedly(benchmark::State& state, const QString& folder) {
    long peak = 0;
    for (auto _ : state)
        launchOnce(state, folder, &peak);
    state.counters["peak_MiB"] = double(peak) / 1024.0;
}

void BM_ProcessStartUpFullPhoneBook(benchmark::State& state) {
    launchRepeatedly(state, fullFolder());
}
BENCHMARK(BM_ProcessStartUpFullPhoneBook)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(9);

void BM_ProcessStartUpEmptyPhoneBook(benchmark::State& state) {
    launchRepeatedly(state, emptyBookFolder());
}
BENCHMARK(BM_ProcessStartUpEmptyPhoneBook)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(9);

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
