#include "ModemSession.h"

#include "FakeSerialPort.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace tarvok {
namespace {

const QByteArray kDial = QByteArrayLiteral("ATDT010901234567;H0\r");

class ModemSessionTest : public ::testing::Test {
protected:
    ModemSessionTest() {
        QObject::connect(&session, &ModemSession::finished, &session,
                         [this](ModemSession::End end) { ends.push_back(end); });
    }

    FakeSerialPort port;
    ModemSession session{port};
    std::vector<ModemSession::End> ends;
};

TEST_F(ModemSessionTest, StartOpensAndWritesTheLineOnceAndNothingBefore) {
    ASSERT_TRUE(session.start(3, kDial));
    EXPECT_EQ(port.calls, QStringList({"open 3", "write " + QString::fromLatin1(kDial)}));
    EXPECT_EQ(session.state(), ModemSession::State::Dialling);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(ends.empty());
}

TEST_F(ModemSessionTest, PortLeftOpenIsClosedBeforeTheOpen) {
    port.leaveOpen();
    ASSERT_TRUE(session.start(1, kDial));
    EXPECT_EQ(port.calls, QStringList({"close", "open 1", "write " + QString::fromLatin1(kDial)}));
}

TEST_F(ModemSessionTest, StartEmptiesTheAnswerOfTheLastDial) {
    ASSERT_TRUE(session.start(1, kDial));
    port.receive("NO DIALTONE\r\n");
    session.cancel();
    ASSERT_FALSE(session.answer().isEmpty());
    port.openSucceeds = false;
    EXPECT_FALSE(session.start(1, kDial));
    EXPECT_TRUE(session.answer().isEmpty());
}

TEST_F(ModemSessionTest, OpenThatFailsLeavesFailedUntilAcknowledged) {
    port.openSucceeds = false;
    EXPECT_FALSE(session.start(4, kDial));
    EXPECT_EQ(port.calls, QStringList({"open 4"}));
    EXPECT_EQ(session.state(), ModemSession::State::Failed);
    EXPECT_TRUE(ends.empty());
    session.acknowledgeFailure();
    EXPECT_EQ(session.state(), ModemSession::State::Idle);
}

TEST_F(ModemSessionTest, WriteThatFailsClosesThePort) {
    port.writeSucceeds = false;
    EXPECT_FALSE(session.start(2, kDial));
    EXPECT_EQ(session.state(), ModemSession::State::Failed);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.calls.last(), "close");
}

struct Conversation {
    const char* what;
    std::vector<QByteArray> pieces;
    bool answered;
    QByteArray collected;
};

TEST_F(ModemSessionTest, AnswersEndTheDialOnlyOnOk) {
    const std::vector<Conversation> table = {
        {"plain OK", {"OK\r\n"}, true, "OK\r\n"},
        {"echo then OK", {"ATDT1;H0\r", "\r\nOK\r\n"}, true, "ATDT1;H0\r\r\nOK\r\n"},
        {"lower case", {"ok\r\n"}, true, "OK\r\n"},
        {"O and K in two reads", {"\r\nO", "K\r\n"}, true, "\r\nOK\r\n"},
        {"o and k in two reads", {"o", "k"}, true, "OK"},
        {"OK inside other text", {"xxOKxx"}, true, "XXOKXX"},
        {"ERROR keeps waiting", {"ERROR\r\n"}, false, "ERROR\r\n"},
        {"NO CARRIER keeps waiting",
         {"NO CARRIER\r\n", "BUSY\r\n"},
         false,
         "NO CARRIER\r\nBUSY\r\n"},
        {"O and K apart", {"O", " ", "K"}, false, "O K"},
        {"K before O", {"K", "O"}, false, "KO"},
        {"NUL bytes are kept", {QByteArray("a\0b", 3)}, false, QByteArray("A\0B", 3)},
    };
    for (const Conversation& c : table) {
        SCOPED_TRACE(c.what);
        ends.clear();
        ASSERT_TRUE(session.start(1, kDial));
        for (const QByteArray& piece : c.pieces)
            port.receive(piece);
        if (c.answered) {
            EXPECT_EQ(ends, std::vector<ModemSession::End>{ModemSession::End::Answered});
            EXPECT_FALSE(port.isOpen());
            EXPECT_EQ(session.state(), ModemSession::State::Idle);
        } else {
            EXPECT_TRUE(ends.empty());
            EXPECT_TRUE(port.isOpen());
            session.cancel();
        }
        EXPECT_EQ(session.answer(), QString::fromLatin1(c.collected));
    }
}

TEST_F(ModemSessionTest, CancelSendsOneCarriageReturnThenCloses) {
    ASSERT_TRUE(session.start(1, kDial));
    port.receive("ERROR\r\n");
    port.calls.clear();
    session.cancel();
    EXPECT_EQ(port.calls, QStringList({"write \r", "close"}));
    EXPECT_EQ(ends, std::vector<ModemSession::End>{ModemSession::End::Cancelled});
    EXPECT_EQ(session.state(), ModemSession::State::Idle);
    EXPECT_EQ(session.answer(), "ERROR\r\n");
}

TEST_F(ModemSessionTest, CancelOutsideADialSendsNothing) {
    session.cancel();
    ASSERT_TRUE(session.start(1, kDial));
    port.receive("OK");
    port.calls.clear();
    session.cancel();
    EXPECT_TRUE(port.calls.isEmpty());
    EXPECT_EQ(ends.size(), 1u);
}

TEST_F(ModemSessionTest, BytesAfterTheEndAreIgnored) {
    ASSERT_TRUE(session.start(1, kDial));
    port.receive("OK");
    port.leaveOpen(); // even a port that reports more
    port.receive("MORE");
    EXPECT_EQ(session.answer(), "OK");
    EXPECT_EQ(ends.size(), 1u);
}

TEST_F(ModemSessionTest, PortThatBreaksWhileDiallingEndsAsFailure) {
    ASSERT_TRUE(session.start(1, kDial));
    port.receive("ATD");
    port.breakDown();
    EXPECT_EQ(ends, std::vector<ModemSession::End>{ModemSession::End::PortFailed});
    EXPECT_EQ(session.state(), ModemSession::State::Failed);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(session.answer(), "ATD");
    session.acknowledgeFailure();
    EXPECT_EQ(session.state(), ModemSession::State::Idle);
    // and the next dial works again
    EXPECT_TRUE(session.start(1, kDial));
}

TEST_F(ModemSessionTest, PortFailureOutsideADialIsNoEnd) {
    port.breakDown();
    EXPECT_TRUE(ends.empty());
    EXPECT_EQ(session.state(), ModemSession::State::Idle);
}

TEST_F(ModemSessionTest, EndlessTalkKeepsOnlyTheLastPart) {
    ASSERT_TRUE(session.start(1, kDial));
    const QByteArray chunk(1000, 'x');
    for (int i = 0; i < 300; ++i)
        port.receive(chunk);
    EXPECT_EQ(session.answer().size(), ModemSession::kAnswerLimit);
    EXPECT_TRUE(ends.empty());
    port.receive(QByteArray(2 * ModemSession::kAnswerLimit, 'y') + "TAIL");
    EXPECT_EQ(session.answer().size(), ModemSession::kAnswerLimit);
    EXPECT_TRUE(session.answer().endsWith("YTAIL"));
}

TEST_F(ModemSessionTest, OkSplitAtTheCutIsStillFound) {
    ASSERT_TRUE(session.start(1, kDial));
    // The piece ending in "O" fills the answer exactly, the "K" pushes the "O" to the
    // oldest kept place; one more piece would cut it off.
    port.receive(QByteArray(ModemSession::kAnswerLimit - 1, 'x') + "O");
    port.receive(QByteArray(ModemSession::kAnswerLimit + 10, 'k').prepend('k'));
    EXPECT_EQ(ends, std::vector<ModemSession::End>{ModemSession::End::Answered});
    EXPECT_EQ(session.answer().size(), ModemSession::kAnswerLimit);
}

} // namespace
} // namespace tarvok
