#pragma once

#include <QString>
#include <QStringView>

namespace tarvok {

// Reads the comma-separated fields of the data files as one stream: line ends separate
// fields like commas; spaces before a field are skipped; a field in double quotes is the
// text up to the closing quote (or the line end), and whatever follows it up to the next
// comma or line end is skipped; an unquoted field runs to the next comma or line end
// without its trailing spaces.
class FieldReader {
public:
    enum class Status {
        Ok,
        Ended,      // the text ended before the field
        NotANumber, // text where a whole number belongs
        OutOfRange, // a number beyond 16 bits
    };

    FieldReader(QStringView text, int firstLine)
        : m_text(text)
        , m_line(firstLine) {}

    // The next part of the same stream, read in parts; a part begins at the start of a line,
    // so that no field runs over from one part into the next.
    void continueWith(QStringView text) {
        m_text = text;
        m_pos = 0;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    int line() const { return m_line; } // 1-based line of the next field
    void skipBlankLines();              // spaces and line ends, to see whether anything is left

    Status readString(QString* value);
    // An empty field is 0; decimals are rounded to the nearest whole number, halves away
    // from zero (8.25 gives 8, 8.5 gives 9, -2.5 gives -3).
    Status readInteger(int* value);

private:
    bool readRaw(QStringView* value);
    void skipSeparator();

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
};

// The whole number a field spells (see readInteger), for texts split elsewhere.
FieldReader::Status ParseWholeNumber(QStringView text, int* value);

} // namespace tarvok
