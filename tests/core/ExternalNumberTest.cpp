#include "ExternalNumber.h"
#include "EntryNumber.h"

#include <gtest/gtest.h>

#include <ostream>

// Failures show the text, not its UTF-16 bytes.
void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

using namespace tarvok;

namespace {

using E = ExternalNumberError;

struct NumberCase {
    QString text;
    QString number; // expected book form, empty when refused
    int zeroPrefix;
    E error;
};

// Own country 49, own area 711 (Stuttgart) unless a case says otherwise.
void expectNormalised(const NumberCase& c, const QString& country = QStringLiteral("49"),
                      const QString& area = QStringLiteral("711")) {
    SCOPED_TRACE(c.text.toStdString());
    const ExternalNumber result = NormaliseExternalNumber(c.text, country, area);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.Number, c.number);
    if (c.error == E::None) {
        EXPECT_EQ(result.ZeroPrefix, c.zeroPrefix);
        // What the book stores reads back to itself, or the next reading dials elsewhere.
        const ExternalNumber again = NormaliseExternalNumber(u'+' + result.Number, country, area);
        EXPECT_EQ(QString(again.Number).remove(u' '), QString(result.Number).remove(u' '));
        EXPECT_EQ(again.ZeroPrefix, result.ZeroPrefix);
    }
}

TEST(ExternalNumber, ReadsTheWaysPeopleWriteNumbers) {
    const NumberCase cases[] = {
        // DE landline and mobile, international and national, with the (0) people insert
        {"+49 30 1234567", "49 30 1234567", 1, E::None},
        {"+49 (0)711 1234-56", "49 711 123456", 1, E::None},
        {"0049 89 1234567", "49 89 1234567", 1, E::None},
        {"030/1234567", "49 30 1234567", 1, E::None},
        {"0711 123456", "49 711 123456", 1, E::None},
        {"+49 151 23456789", "49 1512 3456789", 1, E::None},
        {"0170 1234567", "49 170 1234567", 1, E::None},
        // other countries: CH, FR, US (no 0 before the area), IT (its 0 stays in the number)
        {"+41 44 668 18 00", "41 44 6681800", 1, E::None},
        {"+33 1 23 45 67 89", "33 1 23456789", 1, E::None},
        {"0033 6 12 34 56 78", "33 6 12345678", 1, E::None},
        {"+1 (650) 253-0000", "1 650 2530000", 0, E::None},
        {"+39 06 1234 5678", "39 06 12345678", 0, E::None},
        // AR: a mobile number's 9 counts to its area, a landline has none
        {"+54 9 11 1234-5678", "54 911 12345678", 1, E::None},
        {"+54 11 1234-5678", "54 11 12345678", 1, E::None},
        // a national prefix written after the country code goes, whatever the prefix is:
        // BY "8" (or "80", "0"), HU "06", RU "8", NANPA "1"
        {"+375 8 017 1234567", "375 17 1234567", 0, E::None},
        {"+375 80 17 1234567", "375 17 1234567", 0, E::None},
        {"+375 0 17 1234567", "375 17 1234567", 0, E::None},
        {"+36 06 1 234 5678", "36 1 2345678", 0, E::None},
        {"+7 8 495 123 45 67", "7 495 1234567", 0, E::None},
        {"+1 1 650 253 0000", "1 650 2530000", 0, E::None},
        // no country, no area: a number in the own area
        {"1234567", "49 711 1234567", 1, E::None},
        {"12 34 56", "49 711 123456", 1, E::None},
    };
    for (const auto& c : cases)
        expectNormalised(c);
}

TEST(ExternalNumber, ReadsLinks) {
    const NumberCase cases[] = {
        {"tel:+49-30-1234567", "49 30 1234567", 1, E::None},
        {"TEL:+49.(30).1234567", "49 30 1234567", 1, E::None},
        {"tel:+49-711-1234;ext=56", "49 711 1234", 1, E::None},
        {"tel:1234567;phone-context=+49-30", "49 30 1234567", 1, E::None},
        {"tel:+33-1-23456789;isub=12;foo=bar", "33 1 23456789", 1, E::None},
        {"tel:+49%2030%201234567", "49 30 1234567", 1, E::None},
        {"callto:+41446681800", "41 44 6681800", 1, E::None},
        {"callto://+41446681800", "41 44 6681800", 1, E::None},
        {"  tel:0301234567  ", "49 30 1234567", 1, E::None},
    };
    for (const auto& c : cases)
        expectNormalised(c);
}

TEST(ExternalNumber, RefusesWhatCannotBeDialled) {
    const NumberCase cases[] = {
        {"", "", 1, E::Empty},
        {" - ( ) ", "", 1, E::Empty},
        {"tel:", "", 1, E::Empty},
        {"030 CALL-NOW", "", 1, E::Letters},
        {"+49 30 1234567 ext. 12", "", 1, E::Letters},
        {"callto:hans.mueller", "", 1, E::Letters},
        {"tel:+49-30-ABCD", "", 1, E::Letters},
        {"030 1234567, 089 7654321", "", 1, E::MoreThanOne},
        {"030 1234567\n089 7654321", "", 1, E::MoreThanOne},
        {"+49 30 1234567 +49 89 7654321", "", 1, E::MoreThanOne},
        {"tel:+49301234567,+49897654321", "", 1, E::MoreThanOne},
        {"tel:+49301234567;tel:+49897654321", "", 1, E::MoreThanOne},
        {"030 1234567;", "", 1, E::NotParseable},
        {"*31#030123", "", 1, E::NotParseable},
        {"++49 30 1234567", "", 1, E::NotParseable},
        {"tel:7042;phone-context=example.com", "", 1, E::NotParseable},
        {"tel:+49-30-1234;ext=12;ext=13", "", 1, E::NotParseable},
        {"tel:+49-30-1234;ext=1 2 ,3", "", 1, E::NotParseable},
        {"tel:+49-30-1234;=12", "", 1, E::NotParseable},
        {"+999 1234567", "", 1, E::NotParseable},
        {QString(300, u'1'), "", 1, E::NotParseable},
        {"+49 1", "", 1, E::NotPossible},
        {"+49 00711 123456", "", 1, E::NotPossible}, // would dial abroad behind the added 0
        // a national prefix twice: one would stay after the country code
        {"0037.500451462464", "", 1, E::NotPossible},
        {"+375 8 8017 1234567", "", 1, E::NotPossible},
        {"+36 0606 1 234 5678", "", 1, E::NotPossible},
        {"+7 88 495 1234567", "", 1, E::NotPossible},
        {"+1 11 650 253 0000", "", 1, E::NotPossible},
        {"+4900567", "", 1, E::NotPossible},
        {"+1 650 253", "", 1, E::NotPossible},
        {"+49 30 1234567890123456789", "", 1, E::NotPossible},
    };
    for (const auto& c : cases)
        expectNormalised(c);
}

TEST(ExternalNumber, OwnCountryDecidesHowNationalNumbersRead) {
    // A Swiss user's 044 is Zurich; a NANPA user's ten digits are a national number, seven
    // digits a local one; without an own area a short number cannot be placed.
    expectNormalised({"044 668 18 00", "41 44 6681800", 1, E::None}, "41", "44");
    expectNormalised({"650 253 0000", "1 650 2530000", 0, E::None}, "1", "212");
    expectNormalised({"555 1234", "1 212 5551234", 0, E::None}, "1", "212");
    expectNormalised({"030 1234567", "", 1, E::NotParseable}, "", "");
    expectNormalised({"+49 30 1234567", "49 30 1234567", 1, E::None}, "", "");
}

TEST(ExternalNumber, RecognisesThePhoneBookForm) {
    const struct {
        QString number;
        bool bookForm;
    } cases[] = {
        {"49 30 1234567", true},
        {"33 1 23 45 67 89", true},
        {"1 650 2530000", true},
        {"49 301234567", false},
        {"4930 1234567", false},
        {"49  30 1234567", false},
        {" 49 30 1234567", false},
        {"49 30 1234567 ", false},
        {"+49 30 1234567", false},
        {"049 30 1234567", false},
        {"999 30 1234567", false},
        {"49 30 123-4567", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        EXPECT_EQ(IsPhoneBookForm(c.number), c.bookForm);
    }
}

// What the entry editor stores; own country 49, own area 711, the box's flag 0.
TEST(ExternalNumber, EntryEditorKeepsTheBookFormAndNormalisesTheRest) {
    const struct {
        QString typed;
        QString previous;
        QString number;
        int zeroPrefix;
        E error;
    } cases[] = {
        {" 49 30 1234567 ", "", "49 30 1234567", 0, E::None},    // as typed, the box's flag
        {"44 20 7946 0000", "", "44 20 7946 0000", 0, E::None},  // even split otherwise
        {"+49 (0)711 1234-56", "", "49 711 123456", 1, E::None}, // the flag of its country
        {"0711 123456", "", "49 711 123456", 1, E::None},
        {"1234567", "", "49 711 1234567", 1, E::None},
        {"45 32123456", "", "45 32 123456", 0, E::None}, // led by a country code
        {"49 301234567", "", "49 30 1234567", 1, E::None},
        {"4989 1234", "4989 1234", "4989 1234", 0, E::None},   // unchanged: kept as stored
        {"089 12345", "4989 1234", "49 89 12345", 1, E::None}, // changed: normalised
        {"0711 CALL", "", "", 1, E::Letters},
        {"0711 1234;5", "", "", 1, E::MoreThanOne},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        const ExternalNumber result = NumberForEntry(c.typed, 0, c.previous, "49", "711");
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(result.Number, c.number);
        if (c.error == E::None) {
            EXPECT_EQ(result.ZeroPrefix, c.zeroPrefix);
        }
    }
}

} // namespace
