#pragma once

#include "InstanceMessage.h"

#include <QString>

#include <chrono>

namespace tarvok {

// The asking end: a later start hands its request to the running instance and waits for
// the answer, bounded in time. Works without an event loop.
struct HandOverResult {
    enum class Status {
        Answered, // `reply` holds the instance's answer
        NoServer, // nobody listened on the name within the time
        NoAnswer, // connected, but no well-formed answer came within the time
    };
    Status status = Status::NoServer;
    InstanceReply reply;
};

enum class ConnectAttempts {
    Once,         // NoServer at once when nobody listens now
    UntilTimeout, // an instance that has just taken the lock may not be listening yet
};

HandOverResult SendInstanceRequest(const QString& serverName, const InstanceRequest& request,
                                   std::chrono::milliseconds timeout,
                                   ConnectAttempts attempts = ConnectAttempts::UntilTimeout);

} // namespace tarvok
