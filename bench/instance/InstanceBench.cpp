// A later start handing over to the running instance, both real processes: from the start
// of `tarvok-pro NUMBER` to the dial line arriving at the simulated modem, and from the
// start of a plain `tarvok-pro` (show yourself) to its exit. The running instance works
// offscreen on a small phone book.
#include "FakeModemProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

using namespace tarvok;

namespace {

const QByteArray kPhoneBook = "[BRISEL VERSION 2.2]\r\n"
                              "1,0,0,\"\",0,\"00\",\"49|89\",12,\"\",\"\",0\r\n"
                              "\"B\xfcro 1\",\"B\xfcro 2\",\"Privat 1\",\"Privat 2\"\r\n"
                              "1,\"M\xfcller, Anna\",\"49 30 7654321\",1\r\n";
const QByteArray kDialLine = "ATDT030 7654321;H0\r";

pid_t Spawn(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) == 0 ? pid : -1;
}

int Wait(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The running instance on a folder of its own, dialling on the simulated modem.
class RunningInstance {
public:
    RunningInstance() {
        QFile file(m_dir.filePath(QStringLiteral("Brisel.DAT")));
        if (!file.open(QIODevice::WriteOnly) || file.write(kPhoneBook) != kPhoneBook.size())
            return;
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("TARVOK_COM1", m_modem.device().toLocal8Bit());
        m_pid = Spawn({TARVOK_PROGRAM, "--data", dataDir()});
        // Up once it holds the folder's lock and answers a later start.
        for (int i = 0; i < 1000 && m_pid > 0; ++i) {
            if (holdsLock())
                return;
            QThread::msleep(10);
        }
        m_pid = -1;
    }
    ~RunningInstance() {
        if (m_pid > 0) {
            kill(m_pid, SIGTERM);
            Wait(m_pid);
        }
    }
    bool ok() const { return m_pid > 0 && Wait(Spawn({TARVOK_PROGRAM, "--data", dataDir()})) == 0; }
    std::string dataDir() const { return m_dir.path().toStdString(); }
    qint64 received() const { return m_modem.received().size(); }

private:
    bool holdsLock() const {
        QFile lock(m_dir.filePath(QStringLiteral("Tarvok-Pro.lock")));
        return lock.open(QIODevice::ReadOnly) && lock.readLine().trimmed().toInt() == m_pid;
    }

    FakeModemProcess m_modem;
    QTemporaryDir m_dir;
    pid_t m_pid = -1;
};

RunningInstance& Instance() {
    static RunningInstance instance;
    return instance;
}

void BM_SecondStartToDialLine(benchmark::State& state) {
    RunningInstance& instance = Instance();
    if (!instance.ok()) {
        state.SkipWithError("the running instance did not come up");
        return;
    }
    for (auto _ : state) {
        const qint64 before = instance.received();
        const pid_t asking = Spawn({TARVOK_PROGRAM, "--data", instance.dataDir(), "030 7654321"});
        const QDeadlineTimer deadline(5000);
        while (instance.received() < before + kDialLine.size() && !deadline.hasExpired())
            QThread::usleep(100);
        state.PauseTiming();
        if (Wait(asking) != 0)
            state.SkipWithError("the request was refused");
        // The modem's "OK" closes the dial window; until then a new dial is refused.
        QThread::msleep(200);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SecondStartToDialLine)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_ShowOnlySecondStart(benchmark::State& state) {
    RunningInstance& instance = Instance();
    if (!instance.ok()) {
        state.SkipWithError("the running instance did not come up");
        return;
    }
    for (auto _ : state) {
        if (Wait(Spawn({TARVOK_PROGRAM, "--data", instance.dataDir()})) != 0)
            state.SkipWithError("the show request was not taken");
    }
}
BENCHMARK(BM_ShowOnlySecondStart)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

} // namespace

BENCHMARK_MAIN();
