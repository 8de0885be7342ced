#include "SafeFile.h"
#include "PhoneFile.h"
#include "SaveHelper.h"
#include "TestFiles.h"
#include "TextCodec.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

using namespace tarvok;
using namespace tarvok::test;

namespace {

// Exit code of the command, or 128 + signal.
int run(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& arg : command)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// One save by the helper; `prefix` runs it under strace or as another user.
int save(const QString& dir, int generation, std::vector<std::string> prefix = {}) {
    prefix.push_back(TARVOK_SAVE_HELPER);
    prefix.push_back(dir.toStdString());
    prefix.push_back(std::to_string(generation));
    return run(prefix);
}

// The leak checker of a sanitizer build cannot run under ptrace.
std::vector<std::string> strace(const char* inject) {
    return {"env", "ASAN_OPTIONS=detect_leaks=0", "strace", "-f", "-qq", "-o", "/dev/null", "-e",
            inject};
}

// The generation a complete phone book file holds, or 0 when it is missing or incomplete.
int generationIn(const QString& dir, const QString& name) {
    const QString text = DecodeWindows1252(readBytes(dir, name));
    const QString versionLine = QStringLiteral("[BRISEL VERSION 2.2]\r\n");
    PhoneBook book;
    if (!text.startsWith(versionLine) ||
        !ReadPhoneFile(QStringView(text).mid(versionLine.size()), false, 2, book, nullptr))
        return 0;
    int entries = 0;
    for (const PhoneList& list : book.lists)
        entries += list.count();
    if (entries != kHelperEntries || !book.settings.ListNames[0].startsWith(u"gen"))
        return 0;
    return book.settings.ListNames[0].mid(3).toInt();
}

class SaveFailureTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(save(dir(), 1), 0);
        ASSERT_EQ(save(dir(), 2), 0);
        ASSERT_EQ(generationIn(dir(), "Brisel.DAT"), 2);
        ASSERT_EQ(generationIn(dir(), "Brisel.BAK"), 1);
        m_file = readBytes(dir(), "Brisel.DAT");
        m_backup = readBytes(dir(), "Brisel.BAK");
    }
    QString dir() const { return m_dir.path(); }
    void expectUnchanged() const {
        EXPECT_EQ(readBytes(dir(), "Brisel.DAT"), m_file);
        EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), m_backup);
        EXPECT_EQ(filesIn(dir()), (QStringList{"Brisel.BAK", "Brisel.DAT"}));
    }

    QTemporaryDir m_dir;
    QByteArray m_file;
    QByteArray m_backup;
};

TEST_F(SaveFailureTest, FailedStepIsReportedAndUndone) {
    const std::pair<const char*, const char*> cases[] = {
        {"disk full", "inject=write:error=ENOSPC:when=1"},
        {"sync of the new file", "inject=fsync:error=EIO:when=1"},
        {"second name for the file", "inject=link:error=EMLINK:when=1"},
        {"new file over the file", "inject=rename:error=EACCES:when=1"},
        {"file over the backup", "inject=rename:error=EIO:when=2"},
    };
    for (const auto& [what, inject] : cases) {
        SCOPED_TRACE(what);
        EXPECT_EQ(save(dir(), 3, strace(inject)), 1);
        expectUnchanged();
    }
    // A folder that cannot be synced leaves the new file in place, but is still a failure.
    EXPECT_EQ(save(dir(), 3, strace("inject=fsync:error=EIO:when=2")), 1);
    EXPECT_EQ(generationIn(dir(), "Brisel.DAT"), 3);
}

TEST_F(SaveFailureTest, FileSystemWithoutHardLinksGetsACopyAsBackup) {
    EXPECT_EQ(save(dir(), 3, strace("inject=link:error=EPERM:when=1")), 0);
    EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), m_file);
    EXPECT_EQ(generationIn(dir(), "Brisel.DAT"), 3);
    EXPECT_EQ(filesIn(dir()), (QStringList{"Brisel.BAK", "Brisel.DAT"}));
}

TEST_F(SaveFailureTest, ReadOnlyFolder) {
    ASSERT_EQ(::chmod(dir().toLocal8Bit().constData(), 0755), 0);
    EXPECT_EQ(save(dir(), 3, {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"}), 1);
    expectUnchanged();
}

TEST_F(SaveFailureTest, FileThatIsAFolder) {
    ASSERT_TRUE(QDir(dir()).remove("Brisel.DAT"));
    ASSERT_TRUE(QDir(dir()).mkdir("Brisel.DAT"));
    PhoneBook book = HelperBook("3");
    FileError error;
    EXPECT_FALSE(SavePhoneFile(dir(), book, &error));
    EXPECT_EQ(error.kind, FileError::Kind::WriteFailed);
    EXPECT_EQ(error.fileName, "Brisel.DAT");
    EXPECT_FALSE(error.detail.isEmpty());
    EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), m_backup);
    EXPECT_EQ(filesIn(dir()), QStringList{"Brisel.BAK"});
}

TEST_F(SaveFailureTest, KilledSaveLeavesACompleteFile) {
    const char* steps[] = {
        "inject=write:signal=KILL:when=1",  "inject=fsync:signal=KILL:when=1",
        "inject=link:signal=KILL:when=1",   "inject=rename:signal=KILL:when=1",
        "inject=rename:signal=KILL:when=2", "inject=fsync:signal=KILL:when=2",
    };
    int generation = 3;
    for (const char* step : steps) {
        SCOPED_TRACE(step);
        const int before = generationIn(dir(), "Brisel.DAT");
        EXPECT_NE(save(dir(), generation, strace(step)), 0);
        const int after = generationIn(dir(), "Brisel.DAT");
        EXPECT_TRUE(after == before || after == generation) << after;
        if (QFile::exists(QDir(dir()).filePath("Brisel.BAK"))) {
            EXPECT_NE(generationIn(dir(), "Brisel.BAK"), 0);
        }
        PhoneBook book;
        EXPECT_EQ(OpenPhoneFile(dir(), book).outcome, PhoneFileOpening::Outcome::Read);
        EXPECT_EQ(filesIn(dir()), (QStringList{"Brisel.BAK", "Brisel.DAT"}));
        ++generation;
    }
}

TEST(SafeFile, WholeFileAndLeftovers) {
    QTemporaryDir dir;
    FileError error;
    ASSERT_TRUE(WriteWhole(dir.path(), "Update.DAT", "one", &error));
    ASSERT_TRUE(WriteWhole(dir.path(), "Update.DAT", "two", &error));
    EXPECT_EQ(readBytes(dir.path(), "Update.DAT"), "two");
    writeBytes(dir.path(), "Brisel.DAT.tarvok-tmp", "half");
    writeBytes(dir.path(), "Provider.BAK.tarvok-tmp", "old");
    writeBytes(dir.path(), "notes.txt", "mine");
    RemoveLeftoverTemporaries(dir.path());
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"Update.DAT", "notes.txt"}));
}

// What a save stopped between two of its steps leaves behind, and what the next start
// makes of it: the file stays, and the backup is the newest complete generation before it.
TEST(SafeFile, InterruptedRotationIsFinishedAtTheNextStart) {
    struct Case {
        const char* name;
        QByteArray file;
        QByteArray newTemp; // empty: none left
        QByteArray oldTemp; // "=link": a second name of the file
        QByteArray backupAfter;
    };
    const Case cases[] = {
        {"between the two renames", "gen3", "", "gen2", "gen2"},
        {"after the link, before the new file got its name", "gen2", "gen3", "=link", "gen1"},
        {"in the middle of copying the old file", "gen2", "gen3", "ge", "gen1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        writeBytes(dir.path(), "Brisel.DAT", c.file);
        writeBytes(dir.path(), "Brisel.BAK", "gen1");
        if (!c.newTemp.isEmpty())
            writeBytes(dir.path(), "Brisel.DAT.tarvok-tmp", c.newTemp);
        if (c.oldTemp == "=link")
            ASSERT_EQ(::link(QFile::encodeName(dir.filePath("Brisel.DAT")).constData(),
                             QFile::encodeName(dir.filePath("Brisel.BAK.tarvok-tmp")).constData()),
                      0);
        else
            writeBytes(dir.path(), "Brisel.BAK.tarvok-tmp", c.oldTemp);

        RemoveLeftoverTemporaries(dir.path());
        EXPECT_EQ(filesIn(dir.path()), (QStringList{"Brisel.BAK", "Brisel.DAT"}));
        EXPECT_EQ(readBytes(dir.path(), "Brisel.DAT"), c.file);
        EXPECT_EQ(readBytes(dir.path(), "Brisel.BAK"), c.backupAfter);
    }
}

} // namespace
