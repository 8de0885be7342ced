#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

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
        return {help, version, data, desktop, import, exportTo, list};
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

// A parse error of Qt's names the option whose value is missing.
QString MissingValueText(const QString& qtError) {
    const std::pair<const char*, const char*> values[] = {{"data", "der Ordner"},
                                                          {"import", "die Datei"},
                                                          {"export", "die Datei"},
                                                          {"list", "die Nummer der Liste"}};
    for (const auto& [name, what] : values) {
        if (qtError.contains(QStringLiteral("--") + QLatin1String(name)))
            return QStringLiteral("Der Option --%1 fehlt %2.")
                .arg(QLatin1String(name), QString::fromUtf8(what));
    }
    return qtError;
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
                           ? MissingValueText(parser.errorText())
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
    if (result.action == CommandLine::Action::Run) {
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
