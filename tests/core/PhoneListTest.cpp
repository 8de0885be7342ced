#include "PhoneList.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

QStringList names(const PhoneList& list) {
    QStringList result;
    for (int i = 0; i < list.count(); ++i)
        result << list.at(i).Name + "/" + list.at(i).Number;
    return result;
}

TEST(PhoneList, KeepsGermanPhoneBookOrder) {
    PhoneList list;
    for (const char* name : {"Zander", "müller", "Meier", "Äpfel", "Mueller", "Ober", "Öl",
                             "Mädler", "MEIER", "Strauß", "Strasser", "Azur"})
        list.insert({QString::fromUtf8(name), "1", 1});
    const QStringList expected = {"Äpfel/1", "Azur/1",     "Mädler/1", "MEIER/1",
                                  "Meier/1", "Mueller/1",  "müller/1", "Ober/1",
                                  "Öl/1",    "Strasser/1", "Strauß/1", "Zander/1"};
    EXPECT_EQ(names(list), expected);
}

TEST(PhoneList, EqualNamesGoByTheRestOfTheLine) {
    PhoneList list;
    list.insert({"Meier", "49 89 2", 1});
    list.insert({"Meier", "49 30 1", 1});
    list.insert({"meier", "49 40 1", 0});
    list.insert({"Meier", "49 30 1", 0});
    EXPECT_EQ(list.lineAt(0), EntryLine({"Meier", "49 30 1", 0}));
    EXPECT_EQ(list.lineAt(1), EntryLine({"Meier", "49 30 1", 1}));
    EXPECT_EQ(list.lineAt(2), EntryLine({"meier", "49 40 1", 0}));
    EXPECT_EQ(list.lineAt(3), EntryLine({"Meier", "49 89 2", 1}));
    // An entry equal to one already there goes after it.
    EXPECT_EQ(list.insert({"Meier", "49 30 1", 0}), 1);
}

TEST(PhoneList, FullListRefusesAndLosesNothing) {
    PhoneList list;
    for (int i = 0; i < PhoneList::kMaxLines; ++i)
        ASSERT_TRUE(list.appendUnsorted({QString::number(i), "1", 1}));
    list.sortStable();
    ASSERT_TRUE(list.isFull());
    EXPECT_EQ(list.insert({"Neu", "2", 1}), std::nullopt);
    EXPECT_FALSE(list.appendUnsorted({"Neu", "2", 1}));
    EXPECT_EQ(list.count(), PhoneList::kMaxLines);
    list.removeAt(0);
    EXPECT_TRUE(list.insert({"Neu", "2", 1}).has_value());
}

TEST(PhoneList, SortingOnceEqualsInsertingOneByOne) {
    PhoneList inserted;
    PhoneList appended;
    for (int i = 0; i < 500; ++i) {
        const PhoneEntry entry{QStringLiteral("%1ä%2").arg(QChar(u'a' + (i * 7) % 26)).arg(i % 13),
                               QString::number(i % 5), i % 2};
        inserted.insert(entry);
        appended.appendUnsorted(entry);
    }
    appended.sortStable();
    EXPECT_EQ(names(appended), names(inserted));
}

} // namespace
