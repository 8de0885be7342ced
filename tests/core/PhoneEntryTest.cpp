#include "PhoneEntry.h"
#include "GermanOrder.h"

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

QString sep() {
    return EntrySeparator();
}

TEST(EntryLine, SeparatorIs150SpacesAndCode1) {
    ASSERT_EQ(sep().size(), 151);
    EXPECT_EQ(sep().left(150), QString(150, u' '));
    EXPECT_EQ(sep().back().unicode(), 1);
    EXPECT_EQ(EntryLine({"Meier, Hans", "49 89 12345", 0}),
              "Meier, Hans" + sep() + "49 89 12345~0");
}

struct AccessorCase {
    QString line;
    QString name;
    QString tail;
    QString number;
    int flag;
};

TEST(EntryLine, Accessors) {
    const AccessorCase cases[] = {
        {"Meier" + sep() + "49 89 1~1", "Meier", "49 89 1~1", "49 89 1", 1},
        {"Meier" + sep() + "49 89 1~0", "Meier", "49 89 1~0", "49 89 1", 0},
        {"Meier" + sep() + "491~x", "Meier", "491~x", "491", 0},
        // Only the first separator counts; a second one belongs to the number.
        {"A" + sep() + "B" + sep() + "9~1", "A", "B" + sep() + "9~1", "B" + sep() + "9", 1},
        {"" + sep() + "~1", "", "~1", "", 1},
        {"" + sep(), "", "", "", 0},
        {"no separator", "no separator", "", "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line.simplified().toStdString());
        EXPECT_EQ(EntryName(c.line), c.name);
        EXPECT_EQ(EntryTail(c.line), c.tail);
        EXPECT_EQ(EntryNumber(c.line), c.number);
        EXPECT_EQ(EntryZeroFlag(c.line), c.flag);
    }
}

TEST(EntryLine, ReplaceQuotesMakesSingleQuotes) {
    QString name = QStringLiteral("Meier, Hans \"Hansi\"");
    ReplaceQuotes(name);
    EXPECT_EQ(name, "Meier, Hans 'Hansi'");
    EXPECT_EQ(QuotesReplaced("\"\""), "''");
}

struct OrderCase {
    QString a;
    QString b;
    int folded; // sign of GermanFoldedCompare
};

TEST(GermanOrder, FoldsCaseUmlautsAndAccents) {
    const OrderCase cases[] = {
        {"Müller", "MULLER", 0},   {"Straße", "STRASSE", 0}, {"Éclair", "eclair", 0},
        {"Ärger", "Azur", -1},     {"Zander", "Äpfel", 1},   {"Öl", "Ol", 0},
        {"Mueller", "Müller", -1}, {"abc", "ABD", -1},       {"Meier", "Meierhof", -1},
        {"Łódź", "lodz", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.a + " / " + c.b).toStdString());
        const int folded = GermanFoldedCompare(c.a, c.b);
        EXPECT_EQ((folded > 0) - (folded < 0), c.folded);
        EXPECT_EQ(GermanSortKey(c.a) == GermanSortKey(c.b), c.folded == 0);
        // The full comparison is total: equal only for equal texts, and antisymmetric.
        EXPECT_EQ(GermanCompare(c.a, c.b) == 0, c.a == c.b);
        EXPECT_EQ(GermanCompare(c.a, c.b), -GermanCompare(c.b, c.a));
        if (c.folded != 0) {
            EXPECT_EQ(GermanCompare(c.a, c.b), c.folded);
        }
    }
    EXPECT_EQ(GermanSortKey(u"Größe"), "grosse");
}

} // namespace
