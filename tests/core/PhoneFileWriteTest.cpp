#include "PhoneFile.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tarvok;

namespace {

TEST(PhoneFileBytes, DefaultsFile) {
    PhoneBook book;
    EXPECT_EQ(PhoneFileBytes(book),
              QByteArray("[BRISEL VERSION 2.2]\r\n"
                         "1,1,0,\"\",0,\"00\",\"49|\",12,\"\",\"\",0\r\n"
                         "\"B\xFCro 1\",\"B\xFCro 2\",\"Privat 1\",\"Privat 2\"\r\n"));
}

TEST(PhoneFileBytes, SettingsEntriesAndQuotes) {
    PhoneBook book;
    Settings& s = book.settings;
    s.ComPort = 2;
    s.DialMethod = 0;
    s.Reserved = -3;
    s.OutsideLinePrefix = "0\"";
    s.InternationalPrefix = "00";
    s.CountryCode = "49";
    s.AreaCode = "89";
    s.ExtraModemCommands = "X3\"";
    s.HandOverNumber = "\"22";
    s.HandOverEnabled = 1;
    s.ListNames[3] = "Privat \"2\"";
    book.lists[0].insert({"Zorn", "49 30 1", 1});
    book.lists[0].insert({"Ärger, \"Ede\"", "49 89 2", 0});
    book.lists[2].insert({"  Wolf ", " 1 ", 1});
    EXPECT_EQ(PhoneFileBytes(book),
              QByteArray("[BRISEL VERSION 2.2]\r\n"
                         "2,0,-3,\"0'\",-3,\"00\",\"49|89\",12,\"X3'\",\"'22\",1\r\n"
                         "\"B\xFCro 1\",\"B\xFCro 2\",\"Privat 1\",\"Privat '2'\"\r\n"
                         "1,\"\xC4rger, 'Ede'\",\"49 89 2\",0\r\n"
                         "1,\"Zorn\",\"49 30 1\",1\r\n"
                         "3,\"Wolf\",\"1\",1\r\n"));
    // The four free-text settings keep the replaced text; names and lines do not change.
    EXPECT_EQ(s.OutsideLinePrefix, "0'");
    EXPECT_EQ(s.HandOverNumber, "'22");
    EXPECT_EQ(s.ListNames[3], "Privat \"2\"");
    EXPECT_EQ(book.lists[0].at(0).Name, "Ärger, \"Ede\"");
}

TEST(PhoneFileBytes, EntrySize) {
    const std::pair<double, const char*> cases[] = {
        {12, "12"},       {8.25, "8.25"}, {10.5, "10.5"},       {9.123456, "9.1235"},
        {12.00001, "12"}, {1e9, "32767"}, {std::nan(""), "12"},
    };
    for (const auto& [size, text] : cases) {
        PhoneBook book;
        book.settings.EntrySize = size;
        const QByteArray bytes = PhoneFileBytes(book);
        EXPECT_TRUE(bytes.contains(QByteArray(",\"49|\",") + text + ",\"\",")) << text;
    }
}

TEST(PhoneFileBytes, ReadBackGivesTheSameBook) {
    PhoneBook book;
    book.settings.AreaCode = "89";
    book.settings.ListNames[0] = "Familie, Freunde";
    for (int i = 0; i < 40; ++i)
        book.lists[size_t(i % 4)].insert({QStringLiteral("Jürgen %1").arg(i), "49 1", i % 2});
    const QByteArray bytes = PhoneFileBytes(book);
    const QString text = QString::fromLatin1(bytes);
    PhoneBook read;
    ASSERT_TRUE(ReadPhoneFile(QStringView(text).mid(22), false, 2, read, nullptr));
    EXPECT_EQ(read.settings, book.settings);
    EXPECT_EQ(PhoneFileBytes(read), bytes);
}

} // namespace
