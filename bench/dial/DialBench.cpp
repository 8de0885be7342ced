// The dial's own share of the wait: the provider walk, the number preparation, and the
// time from the dial to the last byte of the command line arriving at the far end of a
// pseudo-terminal.
#include "BestProvider.h"
#include "DialString.h"
#include "ModemSession.h"
#include "PhoneEntry.h"
#include "QtSerialPort.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

using namespace tarvok;

namespace {

// 1000 rows that do not fit a weekday near call at noon, and a fitting one at the bottom.
ProviderTable ThousandRows() {
    std::vector<ProviderRecord> records;
    for (int i = 0; i < 999; ++i)
        records.push_back({QStringLiteral("Anbieter %1").arg(i, 4, 10, QLatin1Char('0')),
                           QStringLiteral("010%1").arg(i % 100), i % 2, 1 - i % 2, 0, 12, 0, 1, 1});
    records.push_back({QStringLiteral("Zuletzt"), QStringLiteral("01090"), 1, 1, 0, 24, 1, 1, 1});
    ProviderTable table;
    table.AddProviderRows(records);
    return table;
}

Settings MunichSettings() {
    Settings s;
    s.CountryCode = QStringLiteral("49");
    s.AreaCode = QStringLiteral("89");
    s.DialMethod = 0;
    s.HandOverEnabled = 1;
    s.HandOverNumber = QStringLiteral("22");
    return s;
}

const QString kEntry =
    EntryLine({QStringLiteral("Müller-Lüdenscheidt, Jürgen"), QStringLiteral("49 30 7654321"), 1});

void BM_BestProvider1000Rows(benchmark::State& state) {
    const ProviderTable table = ThousandRows();
    for (auto _ : state)
        benchmark::DoNotOptimize(BestProvider(table, 3, 12, 1));
    state.SetItemsProcessed(state.iterations() * table.rowCount());
}
BENCHMARK(BM_BestProvider1000Rows);

void BM_PrepareDial(benchmark::State& state) {
    const Settings settings = MunichSettings();
    const ProviderLookup lookup = [](int, int, int) { return QStringLiteral("01090"); };
    for (auto _ : state)
        benchmark::DoNotOptimize(PrepareDial(kEntry, settings, 3, 12, lookup));
}
BENCHMARK(BM_PrepareDial);

// What a dial sends on a weekday at noon, the provider walked in the table.
QByteArray DialLine(const ProviderTable& table, const Settings& settings) {
    const ProviderLookup lookup = [&](int weekday, int hour, int distance) {
        return BestProvider(table, weekday, hour, distance);
    };
    return PrepareDial(kEntry, settings, 3, 12, lookup).CompleteDialString.toLatin1();
}

// The far end of a pseudo-terminal, standing in for the modem.
class PtyModem {
public:
    PtyModem() {
        m_master = posix_openpt(O_RDWR | O_NOCTTY);
        grantpt(m_master);
        unlockpt(m_master);
        m_slave = ::open(ptsname(m_master), O_RDWR | O_NOCTTY); // keeps the pty alive
        setenv("TARVOK_COM1", ptsname(m_master), 1);
    }
    ~PtyModem() {
        ::close(m_slave);
        ::close(m_master);
    }
    // Reads until size bytes have arrived; false after a second without them.
    bool receive(qsizetype size) {
        char buffer[256];
        while (size > 0) {
            pollfd in{m_master, POLLIN, 0};
            if (poll(&in, 1, 1000) <= 0)
                return false;
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                return false;
            size -= n;
        }
        return true;
    }

private:
    int m_master = -1;
    int m_slave = -1;
};

// From the dial request (number preparation with a 1000-row provider walk, port open,
// one write) to the last byte of the command line at the modem's end.
void BM_DialToLastByteOnPty(benchmark::State& state) {
    PtyModem modem;
    const ProviderTable table = ThousandRows();
    const Settings settings = MunichSettings();
    QtSerialPort port;
    ModemSession session(port);
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        const QByteArray line = DialLine(table, settings);
        if (!session.start(1, line) || !modem.receive(line.size())) {
            state.SkipWithError("the command line did not arrive");
            break;
        }
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
        session.cancel();
        modem.receive(1); // the carriage return of the cancel
    }
}
BENCHMARK(BM_DialToLastByteOnPty)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The same dial on a port that is already open: what is left without the open.
void BM_WriteToLastByteOnOpenPort(benchmark::State& state) {
    PtyModem modem;
    const ProviderTable table = ThousandRows();
    const Settings settings = MunichSettings();
    QtSerialPort port;
    if (!port.open(1)) {
        state.SkipWithError("the port did not open");
        return;
    }
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        const QByteArray line = DialLine(table, settings);
        if (!port.write(line) || !modem.receive(line.size())) {
            state.SkipWithError("the command line did not arrive");
            break;
        }
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }
}
BENCHMARK(BM_WriteToLastByteOnOpenPort)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The share of the port's open and close alone: QSerialPort takes a UUCP lock file in
// /run/lock and syncs it to disk on every open.
void BM_PortOpenClose(benchmark::State& state) {
    PtyModem modem;
    QtSerialPort port;
    for (auto _ : state) {
        if (!port.open(1)) {
            state.SkipWithError("the port did not open");
            break;
        }
        port.close();
    }
}
BENCHMARK(BM_PortOpenClose)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // the serial port's notifiers need one
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
