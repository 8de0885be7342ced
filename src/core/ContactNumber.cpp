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

void AppendContact(std::vector<ContactNumber>& out, const QString& name,
                   const std::vector<std::pair<QString, ContactKind>>& numbers, int line) {
    const QString trimmed = name.trimmed();
    if (numbers.empty()) {
        out.push_back({trimmed, QString(), ContactKind::None, line});
        return;
    }
    const bool several = numbers.size() > 1;
    for (const auto& [number, kind] : numbers) {
        const QString shown = several ? trimmed + ContactKindSuffix(kind) : trimmed;
        out.push_back({shown, number.trimmed(), kind, line});
    }
}

} // namespace tarvok
