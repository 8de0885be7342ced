#include "DialString.h"

#include "PhoneEntry.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace tarvok {
namespace {

Settings ExampleSettings() {
    Settings s;
    s.CountryCode = QStringLiteral("49");
    s.AreaCode = QStringLiteral("89");
    s.InternationalPrefix = QStringLiteral("00");
    s.DialMethod = 0;
    s.HandOverEnabled = 0;
    return s;
}

QString Line(const char* number, int zeroPrefix, const char* name = "Muster, Max") {
    return EntryLine({QString::fromUtf8(name), QString::fromUtf8(number), zeroPrefix});
}

const ProviderLookup kAlways01090 = [](int, int, int) { return QStringLiteral("01090"); };
const ProviderLookup kNoFit = [](int, int, int) { return QString(); };

struct Example {
    const char* what;
    const char* number;
    int zeroPrefix;
    std::function<void(Settings&)> change;
    ProviderLookup lookup;
    int distance;
    const char* dialString;
    const char* display;
};

// The worked examples every implementation has to reproduce byte for byte.
TEST(PrepareDial, WorkedExamples) {
    const auto none = [](Settings&) {};
    const std::vector<Example> examples = {
        {"near", "49 89 1234567", 1, none, kAlways01090, Near, "ATDT010901234567;H0\r", "1234567"},
        {"far with zero", "49 30 7654321", 1, none, kAlways01090, Far, "ATDT01090030 7654321;H0\r",
         "030 7654321"},
        {"far without zero", "49 30 7654321", 0, none, kAlways01090, Far,
         "ATDT0109030 7654321;H0\r", "30 7654321"},
        {"abroad", "33 1 23456789", 1, none, kAlways01090, Abroad, "ATDT010900033 1 23456789;H0\r",
         "+33 1 23456789"},
        {"hand-over", "49 89 1234567", 1,
         [](Settings& s) {
             s.HandOverEnabled = 1;
             s.HandOverNumber = QStringLiteral("22");
         },
         kAlways01090, Near, "ATDT010901234567;DP1T22;H0\r", "1234567"},
        {"hand-over with pulse", "49 89 1234567", 1,
         [](Settings& s) {
             s.HandOverEnabled = 1;
             s.HandOverNumber = QStringLiteral("22");
             s.DialMethod = 1;
         },
         kAlways01090, Near, "ATDP010901234567;H0\r", "1234567"},
        {"outside line and extra commands", "49 30 7654321", 1,
         [](Settings& s) {
             s.OutsideLinePrefix = QStringLiteral("0");
             s.ExtraModemCommands = QStringLiteral("X3");
         },
         kAlways01090, Far, "ATX3DT001090030 7654321;H0\r", "030 7654321"},
        {"no fitting provider row", "49 30 7654321", 1, none, kNoFit, Far, "ATDT030 7654321;H0\r",
         "030 7654321"},
        {"own country 41", "33 1 23456789", 1,
         [](Settings& s) { s.CountryCode = QStringLiteral("41"); }, kAlways01090, Abroad,
         "ATDT0033 1 23456789;H0\r", "+33 1 23456789"},
    };
    for (const Example& e : examples) {
        SCOPED_TRACE(e.what);
        Settings settings = ExampleSettings();
        e.change(settings);
        const DialPlan plan = PrepareDial(Line(e.number, e.zeroPrefix), settings, 3, 10, e.lookup);
        EXPECT_EQ(plan.CompleteDialString, QString::fromUtf8(e.dialString));
        EXPECT_EQ(plan.DisplayNumber, QString::fromUtf8(e.display));
        EXPECT_EQ(plan.DistanceClass, e.distance);
        EXPECT_EQ(plan.Name, QStringLiteral("Muster, Max"));
    }
}

struct EdgeCase {
    const char* what;
    const char* number;
    int zeroPrefix;
    std::function<void(Settings&)> change;
    int distance;
    const char* dialString;
};

TEST(PrepareDial, EdgeCases) {
    const auto none = [](Settings&) {};
    const std::vector<EdgeCase> cases = {
        {"area code compared as a text prefix", "49 891 234", 1, none, Near, "ATDT010901 234;H0\r"},
        {"near call gets no zero even with the flag", "4989 1234567", 1, none, Near,
         "ATDT010901234567;H0\r"},
        {"several blanks after country and area code go", "49   89   12 34", 1, none, Near,
         "ATDT0109012 34;H0\r"},
        {"only blanks are stripped, a dash stays", "49-89 1", 1, none, Far, "ATDT010900-89 1;H0\r"},
        {"empty area code makes every domestic call far", "49 89 1234567", 1,
         [](Settings& s) { s.AreaCode.clear(); }, Far, "ATDT01090089 1234567;H0\r"},
        {"empty country code makes every call abroad", "49 89 1234567", 1,
         [](Settings& s) { s.CountryCode.clear(); }, Abroad, "ATDT0049 89 1234567;H0\r"},
        {"hand-over on with empty number still sends the suffix", "49 89 1", 1,
         [](Settings& s) { s.HandOverEnabled = 1; }, Near, "ATDT010901;DP1T;H0\r"},
        {"any non-zero hand-over flag counts", "49 89 1", 1,
         [](Settings& s) {
             s.HandOverEnabled = -1;
             s.HandOverNumber = QStringLiteral("5");
         },
         Near, "ATDT010901;DP1T5;H0\r"},
        {"any non-zero dial method is pulse", "49 89 1", 1, [](Settings& s) { s.DialMethod = 2; },
         Near, "ATDP010901;H0\r"},
        {"country code 049 is read as 49", "049 89 1", 1,
         [](Settings& s) { s.CountryCode = QStringLiteral("049"); }, Near, "ATDT010901;H0\r"},
        {"a country code that is no number picks no provider", "49x 89 1", 1,
         [](Settings& s) { s.CountryCode = QStringLiteral("49x"); }, Near, "ATDT1;H0\r"},
        {"international prefix as stored", "1 555 1", 1,
         [](Settings& s) { s.InternationalPrefix = QStringLiteral("000"); }, Abroad,
         "ATDT010900001 555 1;H0\r"},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(c.what);
        Settings settings = ExampleSettings();
        c.change(settings);
        const DialPlan plan =
            PrepareDial(Line(c.number, c.zeroPrefix), settings, 3, 10, kAlways01090);
        EXPECT_EQ(plan.CompleteDialString, QString::fromUtf8(c.dialString));
        EXPECT_EQ(plan.DistanceClass, c.distance);
    }
}

TEST(PrepareDial, AsksTheProviderWithClockAndClass) {
    std::vector<std::array<int, 3>> asked;
    const ProviderLookup recorder = [&](int weekday, int hour, int distance) {
        asked.push_back({weekday, hour, distance});
        return QString();
    };
    const Settings settings = ExampleSettings();
    PrepareDial(Line("49 89 1", 1), settings, 7, 23, recorder);
    PrepareDial(Line("49 30 1", 1), settings, 1, 0, recorder);
    PrepareDial(Line("44 20 1", 1), settings, 6, 5, recorder);
    const std::vector<std::array<int, 3>> expected = {{7, 23, Near}, {1, 0, Far}, {6, 5, Abroad}};
    EXPECT_EQ(asked, expected);
}

TEST(PrepareDial, OtherCountryNeverAsksTheProvider) {
    int calls = 0;
    const ProviderLookup counter = [&](int, int, int) {
        ++calls;
        return QStringLiteral("01090");
    };
    Settings settings = ExampleSettings();
    settings.CountryCode = QStringLiteral("41");
    settings.AreaCode = QStringLiteral("1");
    for (const char* number : {"41 1 234", "41 22 234", "49 89 1"})
        PrepareDial(Line(number, 1), settings, 1, 10, counter);
    EXPECT_EQ(calls, 0);
}

TEST(PrepareDial, NameWithUmlautsAndCommaComesThrough) {
    const DialPlan plan =
        PrepareDial(Line("49 89 1", 1, "Müßig, Jürgen \"Jo\""), ExampleSettings(), 1, 10, kNoFit);
    EXPECT_EQ(plan.Name, QString::fromUtf8("Müßig, Jürgen \"Jo\""));
}

} // namespace
} // namespace tarvok
