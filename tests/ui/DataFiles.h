#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// Data files as the program keeps them: windows-1252 (here plain ASCII or Latin-1 text),
// CR LF after every line.
inline QByteArray dataFileBytes(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toLatin1() + "\r\n";
    return bytes;
}

inline void writeFile(const QString& dir, const QString& name, const QByteArray& bytes) {
    QFile file(QDir(dir).filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

inline QByteArray readFile(const QString& dir, const QString& name) {
    QFile file(QDir(dir).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline QByteArray phoneFile(const QString& version, const QStringList& entries) {
    QStringList lines{version, QStringLiteral("1,0,0,\"\",0,\"00\",\"49|89\",12,\"\",\"\",0"),
                      QStringLiteral("\"Büro 1\",\"Büro 2\",\"Privat 1\",\"Privat 2\"")};
    return dataFileBytes(lines + entries);
}
