#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

namespace tarvok::test {

inline QByteArray readBytes(const QString& dir, const QString& name) {
    QFile file(QDir(dir).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

inline void writeBytes(const QString& dir, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(dir).filePath(name));
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

inline QStringList filesIn(const QString& dir) {
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace tarvok::test
