#include "ExplainCommand.h"

#include "PhoneEntry.h"
#include "PhoneFile.h"
#include "ProviderFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace tarvok {
namespace {

// The settings of the worked dial examples: 49, 89, "00", tone dialling.
Settings WorkedSettings() {
    Settings settings;
    settings.DialMethod = 0;
    settings.CountryCode = QStringLiteral("49");
    settings.AreaCode = QStringLiteral("89");
    settings.InternationalPrefix = QStringLiteral("00");
    return settings;
}

// A data folder with one phone book entry and a provider table.
struct DataFolder {
    explicit DataFolder(const std::vector<ProviderRow>& rows,
                        const Settings& settings = WorkedSettings()) {
        PhoneBook book;
        book.settings = settings;
        book.lists[1].insert({QStringLiteral("Jürgens, Anna"), QStringLiteral("49 30 7654321"), 0});
        SavePhoneFile(dir.path(), book, nullptr);
        ProviderTable table;
        for (const ProviderRow& row : rows)
            table.AddProviderRow(ProviderRecordFrom(row));
        SaveProviderFile(dir.path(), table, nullptr);
    }

    struct Result {
        int code;
        QString out;
        QString err;
    };
    Result explain(const QString& number, const QString& at) const {
        Result result;
        QTextStream out(&result.out);
        QTextStream err(&result.err);
        result.code = ExplainNumber(dir.path(), number, at, out, err);
        out.flush();
        err.flush();
        return result;
    }

    QStringList fileNames() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    QTemporaryDir dir;
};

const ProviderRow kAlpha{"Alpha", "01090", "Immer", "00h", "24h", "NFA"};

struct Case {
    const char* number;
    const char* at;
    std::vector<ProviderRow> rows;
    const char* expected;
};

// 2026-03-02 is a Monday, 2026-03-07 a Saturday.
TEST(Explain, WorkedDialExamples) {
    const std::vector<Case> cases = {
        {"49 89 1234567",
         "2026-03-02 10:15",
         {kAlpha},
         "Rufnummer: 49 89 1234567\n"
         "Zeitpunkt: Montag, 2026-03-02 10:15\n"
         "Wählzeichenfolge: ATDT010901234567;H0<CR>\n"
         "Weite: Nah\n"
         "Anbieter: Zeile 1: Alpha | 01090 | Immer | 00h | 24h | NFA\n"},
        {"33 1 23456789",
         "2026-03-02 10:15",
         {kAlpha},
         "Rufnummer: 33 1 23456789\n"
         "Zeitpunkt: Montag, 2026-03-02 10:15\n"
         "Wählzeichenfolge: ATDT010900033 1 23456789;H0<CR>\n"
         "Weite: Ausland\n"
         "Anbieter: Zeile 1: Alpha | 01090 | Immer | 00h | 24h | NFA\n"},
        // The phone book's entry gives its name and its "0" flag (here without the 0).
        {"49 30 7654321",
         "2026-03-07 19:00",
         {{"A day", "01011", "Immer", "08h", "18h", "NFA"},
          {"B week", "01022", "Mo-Fr", "00h", "24h", "NFA"},
          {"C near", "01033", "Immer", "00h", "24h", "N"},
          {"D all", "01090", "Immer", "00h", "24h", "NFA"}},
         "Eintrag: Jürgens, Anna\n"
         "Rufnummer: 49 30 7654321\n"
         "Zeitpunkt: Samstag, 2026-03-07 19:00\n"
         "Wählzeichenfolge: ATDT0109030 7654321;H0<CR>\n"
         "Weite: Fern\n"
         "Anbieter: Zeile 4: D all | 01090 | Immer | 00h | 24h | NFA\n"
         "Zeile 1 (A day): Uhrzeit passt nicht\n"
         "Zeile 2 (B week): Tag passt nicht\n"
         "Zeile 3 (C near): Weite passt nicht\n"},
        {"49 40 555",
         "2026-03-07 19:00",
         {{"A week", "01011", "Mo-Fr", "00h", "24h", "NFA"}},
         "Rufnummer: 49 40 555\n"
         "Zeitpunkt: Samstag, 2026-03-07 19:00\n"
         "Wählzeichenfolge: ATDT040 555;H0<CR>\n"
         "Weite: Fern\n"
         "Anbieter: keiner (keine Zeile passt)\n"
         "Zeile 1 (A week): Tag passt nicht\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const DataFolder data(c.rows);
        const auto result = data.explain(QString::fromUtf8(c.number), QString::fromUtf8(c.at));
        EXPECT_EQ(result.code, 0);
        EXPECT_EQ(result.out, QString::fromUtf8(c.expected));
        EXPECT_TRUE(result.err.isEmpty());
    }
}

// However the number is written, it is the phone book's entry that is explained.
TEST(Explain, ReadsNumbersAsPeopleWriteThem) {
    const DataFolder data({kAlpha});
    for (const char* number : {"+49 30 7654321", "0049 30 7654321", "030 7654321",
                               "tel:+49-30-7654321", "49 30 7654321"}) {
        SCOPED_TRACE(number);
        const auto result =
            data.explain(QString::fromUtf8(number), QStringLiteral("2026-03-02 10:15"));
        EXPECT_EQ(result.code, 0);
        EXPECT_TRUE(result.out.startsWith(QStringLiteral("Eintrag: Jürgens, Anna\n")));
        EXPECT_TRUE(result.out.contains(QStringLiteral("ATDT0109030 7654321;H0<CR>")));
    }
}

TEST(Explain, OwnCountryNot49ChoosesNoCarrier) {
    Settings settings = WorkedSettings();
    settings.CountryCode = QStringLiteral("41");
    const DataFolder data({kAlpha}, settings);
    const auto result =
        data.explain(QStringLiteral("33 1 23456789"), QStringLiteral("2026-03-02 10:15"));
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(
        result.out.contains(QStringLiteral("Wählzeichenfolge: ATDT0033 1 23456789;H0<CR>\n")));
    EXPECT_TRUE(result.out.endsWith(QStringLiteral("Anbieter: keiner (Landeskennzahl nicht 49, die "
                                                   "Tabelle wird nicht gefragt)\n")));
}

// Bad input: a reason on stderr, exit code 2, nothing on stdout, and the folder unchanged.
TEST(Explain, BadInputIsRefused) {
    struct Bad {
        const char* number;
        const char* at;
        const char* reason;
    };
    const std::vector<Bad> cases = {
        {"49 89 1234567", "2026-13-02 10:15", "Zeitpunkt „2026-13-02 10:15“"},
        {"49 89 1234567", "morgen", "Zeitpunkt „morgen“"},
        {"", "", "Rufnummer „“"},
        {"49 89 12x4567", "", "Rufnummer „49 89 12x4567“"},
        {"49 89 1234567;H0", "", "Rufnummer"},
    };
    for (const Bad& c : cases) {
        SCOPED_TRACE(c.number);
        const DataFolder data({kAlpha});
        const QStringList before = data.fileNames();
        const auto result = data.explain(QString::fromUtf8(c.number), QString::fromUtf8(c.at));
        EXPECT_EQ(result.code, 2);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.reason))) << result.err.toStdString();
        EXPECT_EQ(data.fileNames(), before);
    }
}

// A missing phone book is explained with the defaults (see the process test); one of another
// version is neither read nor converted.
TEST(Explain, UnusableDataFilesAreReportedAndLeftAsTheyAre) {
    QTemporaryDir folder;
    QFile book(QDir(folder.path()).filePath(QStringLiteral("Brisel.DAT")));
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.write("[BRISEL VERSION 9.9]\r\n");
    book.close();
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    EXPECT_EQ(
        ExplainNumber(folder.path(), QStringLiteral("49 89 1"), QString(), outStream, errStream),
        2);
    errStream.flush();
    EXPECT_TRUE(err.contains(QStringLiteral("Brisel.DAT")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files),
              QStringList{QStringLiteral("Brisel.DAT")});

    const DataFolder data({kAlpha});
    QFile provider(QDir(data.dir.path()).filePath(QStringLiteral("Provider.DAT")));
    ASSERT_TRUE(provider.open(QIODevice::Append));
    provider.write("\"Beta\",\"01022\",x,1,0,24,1,1,1\r\n");
    provider.close();
    const auto result = data.explain(QStringLiteral("49 89 1"), QString());
    EXPECT_EQ(result.code, 2);
    EXPECT_TRUE(result.err.contains(QStringLiteral("Provider.DAT")));
}

} // namespace
} // namespace tarvok
