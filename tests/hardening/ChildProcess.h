#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <map>
#include <set>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace tarvok::test {

using Command = std::vector<std::string>;

inline constexpr int kKilled = 128 + 9;

// Runs `command` to its end: its exit code, or 128 + the signal that ended it; -1 when it
// could not be started. Its standard error goes to `errorPath` when one is given.
inline int RunCommand(const Command& command, const std::string& errorPath = "/dev/null") {
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errorPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

inline Command Joined(Command prefix, const Command& command) {
    prefix.insert(prefix.end(), command.begin(), command.end());
    return prefix;
}

// strace injecting faults, e.g. "write:signal=KILL:when=3"; empty ones are left out. The
// leak checker of a sanitizer build cannot run under ptrace.
inline Command Injecting(const std::vector<std::string>& injections,
                         const std::string& output = "/dev/null") {
    Command strace = {"env", "ASAN_OPTIONS=detect_leaks=0", "strace", "-f", "-qq", "-o", output};
    for (const std::string& injection : injections) {
        if (!injection.empty()) {
            strace.push_back("-e");
            strace.push_back("inject=" + injection);
        }
    }
    return strace;
}

// The system calls of one run that create, write, sync, name, check or close a file, in
// order: the call's name, its number among calls of that name (1-based, as strace's
// "when=" counts), and whether it works on something in `folder`.
struct Call {
    std::string name;
    int number = 0;
    bool inFolder = false;
};

// Runs `command` under strace, with `injection` in force; `scratch` holds the trace.
inline std::vector<Call> TraceCalls(const Command& command, const QString& scratch,
                                    const QString& folder, const std::string& injection = {}) {
    const std::string trace = QDir(scratch).filePath(QStringLiteral("calls.trace")).toStdString();
    Command strace = Injecting({injection}, trace);
    strace.push_back("-e");
    strace.push_back("trace=%file,write,fsync,fdatasync,close");
    std::vector<Call> calls;
    if (RunCommand(Joined(strace, command)) < 0)
        return calls;
    static const QStringList kCalls = {
        "write",      "fsync",  "fdatasync",  "link",  "linkat", "rename", "renameat",
        "renameat2",  "unlink", "unlinkat",   "close", "openat", "open",   "faccessat",
        "faccessat2", "access", "newfstatat", "lstat", "stat"};
    static const QRegularExpression kLine(
        QStringLiteral("^\\d+\\s+(\\w+)\\((\\d*)(.*)\\)\\s+=\\s+(-?\\d+)"));
    QFile file(QString::fromStdString(trace));
    if (!file.open(QIODevice::ReadOnly))
        return calls;
    std::map<std::string, int> numbers;
    std::set<int> folderFiles; // descriptors open on something in the folder
    const QString quoted = u'"' + folder;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QRegularExpressionMatch match = kLine.match(QString::fromLatin1(line));
        if (!match.hasMatch() || !kCalls.contains(match.captured(1)))
            continue;
        const std::string name = match.captured(1).toStdString();
        const int fd = match.captured(2).isEmpty() ? -1 : match.captured(2).toInt();
        const int result = match.captured(4).toInt();
        bool inFolder = match.captured(3).contains(quoted) || folderFiles.count(fd) > 0;
        if ((name == "openat" || name == "open") && inFolder && result >= 0)
            folderFiles.insert(result);
        if (name == "close")
            folderFiles.erase(fd);
        calls.push_back({name, ++numbers[name], inFolder});
    }
    file.remove();
    return calls;
}

// How often each call of TraceCalls comes in one run.
inline std::map<std::string, int> CountCalls(const std::vector<Call>& calls) {
    std::map<std::string, int> counts;
    for (const Call& call : calls)
        counts[call.name] = call.number;
    return counts;
}

// The bytes of a file, or a null array when it does not exist.
inline QByteArray BytesOf(const QString& dir, const QString& name) {
    QFile file(QDir(dir).filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray bytes = file.readAll();
    if (bytes.isNull())
        bytes = QByteArray("");
    return bytes;
}

} // namespace tarvok::test
