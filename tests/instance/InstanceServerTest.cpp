// The running instance's socket, in process: a well-formed request reaches the handler and
// is answered; everything else is dropped without disturbing the server, and the asking
// end gives up in bounded time.
#include "InstanceServer.h"
#include "InstanceClient.h"

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

#include <atomic>
#include <thread>

namespace tarvok {

namespace {

QString UniqueName() {
    return QStringLiteral("tarvok-pro-test-") + QUuid::createUuid().toString(QUuid::Id128);
}

// The asking end blocks while it waits, so it runs beside the server's event loop.
HandOverResult AskInThread(const QString& name, const InstanceRequest& request) {
    HandOverResult result;
    std::atomic<bool> done{false};
    std::thread asking([&] {
        result = SendInstanceRequest(name, request, std::chrono::milliseconds(3000));
        done = true;
    });
    [[maybe_unused]] const bool answered = QTest::qWaitFor([&] { return done.load(); }, 10000);
    asking.join();
    return result;
}

} // namespace

class InstanceServerTest : public QObject {
    Q_OBJECT

    QList<InstanceRequest> m_handled;
    std::unique_ptr<InstanceServer> m_server;
    QString m_name;

    void startServer() {
        m_handled.clear();
        m_name = UniqueName();
        m_server = std::make_unique<InstanceServer>(
            [this](const InstanceRequest& request) {
                m_handled << request;
                return InstanceReply{request.kind == QLatin1String("show"), QStringLiteral("nein")};
            },
            std::chrono::milliseconds(300));
        QVERIFY(m_server->listen(m_name));
    }

private slots:
    void init() { startServer(); }
    void cleanup() { m_server.reset(); }

    void answersEachRequest() {
        const InstanceRequest show{QStringLiteral("show"), {}, QStringLiteral("/")};
        HandOverResult result = AskInThread(m_name, show);
        QCOMPARE(result.status, HandOverResult::Status::Answered);
        QCOMPARE(result.reply, (InstanceReply{true, QStringLiteral("nein")}));

        const InstanceRequest dial{QStringLiteral("dial"), {QStringLiteral("030")}, QString()};
        result = AskInThread(m_name, dial);
        QCOMPARE(result.reply.accepted, false);
        QCOMPARE(m_handled, (QList<InstanceRequest>{show, dial}));
    }

    void dropsWhatIsNotARequest_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("garbage line") << QByteArray("\x01\x02 hello\n");
        QTest::newRow("other version") << QByteArray("{\"tarvok\":9,\"kind\":\"show\"}"
                                                     "\n");
        QTest::newRow("huge, no line end") << QByteArray(200 * 1024, 'x');
        QTest::newRow("line beyond the limit")
            << QByteArray("{\"tarvok\":1,\"kind\":\"show\",\"dir\":\"") +
                   QByteArray(kMaxInstanceMessage, 'a') + QByteArray("\"}\n");
        QTest::newRow("never finishes its line") << QByteArray("{\"tarvok\":1,\"kind\":");
        QTest::newRow("never writes") << QByteArray();
    }
    void dropsWhatIsNotARequest() {
        QFETCH(QByteArray, bytes);
        QLocalSocket socket;
        socket.connectToServer(m_name);
        QVERIFY(socket.waitForConnected(2000));
        socket.write(bytes);
        // Dropped without a reply: within the read limit, whatever was sent.
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QLocalSocket::UnconnectedState, 3000);
        QVERIFY(!socket.canReadLine());
        QVERIFY(m_handled.isEmpty());

        // The server goes on answering.
        const HandOverResult result = AskInThread(m_name, {QStringLiteral("show"), {}, QString()});
        QCOMPARE(result.status, HandOverResult::Status::Answered);
        QCOMPARE(m_handled.size(), 1);
    }

    void aCrowdOfSilentClientsDoesNotLockOthersOutForLong() {
        std::vector<std::unique_ptr<QLocalSocket>> crowd;
        for (int i = 0; i < 3 * InstanceServer::kMaxClients; ++i) {
            crowd.push_back(std::make_unique<QLocalSocket>());
            crowd.back()->connectToServer(m_name);
        }
        QTRY_VERIFY_WITH_TIMEOUT(
            std::all_of(crowd.begin(), crowd.end(),
                        [](const auto& s) { return s->state() == QLocalSocket::UnconnectedState; }),
            3000);
        const HandOverResult result = AskInThread(m_name, {QStringLiteral("show"), {}, QString()});
        QCOMPARE(result.status, HandOverResult::Status::Answered);
    }

    void askingEndGivesUpInTime() {
        m_server.reset();
        QElapsedTimer clock;
        clock.start();
        const HandOverResult none = SendInstanceRequest(
            m_name, {QStringLiteral("show"), {}, QString()}, std::chrono::milliseconds(300));
        QCOMPARE(none.status, HandOverResult::Status::NoServer);
        QVERIFY(clock.elapsed() < 2000);
        // Asked once, it does not wait for a server at all.
        clock.restart();
        QCOMPARE(SendInstanceRequest(m_name, {QStringLiteral("show"), {}, QString()},
                                     std::chrono::milliseconds(5000), ConnectAttempts::Once)
                     .status,
                 HandOverResult::Status::NoServer);
        QVERIFY(clock.elapsed() < 1000);

        // Something listens but never answers.
        QLocalServer mute;
        QVERIFY(mute.listen(m_name));
        const HandOverResult silent = SendInstanceRequest(
            m_name, {QStringLiteral("show"), {}, QString()}, std::chrono::milliseconds(300));
        QCOMPARE(silent.status, HandOverResult::Status::NoAnswer);
    }
};

} // namespace tarvok

QTEST_GUILESS_MAIN(tarvok::InstanceServerTest)
#include "InstanceServerTest.moc"
