// tarvok-pro --explain as a real process: no display, no window, nothing written.
#include "PhoneFile.h"
#include "ProviderFile.h"

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvok {
namespace {

struct ProcessRun {
    int code = -1;
    QString out;
    QString err;
};

ProcessRun Explain(const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TARVOK_PROGRAM), arguments);
    ProcessRun run;
    if (!process.waitForFinished(30000))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

TEST(ExplainProcess, PrintsWithoutADisplayAndWritesNothing) {
    QTemporaryDir dir;
    PhoneBook book;
    book.settings.DialMethod = 0;
    book.settings.AreaCode = QStringLiteral("89");
    ASSERT_TRUE(SavePhoneFile(dir.path(), book, nullptr));
    ProviderTable table;
    table.AddProviderRow({QStringLiteral("Alpha"), QStringLiteral("01090"), 1, 1, 0, 24, 1, 1, 1});
    ASSERT_TRUE(SaveProviderFile(dir.path(), table, nullptr));
    const QStringList files =
        QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const ProcessRun good = Explain({QStringLiteral("--data"), dir.path(),
                                     QStringLiteral("--explain"), QStringLiteral("+49 30 7654321"),
                                     QStringLiteral("--at"), QStringLiteral("2026-03-02 10:15")});
    EXPECT_EQ(good.code, 0) << good.err.toStdString();
    EXPECT_TRUE(
        good.out.contains(QStringLiteral("Wählzeichenfolge: ATDT01090030 7654321;H0<CR>\n")))
        << good.out.toStdString();
    EXPECT_TRUE(good.out.contains(QStringLiteral("Weite: Fern\n")));

    const ProcessRun bad = Explain({QStringLiteral("--data"), dir.path(),
                                    QStringLiteral("--explain"), QStringLiteral("+49 30 7654321"),
                                    QStringLiteral("--at"), QStringLiteral("gestern")});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_TRUE(bad.err.contains(QStringLiteral("„gestern“")));

    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              files);
}

// A folder a first start has not seen: the defaults a first start would write, said so in
// one line, and still nothing written. A Brisel.DAT that is there but cannot be read (here
// a folder of that name) stays an error.
TEST(ExplainProcess, FolderWithoutPhoneBookUsesTheDefaults) {
    QTemporaryDir dir;
    const QStringList arguments = {QStringLiteral("--data"),    dir.path(),
                                   QStringLiteral("--explain"), QStringLiteral("030 1234567"),
                                   QStringLiteral("--at"),      QStringLiteral("2026-03-02 10:15")};
    const ProcessRun run = Explain(arguments);
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty()) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith(
        QStringLiteral("Kein Telefonbuch in diesem Ordner, es gelten die Voreinstellungen.\n"
                       "Rufnummer: 49 30 1234567\n")))
        << run.out.toStdString();
    // Pulse dialling and no carrier table: what the first start's defaults give.
    EXPECT_TRUE(run.out.contains(QStringLiteral("Wählzeichenfolge: ATDP030 1234567;H0<CR>\n")))
        << run.out.toStdString();
    EXPECT_TRUE(QDir(dir.path())
                    .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                    .isEmpty());

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Brisel.DAT")));
    const ProcessRun unreadable = Explain(arguments);
    EXPECT_EQ(unreadable.code, 2);
    EXPECT_TRUE(unreadable.out.isEmpty());
    EXPECT_TRUE(unreadable.err.contains(QStringLiteral("kann nicht gelesen werden")))
        << unreadable.err.toStdString();
}

} // namespace
} // namespace tarvok
