#include "PhoneFile.h"
#include "TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvok;
using namespace tarvok::test;
using Outcome = PhoneFileOpening::Outcome;

namespace {

const QByteArray kHead = "1,1,0,\"\",0,\"00\",\"49|89\",12,\"\",\"\",0\r\n"
                         "\"B\xFCro 1\",\"B\xFCro 2\",\"Privat 1\",\"Privat 2\"\r\n";
const QByteArray kGood = "[BRISEL VERSION 2.2]\r\n" + kHead + "1,\"Meier\",\"49 89 1\",0\r\n";
const QByteArray kGoodOther = "[BRISEL VERSION 2.2]\r\n" + kHead + "3,\"Backup\",\"49 1\",1\r\n";
const QByteArray kDamaged = "[BRISEL VERSION 2.2]\r\n" + kHead +
                            "1,\"Meier\",\"49 89 1\",0\r\n"
                            "7,\"Bad\",\"1\",1\r\n";

class PhoneFileOpeningTest : public ::testing::Test {
protected:
    QString dir() const { return m_dir.path(); }
    QTemporaryDir m_dir;
    PhoneBook m_book;
};

TEST_F(PhoneFileOpeningTest, MissingFileIsCreatedWithDefaults) {
    m_book.settings.ComPort = 3;
    m_book.settings.AreaCode = "89";
    m_book.settings.EntrySize = 10;
    const PhoneFileOpening opening = OpenPhoneFile(dir(), m_book);
    EXPECT_EQ(opening.outcome, Outcome::Created);
    EXPECT_FALSE(opening.backupReadable);
    EXPECT_EQ(m_book.settings.ComPort, 1);
    EXPECT_EQ(m_book.settings.AreaCode, "");
    EXPECT_EQ(m_book.settings.EntrySize, 10); // not among the fields a new file resets
    EXPECT_EQ(filesIn(dir()), QStringList{"Brisel.DAT"});
    EXPECT_TRUE(readBytes(dir(), "Brisel.DAT").startsWith("[BRISEL VERSION 2.2]\r\n1,1,0,"));
}

TEST_F(PhoneFileOpeningTest, MissingFileBesideABackupKeepsTheBackup) {
    writeBytes(dir(), "Brisel.BAK", kGood);
    const PhoneFileOpening opening = OpenPhoneFile(dir(), m_book);
    EXPECT_EQ(opening.outcome, Outcome::Created);
    EXPECT_TRUE(opening.backupReadable);
    EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), kGood);
}

TEST_F(PhoneFileOpeningTest, Version22IsReadAndNothingWritten) {
    for (const QByteArray versionLine : {"[BRISEL VERSION 2.2]", "[BRISEL VERSION 2.2]   "}) {
        const QByteArray bytes = versionLine + "\r\n" + kHead + "2,\"A\",\"1\",1\r\n";
        writeBytes(dir(), "Brisel.DAT", bytes);
        PhoneBook book;
        EXPECT_EQ(OpenPhoneFile(dir(), book).outcome, Outcome::Read);
        EXPECT_EQ(book.lists[1].count(), 1);
        EXPECT_EQ(book.settings.AreaCode, "89");
        EXPECT_EQ(filesIn(dir()), QStringList{"Brisel.DAT"});
        EXPECT_EQ(readBytes(dir(), "Brisel.DAT"), bytes);
    }
}

TEST_F(PhoneFileOpeningTest, OtherVersionIsIncompatibleAndUntouched) {
    const QByteArray bytes = "[brisel version 2.2]\r\n" + kHead;
    writeBytes(dir(), "Brisel.DAT", bytes);
    const PhoneFileOpening opening = OpenPhoneFile(dir(), m_book);
    EXPECT_EQ(opening.outcome, Outcome::Incompatible);
    EXPECT_EQ(opening.error.kind, FileError::Kind::Incompatible);
    EXPECT_EQ(filesIn(dir()), QStringList{"Brisel.DAT"});
    EXPECT_EQ(readBytes(dir(), "Brisel.DAT"), bytes);
}

TEST_F(PhoneFileOpeningTest, Version20IsConvertedWithTheOldFileAsBackup) {
    const QByteArray old = "[BRISEL VERSION 2.0]\r\n" + kHead + "2,\"Meier, Hans\",\"49 89 7\"\r\n";
    writeBytes(dir(), "Brisel.DAT", old);
    EXPECT_EQ(OpenPhoneFile(dir(), m_book).outcome, Outcome::Converted);
    EXPECT_EQ(m_book.lists[1].at(0), (PhoneEntry{"Meier, Hans", "49 89 7", 1}));
    EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), old);
    EXPECT_EQ(readBytes(dir(), "Brisel.DAT"),
              "[BRISEL VERSION 2.2]\r\n" + kHead + "2,\"Meier, Hans\",\"49 89 7\",1\r\n");
}

TEST_F(PhoneFileOpeningTest, DamagedFileWritesNothingAndTellsAboutTheBackup) {
    for (const bool withBackup : {false, true}) {
        SCOPED_TRACE(withBackup);
        QTemporaryDir folder;
        writeBytes(folder.path(), "Brisel.DAT", kDamaged);
        if (withBackup)
            writeBytes(folder.path(), "Brisel.BAK", kGoodOther);
        const QStringList before = filesIn(folder.path());
        PhoneBook book;
        const PhoneFileOpening opening = OpenPhoneFile(folder.path(), book);
        EXPECT_EQ(opening.outcome, Outcome::Damaged);
        EXPECT_EQ(opening.error.kind, FileError::Kind::Damaged);
        EXPECT_EQ(opening.error.fileName, "Brisel.DAT");
        EXPECT_EQ(opening.error.line, 5);
        EXPECT_EQ(opening.backupReadable, withBackup);
        EXPECT_EQ(book.lists[0].count(), 0);
        EXPECT_EQ(filesIn(folder.path()), before);
        EXPECT_EQ(readBytes(folder.path(), "Brisel.DAT"), kDamaged);
    }
}

TEST_F(PhoneFileOpeningTest, StartFromBackupKeepsTheDamagedFile) {
    writeBytes(dir(), "Brisel.DAT", kDamaged);
    writeBytes(dir(), "Brisel.BAK", kGoodOther);
    writeBytes(dir(), "Brisel.DAT.damaged", "an earlier one");
    QString keptAs;
    FileError error;
    ASSERT_TRUE(StartFromPhoneBackup(dir(), m_book, &keptAs, &error)) << error.detail.toStdString();
    EXPECT_EQ(keptAs, "Brisel.DAT.damaged-2");
    EXPECT_EQ(readBytes(dir(), keptAs), kDamaged);
    EXPECT_EQ(readBytes(dir(), "Brisel.DAT.damaged"), "an earlier one");
    EXPECT_EQ(readBytes(dir(), "Brisel.DAT"), kGoodOther);
    EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), kGoodOther);
    EXPECT_EQ(m_book.lists[2].at(0).Name, "Backup");
    EXPECT_EQ(OpenPhoneFile(dir(), m_book).outcome, Outcome::Read);
}

TEST_F(PhoneFileOpeningTest, StartFromDamagedBackupChangesNothing) {
    writeBytes(dir(), "Brisel.DAT", kDamaged);
    writeBytes(dir(), "Brisel.BAK", kDamaged);
    m_book.lists[0].insert({"Kept", "1", 1});
    FileError error;
    EXPECT_FALSE(StartFromPhoneBackup(dir(), m_book, nullptr, &error));
    EXPECT_EQ(error.fileName, "Brisel.BAK");
    EXPECT_EQ(filesIn(dir()), (QStringList{"Brisel.BAK", "Brisel.DAT"}));
    EXPECT_EQ(m_book.lists[0].count(), 1);
}

TEST_F(PhoneFileOpeningTest, SavingTwiceKeepsTheFirstAsBackup) {
    FileError error;
    m_book.settings.ListNames[0] = "first";
    ASSERT_TRUE(SavePhoneFile(dir(), m_book, &error));
    const QByteArray first = readBytes(dir(), "Brisel.DAT");
    m_book.settings.ListNames[0] = "second";
    ASSERT_TRUE(SavePhoneFile(dir(), m_book, &error));
    EXPECT_EQ(readBytes(dir(), "Brisel.BAK"), first);
    EXPECT_TRUE(readBytes(dir(), "Brisel.DAT").contains("\"second\""));
    EXPECT_EQ(filesIn(dir()), (QStringList{"Brisel.BAK", "Brisel.DAT"}));
}

// A file of many blocks is read in parts: every entry arrives, in order, and a damaged line
// far into the file is named by its number.
TEST_F(PhoneFileOpeningTest, LargeFileIsReadWholeInParts) {
    QByteArray body;
    for (int i = 0; i < 6000; ++i)
        body += "1,\"Name " + QByteArray::number(100000 + i) + "\",\"49 89 " +
                QByteArray::number(i) + "\",1\r\n";
    writeBytes(dir(), "Brisel.DAT", "[BRISEL VERSION 2.2]\r\n" + kHead + body);
    ASSERT_EQ(OpenPhoneFile(dir(), m_book).outcome, Outcome::Read);
    ASSERT_EQ(m_book.lists[0].count(), 6000);
    EXPECT_EQ(m_book.lists[0].at(0).Name, "Name 100000");
    EXPECT_EQ(m_book.lists[0].at(5999).Number, "49 89 5999");

    writeBytes(dir(), "Brisel.DAT",
               "[BRISEL VERSION 2.2]\r\n" + kHead + body + "9,\"Bad\",\"1\",1\r\n" + body);
    PhoneBook book;
    const PhoneFileOpening damaged = OpenPhoneFile(dir(), book);
    EXPECT_EQ(damaged.outcome, Outcome::Damaged);
    EXPECT_EQ(damaged.error.line, 3 + 6000 + 1);
    EXPECT_EQ(book.lists[0].count(), 0);
}

} // namespace
