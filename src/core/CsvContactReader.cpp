#include "CsvContactReader.h"

#include "CsvRecords.h"

#include <QHash>

#include <optional>

namespace tarvok {

namespace {

enum class Role { Ignore, FullName, Given, Family, Company, Phone, PhoneType };

struct Column {
    Role role = Role::Ignore;
    ContactKind kind = ContactKind::None;
    int typeColumn = -1; // for a phone: the column that names its kind
};

bool containsAny(const QString& text, std::initializer_list<QStringView> words) {
    for (const QStringView word : words) {
        if (text.contains(word))
            return true;
    }
    return false;
}

bool isOneOf(const QString& text, std::initializer_list<QStringView> words) {
    for (const QStringView word : words) {
        if (text == word)
            return true;
    }
    return false;
}

// The kind a header or a type field names ("Business Fax", "Mobiltelefon", "* Mobile").
ContactKind kindNamed(const QString& lower) {
    if (lower.contains(QLatin1String("fax")))
        return ContactKind::Fax;
    if (containsAny(lower, {u"mobil", u"cell", u"handy"}))
        return ContactKind::Mobile;
    if (containsAny(lower,
                    {u"business", u"work", u"geschäft", u"dienst", u"büro", u"firma", u"company"}))
        return ContactKind::Work;
    if (containsAny(lower, {u"home", u"privat"}))
        return ContactKind::Home;
    return ContactKind::None;
}

bool isPhoneHeader(const QString& lower) {
    if (containsAny(lower, {u"type", u"label", u"typ"}))
        return false;
    return containsAny(lower, {u"phone", u"telefon", u"tel.", u"mobil", u"handy", u"fax"}) ||
           lower.startsWith(QLatin1String("tel ")) ||
           isOneOf(lower, {u"tel", u"nummer", u"number", u"rufnummer", u"telefonnummer"});
}

Role roleOf(const QString& lower) {
    if (isOneOf(lower, {u"name", u"display name", u"anzeigename", u"full name",
                        u"vollständiger name", u"kontakt", u"contact"}))
        return Role::FullName;
    if (isOneOf(lower, {u"given name", u"first name", u"vorname"}))
        return Role::Given;
    if (isOneOf(lower, {u"family name", u"last name", u"surname", u"nachname"}))
        return Role::Family;
    if (isOneOf(lower, {u"company", u"firma", u"organization 1 - name", u"organization name",
                        u"organisation", u"unternehmen"}))
        return Role::Company;
    if (isPhoneHeader(lower))
        return Role::Phone;
    if (lower.startsWith(QLatin1String("phone ")) &&
        (lower.endsWith(QLatin1String("- type")) || lower.endsWith(QLatin1String("- label"))))
        return Role::PhoneType;
    return Role::Ignore;
}

// The part before " - ": "Phone 1 - Value" and "Phone 1 - Type" share "phone 1".
QString groupOf(const QString& lower) {
    const qsizetype dash = lower.lastIndexOf(QLatin1String(" - "));
    return dash < 0 ? QString() : lower.left(dash);
}

std::vector<Column> classify(const QStringList& header) {
    QStringList lower;
    for (const QString& name : header)
        lower << name.trimmed().toLower();
    // Type columns by their group, found once: a header of many columns stays linear.
    QHash<QString, int> typeColumns;
    for (qsizetype i = 0; i < lower.size(); ++i) {
        if (roleOf(lower[i]) == Role::PhoneType && !typeColumns.contains(groupOf(lower[i])))
            typeColumns.insert(groupOf(lower[i]), int(i));
    }
    std::vector<Column> columns;
    for (const QString& name : lower) {
        Column column{roleOf(name), ContactKind::None, -1};
        if (column.role == Role::Phone) {
            column.kind = kindNamed(name);
            const QString group = groupOf(name);
            column.typeColumn = group.isEmpty() ? -1 : typeColumns.value(group, -1);
        }
        columns.push_back(column);
    }
    return columns;
}

bool recognised(const std::vector<Column>& columns) {
    bool name = false;
    bool phone = false;
    for (const Column& column : columns) {
        phone |= column.role == Role::Phone;
        name |= column.role == Role::FullName || column.role == Role::Given ||
                column.role == Role::Family || column.role == Role::Company;
    }
    return name && phone;
}

QString fieldOf(const QStringList& fields, const std::vector<Column>& columns, Role role) {
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].role == role && !fields[qsizetype(i)].trimmed().isEmpty())
            return fields[qsizetype(i)].simplified();
    }
    return {};
}

QString nameOf(const QStringList& fields, const std::vector<Column>& columns) {
    const QString family = fieldOf(fields, columns, Role::Family);
    const QString given = fieldOf(fields, columns, Role::Given);
    if (!family.isEmpty() && !given.isEmpty())
        return family + QStringLiteral(", ") + given;
    if (!family.isEmpty() || !given.isEmpty())
        return family + given;
    const QString full = fieldOf(fields, columns, Role::FullName);
    return full.isEmpty() ? fieldOf(fields, columns, Role::Company) : full;
}

// Web-account exports put several numbers of one kind into one field, " ::: " between.
std::vector<std::pair<QString, ContactKind>> numbersOf(const QStringList& fields,
                                                       const std::vector<Column>& columns) {
    std::vector<std::pair<QString, ContactKind>> numbers;
    for (size_t i = 0; i < columns.size(); ++i) {
        const Column& column = columns[i];
        if (column.role != Role::Phone)
            continue;
        const ContactKind kind =
            column.typeColumn >= 0 ? kindNamed(fields[column.typeColumn].toLower()) : column.kind;
        for (const QString& number : fields[qsizetype(i)].split(QLatin1String(":::"))) {
            if (!number.trimmed().isEmpty())
                numbers.emplace_back(number.trimmed(), kind);
        }
    }
    return numbers;
}

} // namespace

ContactFileContent ReadContactCsv(QStringView text) {
    ContactFileContent content;
    // The header and one record per number at the most.
    const CsvRecords csv = SplitCsv(text, DetectCsvSeparator(text), kMaxContactNumbers + 1);
    if (csv.tooMany) {
        content.error = ContactFileError::TooMany;
        return content;
    }
    if (csv.openQuoteLine > 0) {
        content.error = ContactFileError::OpenQuote;
        content.line = csv.openQuoteLine;
        return content;
    }
    if (csv.records.empty()) {
        content.error = ContactFileError::Empty;
        return content;
    }
    const QStringList& header = csv.records.front().fields;
    const std::vector<Column> columns = classify(header);
    if (!recognised(columns)) {
        content.error = ContactFileError::UnknownColumns;
        for (const QString& name : header)
            content.columns << name.trimmed();
        return content;
    }
    for (size_t r = 1; r < csv.records.size(); ++r) {
        const CsvRecords::Record& record = csv.records[r];
        if (record.fields.size() != header.size()) {
            content = {ContactFileError::WrongWidth, record.line, {}, {}};
            return content;
        }
        AppendContact(content.numbers, nameOf(record.fields, columns),
                      numbersOf(record.fields, columns), record.line);
        if (content.numbers.size() > kMaxContactNumbers)
            return {ContactFileError::TooMany, 0, {}, {}};
    }
    return content;
}

} // namespace tarvok
