#pragma once

#include <QLockFile>
#include <QString>

namespace tarvok {

// The lock that lets only one instance of the program work on a data folder. A lock left
// behind by an instance that was killed is taken over; one held by a live instance is not.
class InstanceLock {
public:
    enum class Result {
        Acquired,    // this instance owns the folder until the lock is destroyed
        HeldByOther, // another live instance works on the folder
        Failed,      // no lock file can be made there (read-only folder, no such folder)
    };

    explicit InstanceLock(const QString& dataDir);

    Result acquire();
    static QString fileName() { return QStringLiteral("Tarvok-Pro.lock"); }

private:
    QLockFile m_lock;
};

} // namespace tarvok
