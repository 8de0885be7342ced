// Saves that cannot complete: errors injected into the save's system calls, a disk that
// fills up, a read-only folder or file. Each save must report the failure with the file's
// name and leave the file and the backup byte for byte as they were.
#include "ChildProcess.h"
#include "SaveGenerations.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>

#include <sys/stat.h>
#include <unistd.h>

using namespace tarvok;
using namespace tarvok::test;

namespace {

constexpr int kNobody = 65534;
constexpr qint64 kPage = 4096;

qint64 Pages(qint64 bytes) {
    return (bytes + kPage - 1) / kPage;
}

void Put(const QString& dir, const char* name, const QByteArray& bytes) {
    QFile file(QDir(dir).filePath(QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Runs `command` with `disk` a tmpfs of `size` bytes that starts with the files of
// `source`. The tmpfs vanishes with the namespace, so what is on it afterwards is copied
// to `result`. The command's exit code, or 3 when the files did not fit to begin with.
int OnTinyDisk(qint64 size, const QString& source, const QString& disk, const QString& result,
               const Command& command, const std::string& errorLog) {
    QDir(result).removeRecursively();
    QDir().mkpath(result);
    QDir().mkpath(disk);
    const std::string script = "mount -t tmpfs -o size=$1 tmpfs \"$0\" && cp -a \"$2\"/. \"$0\" "
                               "|| exit 3; shift 3; \"$@\"; rc=$?; cp -a \"$0\"/. \"$RESULT\"; "
                               "exit $rc";
    const Command prefix = {"env",
                            "RESULT=" + result.toStdString(),
                            "unshare",
                            "-Urm",
                            "sh",
                            "-c",
                            script,
                            disk.toStdString(),
                            std::to_string(size),
                            source.toStdString(),
                            "--"};
    return RunCommand(Joined(prefix, command), errorLog);
}

class FailedWriteTest : public ::testing::TestWithParam<DataFile> {
protected:
    void SetUp() override {
        const std::string origin = m_origin.path().toStdString();
        ASSERT_EQ(RunCommand({TARVOK_HARDENING_SAVE_HELPER, mode(), origin, "1"}), 0);
        ASSERT_EQ(RunCommand({TARVOK_HARDENING_SAVE_HELPER, mode(), origin, "2"}), 0);
        m_file = BytesOf(m_origin.path(), file());
        m_backup = BytesOf(m_origin.path(), backup());
    }

    const char* mode() const { return HelperMode(GetParam()); }
    QString file() const { return QLatin1String(FileName(GetParam())); }
    QString backup() const { return QLatin1String(BackupName(GetParam())); }
    QString dir() const { return m_dir.path(); }
    std::string errorLog() const { return m_origin.filePath("stderr").toStdString(); }

    // File generation 2 and backup generation 1 in `folder`, nothing else.
    void Prepare(const QString& folder) const {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        for (const auto& [name, bytes] : {std::pair{file(), m_file}, {backup(), m_backup}}) {
            QFile out(QDir(folder).filePath(name));
            ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
        }
    }
    // Saving generation 3 into `folder`, after `prefix`.
    Command Save(const Command& prefix, const QString& folder) const {
        return Joined(prefix, {TARVOK_HARDENING_SAVE_HELPER, mode(), folder.toStdString(), "3"});
    }
    int RunSave(const Command& prefix) const { return RunCommand(Save(prefix, dir()), errorLog()); }

    bool Unchanged(const QString& folder) const {
        return BytesOf(folder, file()) == m_file && BytesOf(folder, backup()) == m_backup &&
               QDir(folder).entryList(QDir::Files | QDir::Hidden).size() == 2;
    }
    bool Completed(const QString& folder) const {
        return GenerationOf(GetParam(), BytesOf(folder, file())) == 3 &&
               BytesOf(folder, backup()) == m_file;
    }
    // A failure names the file.
    void ExpectReported() const {
        const QByteArray message = BytesOf(m_origin.path(), "stderr");
        EXPECT_TRUE(message.startsWith("save failed: " + file().toLatin1() + ": "))
            << message.data();
    }

    static bool CanUnshare() { return RunCommand({"unshare", "-Urm", "true"}) == 0; }

    QTemporaryDir m_origin;
    QTemporaryDir m_dir;
    QByteArray m_file;
    QByteArray m_backup;
};

// Every open, write, sync, link and rename of the save fails in turn. Only the sync of the
// folder comes after the renames: that failure is reported with the save complete on disk,
// since the old backup it replaced is gone.
TEST_P(FailedWriteTest, InjectedErrorsAtEveryCall) {
    struct Fault {
        const char* call;
        const char* error;
    };
    const Fault faults[] = {
        {"write", "ENOSPC"}, {"write", "EIO"},     {"fsync", "EIO"},
        {"fsync", "ENOSPC"}, {"link", "EMLINK"},   {"link", "EIO"},
        {"rename", "EIO"},   {"rename", "ENOSPC"}, {"openat", "EACCES"},
    };
    int points = 0;
    // Also where the file system has no hard links and the save copies the file instead.
    for (const std::string always : {"", "link:error=EPERM"}) {
        Prepare(dir());
        const std::vector<Call> calls = TraceCalls(Save({}, dir()), m_origin.path(), dir(), always);
        const std::map<std::string, int> counts = CountCalls(calls);
        for (const Fault& fault : faults) {
            const std::string name = fault.call;
            if (!always.empty() && always.starts_with(name + ":"))
                continue;
            ASSERT_TRUE(counts.count(name)) << name;
            // Only the calls on the data folder: the loader's and the sanitizer's are not
            // the save's.
            for (const Call& call : calls) {
                if (call.name != name || !call.inFolder)
                    continue;
                const std::string injection =
                    name + ":error=" + fault.error + ":when=" + std::to_string(call.number);
                SCOPED_TRACE(always + " " + injection);
                Prepare(dir());
                ASSERT_EQ(RunSave(Injecting({always, injection})), 1);
                ExpectReported();
                // The last open and the last sync are those of the folder.
                const bool folderSync =
                    (name == "fsync" || name == "openat") && call.number == counts.at(name);
                EXPECT_TRUE(folderSync ? Completed(dir()) : Unchanged(dir()));
                ++points;
            }
        }
    }
    std::cout << file().toStdString() << ": " << points << " injected errors\n";
}

// A tmpfs of its own, sized to hold the two files and from nothing up to twice the file's
// size more. The save either fails and leaves both files as they were or completes.
TEST_P(FailedWriteTest, FullDisk) {
    if (!CanUnshare())
        GTEST_SKIP() << "the kernel refuses a user and mount namespace (unshare -Urm)";
    const qint64 used = Pages(m_file.size()) + Pages(m_backup.size());
    const QString source = m_origin.filePath("source");
    const QString result = m_origin.filePath("result");
    const QString disk = m_origin.filePath("disk");
    bool failedOnce = false;
    for (qint64 extra = 0; extra <= 2 * Pages(m_file.size()); ++extra) {
        SCOPED_TRACE("free pages: " + std::to_string(extra));
        Prepare(source);
        const int exit =
            OnTinyDisk((used + extra) * kPage, source, disk, result, Save({}, disk), errorLog());
        ASSERT_NE(exit, 3) << "the files did not fit on the disk before the save";
        if (extra == 0) {
            EXPECT_EQ(exit, 1) << "a save onto a full disk succeeded";
        }
        if (extra == 2 * Pages(m_file.size())) {
            EXPECT_EQ(exit, 0) << "a save with room to spare failed";
        }
        if (exit == 1) {
            failedOnce = true;
            ExpectReported();
            EXPECT_TRUE(Unchanged(result));
        } else {
            EXPECT_EQ(exit, 0);
            EXPECT_TRUE(Completed(result));
        }
    }
    EXPECT_TRUE(failedOnce);
}

// Starting from the backup after a damaged phone book, on a disk too full for the new
// file: it fails, and the damaged file and the backup stay as they were.
TEST(RestoreOnFullDiskTest, FailsOrCompletesKeepingTheBackup) {
    if (RunCommand({"unshare", "-Urm", "true"}) != 0)
        GTEST_SKIP() << "the kernel refuses a user and mount namespace (unshare -Urm)";
    QTemporaryDir work;
    const QString origin = work.filePath("origin");
    const QString source = work.filePath("source");
    QDir().mkpath(origin);
    ASSERT_EQ(RunCommand({TARVOK_HARDENING_SAVE_HELPER, "phone", origin.toStdString(), "1"}), 0);
    const QByteArray good = BytesOf(origin, kPhoneFileName);
    const QByteArray damaged = good.left(good.size() / 2);
    const qint64 used = Pages(good.size()) + Pages(damaged.size());
    const std::string errorLog = work.filePath("stderr").toStdString();
    for (qint64 extra = 0; extra <= 2 * Pages(good.size()); ++extra) {
        SCOPED_TRACE("free pages: " + std::to_string(extra));
        QDir(source).removeRecursively();
        QDir().mkpath(source);
        Put(source, kPhoneFileName, damaged);
        Put(source, kPhoneBackupName, good);
        const QString disk = work.filePath("disk");
        const QString result = work.filePath("result");
        const int exit =
            OnTinyDisk((used + extra) * kPage, source, disk, result,
                       {TARVOK_HARDENING_SAVE_HELPER, "restore", disk.toStdString()}, errorLog);
        ASSERT_NE(exit, 3) << "the files did not fit on the disk before the start";
        EXPECT_EQ(BytesOf(result, kPhoneBackupName), good);
        const QStringList files = QDir(result).entryList(QDir::Files | QDir::Hidden);
        if (exit == 1) {
            EXPECT_EQ(BytesOf(result, kPhoneFileName), damaged);
            EXPECT_EQ(files, (QStringList{"Brisel.BAK", "Brisel.DAT"}));
        } else {
            ASSERT_EQ(exit, 0);
            EXPECT_EQ(BytesOf(result, kPhoneFileName), good);
            EXPECT_EQ(BytesOf(result, "Brisel.DAT.damaged"), damaged);
            EXPECT_EQ(files.size(), 3);
        }
        if (extra == 0) {
            EXPECT_EQ(exit, 1);
        }
        if (extra == 2 * Pages(good.size())) {
            EXPECT_EQ(exit, 0);
        }
    }
}

// The folder or a file cannot be written: by a read-only mount, or by the file's mode for
// a user who is not root (root may write anyway).
TEST_P(FailedWriteTest, ReadOnlyFolderAndFiles) {
    if (!CanUnshare())
        GTEST_SKIP() << "the kernel refuses a user and mount namespace (unshare -Urm)";
    const std::string folder = dir().toStdString();
    const std::string filePath = QDir(dir()).filePath(file()).toStdString();
    const std::string backupPath = QDir(dir()).filePath(backup()).toStdString();
    const auto readOnlyMount = [](const std::string& path) -> Command {
        return {"unshare",
                "-Urm",
                "sh",
                "-c",
                "mount --bind \"$0\" \"$0\" && mount -o remount,bind,ro \"$0\" && exec \"$@\"",
                path};
    };
    // Root writes whatever the mode says: the save then runs as nobody.
    const bool root = ::geteuid() == 0;
    const Command nobody = root ? Command{"setpriv", "--reuid=" + std::to_string(kNobody),
                                          "--regid=" + std::to_string(kNobody), "--clear-groups"}
                                : Command{};
    struct Case {
        const char* name;
        Command prefix;
        const char* readOnlyByMode; // made read-only by its mode, for the other user
    };
    const Case cases[] = {
        {"read-only folder", readOnlyMount(folder), nullptr},
        {"read-only file mount", readOnlyMount(filePath), nullptr},
        {"read-only backup mount", readOnlyMount(backupPath), nullptr},
        {"file without write permission", nobody, FileName(GetParam())},
        {"backup without write permission", nobody, BackupName(GetParam())},
    };
    // nobody must be able to reach the helper in the build folder (exit 2: no arguments).
    const bool nobodyRuns =
        !root || RunCommand(Joined(nobody, {TARVOK_HARDENING_SAVE_HELPER})) == 2;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.readOnlyByMode && !nobodyRuns)
            GTEST_SKIP() << "user nobody cannot run the save helper from this build folder";
        Prepare(dir());
        if (c.readOnlyByMode) {
            const QByteArray path = QFile::encodeName(dir());
            ASSERT_TRUE(!root || ::chown(path.constData(), kNobody, kNobody) == 0);
            for (const QString& name : {file(), backup()}) {
                const QByteArray each = QFile::encodeName(QDir(dir()).filePath(name));
                ASSERT_TRUE(!root || ::chown(each.constData(), kNobody, kNobody) == 0);
                ASSERT_EQ(::chmod(each.constData(), name == c.readOnlyByMode ? 0444 : 0644), 0);
            }
        }
        EXPECT_EQ(RunSave(c.prefix), 1);
        ExpectReported();
        EXPECT_TRUE(Unchanged(dir()));
    }
}

INSTANTIATE_TEST_SUITE_P(BothFiles, FailedWriteTest,
                         ::testing::Values(DataFile::Phone, DataFile::Provider),
                         [](const auto& info) { return std::string(HelperMode(info.param)); });

} // namespace
