#pragma once

#include "InstanceMessage.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tarvok {

// What the program was asked to do on its command line. Read without any application
// object, so that help, version and usage errors need no display.
struct CommandLine {
    enum class Action { Run, Help, Version, Explain, Error };

    Action action = Action::Run;
    QString dataDir;       // --data DIR, empty when not given
    bool desktop = false;  // --desktop: started from the desktop entry
    QStringList numbers;   // the positional words: a number, a tel: or callto: link
    QString explainNumber; // --explain RUFNUMMER
    QString explainAt;     // --at "JJJJ-MM-TT HH:MM", empty for now
    QString importFile;    // --import DATEI
    QString exportFile;    // --export DATEI
    QString list;          // --list N as given, empty for the list in front
    QString error;         // for Action::Error, German

    // The request this start makes of the folder's instance: import or export a contact
    // file, dial the numbers, or, without any, show yourself.
    InstanceRequest request(const QString& workingDir) const;
};

CommandLine ParseCommandLine(const QStringList& arguments);
// The words of main()'s argv.
QStringList CommandLineArguments(int argc, char** argv);
// For Help, Version and Error: prints the answer and gives the exit code (0, 0, 2).
int AnswerWithoutWindow(const CommandLine& commandLine);
QString CommandLineUsage();
QString CommandLineVersion();

// The folder the data files live in: --data DIR; with --desktop the user's data folder,
// made on first use; else the working directory. Empty, with `error` set, when the folder
// named does not exist or cannot be made.
QString DataFolder(const CommandLine& commandLine, QString& error);

// What every start does first: reads the command line and finds the data folder. Gives the
// exit code when the start ends there (help, version, a usage error, a folder it cannot
// use, each answered on the terminal, and --explain, which is answered in full);
// otherwise nothing, with both filled in.
std::optional<int> BeginStart(int argc, char** argv, CommandLine& commandLine, QString& dataDir);

} // namespace tarvok
