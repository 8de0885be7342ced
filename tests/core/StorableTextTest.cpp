#include "StorableText.h"

#include <gtest/gtest.h>

using namespace tarvok;
using namespace Qt::StringLiterals;

namespace {

struct StorableCase {
    const char* why;
    QString input;
    QString text;
    QString replaced;
    QString unstorable;
};

TEST(StorableText, ReplacesOrRefusesWhatWindows1252Lacks) {
    const StorableCase cases[] = {
        {"plain and windows-1252 letters stay", u"Müller-Lüdenscheidt, Ægir €5 ?"_s,
         u"Müller-Lüdenscheidt, Ægir €5 ?"_s, u""_s, u""_s},
        {"letters in 0x80..0x9F stay", u"Šœž™"_s, u"Šœž™"_s, u""_s, u""_s},
        {"marked letters become their base", u"Dvořák"_s, u"Dvorák"_s, u"ř"_s, u""_s},
        {"stroke letters become their base", u"Łukasz Łódź"_s, u"Lukasz Lódz"_s, u"Łź"_s, u""_s},
        {"each replaced letter listed once, in order", u"ěřěĐđ"_s, u"ereDd"_s, u"ěřĐđ"_s, u""_s},
        {"base plus mark typed apart is composed", u"Rene\u0301"_s, u"René"_s, u""_s, u""_s},
        {"base plus mark without a storable form", u"Dvor\u030Cak"_s, u"Dvorak"_s, u"ř"_s, u""_s},
        {"scripts without a base letter are refused", u"Иван 李"_s, u"Иван 李"_s, u""_s,
         u"Иван李"_s},
        {"characters outside the BMP are refused whole", u"Tom 😀"_s, u"Tom 😀"_s, u""_s, u"😀"_s},
        {"a lone mark is refused", u"\u0301a"_s, u"\u0301a"_s, u""_s, u"\u0301"_s},
        {"a broken surrogate is refused", QString(QChar(0xD83D)) + u"x"_s,
         QString(QChar(0xD83D)) + u"x"_s, u""_s, QString(QChar(0xD83D))},
        {"mixed: both lists filled", u"Łi 李"_s, u"Li 李"_s, u"Ł"_s, u"李"_s},
        {"empty text", u""_s, u""_s, u""_s, u""_s},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        const StorableText result = MakeStorable(c.input);
        EXPECT_EQ(result.text, c.text);
        EXPECT_EQ(result.replaced, c.replaced);
        EXPECT_EQ(result.unstorable, c.unstorable);
        EXPECT_EQ(result.storable(), c.unstorable.isEmpty());
    }
}

} // namespace
