// A number from outside in the running instance: which entry line goes to the dial, and
// what is refused, with the same reason for the asking process and the message box.
#include "DialFromOutside.h"
#include "MessageBoxRecorder.h"
#include "NumberMessages.h"
#include "RequestRouter.h"

#include <QTest>

namespace tarvok {

class DialFromOutsideTest : public QObject {
    Q_OBJECT

    static PhoneBook Book() {
        PhoneBook book;
        book.settings.CountryCode = QStringLiteral("49");
        book.settings.AreaCode = QStringLiteral("89");
        book.lists[1].insert({QStringLiteral("Zweite, Liste"), QStringLiteral("49 30 7654321"), 1});
        book.lists[2].insert({QStringLiteral("Dritte, Liste"), QStringLiteral("49 30 7654321"), 1});
        book.lists[3].insert({QStringLiteral("Anders, Form"), QStringLiteral("49 30 765 4321"), 1});
        book.lists[0].insert({QStringLiteral("Ohne Null"), QStringLiteral("49 40 123456"), 0});
        return book;
    }

    struct Run {
        AppState state;
        MessageBoxRecorder boxes;
        QStringList dialled;
        DialFromOutside dial{state, [this](const QString& line) { dialled << line; }, nullptr};
        Run() { state.phoneBook = Book(); }
        InstanceReply ask(const QStringList& args) {
            return dial.handle({QStringLiteral("dial"), args, QString()});
        }
    };

private slots:
    void dialsTheEntryOfThePhoneBook_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("number");
        QTest::addColumn<int>("zeroFlag");
        // The first list that holds the number wins, and only the exact number.
        QTest::newRow("list 2 before list 3")
            << QStringList{"tel:+49-30-7654321"} << "Zweite, Liste"
            << "49 30 7654321" << 1;
        // The entry's own zero flag: the same line a double-click on it dials.
        QTest::newRow("entry's zero flag") << QStringList{"+49 40 123456"} << "Ohne Null"
                                           << "49 40 123456" << 0;
        QTest::newRow("not in the book") << QStringList{"0711 1234567"} << "+49 711 1234567"
                                         << "49 711 1234567" << 1;
        QTest::newRow("words of one number")
            << QStringList{"+49", "30", "7654321"} << "Zweite, Liste"
            << "49 30 7654321" << 1;
        QTest::newRow("percent-encoded link")
            << QStringList{"tel:%2B49%2030%207654321"} << "Zweite, Liste"
            << "49 30 7654321" << 1;
    }
    void dialsTheEntryOfThePhoneBook() {
        QFETCH(QStringList, args);
        QFETCH(QString, name);
        QFETCH(QString, number);
        QFETCH(int, zeroFlag);
        Run run;
        const InstanceReply reply = run.ask(args);
        QVERIFY2(reply.accepted, qPrintable(reply.reason));
        // The asking process has its answer before the dial starts.
        QVERIFY(run.dialled.isEmpty());
        QTRY_COMPARE(run.dialled.size(), 1);
        QCOMPARE(EntryName(run.dialled[0]), name);
        QCOMPARE(EntryNumber(run.dialled[0]), number);
        QCOMPARE(EntryZeroFlag(run.dialled[0]), zeroFlag);
        QVERIFY(run.boxes.shown.isEmpty());
    }

    void refusesWithTheSameReasonHereAndThere_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        QTest::newRow("letters") << QStringList{"tel:+49-30-HALLO"}
                                 << "Die Nummer „tel:+49-30-HALLO“ wird nicht gewählt. " +
                                        ExternalNumberErrorText(ExternalNumberError::Letters);
        QTest::newRow("two links") << QStringList{"tel:+4930123456", "tel:+4940123456"}
                                   << "Die Nummer „tel:+4930123456 tel:+4940123456“ wird nicht "
                                      "gewählt. " +
                                          ExternalNumberErrorText(ExternalNumberError::MoreThanOne);
        QTest::newRow("nothing") << QStringList{"tel:"}
                                 << "Die Nummer „tel:“ wird nicht gewählt. " +
                                        ExternalNumberErrorText(ExternalNumberError::Empty);
    }
    void refusesWithTheSameReasonHereAndThere() {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        Run run;
        const InstanceReply reply = run.ask(args);
        QVERIFY(!reply.accepted);
        QCOMPARE(reply.reason, reason);
        QTRY_COMPARE(run.boxes.shown.size(), 1);
        QCOMPARE(run.boxes.shown[0].text, reason);
        QCOMPARE(run.boxes.shown[0].title, QStringLiteral("Tarvok-Pro"));
        QTest::qWait(20);
        QVERIFY(run.dialled.isEmpty());
    }

    // Text from outside in a message: no control characters, and not a screenful.
    void messagesShowOutsideTextHarmless() {
        QCOMPARE(QuotedForMessage(QStringLiteral("030\x1b[2J\n1")), QStringLiteral("„030?[2J?1“"));
        QCOMPARE(QuotedForMessage(QString(100, u'1')),
                 QStringLiteral("„%1…“").arg(QString(60, u'1')));
    }

    // While an editor or the dial window is open, and while an accepted dial waits for its
    // turn, nothing else may start a dial.
    void refusesWhileBusy() {
        const QString busy = QStringLiteral("Tarvok-Pro wählt nicht, solange eines seiner Fenster "
                                            "offen ist. Bitte schließen Sie es und versuchen Sie "
                                            "es erneut.");
        Run run;
        run.state.ModalBusy = -1;
        QCOMPARE(run.ask({"030 1234567"}), (InstanceReply{false, busy}));
        run.state.ModalBusy = 0;
        QVERIFY(run.ask({"030 1234567"}).accepted);
        QCOMPARE(run.ask({"040 1234567"}), (InstanceReply{false, busy}));
        QTRY_COMPARE(run.dialled.size(), 1);
        QCOMPARE(EntryNumber(run.dialled[0]), QStringLiteral("49 30 1234567"));
        QCOMPARE(run.boxes.shown.size(), 2);
        // Once that dial is over, the next one is taken.
        QVERIFY(run.ask({"040 1234567"}).accepted);
    }
};

} // namespace tarvok

QTEST_MAIN(tarvok::DialFromOutsideTest)
#include "DialFromOutsideTest.moc"
