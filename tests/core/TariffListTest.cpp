#include "TariffList.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

const QString kHead = QStringLiteral("Tarvok Pro Provider Update 2026-12\r\n"
                                     "Name;Netz;MoFr;SaSo;ab;bis;N;F;A;Preis\r\n");

TEST(TariffList, ConversionAndMarker) {
    const QString converted = ConvertTariffText(u"Tarvok Pro Provider Update\n\"Tele 2\";\"010\"");
    EXPECT_EQ(converted, "Tarvok Pro Provider Update\nTele 2,010");
    EXPECT_TRUE(HasTariffMarker(converted));
    EXPECT_FALSE(HasTariffMarker(u" Tarvok Pro Provider Update"));
    EXPECT_FALSE(HasTariffMarker(u"tarvok pro provider update"));
    EXPECT_FALSE(HasTariffMarker(u"<html>Tarvok Pro Provider Update"));
    EXPECT_FALSE(HasTariffMarker(u""));
    EXPECT_EQ(UpdateFileBytes(u"Tarvok\nÖko,010"), QByteArray("Tarvok\n\xD6ko,010\r\n"));
}

TEST(TariffList, ImportsOneProviderPerLine) {
    const TariffImport import = ImportTariffList(ConvertTariffText(
        kHead + "\"Tele 2\";\"01013\";x;;0;24;x;x;;0,9 ct;more\r\n"
                "Arcor;01070;0;0;9;18;;;0\r\n" // exactly nine values
                "Neun;010;;x;18.4;7;0;;\r\n"   // exactly nine, the next line is not lost
                "Zehn;0190;x;x;0;24;x;x;x;1\r\n"
                "\r\n"));
    EXPECT_EQ(import.skipped, 0);
    EXPECT_FALSE(import.truncated);
    EXPECT_EQ(import.failedLine, 0);
    const std::vector<ProviderRecord> expected = {
        {"Tele 2", "01013", 1, 0, 0, 24, 1, 1, 0},
        {"Arcor", "01070", 1, 1, 9, 18, 0, 0, 1},
        {"Neun", "010", 0, 1, 18, 7, 1, 0, 0},
        {"Zehn", "0190", 1, 1, 0, 24, 1, 1, 1},
    };
    EXPECT_EQ(import.rows, expected);
}

struct StopCase {
    const char* what;
    QString lines;
    size_t rows;
    bool truncated;
    int failedLine;
};

TEST(TariffList, AnUnreadableLineEndsTheImport) {
    const QString good = "A,1,x,x,0,24,x,x,x\r\nB,2,x,x,0,24,x,x,x\r\n";
    const StopCase cases[] = {
        {"truncated last line", good + "C,3,x,x,0", 2, true, 5},
        {"text for an hour", good + "C,3,x,x,abends,24,x,x,x\r\nD,4,x,x,0,24,x,x,x\r\n", 2, false,
         5},
        {"short line in the middle", "A,1,x\r\n" + good, 0, true, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const TariffImport import = ImportTariffList(kHead + c.lines);
        EXPECT_EQ(import.rows.size(), c.rows);
        EXPECT_EQ(import.truncated, c.truncated);
        EXPECT_EQ(import.failedLine, c.failedLine);
    }
}

TEST(TariffList, OnlyDialDigitsReachTheModem) {
    for (const char* code : {"", "0", "01013", "012345678901"})
        EXPECT_TRUE(IsDialableNetworkCode(QString::fromLatin1(code))) << code;
    for (const char* code : {"0123456789012", "010;H0", "01 0", "+49", "010\r", "ATZ"})
        EXPECT_FALSE(IsDialableNetworkCode(QString::fromLatin1(code))) << code;

    const TariffImport import = ImportTariffList(kHead + "A,010,x,x,0,24,x,x,x\r\n"
                                                         "B,01X0,x,x,0,24,x,x,x\r\n"
                                                         "C,0123456789012,x,x,0,24,x,x,x\r\n"
                                                         "D, 01050 ,x,x,0,24,x,x,x\r\n"
                                                         "E,,x,x,0,24,x,x,x\r\n");
    EXPECT_EQ(import.skipped, 2);
    ASSERT_EQ(import.rows.size(), 3u);
    EXPECT_EQ(import.rows[1].NetworkCode, "01050");
    EXPECT_EQ(import.rows[2].NetworkCode, "");
}

} // namespace
