#include "VCardReader.h"

#include "ContactText.h"

#include <QStringList>

#include <algorithm>

namespace tarvok {

namespace {

struct LogicalLine {
    QString text;
    int line = 0; // where it starts
};

struct Property {
    QString name;      // upper case, group removed
    QStringList types; // lower case TYPE values, bare 2.1 parameters included
    bool quotedPrintable = false;
    QByteArray charset;
    QString value; // raw, still escaped
};

bool isQuotedPrintableLine(QStringView line) {
    const qsizetype colon = line.indexOf(u':');
    return colon > 0 && line.left(colon).contains(u"QUOTED-PRINTABLE", Qt::CaseInsensitive);
}

// Joins folded lines (a leading blank or tab continues the line before) and the soft line
// breaks of QUOTED-PRINTABLE values (a trailing "=").
std::vector<LogicalLine> unfold(QStringView text) {
    std::vector<LogicalLine> lines;
    bool softBreak = false;
    int number = 0;
    qsizetype pos = 0;
    while (pos <= text.size()) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        const QStringView physical = text.mid(pos, end - pos);
        ++number;
        if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() &&
            text[end + 1] == u'\n')
            ++end;
        pos = end + 1;
        if (softBreak) {
            lines.back().text += physical;
        } else if (!lines.empty() && !physical.isEmpty() &&
                   (physical[0] == u' ' || physical[0] == u'\t')) {
            lines.back().text += physical.mid(1);
        } else {
            lines.push_back({physical.toString(), number});
        }
        const QString& current = lines.back().text;
        softBreak = current.endsWith(u'=') && isQuotedPrintableLine(current);
        if (softBreak)
            lines.back().text.chop(1);
    }
    return lines;
}

// Splits at `separator` outside double quotes.
QStringList splitOutsideQuotes(QStringView text, QChar separator) {
    QStringList parts;
    bool quoted = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'"')
            quoted = !quoted;
        else if (text[i] == separator && !quoted) {
            parts << text.mid(start, i - start).toString();
            start = i + 1;
        }
    }
    parts << text.mid(start).toString();
    return parts;
}

void addParameter(Property& property, const QString& parameter) {
    const qsizetype equals = parameter.indexOf(u'=');
    const QString key = (equals < 0 ? QString() : parameter.left(equals)).trimmed().toUpper();
    QString value = (equals < 0 ? parameter : parameter.mid(equals + 1)).trimmed();
    value.remove(u'"');
    if (key == QLatin1String("ENCODING") ||
        (key.isEmpty() &&
         value.compare(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive) == 0)) {
        property.quotedPrintable |=
            value.compare(QLatin1String("QUOTED-PRINTABLE"), Qt::CaseInsensitive) == 0;
    } else if (key == QLatin1String("CHARSET")) {
        property.charset = value.toLatin1();
    } else if (key.isEmpty() || key == QLatin1String("TYPE")) {
        for (const QString& type : value.split(u',', Qt::SkipEmptyParts))
            property.types << type.trimmed().toLower();
    } else if (key == QLatin1String("VALUE") &&
               value.compare(QLatin1String("uri"), Qt::CaseInsensitive) == 0) {
        property.types << QStringLiteral("uri");
    }
}

bool parseProperty(const QString& line, Property& property) {
    bool quoted = false;
    qsizetype colon = -1;
    for (qsizetype i = 0; i < line.size() && colon < 0; ++i) {
        if (line[i] == u'"')
            quoted = !quoted;
        else if (line[i] == u':' && !quoted)
            colon = i;
    }
    if (colon <= 0)
        return false;
    const QStringList head = splitOutsideQuotes(QStringView(line).left(colon), u';');
    QString name = head.first().trimmed().toUpper();
    property.name = name.mid(name.lastIndexOf(u'.') + 1);
    for (qsizetype i = 1; i < head.size(); ++i)
        addParameter(property, head[i]);
    property.value = line.mid(colon + 1);
    return true;
}

QByteArray decodeQuotedPrintable(const QByteArray& in) {
    QByteArray out;
    out.reserve(in.size());
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in[i] == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int byte = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out += char(byte);
                i += 2;
                continue;
            }
        }
        out += in[i];
    }
    return out;
}

QString decodedValue(const Property& property) {
    if (!property.quotedPrintable)
        return property.value;
    const QByteArray charset = property.charset.isEmpty() ? QByteArray("utf-8") : property.charset;
    return DecodeNamedCharset(decodeQuotedPrintable(property.value.toUtf8()), charset);
}

// The text escapes of 3.0 and 4.0 (2.1 only escapes ";", which this covers too).
QString unescape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            out += (next == u'n' || next == u'N') ? QChar(u' ') : next;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Components separated by unescaped ";", each unescaped.
QStringList components(QStringView text) {
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text[i] == u';') {
            parts << unescape(text.mid(start, i - start)).trimmed();
            start = i + 1;
        }
    }
    parts << unescape(text.mid(start)).trimmed();
    return parts;
}

ContactKind kindOf(const QStringList& types) {
    if (types.contains(QLatin1String("fax")))
        return ContactKind::Fax;
    if (types.contains(QLatin1String("cell")) || types.contains(QLatin1String("mobile")))
        return ContactKind::Mobile;
    if (types.contains(QLatin1String("work")))
        return ContactKind::Work;
    if (types.contains(QLatin1String("home")))
        return ContactKind::Home;
    return ContactKind::None;
}

// One card being read.
struct Card {
    int line = 0;
    QString familyFirst; // from N
    QString formatted;   // FN
    QString organisation;
    std::vector<std::pair<QString, ContactKind>> numbers;

    void take(const Property& property) {
        const QString value = decodedValue(property);
        if (property.name == QLatin1String("N")) {
            const QStringList parts = components(value);
            const QString family = parts.value(0);
            const QString given = parts.value(1);
            familyFirst = family.isEmpty() || given.isEmpty()
                              ? family + given
                              : family + QStringLiteral(", ") + given;
        } else if (property.name == QLatin1String("FN")) {
            formatted = unescape(value).trimmed();
        } else if (property.name == QLatin1String("ORG")) {
            organisation = components(value).value(0);
        } else if (property.name == QLatin1String("TEL")) {
            numbers.emplace_back(unescape(value).trimmed(), kindOf(property.types));
        }
    }
    QString name() const {
        if (!familyFirst.isEmpty())
            return familyFirst;
        return formatted.isEmpty() ? organisation : formatted;
    }
};

bool isMarker(const Property& property, const char* name) {
    return property.name == QLatin1String(name) &&
           property.value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
}

} // namespace

bool LooksLikeVCard(QStringView text) {
    return text.trimmed().startsWith(u"BEGIN:VCARD", Qt::CaseInsensitive);
}

ContactFileContent ReadVCard(QStringView text) {
    ContactFileContent content;
    Card card;
    int depth = 0; // nested cards (2.1's AGENT) are read past, not as contacts
    bool anyCard = false;
    for (const LogicalLine& line : unfold(text)) {
        Property property;
        if (!parseProperty(line.text, property))
            continue;
        if (isMarker(property, "BEGIN")) {
            if (depth++ == 0)
                card = Card{line.line, {}, {}, {}, {}};
            anyCard = true;
        } else if (isMarker(property, "END")) {
            if (depth == 1)
                AppendContact(content.numbers, card.name(), card.numbers, card.line);
            depth = std::max(0, depth - 1);
        } else if (depth == 1) {
            card.take(property);
        }
        if (content.numbers.size() + card.numbers.size() > kMaxContactNumbers)
            return {ContactFileError::TooMany, 0, {}, {}};
    }
    if (depth > 0) {
        content.numbers.clear();
        content.error = ContactFileError::MissingEnd;
        content.line = card.line;
    } else if (!anyCard) {
        content.error = ContactFileError::UnknownFormat;
    }
    return content;
}

} // namespace tarvok
