#include "RequestRouter.h"

namespace tarvok {

void RequestRouter::addKind(const QString& kind, Handler handler) {
    m_handlers.insert(kind, std::move(handler));
}

InstanceReply RequestRouter::handle(const InstanceRequest& request) const {
    const auto handler = m_handlers.constFind(request.kind);
    if (handler == m_handlers.constEnd())
        return {false, QStringLiteral("Diesen Auftrag kennt das laufende Tarvok-Pro nicht: %1")
                           .arg(QuotedForMessage(request.kind))};
    return (*handler)(request);
}

QString QuotedForMessage(const QString& text) {
    constexpr qsizetype kShown = 60;
    QString shown;
    for (const QChar c : text.left(kShown))
        shown += c.isPrint() ? c : QChar(u'?');
    if (text.size() > kShown)
        shown += u'…';
    return QStringLiteral("„%1“").arg(shown);
}

} // namespace tarvok
