#pragma once

#include <QString>

#include <chrono>

namespace tarvok {

// The local socket on which the instance of a data folder takes requests from later starts.

// The socket's name, the same for every start on one folder however it was named (a
// relative path, a symbolic link), different for different folders. It lies in the user's
// runtime folder where there is one, so that no other user can reach it.
QString InstanceServerName(const QString& dataDir);

// How long a second start waits for the running instance to take and answer its request.
inline constexpr std::chrono::milliseconds kInstanceAnswerTimeout{5000};
// How long the running instance waits for a connected client to send its request.
inline constexpr std::chrono::milliseconds kInstanceReadTimeout{2000};

} // namespace tarvok
