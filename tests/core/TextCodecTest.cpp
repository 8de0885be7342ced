#include "TextCodec.h"

#include <gtest/gtest.h>

using namespace tarvok;

namespace {

TEST(TextCodec, Windows1252BothWays) {
    EXPECT_EQ(DecodeWindows1252("\x80\x8A\x9F\xC4\xE4\xDF"), QStringLiteral("€ŠŸÄäß"));
    EXPECT_EQ(EncodeWindows1252(u"€ŠŸÄäß"), QByteArray("\x80\x8A\x9F\xC4\xE4\xDF"));
    EXPECT_EQ(EncodeWindows1252(u"Łódź"), QByteArray("?\xF3"
                                                     "d?"));
    QByteArray every(256, Qt::Uninitialized);
    for (int i = 0; i < 256; ++i)
        every[i] = char(i);
    EXPECT_EQ(EncodeWindows1252(DecodeWindows1252(every)), every);
}

} // namespace
