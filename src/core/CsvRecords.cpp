#include "CsvRecords.h"

#include <array>

namespace tarvok {

namespace {

bool isLineEnd(QChar c) {
    return c == u'\n' || c == u'\r';
}

// Reads one record from `pos`; counts the line breaks it passes in `line`.
class RecordReader {
public:
    RecordReader(QStringView text, QChar separator)
        : m_text(text)
        , m_separator(separator) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; }

    // False for a quote that is never closed.
    bool read(QStringList& fields) {
        QString field;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == u'"' && field.isEmpty() && !m_inField) {
                if (!readQuoted(field))
                    return false;
                m_inField = true;
            } else if (c == m_separator) {
                fields << field;
                field.clear();
                m_inField = false;
                ++m_pos;
            } else if (isLineEnd(c)) {
                skipLineEnd();
                break;
            } else {
                field += c;
                m_inField = true;
                ++m_pos;
            }
        }
        fields << field;
        m_inField = false;
        return true;
    }

private:
    bool readQuoted(QString& field) {
        ++m_pos;
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == u'"') {
                if (m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'"') {
                    field += u'"';
                    m_pos += 2;
                    continue;
                }
                ++m_pos;
                return true;
            }
            if (isLineEnd(c)) {
                skipLineEnd();
                field += u'\n';
                continue;
            }
            field += c;
            ++m_pos;
        }
        return false;
    }

    void skipLineEnd() {
        if (m_text[m_pos] == u'\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == u'\n')
            ++m_pos;
        ++m_pos;
        ++m_line;
    }

    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
    int m_line = 1;
    bool m_inField = false;
};

} // namespace

CsvRecords SplitCsv(QStringView text, QChar separator, size_t maxRecords) {
    CsvRecords result;
    RecordReader reader(text, separator);
    while (!reader.atEnd()) {
        const int line = reader.line();
        QStringList fields;
        if (!reader.read(fields)) {
            result.records.clear();
            result.openQuoteLine = line;
            return result;
        }
        if (fields.size() == 1 && fields.first().trimmed().isEmpty())
            continue;
        if (result.records.size() == maxRecords) {
            result.tooMany = true;
            return result;
        }
        result.records.push_back({line, fields});
    }
    return result;
}

QChar DetectCsvSeparator(QStringView text) {
    constexpr std::array<char16_t, 3> kCandidates{u',', u';', u'\t'};
    std::array<int, 3> counts{};
    bool quoted = false;
    for (const QChar c : text) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && isLineEnd(c))
            break;
        else if (!quoted) {
            for (size_t i = 0; i < kCandidates.size(); ++i)
                counts[i] += c == kCandidates[i] ? 1 : 0;
        }
    }
    size_t best = 0;
    for (size_t i = 1; i < counts.size(); ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    return QChar(kCandidates[best]);
}

} // namespace tarvok
