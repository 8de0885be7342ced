#include "TextCodec.h"

#include <QStringDecoder>

#include <algorithm>
#include <array>

namespace tarvok {

namespace {

// 0x80..0x9F of windows-1252; the five unassigned bytes map to the C1 control with their
// own code, so that every byte survives a round trip.
constexpr std::array<char16_t, 32> kHighControls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString decodeByTable(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? kHighControls[byte - 0x80] : char16_t(byte);
    }
    return text;
}

char encodeOne(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == c)
            return char(0x80 + i);
    }
    return '?';
}

bool hasHighControls(const QByteArray& bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 && byte < 0xA0;
    });
}

} // namespace

QString DecodeWindows1252(const QByteArray& bytes) {
    // Outside 0x80..0x9F windows-1252 is Latin-1, which Qt decodes many times faster than
    // the converter does: a full phone book starts noticeably sooner.
    if (!hasHighControls(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder("windows-1252");
    if (!decoder.isValid())
        return decodeByTable(bytes);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return decodeByTable(bytes);
    return text;
}

QByteArray EncodeWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    const char16_t* in = text.utf16();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = encodeOne(in[i]);
    return bytes;
}

} // namespace tarvok
