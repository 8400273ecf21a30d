#include "ini.h"

#include <QSettings>

QString readIni(const QString &file, const QString &group, const QString &key, const QString &defaultValue)
{
    QSettings settings(file, QSettings::IniFormat);
    return settings.value(group + QLatin1Char('/') + key, defaultValue).toString();
}

bool writeIni(const QString &file, const QString &group, const QString &key, const QString &value)
{
    QSettings settings(file, QSettings::IniFormat);
    settings.beginGroup(group);
    settings.setValue(key, value);
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}
