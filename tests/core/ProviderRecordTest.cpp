#include "ProviderRecord.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

struct RowCase {
    ProviderRecord record;
    ProviderRow row;
};

TEST(ProviderRecord, ColumnTextsAndBack) {
    const RowCase cases[] = {
        {{"Tele2", "01013", 1, 1, 0, 24, 1, 1, 0}, {"Tele2", "01013", "Immer", "00h", "24h", "NF"}},
        {{"  Arcor ", " 01070 ", 1, 0, 9, 18, 1, 0, 1},
         {"Arcor", "01070", "Mo-Fr", "09h", "18h", "NA"}},
        {{"Nacht", "010", 0, 1, 18, 7, 0, 1, 1}, {"Nacht", "010", "Sa-So", "18h", "07h", "FA"}},
        {{"Nie", "", 0, 0, 0, 0, 0, 0, 0}, {"Nie", "", "", "00h", "00h", ""}},
        {{"Alles", "0", 1, 1, 0, 24, 1, 1, 1}, {"Alles", "0", "Immer", "00h", "24h", "NFA"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record.Name.toStdString());
        EXPECT_EQ(ProviderRowFrom(c.record), c.row);
        ProviderRecord trimmed = c.record;
        trimmed.Name = trimmed.Name.trimmed();
        trimmed.NetworkCode = trimmed.NetworkCode.trimmed();
        EXPECT_EQ(ProviderRecordFrom(c.row), trimmed);
    }
}

TEST(ProviderRecord, QuotesBecomeSingleQuotes) {
    const ProviderRow row = ProviderRowFrom({"Call \"Billig\"", "01\"0", 1, 1, 0, 24, 1, 1, 1});
    EXPECT_EQ(row[ColName], "Call 'Billig'");
    EXPECT_EQ(row[ColNetz], "01'0");
}

TEST(ProviderRecord, HourTexts) {
    EXPECT_EQ(HourText(0), "00h");
    EXPECT_EQ(HourText(9), "09h");
    EXPECT_EQ(HourText(24), "24h");
    EXPECT_EQ(HourRangeText(9, 18), "09h - 18h");
    EXPECT_EQ(HourRangeText(0, 24), "00h - 24h");
    const std::pair<const char*, int> numbers[] = {
        {"08h", 8}, {"24h", 24}, {"h", 0}, {"", 0}, {" 7h", 7}, {"-3h", -3}, {"12.5", 12},
    };
    for (const auto& [text, value] : numbers)
        EXPECT_EQ(LeadingNumber(QString::fromLatin1(text)), value) << text;
}

} // namespace
