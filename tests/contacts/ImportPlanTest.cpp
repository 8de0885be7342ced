// What the import makes of each number found, against the list it goes into.
#include "ImportPlan.h"
#include "QStringPrinter.h"

#include <gtest/gtest.h>

using namespace tarvok;
using namespace Qt::StringLiterals;

namespace {

ImportRules munich() {
    return StandardImportRules(u"49"_s, u"89"_s);
}

PhoneList listOf(std::initializer_list<PhoneEntry> entries) {
    PhoneList list;
    for (const PhoneEntry& entry : entries)
        list.insert(entry);
    return list;
}

struct PlanCase {
    const char* title;
    QString fileName;
    QString fileNumber;
    QString name; // as stored
    QString number;
    ImportState state;
    SkipReason reason;
};

class PlanRows : public testing::TestWithParam<PlanCase> {};

// Each case after a first row "Meier, Hans" +49 30 1234567, into a list holding
// "Albers, Eva" 49 89 1234567.
TEST_P(PlanRows, GetTheirState) {
    const PlanCase& c = GetParam();
    const PhoneList target = listOf({{u"Albers, Eva"_s, u"49 89 1234567"_s, 1}});
    const std::vector<ContactNumber> numbers{{u"Meier, Hans"_s, u"+49 30 1234567"_s},
                                             {c.fileName, c.fileNumber}};
    const ImportPlan plan = BuildImportPlan(numbers, target, munich());
    ASSERT_EQ(plan.rows.size(), 2u);
    const ImportRow& row = plan.rows[1];
    EXPECT_EQ(row.name, c.name);
    EXPECT_EQ(row.number, c.number);
    EXPECT_EQ(row.state, c.state);
    EXPECT_EQ(row.reason, c.reason);
    EXPECT_EQ(plan.newCount, 1 + (c.state == ImportState::New ? 1 : 0));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PlanRows,
    testing::Values(
        PlanCase{"new_national_number", u"Zander, Udo"_s, u"040 6543210"_s, u"Zander, Udo"_s,
                 u"49 40 6543210"_s, ImportState::New, SkipReason::None},
        PlanCase{"present_with_other_grouping", u"Albers, Eva"_s, u"(089) 123 45 67"_s,
                 u"Albers, Eva"_s, u"49 89 1234567"_s, ImportState::Present, SkipReason::None},
        PlanCase{"same_number_other_name_is_new", u"Albers, E."_s, u"089 1234567"_s,
                 u"Albers, E."_s, u"49 89 1234567"_s, ImportState::New, SkipReason::None},
        PlanCase{"twice_in_the_file", u"Meier, Hans"_s, u"tel:+49-30-1234567"_s, u"Meier, Hans"_s,
                 u"49 30 1234567"_s, ImportState::Skipped, SkipReason::DuplicateInFile},
        PlanCase{"no_number", u"Ohne, Nummer"_s, u""_s, u"Ohne, Nummer"_s, u""_s,
                 ImportState::Skipped, SkipReason::NoNumber},
        PlanCase{"not_a_number", u"Kaputt"_s, u"bitte anrufen"_s, u"Kaputt"_s, u""_s,
                 ImportState::Skipped, SkipReason::BadNumber},
        PlanCase{"no_name", u"  "_s, u"+49 40 6543210"_s, u""_s, u"49 40 6543210"_s,
                 ImportState::Skipped, SkipReason::NoName},
        PlanCase{"quotes_and_blanks_as_the_editor_keeps_them", u" Bar \"Zum Anker\"\t\n"_s,
                 u"+49 40 6543210"_s, u"Bar 'Zum Anker'"_s, u"49 40 6543210"_s, ImportState::New,
                 SkipReason::None},
        PlanCase{"control_characters_cannot_break_the_entry_line", u"Evil\x01Name"_s,
                 u"+49 40 6543210"_s, u"Evil Name"_s, u"49 40 6543210"_s, ImportState::New,
                 SkipReason::None},
        PlanCase{"letter_without_windows_1252_form", u"Dvořák, Antonín"_s, u"+49 40 6543210"_s,
                 u"Dvorák, Antonín"_s, u"49 40 6543210"_s, ImportState::New, SkipReason::None},
        PlanCase{"unstorable_name", u"王小明"_s, u"+49 40 6543210"_s, u"王小明"_s,
                 u"49 40 6543210"_s, ImportState::Skipped, SkipReason::Unstorable}),
    [](const testing::TestParamInfo<PlanCase>& info) { return std::string(info.param.title); });

TEST(ImportPlan, ReplacedLettersAreReported) {
    const ImportPlan plan =
        BuildImportPlan({{u"Dvořák, Antonín"_s, u"+49 40 6543210"_s}}, PhoneList(), munich());
    EXPECT_EQ(plan.rows.at(0).replaced, u"ř"_s);
}

TEST(ImportPlan, StopsAtTheListLimit) {
    PhoneList target;
    for (int i = 0; i < PhoneList::kMaxLines - 1; ++i)
        target.appendUnsorted({u"Name %1"_s.arg(i), u"49 89 %1"_s.arg(100000 + i), 1});
    const ImportPlan plan = BuildImportPlan(
        {{u"A"_s, u"+49 40 6543210"_s}, {u"B"_s, u"+49 40 6543211"_s}}, target, munich());
    EXPECT_EQ(plan.rows.at(0).state, ImportState::New);
    EXPECT_EQ(plan.rows.at(1).reason, SkipReason::ListFull);
    EXPECT_EQ(ApplyImportPlan(plan, target), 1);
    EXPECT_EQ(target.count(), PhoneList::kMaxLines);
}

TEST(ImportPlan, AppliedRowsTakeTheirSortedPlaces) {
    PhoneList target = listOf(
        {{u"Albers, Eva"_s, u"49 89 1234567"_s, 1}, {u"Zander, Udo"_s, u"49 40 6543210"_s, 1}});
    const ImportPlan plan = BuildImportPlan({{u"Weiß, Jürgen"_s, u"0221 445566"_s},
                                             {u"Müller, Karl"_s, u"+43 1 5551234"_s},
                                             {u"Albers, Eva"_s, u"089 1234567"_s}},
                                            target, munich());
    EXPECT_EQ(ApplyImportPlan(plan, target), 2);
    QStringList lines;
    for (int row = 0; row < target.count(); ++row)
        lines << target.at(row).Name + u'|' + target.at(row).Number + u'|' +
                     QString::number(target.at(row).ZeroPrefix);
    EXPECT_EQ(lines,
              (QStringList{u"Albers, Eva|49 89 1234567|1"_s, u"Müller, Karl|43 1 5551234|1"_s,
                           u"Weiß, Jürgen|49 221 445566|1"_s, u"Zander, Udo|49 40 6543210|1"_s}));
}

} // namespace
