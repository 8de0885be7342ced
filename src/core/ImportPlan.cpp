#include "ImportPlan.h"

#include <QSet>

namespace tarvok {

namespace {

QString digitsOf(QStringView number) {
    QString digits;
    digits.reserve(number.size());
    for (const QChar c : number) {
        if (c.isDigit())
            digits += c;
    }
    return digits;
}

QString duplicateKey(const QString& name, const QString& number) {
    return name + QChar(u'\x01') + digitsOf(number);
}

// Control characters from a file would break the entry line; runs of blanks go with them.
QString cleanName(const QString& name) {
    QString text = name;
    for (QChar& c : text) {
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            c = u' ';
    }
    return QuotesReplaced(text.simplified());
}

// Latin-1 letters are all in windows-1252: the common name needs no closer look.
bool isLatin1(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return false;
    }
    return true;
}

// Name and number as they would be stored, or the reason why they cannot be.
ImportRow prepare(const ContactNumber& source, const ImportRules& rules) {
    ImportRow row;
    row.fileNumber = source.number;
    row.line = source.line;
    const QString cleaned = cleanName(source.name);
    const StorableText name =
        isLatin1(cleaned) ? StorableText{cleaned, {}, {}} : rules.name(cleaned);
    row.name = name.text;
    row.replaced = name.replaced;
    row.unstorable = name.unstorable;
    if (row.name.isEmpty() && name.storable())
        row.reason = SkipReason::NoName;
    else if (!name.storable())
        row.reason = SkipReason::Unstorable;
    const ExternalNumber number = rules.number(source.number);
    row.numberError = number.error;
    if (number.ok()) {
        row.number = number.Number;
        row.zeroPrefix = number.ZeroPrefix;
    } else if (row.reason == SkipReason::None) {
        row.reason = number.error == ExternalNumberError::Empty || source.number.trimmed().isEmpty()
                         ? SkipReason::NoNumber
                         : SkipReason::BadNumber;
    }
    if (row.reason != SkipReason::None)
        row.state = ImportState::Skipped;
    return row;
}

} // namespace

ImportPlan BuildImportPlan(const std::vector<ContactNumber>& numbers, const PhoneList& target,
                           const ImportRules& rules) {
    QSet<QString> present;
    present.reserve(target.count());
    for (int i = 0; i < target.count(); ++i)
        present.insert(duplicateKey(target.at(i).Name, target.at(i).Number));

    ImportPlan plan;
    plan.rows.reserve(numbers.size());
    QSet<QString> added;
    for (const ContactNumber& source : numbers) {
        ImportRow row = prepare(source, rules);
        if (row.state == ImportState::New) {
            const QString key = duplicateKey(row.name, row.number);
            if (present.contains(key)) {
                row.state = ImportState::Present;
            } else if (added.contains(key)) {
                row.state = ImportState::Skipped;
                row.reason = SkipReason::DuplicateInFile;
            } else if (target.count() + plan.newCount >= PhoneList::kMaxLines) {
                row.state = ImportState::Skipped;
                row.reason = SkipReason::ListFull;
            } else {
                added.insert(key);
                ++plan.newCount;
            }
        }
        plan.rows.push_back(std::move(row));
    }
    return plan;
}

int ApplyImportPlan(const ImportPlan& plan, PhoneList& target) {
    int count = 0;
    for (const ImportRow& row : plan.rows) {
        if (row.state == ImportState::New &&
            target.appendUnsorted({row.name, row.number, row.zeroPrefix}))
            ++count;
    }
    if (count > 0)
        target.sortStable();
    return count;
}

} // namespace tarvok
