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

} // namespace
} // namespace tarvok
