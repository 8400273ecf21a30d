#ifndef BENCHFILES_H
#define BENCHFILES_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>

// Whole-file helpers the benchmarks share for making and comparing their
// input and output files.

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Empty when the file cannot be read.
inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Copies names from one folder to another by overwriting the targets in
// place: deleting and recreating them would leave thousands of freshly
// freed inodes that slow down the file creations of the timed runs.
inline bool copyAll(const QString &from, const QString &to, const QStringList &names)
{
    QDir().mkpath(to);
    for (const QString &name : names) {
        if (!writeBytes(to + "/" + name, readBytes(from + "/" + name)))
            return false;
    }
    return true;
}

#endif // BENCHFILES_H
