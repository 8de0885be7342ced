#include "PhoneFile.h"

#include "FieldReader.h"
#include "SafeFile.h"
#include "TextCodec.h"

#include <algorithm>
#include <cmath>

namespace tarvok {

namespace {

// Reads the fields of a phone book file in order and remembers the first failure.
class PhoneFileParser {
public:
    PhoneFileParser(QStringView text, Windows1252Lines* more, int firstLine)
        : m_reader(text, firstLine)
        , m_more(more) {}

    bool text(QString* value) {
        refill();
        m_fieldLine = m_reader.line();
        return check(m_reader.readString(value));
    }
    bool number(int* value) {
        refill();
        m_fieldLine = m_reader.line();
        return check(m_reader.readInteger(value));
    }
    bool ended() { return !refill(); }
    // Only blank lines left: what a save writes would lose nothing.
    bool onlyBlankLinesLeft() {
        do
            m_reader.skipBlankLines();
        while (m_reader.atEnd() && refill());
        return m_reader.atEnd();
    }

    // Fails on the field read last.
    bool fail(const char* detail) {
        m_failedLine = m_fieldLine;
        m_detail = QString::fromLatin1(detail);
        return false;
    }
    void report(FileError* error) const {
        if (error)
            *error = {FileError::Kind::Damaged, QString::fromLatin1(kPhoneFileName), m_failedLine,
                      m_detail};
    }

private:
    bool check(FieldReader::Status status) {
        switch (status) {
        case FieldReader::Status::Ok:
            return true;
        case FieldReader::Status::Ended:
            fail("file ends early");
            break;
        case FieldReader::Status::NotANumber:
            fail("text where a number belongs");
            break;
        case FieldReader::Status::OutOfRange:
            fail("number out of range");
            break;
        }
        return false;
    }

    // The next part of the file once the reader has taken all of the last; false at its end.
    bool refill() {
        while (m_reader.atEnd() && m_more && m_more->next(&m_part))
            m_reader.continueWith(m_part);
        return !m_reader.atEnd();
    }

    FieldReader m_reader;
    Windows1252Lines* m_more;
    QString m_part;
    int m_fieldLine = 0;
    int m_failedLine = 0;
    QString m_detail;
};

// Field 7 holds the country code, a bar and the area code; a lone country code is allowed.
void takeCountryField(QString field, Settings& settings) {
    field = field.trimmed();
    if (field.isEmpty() || field == u"0" || field == u"|")
        field = QStringLiteral("49");
    const qsizetype bar = field.indexOf(u'|');
    if (bar < 0) {
        settings.CountryCode = field;
        return;
    }
    settings.CountryCode = field.left(bar).trimmed();
    settings.AreaCode = field.mid(bar + 1).trimmed();
}

bool readSettings(PhoneFileParser& in, Settings& s, int* entrySize) {
    QString country;
    const bool ok = in.number(&s.ComPort) && in.number(&s.DialMethod) && in.number(&s.Reserved) &&
                    in.text(&s.OutsideLinePrefix) && in.number(&s.Reserved) &&
                    in.text(&s.InternationalPrefix) && in.text(&country) && in.number(entrySize) &&
                    in.text(&s.ExtraModemCommands) && in.text(&s.HandOverNumber) &&
                    in.number(&s.HandOverEnabled);
    if (ok)
        takeCountryField(country, s);
    return ok;
}

bool readEntries(PhoneFileParser& in, bool version20, PhoneBook& book) {
    while (!in.ended()) {
        int list = 0;
        if (!in.number(&list))
            return false;
        // The end mark (an empty line at the end reads as one). Entries after it would be
        // dropped by the next save without a word, so such a file counts as damaged.
        if (list == 0)
            return in.onlyBlankLinesLeft() || in.fail("entries after the end of the list");
        if (list < 1 || list > 4)
            return in.fail("list number outside 1 to 4");
        PhoneEntry entry;
        int flag = 1;
        if (!in.text(&entry.Name) || !in.text(&entry.Number) || (!version20 && !in.number(&flag)))
            return false;
        entry.Name = std::move(entry.Name).trimmed();
        entry.Number = std::move(entry.Number).trimmed();
        entry.ZeroPrefix = flag & 1;
        if (!book.lists[size_t(list - 1)].appendUnsorted(entry))
            return in.fail("list holds too many entries");
    }
    return true;
}

} // namespace

bool ReadPhoneFile(QStringView text, bool version20, int firstLine, PhoneBook& book,
                   FileError* error) {
    return ReadPhoneFile(text, nullptr, text.size(), version20, firstLine, book, error);
}

bool ReadPhoneFile(QStringView text, Windows1252Lines* more, qint64 sizeHint, bool version20,
                   int firstLine, PhoneBook& book, FileError* error) {
    PhoneFileParser in(text, more, firstLine);
    PhoneBook read;
    read.settings = book.settings; // a field 7 without "|" keeps the area code
    int entrySize = 0;
    bool ok = readSettings(in, read.settings, &entrySize);
    for (size_t i = 0; ok && i < read.lists.size(); ++i)
        ok = in.text(&read.settings.ListNames[i]);
    read.settings.EntrySize = entrySize;
    // Room in each list for as many entries as the text could hold (no entry line is
    // shorter than 12 characters): the lists never move while they fill, and what stays
    // unused is address space only.
    const auto lines = int(std::min<qint64>(sizeHint / 12 + 1, PhoneList::kMaxLines));
    for (PhoneList& list : read.lists)
        list.reserve(lines);
    if (ok)
        ok = readEntries(in, version20, read);
    // A file that could not be read to its end: what came of it is not all.
    if (more && more->failed()) {
        if (error)
            *error = {FileError::Kind::CannotOpen, QString::fromLatin1(kPhoneFileName), 0,
                      QStringLiteral("read error")};
        return false;
    }
    if (!ok) {
        in.report(error);
        return false;
    }
    for (PhoneList& list : read.lists)
        list.sortStable();
    book = std::move(read);
    if (error)
        *error = {};
    return true;
}

namespace {

QString quoted(const QString& text) {
    return u'"' + text + u'"';
}

// Whole sizes like an integer, others with at most four decimals and no trailing zeros.
// Kept within what the reader takes back, so that a save never makes an unreadable file.
QString entrySizeText(double size) {
    size = std::isfinite(size) ? std::clamp(size, -32768.0, 32767.0) : Settings().EntrySize;
    QString text = QString::number(size, 'f', 4);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    return text == u"-0" ? QStringLiteral("0") : text;
}

// The flag digit the entry line carries, read back as EntryZeroFlag does.
int zeroFlag(const PhoneEntry& entry) {
    return (entry.ZeroPrefix >= 0 && entry.ZeroPrefix <= 9) ? entry.ZeroPrefix : 0;
}

} // namespace

QByteArray PhoneFileBytes(PhoneBook& book) {
    Settings& s = book.settings;
    ReplaceQuotes(s.OutsideLinePrefix);
    ReplaceQuotes(s.InternationalPrefix);
    ReplaceQuotes(s.ExtraModemCommands);
    ReplaceQuotes(s.HandOverNumber);

    int entries = 0;
    for (const PhoneList& list : book.lists)
        entries += list.count();
    QString out;
    out.reserve(256 + qsizetype(entries) * 48);
    const auto reserved = QString::number(s.Reserved);
    out += QStringLiteral("[BRISEL VERSION 2.2]\r\n");
    out += QString::number(s.ComPort) + u',' + QString::number(s.DialMethod) + u',' + reserved +
           u',' + quoted(s.OutsideLinePrefix) + u',' + reserved + u',' +
           quoted(s.InternationalPrefix) + u',' +
           quoted(QuotesReplaced(s.CountryCode + u'|' + s.AreaCode)) + u',' +
           entrySizeText(s.EntrySize) + u',' + quoted(s.ExtraModemCommands) + u',' +
           quoted(s.HandOverNumber) + u',' + QString::number(s.HandOverEnabled) +
           QStringLiteral("\r\n");
    for (size_t i = 0; i < s.ListNames.size(); ++i)
        out += (i ? QStringLiteral(",") : QString()) + quoted(QuotesReplaced(s.ListNames[i]));
    out += QStringLiteral("\r\n");

    for (int list = 0; list < int(book.lists.size()); ++list) {
        const PhoneList& lines = book.lists[size_t(list)];
        const QChar listDigit(u'1' + list);
        for (int row = 0; row < lines.count(); ++row) {
            const PhoneEntry& entry = lines.at(row);
            out += listDigit;
            out += QStringLiteral(",\"");
            out += QuotesReplaced(entry.Name.trimmed());
            out += QStringLiteral("\",\"");
            out += QuotesReplaced(entry.Number.trimmed());
            out += QStringLiteral("\",");
            out += QChar(u'0' + zeroFlag(entry));
            out += QStringLiteral("\r\n");
        }
    }
    return EncodeWindows1252(out);
}

bool SavePhoneFile(const QString& dir, PhoneBook& book, FileError* error) {
    return WriteWithBackup(dir, QString::fromLatin1(kPhoneFileName),
                           QString::fromLatin1(kPhoneBackupName), PhoneFileBytes(book), error);
}

} // namespace tarvok
