#include "InstanceLock.h"

#include <QDir>

namespace tarvok {

InstanceLock::InstanceLock(const QString& dataDir)
    : m_lock(QDir(dataDir).filePath(fileName())) {
    // Only the owner's process decides: an instance that runs for days never goes stale,
    // and one that was killed is recognised by its process being gone.
    m_lock.setStaleLockTime(0);
}

InstanceLock::Result InstanceLock::acquire() {
    if (m_lock.tryLock(0))
        return Result::Acquired;
    return m_lock.error() == QLockFile::LockFailedError ? Result::HeldByOther : Result::Failed;
}

} // namespace tarvok
