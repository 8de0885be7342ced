#include "InstanceMessage.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace tarvok {

namespace {

const QString kVersionKey = QStringLiteral("tarvok");

QByteArray Line(QJsonObject object) {
    object.insert(kVersionKey, kInstanceProtocol);
    return QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
}

// The object of a line of this protocol version, or nothing.
std::optional<QJsonObject> ObjectOf(QByteArrayView line) {
    if (line.size() > kMaxInstanceMessage)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(line.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    QJsonObject object = document.object();
    const QJsonValue version = object.value(kVersionKey);
    if (!version.isDouble() || version.toDouble() != kInstanceProtocol)
        return std::nullopt;
    return object;
}

} // namespace

QByteArray EncodeInstanceRequest(const InstanceRequest& request) {
    return Line({{QStringLiteral("kind"), request.kind},
                 {QStringLiteral("args"), QJsonArray::fromStringList(request.args)},
                 {QStringLiteral("dir"), request.workingDir}});
}

QByteArray EncodeInstanceReply(const InstanceReply& reply) {
    QJsonObject object{{QStringLiteral("ok"), reply.accepted}};
    if (!reply.reason.isEmpty())
        object.insert(QStringLiteral("reason"), reply.reason);
    return Line(object);
}

std::optional<InstanceRequest> DecodeInstanceRequest(QByteArrayView line) {
    const std::optional<QJsonObject> object = ObjectOf(line);
    if (!object)
        return std::nullopt;
    const QJsonValue kind = object->value(QStringLiteral("kind"));
    const QJsonValue args = object->value(QStringLiteral("args"));
    const QJsonValue dir = object->value(QStringLiteral("dir"));
    if (!kind.isString() || kind.toString().isEmpty() || !(args.isArray() || args.isUndefined()) ||
        !(dir.isString() || dir.isUndefined()))
        return std::nullopt;
    InstanceRequest request{kind.toString(), {}, dir.toString()};
    for (const QJsonValue& arg : args.toArray()) {
        if (!arg.isString())
            return std::nullopt;
        request.args << arg.toString();
    }
    return request;
}

std::optional<InstanceReply> DecodeInstanceReply(QByteArrayView line) {
    const std::optional<QJsonObject> object = ObjectOf(line);
    if (!object)
        return std::nullopt;
    const QJsonValue ok = object->value(QStringLiteral("ok"));
    const QJsonValue reason = object->value(QStringLiteral("reason"));
    if (!ok.isBool() || !(reason.isString() || reason.isUndefined()))
        return std::nullopt;
    return InstanceReply{ok.toBool(), reason.toString()};
}

} // namespace tarvok
