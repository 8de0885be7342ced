// The export as other programs read it, and read back by the import.
#include "ContactExport.h"
#include "ContactFile.h"
#include "ImportPlan.h"
#include "QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvok;
using namespace Qt::StringLiterals;

namespace {

PhoneBook smallBook() {
    PhoneBook book;
    book.lists[0].insert({u"Meier, Hans"_s, u"49 30 1234567"_s, 1});
    book.lists[0].insert({u"Bar \\Zum; Anker, 1a"_s, u"49 40 6543210"_s, 1});
    book.lists[2].insert({u"Öztürk, Änne"_s, u"43 1 5551234"_s, 0});
    return book;
}

TEST(ContactExport, VCardOfOneList) {
    EXPECT_EQ(VCardExportBytes(smallBook(), 1),
              QByteArray("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Bar \\\\Zum\\; Anker\\, 1a\r\n"
                         "N:Bar \\\\Zum\\; Anker;1a;;;\r\nTEL;VALUE=uri:tel:+49-40-6543210\r\n"
                         "END:VCARD\r\n"
                         "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:Meier\\, Hans\r\nN:Meier;Hans;;;\r\n"
                         "TEL;VALUE=uri:tel:+49-30-1234567\r\nEND:VCARD\r\n"));
}

TEST(ContactExport, AllListsCarryTheirListName) {
    const QByteArray all = VCardExportBytes(smallBook(), 0);
    EXPECT_EQ(all.count("BEGIN:VCARD"), 3);
    EXPECT_TRUE(all.contains("CATEGORIES:Privat 1\r\nEND:VCARD"));
    EXPECT_EQ(CsvExportBytes(smallBook(), 0),
              QByteArray("\xEF\xBB\xBFName,Telefon,Liste\r\n"
                         "\"Bar \\Zum; Anker, 1a\",+49 40 6543210,Büro 1\r\n"
                         "\"Meier, Hans\",+49 30 1234567,Büro 1\r\n"
                         "\"Öztürk, Änne\",+43 1 5551234,Privat 1\r\n"));
}

TEST(ContactExport, LongLinesAreFoldedBetweenCharacters) {
    PhoneBook book;
    book.lists[0].insert({QString(40, u'ü'), u"49 30 1"_s, 1});
    const QByteArray bytes = VCardExportBytes(book, 1);
    for (const QByteArray& line : bytes.split('\n'))
        EXPECT_LE(line.size(), 77); // 75 bytes, CR, and the fold's blank
    EXPECT_EQ(ReadContactBytes(bytes).numbers.at(0).name, QString(40, u'ü'));
}

// Exported and imported again into the same list: nothing new.
class RoundTrip : public testing::TestWithParam<const char*> {};

TEST_P(RoundTrip, GivesOnlyPresentRows) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(GetParam()));
    const PhoneBook book = smallBook();
    FileError error;
    ASSERT_TRUE(ExportContacts(path, book, 1, &error)) << error.detail.toStdString();
    const ContactFileContent content = ReadContactFile(path);
    ASSERT_TRUE(content.ok());
    const ImportPlan plan =
        BuildImportPlan(content.numbers, book.lists[0], StandardImportRules(u"49"_s, u"89"_s));
    ASSERT_EQ(plan.rows.size(), 2u);
    for (const ImportRow& row : plan.rows)
        EXPECT_EQ(row.state, ImportState::Present) << row.name.toStdString();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QLatin1String(GetParam())});
}

INSTANTIATE_TEST_SUITE_P(Formats, RoundTrip, testing::Values("kontakte.vcf", "kontakte.csv"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param).substr(9);
                         });

TEST(ContactExport, FailureLeavesTheOldFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(u"fehlt/kontakte.vcf"_s);
    FileError error;
    EXPECT_FALSE(ExportContacts(path, smallBook(), 1, &error));
    EXPECT_EQ(error.kind, FileError::Kind::WriteFailed);
}

} // namespace
