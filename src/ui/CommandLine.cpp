#include "CommandLine.h"

#include "ExplainCommand.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTextStream>

#include <cstdio>

namespace tarvok {

namespace {

const QString kProgram = QStringLiteral("tarvok-pro");

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                            QStringLiteral("Zeigt diese Hilfe an.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Zeigt die Versionsnummer an.")};
    QCommandLineOption data{QStringLiteral("data"),
                            QStringLiteral("Datendateien im ORDNER statt im aktuellen Ordner."),
                            QStringLiteral("ORDNER")};
    QCommandLineOption desktop{QStringLiteral("desktop"),
                               QStringLiteral("Datendateien im Datenordner des Benutzers (für "
                                              "den Start vom Desktop).")};
    QCommandLineOption explain{QStringLiteral("explain"),
                               QStringLiteral("Zeigt ohne Fenster, was eine Anwahl der RUFNUMMER "
                                              "senden würde und warum dieser Anbieter."),
                               QStringLiteral("RUFNUMMER")};
    QCommandLineOption at{QStringLiteral("at"),
                          QStringLiteral("Mit --explain: der Zeitpunkt \"JJJJ-MM-TT HH:MM\" "
                                         "statt jetzt."),
                          QStringLiteral("ZEITPUNKT")};
    QCommandLineOption import{QStringLiteral("import"),
                              QStringLiteral("Liest Kontakte aus DATEI (vCard oder CSV) in eine "
                                             "Liste ein; eine Vorschau zeigt, was übernommen "
                                             "wird."),
                              QStringLiteral("DATEI")};
    QCommandLineOption exportTo{QStringLiteral("export"),
                                QStringLiteral("Schreibt die Liste als vCard in DATEI (als CSV bei "
                                               "der Endung .csv)."),
                                QStringLiteral("DATEI")};
    QCommandLineOption list{QStringLiteral("list"),
                            QStringLiteral("Die Liste 1 bis 4 für --import und --export (sonst die "
                                           "Liste vorn); --export mit 0: alle vier."),
                            QStringLiteral("N")};
    QList<QCommandLineOption> all() const {
        return {help, version, data, desktop, import, exportTo, list, explain, at};
    }
};

QString OptionNames(const QCommandLineOption& option) {
    QStringList names;
    for (const QString& name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    QString text = names.join(QStringLiteral(", "));
    if (!option.valueName().isEmpty())
        text += u' ' + option.valueName();
    return text;
}

QString Row(const QString& left, const QString& right) {
    return QStringLiteral("  ") + left.leftJustified(20) + u' ' + right + u'\n';
}

// The parser names no option when one lacks its value; it is the last word then.
QString MissingValueText(const QStringList& arguments) {
    QString last = arguments.isEmpty() ? QString() : arguments.last();
    while (last.startsWith(u'-'))
        last.remove(0, 1);
    const std::pair<const char*, const char*> values[] = {
        {"data", "der Ordner"},           {"import", "die Datei"},      {"export", "die Datei"},
        {"list", "die Nummer der Liste"}, {"explain", "die Rufnummer"}, {"at", "der Zeitpunkt"}};
    for (const auto& [name, what] : values) {
        if (last == QLatin1String(name))
            return QStringLiteral("Der Option --%1 fehlt %2.")
                .arg(QLatin1String(name), QString::fromUtf8(what));
    }
    return QStringLiteral("Der Option --data fehlt der Ordner.");
}

// The contact options among themselves and with numbers; empty when they fit together.
QString ContactOptionsError(const CommandLine& line) {
    const bool importing = !line.importFile.isEmpty();
    const bool exporting = !line.exportFile.isEmpty();
    if (importing && exporting)
        return QStringLiteral("Bitte nur eine der Optionen --import und --export angeben.");
    if ((importing || exporting) && !line.numbers.isEmpty())
        return QStringLiteral("Mit --import oder --export wird keine Rufnummer gewählt.");
    if (line.list.isEmpty())
        return {};
    if (!importing && !exporting)
        return QStringLiteral("Die Option --list gilt nur mit --import oder --export.");
    bool ok = false;
    const int list = line.list.toInt(&ok);
    if (!ok || list < (exporting ? 0 : 1) || list > 4)
        return exporting ? QStringLiteral("--list erwartet eine Liste von 1 bis 4 oder 0 für alle.")
                         : QStringLiteral("--list erwartet eine Liste von 1 bis 4.");
    return {};
}

} // namespace

InstanceRequest CommandLine::request(const QString& workingDir) const {
    if (!importFile.isEmpty())
        return {QStringLiteral("import"), {importFile, list}, workingDir};
    if (!exportFile.isEmpty())
        return {QStringLiteral("export"), {exportFile, list}, workingDir};
    if (numbers.isEmpty())
        return {QStringLiteral("show"), {}, workingDir};
    return {QStringLiteral("dial"), numbers, workingDir};
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    const Options options;
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addOptions(options.all());
    parser.addPositionalArgument(QStringLiteral("RUFNUMMER"), QString());

    CommandLine result;
    if (!parser.parse(arguments)) {
        result.action = CommandLine::Action::Error;
        const QStringList unknown = parser.unknownOptionNames();
        result.error = unknown.isEmpty()
                           ? MissingValueText(arguments)
                           : QStringLiteral("Unbekannte Option: %1").arg(unknown.first());
        return result;
    }
    if (parser.isSet(options.help))
        result.action = CommandLine::Action::Help;
    else if (parser.isSet(options.version))
        result.action = CommandLine::Action::Version;
    result.dataDir = parser.value(options.data);
    result.desktop = parser.isSet(options.desktop);
    result.numbers = parser.positionalArguments();
    result.importFile = parser.value(options.import);
    result.exportFile = parser.value(options.exportTo);
    result.list = parser.value(options.list);
    if (result.action != CommandLine::Action::Run)
        return result;
    if (parser.isSet(options.explain)) {
        result.action = CommandLine::Action::Explain;
        result.explainNumber = parser.value(options.explain);
        result.explainAt = parser.value(options.at);
        if (!result.numbers.isEmpty()) {
            result.action = CommandLine::Action::Error;
            result.error = QStringLiteral("Mit --explain wird nur die eine Rufnummer erklärt, "
                                          "nicht gewählt: %1")
                               .arg(result.numbers.join(u' '));
        }
    } else if (parser.isSet(options.at)) {
        result.action = CommandLine::Action::Error;
        result.error = QStringLiteral("Die Option --at gilt nur zusammen mit --explain.");
    } else {
        result.error = ContactOptionsError(result);
        if (!result.error.isEmpty())
            result.action = CommandLine::Action::Error;
    }
    return result;
}

QString CommandLineUsage() {
    const Options options;
    QString text = QStringLiteral("Aufruf: %1 [Optionen] [RUFNUMMER]\n").arg(kProgram) +
                   QStringLiteral("Tarvok-Pro, die Wahlhilfe mit automatischer Provider-Auswahl.\n"
                                  "Läuft für den Datenordner schon ein Tarvok-Pro, übernimmt es "
                                  "den Auftrag und\nkommt nach vorn; es startet kein zweites.\n\n"
                                  "Optionen:\n");
    for (const QCommandLineOption& option : options.all())
        text += Row(OptionNames(option), option.description());
    text += QStringLiteral("\nArgumente:\n") +
            Row(QStringLiteral("RUFNUMMER"),
                QStringLiteral("Wählt diese Nummer, z. B. \"+49 30 1234567\", \"030 1234567\",")) +
            Row(QString(), QStringLiteral("tel:+49-30-1234567 oder callto:+49301234567."));
    return text;
}

QString CommandLineVersion() {
    return QStringLiteral("Tarvok-Pro %1\n").arg(QStringLiteral(TARVOK_VERSION));
}

QStringList CommandLineArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

int AnswerWithoutWindow(const CommandLine& commandLine) {
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        std::fputs(CommandLineUsage().toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Action::Version:
        std::fputs(CommandLineVersion().toUtf8().constData(), stdout);
        return 0;
    case CommandLine::Action::Error:
    case CommandLine::Action::Explain:
    case CommandLine::Action::Run:
        break;
    }
    const QString text = QStringLiteral("tarvok-pro: ") + commandLine.error +
                         QStringLiteral("\n\n") + CommandLineUsage();
    std::fputs(text.toUtf8().constData(), stderr);
    return 2;
}

QString DataFolder(const CommandLine& commandLine, QString& error) {
    if (!commandLine.dataDir.isEmpty()) {
        const QDir dir(commandLine.dataDir);
        if (dir.exists())
            return dir.absolutePath();
        error = QStringLiteral("Den Datenordner „%1“ gibt es nicht.").arg(commandLine.dataDir);
        return {};
    }
    if (commandLine.desktop) {
        const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (!folder.isEmpty() && QDir().mkpath(folder))
            return folder;
        error = QStringLiteral("Der Datenordner „%1“ lässt sich nicht anlegen.").arg(folder);
        return {};
    }
    return QDir::currentPath();
}

} // namespace tarvok

namespace tarvok {

std::optional<int> BeginStart(int argc, char** argv, CommandLine& commandLine, QString& dataDir) {
    commandLine = ParseCommandLine(CommandLineArguments(argc, argv));
    const bool explain = commandLine.action == CommandLine::Action::Explain;
    if (commandLine.action != CommandLine::Action::Run && !explain)
        return AnswerWithoutWindow(commandLine);
    QString error;
    dataDir = DataFolder(commandLine, error);
    if (dataDir.isEmpty()) {
        std::fputs((QStringLiteral("tarvok-pro: ") + error + u'\n').toUtf8().constData(), stderr);
        return explain ? 2 : 1;
    }
    if (explain) {
        // Reads the folder and prints: no window, no display, no lock, nothing written.
        QTextStream out(stdout);
        QTextStream err(stderr);
        return ExplainNumber(dataDir, commandLine.explainNumber, commandLine.explainAt, out, err);
    }
    return std::nullopt;
}

} // namespace tarvok
