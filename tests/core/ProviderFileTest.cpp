#include "ProviderFile.h"

#include "TestFiles.h"
#include <QStringList>

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tarvok;
using namespace tarvok::test;

namespace {

QStringList names(const ProviderTable& table) {
    QStringList result;
    for (int i = 0; i < table.rowCount(); ++i)
        result << table.row(i)[ColName];
    return result;
}

TEST(ProviderFile, BytesOfTheRows) {
    ProviderTable table;
    table.AddProviderRow({"Zorn, Tarif", "01013", 1, 1, 0, 24, 1, 1, 0});
    table.AddProviderRow({" Öko ", "010", 0, 0, 9, 18, 1, 0, 1});
    EXPECT_EQ(ProviderFileBytes(table), QByteArray("\"\xD6ko\",\"010\",0,0,9,18,1,0,1\r\n"
                                                   "\"Zorn, Tarif\",\"01013\",1,1,0,24,1,1,0\r\n"));
    EXPECT_EQ(ProviderFileBytes(ProviderTable()), QByteArray());
}

TEST(ProviderFile, ReadsRowsIntoSortOrder) {
    ProviderTable table;
    FileError error;
    ASSERT_TRUE(ReadProviderText(u"\"Zorn\",\"1\",1,1,0,24,1,1,0\r\n"
                                 u" \"Abel, Tarif\" , \"2\" , 1 , 0 , 8 , 18 , 0 , 0 , 1 \r\n"
                                 u"\"Mitte\",\"3\"\r\n1,1,0,24,1,1,1\r\n\r\n",
                                 table, &error));
    EXPECT_FALSE(error);
    EXPECT_EQ(names(table), (QStringList{"Abel, Tarif", "Mitte", "Zorn"}));
    EXPECT_EQ(table.record(0), (ProviderRecord{"Abel, Tarif", "2", 1, 0, 8, 18, 0, 0, 1}));
}

struct DamagedCase {
    const char* what;
    QString text;
    int rowsKept;
    int line;
};

TEST(ProviderFile, StopsAtTheFirstRowThatCannotBeRead) {
    const QString good = "\"A\",\"1\",1,1,0,24,1,1,0\r\n\"B\",\"2\",1,1,0,24,1,1,0\r\n";
    const DamagedCase cases[] = {
        {"text for a number",
         good + "\"C\",\"3\",1,1,ab,24,1,1,0\r\n\"D\",\"4\",1,1,0,24,1,1,0\r\n", 2, 3},
        {"file ends inside a row", good + "\"C\",\"3\",1,1", 2, 3},
        {"first row bad", "\"A\",\"1\",x\r\n" + good, 0, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProviderTable table;
        FileError error;
        EXPECT_FALSE(ReadProviderText(c.text, table, &error));
        EXPECT_EQ(error.kind, FileError::Kind::Damaged);
        EXPECT_EQ(error.fileName, "Provider.DAT");
        EXPECT_EQ(error.line, c.line);
        EXPECT_EQ(table.rowCount(), c.rowsKept);
    }
}

TEST(ProviderFile, SaveAndLoadRoundTrip) {
    QTemporaryDir dir;
    ProviderTable table;
    FileError error;
    ASSERT_TRUE(LoadProviderFile(dir.path(), table, &error)); // no file: empty, no error
    EXPECT_EQ(table.rowCount(), 0);

    const QByteArray unsorted = "\"Zorn\",\"1\",1,1,0,24,1,1,0\r\n"
                                "\"M\xFCller, Tel\",\"2\",0,1,9,18,0,1,1\r\n"
                                "\"Abel\",\"3\",1,0,7,19,1,0,0\r\n";
    writeBytes(dir.path(), "Provider.DAT", unsorted);
    ASSERT_TRUE(LoadProviderFile(dir.path(), table, &error));
    EXPECT_EQ(names(table), (QStringList{"Abel", "Müller, Tel", "Zorn"}));
    ASSERT_TRUE(SaveProviderFile(dir.path(), table, &error));
    EXPECT_EQ(readBytes(dir.path(), "Provider.BAK"), unsorted);
    EXPECT_EQ(readBytes(dir.path(), "Provider.DAT"), "\"Abel\",\"3\",1,0,7,19,1,0,0\r\n"
                                                     "\"M\xFCller, Tel\",\"2\",0,1,9,18,0,1,1\r\n"
                                                     "\"Zorn\",\"1\",1,1,0,24,1,1,0\r\n");
    const QByteArray saved = readBytes(dir.path(), "Provider.DAT");
    ASSERT_TRUE(SaveProviderFile(dir.path(), ProviderTable(), &error));
    EXPECT_EQ(readBytes(dir.path(), "Provider.DAT"), QByteArray());
    EXPECT_EQ(readBytes(dir.path(), "Provider.BAK"), saved);
    EXPECT_EQ(filesIn(dir.path()), (QStringList{"Provider.BAK", "Provider.DAT"}));
}

} // namespace
