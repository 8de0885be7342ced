#include "ContactText.h"

#include "TextCodec.h"

#include <QStringDecoder>

namespace tarvok {

namespace {

// UTF-8 when the bytes are valid UTF-8, windows-1252 otherwise: the two encodings contact
// programs write without saying so.
QString decodeUtf8OrWindows1252(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8.decode(bytes);
    return utf8.hasError() ? DecodeWindows1252(bytes) : text;
}

// Text files have no NUL and hardly any other C0 controls; a few stray ones are tolerated.
bool looksBinary(QStringView text) {
    qsizetype controls = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == 0)
            return true;
        if (u < 0x20 && u != u'\t' && u != u'\n' && u != u'\r' && u != u'\f')
            ++controls;
    }
    return controls > 8 && controls * 100 > text.size();
}

} // namespace

ContactText DecodeContactBytes(const QByteArray& bytes) {
    if (bytes.size() > kMaxContactFileBytes)
        return {ContactFileError::TooLarge, {}};
    QString text;
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE
                                                          : QStringDecoder::Utf16BE);
        text = utf16.decode(bytes.mid(2));
        if (utf16.hasError())
            return {ContactFileError::Binary, {}};
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        text = decodeUtf8OrWindows1252(bytes.mid(3));
    } else {
        text = decodeUtf8OrWindows1252(bytes);
    }
    if (looksBinary(text))
        return {ContactFileError::Binary, {}};
    if (text.trimmed().isEmpty())
        return {ContactFileError::Empty, {}};
    return {ContactFileError::None, text};
}

QString DecodeNamedCharset(const QByteArray& bytes, const QByteArray& charset) {
    const QByteArray name = charset.trimmed().toLower();
    if (name == "utf-8" || name == "utf8")
        return decodeUtf8OrWindows1252(bytes);
    // windows-1252 is a superset of ISO-8859-1 in everything printable.
    if (name == "iso-8859-1" || name == "iso8859-1" || name == "latin1" || name == "windows-1252" ||
        name == "cp1252" || name == "us-ascii" || name == "ascii")
        return DecodeWindows1252(bytes);
    QStringDecoder named(name.constData());
    if (named.isValid()) {
        QString text = named.decode(bytes);
        if (!named.hasError())
            return text;
    }
    return decodeUtf8OrWindows1252(bytes);
}

} // namespace tarvok
