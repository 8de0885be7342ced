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

// Most files hold no byte from 0x80 to 0x9F and take a faster way: both ways agree, and one
// euro sign at the very end sends the whole file the other way.
TEST(TextCodec, Latin1FilesAndFilesWithHighControlsDecodeAlike) {
    const QByteArray latin1("M\xFCller, \xC4nne \xA0\xDF\xFF\x01");
    const QString expected = QStringLiteral("Müller, Änne \u00A0ßÿ\u0001");
    EXPECT_EQ(DecodeWindows1252(latin1), expected);
    EXPECT_EQ(DecodeWindows1252(latin1 + "\x80"), expected + QStringLiteral("€"));
}

} // namespace
