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
    QList<QCommandLineOption> all() const { return {help, version, data, desktop}; }
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

} // namespace

InstanceRequest CommandLine::request(const QString& workingDir) const {
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
                           ? QStringLiteral("Der Option --data fehlt der Ordner.")
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
