#include "ContactNumber.h"

namespace tarvok {

QString ContactKindSuffix(ContactKind kind) {
    switch (kind) {
    case ContactKind::None:
        return {};
    case ContactKind::Home:
        return QStringLiteral(" (privat)");
    case ContactKind::Work:
        return QStringLiteral(" (geschäftlich)");
    case ContactKind::Mobile:
        return QStringLiteral(" (mobil)");
    case ContactKind::Fax:
        return QStringLiteral(" (Fax)");
    }
    return {};
}

namespace {

// A decoded value can carry line breaks and other controls (quoted-printable "=0D=0A", a
// stray tab); a phone-book line holds none, so each run of them becomes one blank.
QString blankControls(const QString& text) {
    QString out;
    out.reserve(text.size());
    bool inControls = false;
    for (const QChar c : text) {
        const bool control = c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
                             c == QChar::ParagraphSeparator;
        if (control && !inControls)
            out += u' ';
        else if (!control)
            out += c;
        inControls = control;
    }
    return out.trimmed();
}

} // namespace

void AppendContact(std::vector<ContactNumber>& out, const QString& name,
                   const std::vector<std::pair<QString, ContactKind>>& numbers, int line) {
    const QString trimmed = blankControls(name);
    if (numbers.empty()) {
        out.push_back({trimmed, QString(), ContactKind::None, line});
        return;
    }
    const bool several = numbers.size() > 1;
    for (const auto& [number, kind] : numbers) {
        const QString shown = several ? trimmed + ContactKindSuffix(kind) : trimmed;
        out.push_back({shown, blankControls(number), kind, line});
    }
}

} // namespace tarvok
