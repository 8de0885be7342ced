#include "PhoneEntry.h"

namespace tarvok {

namespace {
constexpr int kSeparatorSpaces = 150;
}

const QString& EntrySeparator() {
    static const QString separator = QString(kSeparatorSpaces, u' ') + QChar(1);
    return separator;
}

QString EntryLine(const PhoneEntry& entry) {
    const QString& separator = EntrySeparator();
    QString line;
    line.reserve(entry.Name.size() + separator.size() + entry.Number.size() + 2);
    line += entry.Name;
    line += separator;
    line += entry.Number;
    line += u'~';
    line += QChar(u'0' + entry.ZeroPrefix);
    return line;
}

// A line without a separator is all name: it has no number and no flag.
static qsizetype separatorAt(QStringView line) {
    return line.indexOf(EntrySeparator());
}

QString EntryName(QStringView line) {
    const qsizetype at = separatorAt(line);
    return (at < 0 ? line : line.left(at)).toString();
}

QString EntryTail(QStringView line) {
    const qsizetype at = separatorAt(line);
    if (at < 0)
        return {};
    return line.mid(at + EntrySeparator().size()).toString();
}

QString EntryNumber(QStringView line) {
    const QString tail = EntryTail(line);
    return tail.size() < 2 ? QString() : tail.left(tail.size() - 2);
}

int EntryZeroFlag(QStringView line) {
    const QString tail = EntryTail(line);
    if (tail.isEmpty())
        return 0;
    const QChar last = tail.back();
    return (last >= u'0' && last <= u'9') ? last.unicode() - u'0' : 0;
}

void ReplaceQuotes(QString& text) {
    text.replace(u'"', u'\'');
}

QString QuotesReplaced(QString text) {
    ReplaceQuotes(text);
    return text;
}

} // namespace tarvok
