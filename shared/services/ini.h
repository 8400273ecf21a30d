#ifndef INI_H
#define INI_H

#include <QString>

// Settings are never cached: each call opens the INI file, reads or writes
// one value and closes it again.
QString readIni(const QString &file, const QString &group, const QString &key, const QString &defaultValue);
// Returns whether the value reached the file.
bool writeIni(const QString &file, const QString &group, const QString &key, const QString &value);

// The settings file of the working directory.
inline QString configureIni() { return QStringLiteral("./configure.ini"); }

#endif // INI_H
