#include "InstanceChannel.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

namespace tarvok {

QString InstanceServerName(const QString& dataDir) {
    const QFileInfo folder(dataDir);
    const QString path = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                              : folder.canonicalFilePath();
    const QByteArray hash =
        QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    const QString name = QStringLiteral("tarvok-pro-") + QString::fromLatin1(hash);

    const QString runtimeDir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtimeDir.isEmpty() && QFileInfo(runtimeDir).isDir())
        return QDir(runtimeDir).filePath(name);
    // The shared temporary folder: the user id keeps two users' names apart.
    return QStringLiteral("tarvok-pro-%1-").arg(getuid()) + QString::fromLatin1(hash);
}

} // namespace tarvok
