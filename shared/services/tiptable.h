#ifndef TIPTABLE_H
#define TIPTABLE_H

#include <QString>
#include <QtGlobal>

class QTime;

// Turns a tip (code pair plus file name) into the HTML line of the message
// dock. The only place where codes become words, so that plug-ins carry no
// message texts.
class TipTable
{
public:
    // The text that follows the line prefix. done/expected are the
    // completion counters shown by (-4, 0).
    static QString message(int var1, int var2, int done = 0, int expected = 0);

    // Whether the tip reports a failure or a refusal (a red message).
    static bool isFailure(int var1, int var2);

    // The closing line of a job: files done (unchanged among them), files
    // failed and the time taken.
    static QString summary(int done, int unchanged, int failed, qint64 msecs);

    // The closing line of a cancelled job: files done, failed and not
    // touched, and the time taken.
    static QString cancelSummary(int done, int failed, int untouched, qint64 msecs);

    // A line without its markup, entities turned back into characters.
    static QString plainText(const QString &html);

    // time, two blanks, var1 and var2 run together, one blank, the file
    // name shown literally (HTML-escaped).
    static QString prefix(const QTime &time, int var1, int var2, const QString &fileName);

    // A whole line: prefix and message; (99, 99) is the free text alone.
    static QString line(const QTime &time, int var1, int var2, const QString &fileName,
                        int done = 0, int expected = 0);
};

#endif // TIPTABLE_H
