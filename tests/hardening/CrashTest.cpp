// A save killed at each of its system calls in turn (strace injects SIGKILL at the N-th
// call of one kind) must leave the file and the backup each holding a whole generation,
// and the next start must read them and clear what the save left behind.
#include "ChildProcess.h"
#include "SafeFile.h"
#include "SaveGenerations.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>
#include <set>

using namespace tarvok;
using namespace tarvok::test;

namespace {

constexpr int kBackupGeneration = 1;
constexpr int kFileGeneration = 2;
constexpr int kNewGeneration = 3;

Command Helper(const std::vector<std::string>& args) {
    return Joined({TARVOK_HARDENING_SAVE_HELPER}, args);
}

QStringList FilesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

void ClearFolder(const QString& dir) {
    for (const QString& name : FilesIn(dir))
        QFile::remove(QDir(dir).filePath(name));
}

void Put(const QString& dir, const char* name, const QByteArray& bytes) {
    QFile file(QDir(dir).filePath(QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// Where file systems have no hard links, the save copies the file instead of linking it.
const std::string kNoHardLinks = "link:error=EPERM";

// What was on disk before the save, and on what kind of file system.
struct Shape {
    const char* name;
    bool file;
    bool backup;
    std::string always; // a fault injected into every run
};
const Shape kShapes[] = {
    {"file and backup", true, true, {}},
    {"file only", true, false, {}},
    {"first save", false, false, {}},
    {"file and backup, no hard links", true, true, kNoHardLinks},
};

class CrashTest : public ::testing::TestWithParam<DataFile> {
protected:
    void SetUp() override {
        const std::string origin = m_origin.path().toStdString();
        const char* mode = HelperMode(GetParam());
        ASSERT_EQ(RunCommand(Helper({mode, origin, std::to_string(kBackupGeneration)})), 0);
        ASSERT_EQ(RunCommand(Helper({mode, origin, std::to_string(kFileGeneration)})), 0);
        m_fileBytes = BytesOf(m_origin.path(), FileName(GetParam()));
        m_backupBytes = BytesOf(m_origin.path(), BackupName(GetParam()));
    }

    void Prepare(const Shape& shape) {
        ClearFolder(dir());
        if (shape.file)
            Put(dir(), FileName(GetParam()), m_fileBytes);
        if (shape.backup)
            Put(dir(), BackupName(GetParam()), m_backupBytes);
    }
    Command Save() const {
        return Helper(
            {HelperMode(GetParam()), dir().toStdString(), std::to_string(kNewGeneration)});
    }
    QString dir() const { return m_dir.path(); }

    // File and backup after a killed save, then what the next start makes of them.
    void CheckAfterKill(const Shape& shape) {
        const int before = shape.file ? kFileGeneration : kMissing;
        const int backupBefore = shape.backup ? kBackupGeneration : kMissing;
        const int file = GenerationOf(GetParam(), BytesOf(dir(), FileName(GetParam())));
        const int backup = GenerationOf(GetParam(), BytesOf(dir(), BackupName(GetParam())));
        // Untouched; the new file in place with the old backup; or the save complete.
        const std::set<std::pair<int, int>> allowed = {
            {before, backupBefore}, {kNewGeneration, backupBefore}, {kNewGeneration, before}};
        EXPECT_TRUE(allowed.count({file, backup}))
            << "file holds " << file << ", backup holds " << backup;
        if (shape.file) {
            EXPECT_NE(file, kMissing);
        }
        CheckNextStart(file);
    }

    void CheckNextStart(int file) {
        if (GetParam() == DataFile::Phone) {
            PhoneBook book;
            const PhoneFileOpening opening = OpenPhoneFile(dir(), book);
            const auto expected = file == kMissing ? PhoneFileOpening::Outcome::Created
                                                   : PhoneFileOpening::Outcome::Read;
            EXPECT_EQ(opening.outcome, expected);
        } else {
            RemoveLeftoverTemporaries(dir()); // the start does this through OpenPhoneFile
            ProviderTable table;
            FileError error;
            EXPECT_TRUE(LoadProviderFile(dir(), table, &error));
            EXPECT_EQ(table.rowCount(), file == kMissing ? 0 : kHelperProviders + 1);
        }
        for (const QString& name : FilesIn(dir()))
            EXPECT_TRUE(name == FileName(GetParam()) || name == BackupName(GetParam()))
                << "left behind: " << name.toStdString();
    }

    QTemporaryDir m_origin;
    QTemporaryDir m_dir;
    QByteArray m_fileBytes;
    QByteArray m_backupBytes;
};

TEST_P(CrashTest, KilledAtEveryCallOfASave) {
    // What the program makes before the save (the loader opening libraries), to tell the
    // save's own calls apart in the figures.
    const std::map<std::string, int> start =
        CountCalls(TraceCalls(Helper({"start-only"}), m_origin.path(), dir()));
    int faultPoints = 0;
    int savePoints = 0;
    for (const Shape& shape : kShapes) {
        SCOPED_TRACE(shape.name);
        Prepare(shape);
        const std::map<std::string, int> counts =
            CountCalls(TraceCalls(Save(), m_origin.path(), dir(), shape.always));
        ASSERT_GT(counts.count("fsync"), 0u) << "the save was not traced";
        for (const auto& [call, count] : counts) {
            if (!shape.always.empty() && shape.always.starts_with(call + ":"))
                continue; // the failing link is the same point as the copy's first call
            // One past the last call: the injection no longer fires and the save completes,
            // which shows that the count was right.
            for (int n = 1; n <= count + 1; ++n) {
                SCOPED_TRACE(call + " #" + std::to_string(n));
                Prepare(shape);
                const std::string kill = call + ":signal=KILL:when=" + std::to_string(n);
                const int exit = RunCommand(Joined(Injecting({shape.always, kill}), Save()));
                ASSERT_EQ(exit, n <= count ? kKilled : 0);
                CheckAfterKill(shape);
            }
            faultPoints += count;
            const int own = count - (start.count(call) ? start.at(call) : 0);
            savePoints += own;
            std::cout << FileName(GetParam()) << ", " << shape.name << ": " << call << " x" << count
                      << " (" << own << " in the save)"
                      << "\n";
        }
    }
    std::cout << FileName(GetParam()) << ": " << faultPoints << " kill points, " << savePoints
              << " of them in the save itself\n";
}

INSTANTIATE_TEST_SUITE_P(BothFiles, CrashTest,
                         ::testing::Values(DataFile::Phone, DataFile::Provider),
                         [](const auto& info) { return std::string(HelperMode(info.param)); });

// Starting from the backup after a damaged phone book file, killed at every call: the
// backup is never touched, and the damaged file is either still in place or kept under
// its second name with the backup's content in its place.
TEST(CrashFromBackupTest, KilledAtEveryCallOfTheRestore) {
    QTemporaryDir origin;
    ASSERT_EQ(RunCommand(Helper({"phone", origin.path().toStdString(), "1"})), 0);
    const QByteArray good = BytesOf(origin.path(), kPhoneFileName);
    const QByteArray damaged = good.left(good.size() / 2);
    QTemporaryDir folder;
    const QString dir = folder.path();
    const auto prepare = [&] {
        ClearFolder(dir);
        Put(dir, kPhoneFileName, damaged);
        Put(dir, kPhoneBackupName, good);
    };
    const Command restore = Helper({"restore", dir.toStdString()});
    prepare();
    const std::map<std::string, int> counts = CountCalls(TraceCalls(restore, origin.path(), dir));
    ASSERT_GT(counts.count("link"), 0u);
    int faultPoints = 0;
    for (const auto& [call, count] : counts) {
        for (int n = 1; n <= count + 1; ++n) {
            SCOPED_TRACE(call + " #" + std::to_string(n));
            prepare();
            const int exit = RunCommand(
                Joined(Injecting({call + ":signal=KILL:when=" + std::to_string(n)}), restore));
            ASSERT_EQ(exit, n <= count ? kKilled : 0);
            EXPECT_EQ(BytesOf(dir, kPhoneBackupName), good);
            const QByteArray file = BytesOf(dir, kPhoneFileName);
            EXPECT_TRUE(file == damaged || file == good);
            if (file == good) {
                EXPECT_EQ(BytesOf(dir, "Brisel.DAT.damaged"), damaged);
            }
            PhoneBook book;
            const PhoneFileOpening opening = OpenPhoneFile(dir, book);
            EXPECT_EQ(opening.outcome, file == good ? PhoneFileOpening::Outcome::Read
                                                    : PhoneFileOpening::Outcome::Damaged);
            EXPECT_FALSE(FilesIn(dir).join(u' ').contains(u"tarvok-tmp"));
        }
        faultPoints += count;
    }
    std::cout << "restore from Brisel.BAK: " << faultPoints << " kill points\n";
}

} // namespace
