#include "TextCodec.h"

#include <QIODevice>
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

bool hasHighControls(QByteArrayView bytes) {
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 && byte < 0xA0;
    });
}

// Where a block of `bytes` may end: after its last line end, but not between the CR and LF of
// one line end, whose LF may still be unread. 0 where no line ends inside.
qsizetype wholeLinesIn(QByteArrayView bytes) {
    for (qsizetype i = bytes.size() - 1; i >= 0; --i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && i + 1 < bytes.size()))
            return i + 1;
    }
    return 0;
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

Windows1252Lines::Windows1252Lines(QIODevice& device, qsizetype blockBytes)
    : m_device(device)
    , m_blockBytes(blockBytes) {}

bool Windows1252Lines::next(QString* text) {
    // A block's worth, and more while no line ends in it (a line longer than a block).
    qsizetype end = 0;
    while (!m_atEnd) {
        if (m_pending.size() >= m_blockBytes && (end = wholeLinesIn(m_pending)) > 0)
            break;
        readMore();
    }
    if (m_atEnd)
        end = m_pending.size();
    if (end == 0)
        return false;
    const QByteArrayView block(m_pending.constData(), end);
    if (hasHighControls(block)) {
        *text = DecodeWindows1252(block.toByteArray());
    } else {
        text->resize(0); // keeps the buffer for the next block
        text->append(QLatin1String(block.data(), block.size()));
    }
    m_pending.remove(0, end);
    return true;
}

void Windows1252Lines::readMore() {
    const qsizetype had = m_pending.size();
    m_pending.resize(had + m_blockBytes);
    const qint64 got = m_device.read(m_pending.data() + had, m_blockBytes);
    m_pending.resize(had + qsizetype(std::max<qint64>(got, 0)));
    if (got <= 0) {
        m_atEnd = true;
        m_failed = got < 0;
    }
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
