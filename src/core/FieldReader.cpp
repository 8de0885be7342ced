#include "FieldReader.h"

#include <algorithm>

namespace tarvok {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c) {
    return c == u'\r' || c == u'\n';
}

QStringView withoutBlanks(QStringView text) {
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

FieldReader::Status ParseWholeNumber(QStringView text, int* value) {
    text = withoutBlanks(text);
    if (text.isEmpty()) {
        *value = 0;
        return FieldReader::Status::Ok;
    }
    qsizetype pos = 0;
    const bool negative = text[0] == u'-';
    if (negative || text[0] == u'+')
        ++pos;
    long long whole = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    bool roundUp = false;
    for (; pos < text.size(); ++pos) {
        const QChar c = text[pos];
        if (c == u'.' && !point) {
            point = true;
        } else if (c >= u'0' && c <= u'9') {
            const int digit = c.unicode() - u'0';
            if (!point)
                whole = std::min(whole * 10 + digit, 1LL << 40);
            else if (decimals++ == 0)
                roundUp = digit >= 5; // the first decimal decides: halves round away from 0
            ++digits;
        } else {
            return FieldReader::Status::NotANumber;
        }
    }
    if (digits == 0)
        return FieldReader::Status::NotANumber;
    const long long rounded = (whole + (roundUp ? 1 : 0)) * (negative ? -1 : 1);
    if (rounded < -32768 || rounded > 32767)
        return FieldReader::Status::OutOfRange;
    *value = int(rounded);
    return FieldReader::Status::Ok;
}

void FieldReader::skipBlankLines() {
    while (!atEnd() && (isBlank(m_text[m_pos]) || isLineEnd(m_text[m_pos]))) {
        if (isLineEnd(m_text[m_pos]))
            skipSeparator();
        else
            ++m_pos;
    }
}

// Consumes one comma or one line end (CR LF, CR or LF) at the current position.
void FieldReader::skipSeparator() {
    if (atEnd())
        return;
    const QChar c = m_text[m_pos++];
    if (c == u'\r' && !atEnd() && m_text[m_pos] == u'\n')
        ++m_pos;
    if (isLineEnd(c))
        ++m_line;
}

bool FieldReader::readRaw(QStringView* value) {
    if (atEnd())
        return false;
    while (!atEnd() && isBlank(m_text[m_pos]))
        ++m_pos;
    const qsizetype size = m_text.size();
    if (!atEnd() && m_text[m_pos] == u'"') {
        const qsizetype start = ++m_pos;
        while (m_pos < size && m_text[m_pos] != u'"' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
        *value = m_text.mid(start, m_pos - start);
        while (m_pos < size && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
    } else {
        const qsizetype start = m_pos;
        while (m_pos < size && m_text[m_pos] != u',' && !isLineEnd(m_text[m_pos]))
            ++m_pos;
        QStringView field = m_text.mid(start, m_pos - start);
        while (!field.isEmpty() && isBlank(field.back()))
            field.chop(1);
        *value = field;
    }
    skipSeparator();
    return true;
}

FieldReader::Status FieldReader::readString(QString* value) {
    QStringView raw;
    if (!readRaw(&raw))
        return Status::Ended;
    *value = raw.toString();
    return Status::Ok;
}

FieldReader::Status FieldReader::readInteger(int* value) {
    QStringView raw;
    if (!readRaw(&raw))
        return Status::Ended;
    return ParseWholeNumber(raw, value);
}

} // namespace tarvok
