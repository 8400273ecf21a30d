#include "newplan.h"

#include <QDir>

#include "ini.h"

QChar NewPlan::hourLetter(int hour)
{
    const QString letters = hourLetters();
    return hour >= 0 && hour < letters.size() ? letters.at(hour) : QLatin1Char('a');
}

NewPlan::Range NewPlan::range(qint64 items, qint64 perFile, int index)
{
    if (items <= 0)
        return Range{ 0, 0 };
    const qint64 first = 1 + qint64(index) * perFile;
    return Range{ first, qMin(items, first + perFile - 1) };
}

QList<NewPlan::Range> NewPlan::split(qint64 items, qint64 perFile)
{
    QList<Range> ranges;
    if (perFile < 1 || items < 0)
        return ranges;
    if (items == 0) {
        ranges << Range{ 0, 0 };
        return ranges;
    }
    const qint64 files = items / perFile + (items % perFile ? 1 : 0);
    if (files > MostFiles)
        return ranges;
    for (int k = 0; k < files; ++k)
        ranges << range(items, perFile, k);
    return ranges;
}

int NewPlan::nextRunNumber(const QString &iniFile, const QDate &today)
{
    const QString day = today.toString(QStringLiteral("yyyyMMdd"));
    const QString group = QStringLiteral("day");
    if (readIni(iniFile, group, QStringLiteral("date"), QStringLiteral("0")) != day) {
        writeIni(iniFile, group, QStringLiteral("batch"), QStringLiteral("0"));
        writeIni(iniFile, group, QStringLiteral("date"), day);
        return 0;
    }
    const int run = readIni(iniFile, group, QStringLiteral("batch"), QStringLiteral("0")).toInt() + 1;
    writeIni(iniFile, group, QStringLiteral("batch"), QString::number(run));
    return run;
}

QString NewPlan::fileName(const QString &folder, const QTime &time, int run, int index)
{
    return QDir(folder).filePath(hourLetter(time.hour()) + QString::number(run) + QString::number(index)
                                 + QStringLiteral(".txt"));
}
