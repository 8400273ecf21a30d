#ifndef NEWPLAN_H
#define NEWPLAN_H

#include <QDate>
#include <QList>
#include <QString>
#include <QTime>

// How one generation start is laid out on disk: the items split into
// files, the run number of the day, and the files' names.
class NewPlan
{
public:
    // Items first .. last of one file, 1-based and inclusive.
    struct Range {
        qint64 first;
        qint64 last;
        bool operator==(const Range &other) const { return first == other.first && last == other.last; }
    };

    // The most files one start may write.
    static const int MostFiles = 10000;

    // One letter per hour of the day, 0 to 23.
    static QString hourLetters() { return QStringLiteral("abcdefghijklmnopqrstyvwx"); }
    static QChar hourLetter(int hour);

    // The items of file index when items are split as below.
    static Range range(qint64 items, qint64 perFile, int index);
    // items split into files of at most perFile items, in order; no items
    // give the one range 0..0. Empty when perFile is below 1 or the split
    // would need more than MostFiles files.
    static QList<Range> split(qint64 items, qint64 perFile);

    // Takes the next run number of the day from [day] "batch" and "date"
    // of iniFile: 0 on the first run of a day, one more on every later
    // run that day.
    static int nextRunNumber(const QString &iniFile, const QDate &today);

    // folder/<hour letter><run><index>.txt
    static QString fileName(const QString &folder, const QTime &time, int run, int index);
};

#endif // NEWPLAN_H
