#include "DialableNumber.h"

#include <QString>

#include <gtest/gtest.h>

namespace tarvok {
namespace {

TEST(DialableNumber, FindsWhatMustNotReachTheModem) {
    const struct {
        QString number;
        qsizetype position;
    } cases[] = {
        {"49 89 1234567", -1},
        {"49 89 123,,4567W*31#", -1},
        {"", -1},
        {"49 89 123;ATH1", 9}, // would end the dial and send a second command
        {"49 89 123\r", 9},
        {"49 30 7654321x12", 13},
        {"49 89 123w", 9}, // the modifier is the capital W only
        {"+49 89 123", 0},
        {"49 (0)89 123-4", 3},
        {"49 30 765\u20134321", 9},
        {"49\t89 123", 2},
        {"49 89 \u0661\u0662", 6}, // digits of another script are not dialled
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number.toStdString());
        EXPECT_EQ(FirstUndialableCharacter(c.number), c.position);
    }
}

} // namespace
} // namespace tarvok
