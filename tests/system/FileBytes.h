// Whole files as bytes, for the tests of the project and settings files.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The file's bytes, or none when it cannot be read.
inline QByteArray ReadFileBytes(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Replaces the file with bytes; false when it cannot be written whole.
inline bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}
