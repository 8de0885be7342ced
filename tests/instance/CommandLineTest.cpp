// The command line: what each form of start asks for, and the data folder it works on.
#include "CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvok {
namespace {

using Action = CommandLine::Action;

struct Case {
    QStringList arguments;
    Action action;
    QString dataDir;
    bool desktop;
    QStringList numbers;
};

TEST(CommandLine, ReadsEveryForm) {
    const Case cases[] = {
        {{}, Action::Run, {}, false, {}},
        {{"--help"}, Action::Help, {}, false, {}},
        {{"-h"}, Action::Help, {}, false, {}},
        {{"--version"}, Action::Version, {}, false, {}},
        {{"-v"}, Action::Version, {}, false, {}},
        {{"--data", "/srv/telefon"}, Action::Run, "/srv/telefon", false, {}},
        {{"--data=/srv/telefon", "030 1234567"},
         Action::Run,
         "/srv/telefon",
         false,
         {"030 1234567"}},
        {{"--desktop", "tel:+49-30-1234567"}, Action::Run, {}, true, {"tel:+49-30-1234567"}},
        {{"+49", "30", "1234567"}, Action::Run, {}, false, {"+49", "30", "1234567"}},
        // A number that looks like an option after "--" is still a number.
        {{"--", "-1234"}, Action::Run, {}, false, {"-1234"}},
    };
    for (const Case& c : cases) {
        const CommandLine line = ParseCommandLine(QStringList{"tarvok-pro"} + c.arguments);
        const QString shown = c.arguments.join(u' ');
        EXPECT_EQ(line.action, c.action) << shown.toStdString();
        EXPECT_EQ(line.dataDir, c.dataDir) << shown.toStdString();
        EXPECT_EQ(line.desktop, c.desktop) << shown.toStdString();
        EXPECT_EQ(line.numbers, c.numbers) << shown.toStdString();
    }
}

TEST(CommandLine, NamesWhatItDoesNotUnderstand) {
    const std::pair<QStringList, QString> cases[] = {
        {{"--wählen"}, "Unbekannte Option: wählen"},
        {{"-x", "030"}, "Unbekannte Option: x"},
        {{"--data"}, "Der Option --data fehlt der Ordner."},
    };
    for (const auto& [arguments, error] : cases) {
        const CommandLine line = ParseCommandLine(QStringList{"tarvok-pro"} + arguments);
        EXPECT_EQ(line.action, Action::Error) << arguments.join(u' ').toStdString();
        EXPECT_EQ(line.error, error);
    }
}

TEST(CommandLine, ReadsExplain) {
    struct ExplainCase {
        QStringList arguments;
        Action action;
        QString number;
        QString at;
        QString error;
    };
    const ExplainCase cases[] = {
        {{"--explain", "030 1234567"}, Action::Explain, "030 1234567", {}, {}},
        {{"--data", "/srv", "--explain=+49 30 1", "--at", "2026-03-02 14:30"},
         Action::Explain,
         "+49 30 1",
         "2026-03-02 14:30",
         {}},
        {{"--help", "--explain", "1"}, Action::Help, {}, {}, {}},
        {{"--explain", "49", "30", "1"},
         Action::Error,
         {},
         {},
         "Mit --explain wird nur die eine Rufnummer erklärt, nicht gewählt: 30 1"},
        {{"--at", "2026-03-02 14:30"},
         Action::Error,
         {},
         {},
         "Die Option --at gilt nur zusammen mit --explain."},
        {{"--explain"}, Action::Error, {}, {}, "Der Option --explain fehlt die Rufnummer."},
        {{"--explain", "1", "--at"}, Action::Error, {}, {}, "Der Option --at fehlt der Zeitpunkt."},
    };
    for (const ExplainCase& c : cases) {
        const CommandLine line = ParseCommandLine(QStringList{"tarvok-pro"} + c.arguments);
        const std::string shown = c.arguments.join(u' ').toStdString();
        EXPECT_EQ(line.action, c.action) << shown;
        if (c.action == Action::Explain) {
            EXPECT_EQ(line.explainNumber, c.number) << shown;
            EXPECT_EQ(line.explainAt, c.at) << shown;
        }
        EXPECT_EQ(line.error, c.error) << shown;
    }
}

TEST(CommandLine, NoNumberAsksToShowAndNumbersAskToDial) {
    const CommandLine plain = ParseCommandLine({"tarvok-pro"});
    EXPECT_EQ(plain.request("/home/anna"), (InstanceRequest{"show", {}, "/home/anna"}));
    const CommandLine dial = ParseCommandLine({"tarvok-pro", "callto:+4930123456"});
    EXPECT_EQ(dial.request("/"), (InstanceRequest{"dial", {"callto:+4930123456"}, "/"}));
}

TEST(CommandLine, ContactOptionsAskToImportOrExport) {
    const std::pair<QStringList, InstanceRequest> cases[] = {
        {{"--import", "kontakte.vcf"}, {"import", {"kontakte.vcf", ""}, "/home/anna"}},
        {{"--import", "a.csv", "--list", "3"}, {"import", {"a.csv", "3"}, "/home/anna"}},
        {{"--export=alle.vcf", "--list=0"}, {"export", {"alle.vcf", "0"}, "/home/anna"}},
        {{"--export", "/tmp/b.csv"}, {"export", {"/tmp/b.csv", ""}, "/home/anna"}},
    };
    for (const auto& [arguments, request] : cases) {
        const CommandLine line = ParseCommandLine(QStringList{"tarvok-pro"} + arguments);
        EXPECT_EQ(line.action, Action::Run) << line.error.toStdString();
        EXPECT_EQ(line.request("/home/anna"), request) << arguments.join(u' ').toStdString();
    }
}

TEST(CommandLine, ContactOptionsThatDoNotFitAreRefused) {
    const std::pair<QStringList, QString> cases[] = {
        {{"--import"}, "Der Option --import fehlt die Datei."},
        {{"--export", "a.vcf", "--list"}, "Der Option --list fehlt die Nummer der Liste."},
        {{"--import", "a.vcf", "--export", "b.vcf"},
         "Bitte nur eine der Optionen --import und --export angeben."},
        {{"--import", "a.vcf", "030 1234567"},
         "Mit --import oder --export wird keine Rufnummer gewählt."},
        {{"--list", "2"}, "Die Option --list gilt nur mit --import oder --export."},
        {{"--import", "a.vcf", "--list", "0"}, "--list erwartet eine Liste von 1 bis 4."},
        {{"--import", "a.vcf", "--list", "zwei"}, "--list erwartet eine Liste von 1 bis 4."},
        {{"--export", "a.vcf", "--list", "5"},
         "--list erwartet eine Liste von 1 bis 4 oder 0 für alle."},
    };
    for (const auto& [arguments, error] : cases) {
        const CommandLine line = ParseCommandLine(QStringList{"tarvok-pro"} + arguments);
        EXPECT_EQ(line.action, Action::Error) << arguments.join(u' ').toStdString();
        EXPECT_EQ(line.error, error);
    }
}

TEST(CommandLine, UsageIsGermanAndListsEveryOption) {
    const QString usage = CommandLineUsage();
    EXPECT_TRUE(usage.startsWith("Aufruf: tarvok-pro")) << usage.toStdString();
    for (const char* word :
         {"--help", "--version", "--data ORDNER", "--desktop", "--import DATEI", "--export DATEI",
          "--list N", "RUFNUMMER", "--explain RUFNUMMER", "--at ZEITPUNKT"})
        EXPECT_TRUE(usage.contains(QLatin1String(word))) << word;
}

TEST(CommandLine, DataFolder) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    qputenv("XDG_DATA_HOME", home.path().toUtf8());
    QString error;

    // The working directory, as the program has always used it.
    EXPECT_EQ(DataFolder(ParseCommandLine({"tarvok-pro"}), error), QDir::currentPath());

    // Started from the desktop: the user's data folder, made on first use.
    const QString desktop = DataFolder(ParseCommandLine({"tarvok-pro", "--desktop"}), error);
    EXPECT_EQ(desktop, home.filePath("Tarvok-Pro"));
    EXPECT_TRUE(QDir(desktop).exists());

    // --data wins over --desktop and is taken as given, relative to the working directory.
    EXPECT_EQ(
        DataFolder(ParseCommandLine({"tarvok-pro", "--desktop", "--data", home.path()}), error),
        home.path());
    EXPECT_TRUE(error.isEmpty());

    // A folder that is not there is not made up: a typing error would scatter files.
    const QString missing = home.filePath("nicht-da");
    EXPECT_TRUE(DataFolder(ParseCommandLine({"tarvok-pro", "--data", missing}), error).isEmpty());
    EXPECT_EQ(error, QStringLiteral("Den Datenordner „%1“ gibt es nicht.").arg(missing));
    EXPECT_FALSE(QDir(missing).exists());
}

} // namespace
} // namespace tarvok

int main(int argc, char** argv) {
    // The desktop data folder is named after the program, as main() names it.
    QCoreApplication::setApplicationName(QStringLiteral("Tarvok-Pro"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
