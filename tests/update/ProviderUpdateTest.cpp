#include "ProviderUpdate.h"
#include "FileErrorText.h"
#include "HttpClient.h"
#include "HttpTestServer.h"
#include "MessageBox.h"
#include "ProviderFile.h"
#include "ProviderTableModel.h"
#include "QtHttpClient.h"
#include "TariffListUrl.h"
#include "TariffLists.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace tarvok;
using namespace tarvok::testdata;
using namespace std::chrono_literals;
using Mode = HttpTestServer::Mode;
using Response = HttpTestServer::Response;
using Icon = MessageBox::Icon;

namespace {

QString CallError(FetchError error) {
    return QStringLiteral("Es gab folgerndes Problem:\n%1 (%2)")
        .arg(FetchErrorDescription(error))
        .arg(int(error));
}

const QString kOneAdded = QStringLiteral("Import beendet - 1 Provider wurde übernommen.");

QString WriteFailed(const char* fileName) {
    FileError error;
    error.kind = FileError::Kind::WriteFailed;
    error.fileName = QString::fromLatin1(fileName);
    return FileErrorText(error);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList RowTexts(const ProviderTable& table) {
    QStringList rows;
    for (int i = 0; i < table.rowCount(); ++i)
        rows << QStringList(table.row(i).begin(), table.row(i).end()).join(QLatin1Char('|'));
    return rows;
}

struct Box {
    Icon icon;
    QString title;
    QString text;
    bool buttonEnabled;
};

} // namespace

Q_DECLARE_METATYPE(Response)
Q_DECLARE_METATYPE(Icon)

class ProviderUpdateTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void importsAValidList_data();
    void importsAValidList();
    void refusesAndChangesNothing_data();
    void refusesAndChangesNothing();
    void fetchesAgainAfterAFailure();
    void triesHttpsWhenTheAddressSaysSo();
    void importsNothingWhenUpdateFileCannotBeWritten();
    void reportsAProviderFileThatCannotBeSaved();
    void addressComesFromTheEnvironment();

private:
    QString path(const char* name) const { return m_dir->filePath(QString::fromLatin1(name)); }
    void press() { m_update->DownloadUpdateFile(m_button); }
    void verifyNothingChanged();

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ProviderTableModel> m_model;
    std::unique_ptr<QWidget> m_window;
    QPushButton* m_button = nullptr;
    std::unique_ptr<HttpTestServer> m_server;
    std::unique_ptr<QtHttpClient> m_http;
    std::unique_ptr<ProviderUpdate> m_update;
    QList<Box> m_boxes;
    QList<bool> m_enabledAtRequest;
    bool m_answerYes = false;
};

void ProviderUpdateTest::init() {
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    QVERIFY(WriteBytes(path(kProviderFileName), kOldProviders));
    QVERIFY(WriteBytes(path(kProviderBackupName), kOlderProviders));
    QVERIFY(WriteBytes(path("Update.DAT"), kOldUpdate));

    m_state = std::make_unique<AppState>();
    m_state->dataDir = m_dir->path();
    FileError error;
    QVERIFY(LoadProviderFile(m_state->dataDir, m_state->providers, &error));
    QCOMPARE(RowTexts(m_state->providers), kOldRows);
    m_model = std::make_unique<ProviderTableModel>(m_state->providers);

    m_window = std::make_unique<QWidget>();
    m_button = new QPushButton(QStringLiteral("Download"), m_window.get());
    m_button->setObjectName(QStringLiteral("Btn1"));

    m_server = std::make_unique<HttpTestServer>();
    QVERIFY(m_server->listen());
    connect(m_server.get(), &HttpTestServer::requestReceived, this,
            [this] { m_enabledAtRequest << m_button->isEnabled(); });
    qputenv("TARVOK_UPDATE_URL", m_server->url(kListPath).toEncoded());
    // Short limits, so that the time-outs show in a second or two.
    m_http = std::make_unique<QtHttpClient>(2000ms, 3500ms);
    m_update = std::make_unique<ProviderUpdate>(*m_state, *m_model, *m_http, m_window.get());

    m_boxes.clear();
    m_enabledAtRequest.clear();
    m_answerYes = false;
    MessageBox::setHandler([this](const MessageBox::Shown& box) {
        m_boxes << Box{box.icon, box.title, box.text, m_button->isEnabled()};
        if (box.icon != Icon::Question)
            return MessageBox::Answer::Ok;
        return m_answerYes ? MessageBox::Answer::Yes : MessageBox::Answer::No;
    });
}

void ProviderUpdateTest::cleanup() {
    MessageBox::setHandler({});
    qunsetenv("TARVOK_UPDATE_URL");
    m_update.reset();
    m_http.reset();
    m_server.reset();
    m_window.reset();
    m_model.reset();
    m_state.reset();
    m_dir.reset();
}

void ProviderUpdateTest::verifyNothingChanged() {
    QCOMPARE(RowTexts(m_state->providers), kOldRows);
    QCOMPARE(ReadBytes(path(kProviderFileName)), kOldProviders);
    QCOMPARE(ReadBytes(path(kProviderBackupName)), kOlderProviders);
    QCOMPARE(ReadBytes(path("Update.DAT")), kOldUpdate);
    QVERIFY(m_button->isEnabled());
}

void ProviderUpdateTest::importsAValidList_data() {
    QTest::addColumn<Response>("response");
    QTest::addColumn<bool>("dropOld");
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("summary"); // empty: a clean import ends without a box

    QTest::newRow("three providers, old ones kept")
        << Answer(kThree) << false
        << QStringList{kOldRows[0], kThreeRows[0], kThreeRows[1], kThreeRows[2], kOldRows[1]}
        << QString();
    QTest::newRow("three providers, old ones dropped")
        << Answer(kThree) << true << kThreeRows << QString();
    QTest::newRow("exactly the size limit")
        << Answer(ListOfSize(QtHttpClient::kDefaultMaxBodySize)) << true
        << QStringList{"Billig|01013|Immer|00h|24h|NF"} << QString();
    QTest::newRow("chunked") << Answer(kThree, Mode::Chunked) << true << kThreeRows << QString();
    QTest::newRow("quoted values")
        << Answer(kHead +
                  "\"Billig\";\"01013\";\"1\";\"\";\"0\";\"24\";\"1\";\"\";\"\";\"1,2\"\r\n")
        << true << QStringList{"Billig|01013|Mo-Fr|00h|24h|N"} << QString();
    QTest::newRow("a mark of 0 counts")
        << Answer(kHead + "Nullnetz;01040;0;0;7;19;0;0;0;x\r\n") << true
        << QStringList{"Nullnetz|01040|Immer|07h|19h|NFA"} << QString();
    QTest::newRow("list cut inside a row")
        << Answer(kHead + "Billig;01013;1;1;0;24;1;1;;1,2\r\nNachtnetz;01051;1;;18") << true
        << QStringList{"Billig|01013|Immer|00h|24h|NF"} << QString();
    QTest::newRow("network codes that are not dial digits")
        << Answer(kHead + "Buchstabe;01O13;1;1;0;24;1;1;1\r\n"
                          "Plus;+4910;1;1;0;24;1;1;1\r\n"
                          "Befehl;01013ATZ;1;1;0;24;1;1;1\r\n"
                          "Leerzeichen;010 ATH;1;1;0;24;1;1;1\r\n"
                          "Gut;01019;1;1;0;24;1;1;1;x\r\n")
        << true << QStringList{"Gut|01019|Immer|00h|24h|NFA"}
        << kOneAdded +
               QStringLiteral("\n4 Zeilen wurden übersprungen, weil ihre Netzkennzahl nicht "
                              "nur aus Ziffern besteht.");
    QTest::newRow("one network code that is not dial digits")
        << Answer(kHead + "Gut;01019;1;1;0;24;1;1;1;x\r\nPlus;+4910;1;1;0;24;1;1;1\r\n") << true
        << QStringList{"Gut|01019|Immer|00h|24h|NFA"}
        << kOneAdded +
               QStringLiteral("\n1 Zeile wurde übersprungen, weil ihre Netzkennzahl nicht nur "
                              "aus Ziffern besteht.");
    // The ";" separates even inside quotes, so a command after it never reaches the code.
    QTest::newRow("semicolon inside a quoted network code")
        << Answer(kHead + "Semi;\"010;ATH\";1;1;0;24;1;1;1\r\n") << true
        << QStringList{"Semi|010|Immer|01h|00h|NFA"} << QString();
}

void ProviderUpdateTest::importsAValidList() {
    QFETCH(Response, response);
    QFETCH(bool, dropOld);
    QFETCH(QStringList, rows);
    QFETCH(QString, summary);
    m_server->setResponse(kListPath, response);
    m_answerYes = dropOld;

    press();

    QCOMPARE(m_boxes.size(), summary.isEmpty() ? 2 : 3);
    QCOMPARE(m_boxes[0].icon, Icon::Information);
    QCOMPARE(m_boxes[0].text, QStringLiteral("Übertragung beendet - Sie können die Verbindung "
                                             "zum Internet jetzt beenden"));
    QCOMPARE(m_boxes[1].icon, Icon::Question);
    QCOMPARE(m_boxes[1].text, QStringLiteral("Möchten Sie Ihre alten Provider-Daten löschen?"));
    if (!summary.isEmpty()) {
        QCOMPARE(m_boxes[2].icon, Icon::Information);
        QCOMPARE(m_boxes[2].text, summary);
    }
    for (const Box& box : std::as_const(m_boxes)) {
        QCOMPARE(box.title, kTitle);
        QVERIFY(!box.buttonEnabled);
    }
    QCOMPARE(m_enabledAtRequest, QList<bool>{false});
    QVERIFY(m_button->isEnabled());

    QCOMPARE(RowTexts(m_state->providers), rows);
    ProviderTable onDisk;
    FileError error;
    QVERIFY(LoadProviderFile(m_dir->path(), onDisk, &error));
    QCOMPARE(RowTexts(onDisk), rows);
    // Saved once: the backup is the file from before the update.
    QCOMPARE(ReadBytes(path(kProviderBackupName)), kOldProviders);
    QByteArray converted = response.body;
    converted.replace(';', ',').replace('"', "");
    QCOMPARE(ReadBytes(path("Update.DAT")), converted + "\r\n");
    if (response.body == kThree)
        QCOMPARE(ReadBytes(path("Update.DAT")), kThreeConverted);
}

void ProviderUpdateTest::refusesAndChangesNothing_data() {
    QTest::addColumn<Response>("response");
    QTest::addColumn<Icon>("icon");
    QTest::addColumn<QStringList>("texts"); // any one of them

    const QStringList noUpdate{
        QStringLiteral("Es liegt z.Z. keine gültiges Provider-Update vor - versuchen Sie es "
                       "bitte später noch einmal.\nSie können die Verbindung zum Internet jetzt "
                       "beenden.")};
    QByteArray huge = kThree;
    huge += QByteArray(5 * 1024 * 1024, 'x');

    QTest::newRow("404 page") << Status(404, "Not Found", "<html>404</html>") << Icon::Critical
                              << QStringList{QStringLiteral("Not Found\n\n(Code 404)")};
    QTest::newRow("server error") << Status(503, "Service Unavailable") << Icon::Critical
                                  << QStringList{
                                         QStringLiteral("Service Unavailable\n\n(Code 503)")};
    QTest::newRow("no marker") << Answer("<html><body>Wartungsarbeiten</body></html>")
                               << Icon::Exclamation << noUpdate;
    QTest::newRow("marker in other case")
        << Answer("tarvok pro provider update\r\n\r\nBillig;01013;1;1;0;24;1;1;1\r\n")
        << Icon::Exclamation << noUpdate;
    QTest::newRow("empty body") << Answer({}) << Icon::Exclamation << noUpdate;
    QTest::newRow("never answers") << Answer(kThree, Mode::NeverAnswer) << Icon::Critical
                                   << QStringList{CallError(FetchError::NoProgress)};
    QTest::newRow("drips a byte every half second")
        << Answer(kThree, Mode::Drip) << Icon::Critical
        << QStringList{CallError(FetchError::DeadlineExceeded)};
    QTest::newRow("5 MB with Content-Length")
        << Answer(huge) << Icon::Critical << QStringList{CallError(FetchError::TooLarge)};
    QTest::newRow("one byte over the limit")
        << Answer(ListOfSize(QtHttpClient::kDefaultMaxBodySize + 1)) << Icon::Critical
        << QStringList{CallError(FetchError::TooLarge)};
    QTest::newRow("5 MB chunked") << Answer(huge, Mode::Chunked) << Icon::Critical
                                  << QStringList{CallError(FetchError::TooLarge)};
    QTest::newRow("chunked body cut short")
        << Answer(kThree, Mode::ChunkedTruncated) << Icon::Critical
        << QStringList{CallError(FetchError::ConnectionClosed)};
    QTest::newRow("body shorter than announced")
        << Answer(kThree, Mode::ShortBody) << Icon::Critical
        << QStringList{CallError(FetchError::ConnectionClosed)};
    // Qt 6.4 retries a connection closed before the request went out, and now and then
    // waits after the retry until the inactivity time-out ends it.
    QTest::newRow("closes at once")
        << Answer(kThree, Mode::CloseAtOnce) << Icon::Critical
        << QStringList{CallError(FetchError::ConnectionClosed), CallError(FetchError::NoProgress)};
    QTest::newRow("redirect to another host")
        << Redirect("http://tarif.example.net/download/service/ttarif/ttarif.csv") << Icon::Critical
        << QStringList{CallError(FetchError::RedirectRefused)};
    QTest::newRow("redirect to another name of this machine")
        << Redirect("http://localhost:1/download/service/ttarif/ttarif.csv") << Icon::Critical
        << QStringList{CallError(FetchError::RedirectRefused)};
    // Qt does not offer a redirect to a scheme it cannot fetch; it ends as the 302 it was.
    QTest::newRow("redirect to another scheme")
        << Redirect("ftp://127.0.0.1/ttarif.csv") << Icon::Critical
        << QStringList{QStringLiteral("Found\n\n(Code 302)")};
}

void ProviderUpdateTest::refusesAndChangesNothing() {
    QFETCH(Response, response);
    QFETCH(Icon, icon);
    QFETCH(QStringList, texts);
    m_server->setResponse(kListPath, response);

    press();

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, icon);
    QCOMPARE(m_boxes[0].title, kTitle);
    QVERIFY2(texts.contains(m_boxes[0].text), qPrintable(m_boxes[0].text));
    QVERIFY(!m_boxes[0].buttonEnabled);
    QVERIFY(!m_enabledAtRequest.contains(true));
    verifyNothingChanged();
}

void ProviderUpdateTest::fetchesAgainAfterAFailure() {
    // A port that was just free: nobody listens there.
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 port = closed.serverPort();
    closed.close();
    qputenv("TARVOK_UPDATE_URL",
            QStringLiteral("http://127.0.0.1:%1%2").arg(port).arg(kListPath).toUtf8());
    press();
    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, CallError(FetchError::ConnectionRefused));
    verifyNothingChanged();

    qputenv("TARVOK_UPDATE_URL", m_server->url(kListPath).toEncoded());
    m_server->setResponse(kListPath, Status(404, "Not Found"));
    press();
    QCOMPARE(m_boxes.size(), 2);
    QCOMPARE(m_boxes[1].text, QStringLiteral("Not Found\n\n(Code 404)"));
    verifyNothingChanged();

    // The list moved within the same server: that redirect is followed.
    m_server->setResponse(kListPath, Redirect("/neu/ttarif.csv"));
    m_server->setResponse(QStringLiteral("/neu/ttarif.csv"), Answer(kThree));
    m_answerYes = true;
    press();
    QCOMPARE(m_server->requestCount(), 3);
    QCOMPARE(m_boxes.size(), 4);
    QCOMPARE(m_boxes.last().icon, Icon::Question);
    QCOMPARE(RowTexts(m_state->providers), kThreeRows);
    QCOMPARE(ReadBytes(path("Update.DAT")), kThreeConverted);
    QCOMPARE(ReadBytes(path(kProviderBackupName)), kOldProviders);
    QVERIFY(m_button->isEnabled());
}

void ProviderUpdateTest::triesHttpsWhenTheAddressSaysSo() {
    // The local server speaks plain HTTP, so the TLS handshake fails: proof that TLS was tried.
    QUrl url = m_server->url(kListPath);
    url.setScheme(QStringLiteral("https"));
    qputenv("TARVOK_UPDATE_URL", url.toEncoded());
    m_server->setResponse(kListPath, Answer(kThree));

    press();

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].text, CallError(FetchError::SecureConnection));
    verifyNothingChanged();
}

void ProviderUpdateTest::importsNothingWhenUpdateFileCannotBeWritten() {
    // A folder where Update.DAT should be: the file cannot be replaced.
    QVERIFY(QFile::remove(path("Update.DAT")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Update.DAT/inhalt")));
    m_server->setResponse(kListPath, Answer(kThree));
    m_answerYes = true;

    press();

    QCOMPARE(m_boxes.size(), 1);
    QCOMPARE(m_boxes[0].icon, Icon::Critical);
    QCOMPARE(m_boxes[0].text, WriteFailed("Update.DAT") +
                                  QStringLiteral("\nDie Provider-Liste bleibt unverändert."));
    QCOMPARE(RowTexts(m_state->providers), kOldRows);
    QCOMPARE(ReadBytes(path(kProviderFileName)), kOldProviders);
    QCOMPARE(ReadBytes(path(kProviderBackupName)), kOlderProviders);
    QVERIFY(m_button->isEnabled());
}

void ProviderUpdateTest::reportsAProviderFileThatCannotBeSaved() {
    // A folder where the backup should go: the save cannot rotate the files.
    QVERIFY(QFile::remove(path(kProviderBackupName)));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("Provider.BAK/inhalt")));
    m_server->setResponse(kListPath, Answer(kThree));

    press();

    QCOMPARE(m_boxes.size(), 3);
    QCOMPARE(m_boxes[2].icon, Icon::Critical);
    QCOMPARE(m_boxes[2].text, WriteFailed(kProviderFileName) +
                                  QStringLiteral("\nDie neuen Provider stehen in der Liste, "
                                                 "sind aber nicht gespeichert."));
    QCOMPARE(ReadBytes(path(kProviderFileName)), kOldProviders);
    QCOMPARE(ReadBytes(path("Update.DAT")), kThreeConverted);
    QVERIFY(m_button->isEnabled());
}

void ProviderUpdateTest::addressComesFromTheEnvironment() {
    qunsetenv("TARVOK_UPDATE_URL");
    const QUrl builtIn = TariffListUrl();
    QCOMPARE(builtIn.scheme(), QStringLiteral("http"));
    QCOMPARE(builtIn.path(), kListPath);
    // A reserved example domain, so that the default never reaches a stranger's server.
    QVERIFY2(builtIn.host().contains(
                 QRegularExpression(QStringLiteral("(^|\\.)example(\\.(com|net|org))?$"))),
             qPrintable(builtIn.host()));

    qputenv("TARVOK_UPDATE_URL", "https://127.0.0.1:8443/ttarif.csv");
    QCOMPARE(TariffListUrl(), QUrl(QStringLiteral("https://127.0.0.1:8443/ttarif.csv")));
    qputenv("TARVOK_UPDATE_URL", "");
    QCOMPARE(TariffListUrl(), builtIn);
}

QTEST_MAIN(ProviderUpdateTest)
#include "ProviderUpdateTest.moc"
