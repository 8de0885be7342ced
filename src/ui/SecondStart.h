#pragma once

#include "InstanceMessage.h"

#include <QString>

namespace tarvok {

// A start that finds the data folder taken by a running instance: hands the request over,
// prints a refusal on standard error, and gives the exit code: 0 when the instance took
// the request, 1 when it refused or did not answer.
int HandOverToRunningInstance(const QString& dataDir, const InstanceRequest& request);

// For standard error when no lock file can be made in the data folder.
QString LockFailedText(const QString& dataDir);

} // namespace tarvok
