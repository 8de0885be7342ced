#include "ContactExport.h"

#include "SafeFile.h"

#include <QFileInfo>
#include <QStringList>

namespace tarvok {

namespace {

template <typename Visit> void forEachEntry(const PhoneBook& book, int list, Visit visit) {
    for (int i = 0; i < 4; ++i) {
        if (list != 0 && list != i + 1)
            continue;
        const PhoneList& entries = book.lists[size_t(i)];
        for (int row = 0; row < entries.count(); ++row)
            visit(entries.at(row), book.settings.ListNames[size_t(i)]);
    }
}

QString escapeVCardText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'\\' || c == u',' || c == u';')
            out += u'\\';
        out += c;
    }
    return out;
}

// Lines longer than 75 bytes are folded, never inside a UTF-8 sequence.
QByteArray folded(const QString& line) {
    const QByteArray bytes = line.toUtf8();
    QByteArray out;
    qsizetype width = 0;
    for (const char byte : bytes) {
        const bool continuation = (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
        if (width >= 75 && !continuation) {
            out += "\r\n ";
            width = 1;
        }
        out += byte;
        ++width;
    }
    return out + "\r\n";
}

QString telUri(const QString& number) {
    return QStringLiteral("tel:+") + number.split(u' ', Qt::SkipEmptyParts).join(u'-');
}

QByteArray card(const PhoneEntry& entry, const QString& listName, bool withCategory) {
    // The phone book keeps "Family, Given": split there so that N reads back the same name.
    const qsizetype comma = entry.Name.indexOf(QLatin1String(", "));
    const QString family = comma < 0 ? entry.Name : entry.Name.left(comma);
    const QString given = comma < 0 ? QString() : entry.Name.mid(comma + 2);
    QByteArray out = "BEGIN:VCARD\r\nVERSION:4.0\r\n";
    out += folded(QStringLiteral("FN:") + escapeVCardText(entry.Name));
    out +=
        folded(QStringLiteral("N:%1;%2;;;").arg(escapeVCardText(family), escapeVCardText(given)));
    out += folded(QStringLiteral("TEL;VALUE=uri:") + telUri(entry.Number));
    if (withCategory)
        out += folded(QStringLiteral("CATEGORIES:") + escapeVCardText(listName));
    return out + "END:VCARD\r\n";
}

QString csvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\n') &&
        !text.contains(u'\r'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QLatin1String("\"\""));
    return u'"' + quoted + u'"';
}

} // namespace

QByteArray VCardExportBytes(const PhoneBook& book, int list) {
    QByteArray out;
    forEachEntry(book, list, [&](const PhoneEntry& entry, const QString& listName) {
        out += card(entry, listName, list == 0);
    });
    return out;
}

QByteArray CsvExportBytes(const PhoneBook& book, int list) {
    QString text = QStringLiteral("Name,Telefon,Liste\r\n");
    forEachEntry(book, list, [&](const PhoneEntry& entry, const QString& listName) {
        const QString number = u'+' + entry.Number;
        text += csvField(entry.Name) + u',' + csvField(number) + u',' + csvField(listName) +
                QStringLiteral("\r\n");
    });
    return "\xEF\xBB\xBF" + text.toUtf8();
}

bool ExportContacts(const QString& path, const PhoneBook& book, int list, FileError* error) {
    const QFileInfo info(path);
    const bool csv = info.suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
    const QByteArray bytes = csv ? CsvExportBytes(book, list) : VCardExportBytes(book, list);
    return WriteWhole(info.absolutePath(), info.fileName(), bytes, error);
}

} // namespace tarvok
