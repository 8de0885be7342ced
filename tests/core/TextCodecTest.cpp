#include "TextCodec.h"

#include <QBuffer>

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

// A file read in blocks of whole lines: together the blocks are the whole text, and no block
// ends inside a line or between the CR and LF of one line end, wherever the block size cuts.
TEST(TextCodec, LinesInBlocksAreTheWholeTextCutAtLineEnds) {
    const QByteArray cases[] = {
        "",
        "one line without end",
        "a\r\nb\r\nc\r\n",
        "cr\ronly\rlines\r",
        "lf\nonly\n",
        "mixed\r\n\rlone\n\r\n",
        "a line far longer than any block here\r\nshort\r\n",
        "M\xFCller\r\n\x80uro\r\n\xC4nne",
    };
    for (const QByteArray& bytes : cases) {
        for (const qsizetype block : {1, 2, 3, 5, 64}) {
            QByteArray data = bytes;
            QBuffer buffer(&data);
            ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
            Windows1252Lines lines(buffer, block);
            QString part, joined;
            QStringList parts;
            while (lines.next(&part)) {
                parts << part;
                joined += part;
            }
            const std::string trace =
                bytes.toStdString() + " in blocks of " + std::to_string(block);
            EXPECT_EQ(joined, DecodeWindows1252(bytes)) << trace;
            EXPECT_FALSE(lines.failed());
            for (qsizetype i = 0; i + 1 < parts.size(); ++i) {
                EXPECT_TRUE(parts[i].endsWith(u'\n') || parts[i].endsWith(u'\r')) << trace;
                EXPECT_FALSE(parts[i].endsWith(u'\r') && parts[i + 1].startsWith(u'\n')) << trace;
            }
        }
    }
}

} // namespace
