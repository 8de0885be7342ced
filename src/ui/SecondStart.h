#pragma once

#include "InstanceLock.h"
#include "InstanceMessage.h"

#include <QString>

#include <optional>

namespace tarvok {

// A start that finds the data folder taken by a running instance: hands the request over,
// prints a refusal on standard error, and gives the exit code: 0 when the instance took
// the request, 1 when it refused or did not answer.
int HandOverToRunningInstance(const QString& dataDir, const InstanceRequest& request);
// The same when an instance listens on the folder's socket right now; nothing, at once,
// when none does.
std::optional<int> HandOverIfListening(const QString& dataDir, const InstanceRequest& request);

// Takes the data folder's lock for this start, or hands `request` to the instance that
// holds it. Gives the exit code when the start ends here (handed over, or no lock file can
// be made in the folder); nothing when this start owns the folder now.
std::optional<int> TakeFolderOrHandOver(InstanceLock& lock, int& argc, char** argv,
                                        const QString& dataDir, const InstanceRequest& request);

} // namespace tarvok
