#include "PhoneFile.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

const QString kListNames = QStringLiteral("\"Büro 1\",\"Büro 2\",\"Privat 1\",\"Privat 2\"\r\n");

QString settingsLine(const QString& field7, const QString& entrySize = "12") {
    return "1,0,5,\"0\",5,\"00\"," + field7 + "," + entrySize + ",\"X3\",\"22\",1\r\n";
}

// Everything the book holds, as the file would show it.
QByteArray bytesOf(PhoneBook book) {
    return PhoneFileBytes(book);
}

struct CountryCase {
    QString field7;
    QString country;
    QString area; // the book's area code before reading is "30"
};

TEST(ReadPhoneFile, SettingsLineAndField7) {
    const CountryCase cases[] = {
        {"\"49|89\"", "49", "89"}, {"\" 43 | 1 \"", "43", "1"}, {"\"0\"", "49", "30"},
        {"\"|\"", "49", "30"},     {"\"\"", "49", "30"},        {"", "49", "30"},
        {"\"41\"", "41", "30"},    {"\"|89\"", "", "89"},       {"49|", "49", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field7.toStdString());
        PhoneBook book;
        book.settings.AreaCode = "30";
        FileError error;
        ASSERT_TRUE(ReadPhoneFile(settingsLine(c.field7) + kListNames, false, 2, book, &error));
        EXPECT_FALSE(error);
        EXPECT_EQ(book.settings.CountryCode, c.country);
        EXPECT_EQ(book.settings.AreaCode, c.area);
    }
    PhoneBook book;
    ASSERT_TRUE(
        ReadPhoneFile(settingsLine("\"49|\"", "8.25") + kListNames, false, 2, book, nullptr));
    const Settings& s = book.settings;
    EXPECT_EQ(s.ComPort, 1);
    EXPECT_EQ(s.DialMethod, 0);
    EXPECT_EQ(s.Reserved, 5);
    EXPECT_EQ(s.OutsideLinePrefix, "0");
    EXPECT_EQ(s.InternationalPrefix, "00");
    EXPECT_EQ(s.EntrySize, 8);
    EXPECT_EQ(s.ExtraModemCommands, "X3");
    EXPECT_EQ(s.HandOverNumber, "22");
    EXPECT_EQ(s.HandOverEnabled, 1);
    EXPECT_EQ(s.ListNames[1], "Büro 2");
    for (const PhoneList& list : book.lists)
        EXPECT_EQ(list.count(), 0);
}

TEST(ReadPhoneFile, EntriesOfBothVersions) {
    const QString head = settingsLine("\"49|89\"") + kListNames;
    PhoneBook book;
    ASSERT_TRUE(ReadPhoneFile(head + "2,\"Zorn\",\"49 30 1\",3\r\n"
                                     "2,\" Abel \",\" 49 30 2 \",2\r\n"
                                     "4,\"Öz\",\"90 1\",-1\r\n"
                                     "\r\n\r\n",
                              false, 2, book, nullptr));
    EXPECT_EQ(book.lists[0].count(), 0);
    ASSERT_EQ(book.lists[1].count(), 2);
    EXPECT_EQ(book.lists[1].at(0), (PhoneEntry{"Abel", "49 30 2", 0}));
    EXPECT_EQ(book.lists[1].at(1), (PhoneEntry{"Zorn", "49 30 1", 1}));
    EXPECT_EQ(book.lists[3].at(0), (PhoneEntry{"Öz", "90 1", 1}));

    // An end mark with entries after it: the next save would drop them unseen.
    for (const QString& mark : {QStringLiteral("\r\n"), QStringLiteral("0\r\n")}) {
        PhoneBook kept = book;
        FileError error;
        EXPECT_FALSE(ReadPhoneFile(head + "2,\"Zorn\",\"49 30 1\",1\r\n" + mark +
                                       "1,\"after the end\",\"1\",1\r\n",
                                   false, 2, kept, &error));
        EXPECT_EQ(error.kind, FileError::Kind::Damaged);
        EXPECT_EQ(error.line, 5);
        EXPECT_EQ(bytesOf(kept), bytesOf(book));
    }

    PhoneBook old;
    ASSERT_TRUE(ReadPhoneFile(head + "2,\"Meier, Hans\",\"49 89 7\"\r\n", true, 2, old, nullptr));
    ASSERT_EQ(old.lists[1].count(), 1);
    EXPECT_EQ(old.lists[1].at(0), (PhoneEntry{"Meier, Hans", "49 89 7", 1}));
}

TEST(ReadPhoneFile, TrailingEmptyLineChangesNothing) {
    const QString text = settingsLine("\"49|\"") + kListNames + "1,\"A\",\"1\",1\r\n";
    PhoneBook plain;
    PhoneBook withEmptyLine;
    ASSERT_TRUE(ReadPhoneFile(text, false, 2, plain, nullptr));
    ASSERT_TRUE(ReadPhoneFile(text + "\r\n", false, 2, withEmptyLine, nullptr));
    EXPECT_EQ(bytesOf(plain), bytesOf(withEmptyLine));
}

struct DamagedCase {
    const char* what;
    QString text;
    int line;
};

TEST(ReadPhoneFile, DamagedFileNamesTheLineAndLeavesTheBook) {
    const QString head = settingsLine("\"49|\"") + kListNames;
    const DamagedCase cases[] = {
        {"empty", "", 2},
        {"settings cut short", "1,1,0,\"\",0\r\n", 3},
        {"list names cut short", settingsLine("\"49|\"") + "\"A\",\"B\"\r\n", 4},
        {"text for an integer", "1,x,0,\"\",0,\"00\",\"49|\",12,\"\",\"\",0\r\n" + kListNames, 2},
        {"list number 5", head + "1,\"A\",\"1\",1\r\n5,\"B\",\"2\",1\r\n", 5},
        {"list number -1", head + "-1,\"B\",\"2\",1\r\n", 4},
        {"text for the flag", head + "1,\"A\",\"1\",1\r\n1,\"B\",\"2\",ja\r\n", 5},
        {"entry cut short", head + "1,\"A\",\"1\",1\r\n3,\"B\"", 5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PhoneBook book;
        book.settings.ComPort = 3;
        book.lists[0].insert({"Kept", "1", 1});
        const QByteArray before = bytesOf(book);
        FileError error;
        EXPECT_FALSE(ReadPhoneFile(c.text, false, 2, book, &error));
        EXPECT_EQ(error.kind, FileError::Kind::Damaged);
        EXPECT_EQ(error.fileName, "Brisel.DAT");
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(bytesOf(book), before);
    }
}

} // namespace
