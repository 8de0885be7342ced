#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

namespace tarvok {

// What a second start of the program asks the instance that already runs on the same data
// folder, and the answer it gets. On the wire each is one line of JSON ending in "\n":
//
//   {"tarvok":1,"kind":"dial","args":["tel:+49-30-1234567"],"dir":"/home/anna"}
//   {"tarvok":1,"ok":false,"reason":"..."}
//
// "tarvok" is the protocol version; a reader refuses any other. A new kind of request
// (an import, an export) needs only a new "kind" and a handler for it in the running
// instance; "args" are the command line's words for it and "dir" the asking process's
// working directory, against which relative paths among them are read.
struct InstanceRequest {
    QString kind;
    QStringList args;
    QString workingDir;

    friend bool operator==(const InstanceRequest&, const InstanceRequest&) = default;
};

struct InstanceReply {
    bool accepted = false;
    QString reason; // why it was refused, for the asking process's standard error

    friend bool operator==(const InstanceReply&, const InstanceReply&) = default;
};

inline constexpr int kInstanceProtocol = 1;
// A request is a few words; anything longer is not from this program.
inline constexpr qsizetype kMaxInstanceMessage = 64 * 1024;

QByteArray EncodeInstanceRequest(const InstanceRequest& request);
QByteArray EncodeInstanceReply(const InstanceReply& reply);

// One line without its "\n". Nothing for anything but a well-formed message of this
// protocol version: wrong JSON, wrong types, a missing kind, an oversized line.
std::optional<InstanceRequest> DecodeInstanceRequest(QByteArrayView line);
std::optional<InstanceReply> DecodeInstanceReply(QByteArrayView line);

} // namespace tarvok
