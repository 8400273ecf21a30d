#ifndef TIPTABLE_H
#define TIPTABLE_H

#include <QColor>
#include <QList>
#include <QString>
#include <QtGlobal>

#include "tipcodes.h"

class QTime;

// Turns a tip (code pair plus file name) into words: the HTML line of the
// message dock, or plain text for a terminal or a table cell. The only
// place where codes become words, colour and severity (the rows are in
// tipcodes.h), so that plug-ins carry no message texts.
class TipTable
{
public:
    struct Row
    {
        TipCode code;
        const char *name;
        TipSeverity severity;
        QString words; // <b> marks the emphasis, no colour, no </p>
    };

    // Every row, in the order of tipcodes.h.
    static const QList<Row> &rows();
    // The row of a pair; null for a pair without one.
    static const Row *row(int var1, int var2);

    // A pair without a row is a failure ("未知错误").
    static TipSeverity severity(int var1, int var2);
    // Whether the tip reports a failure or a refusal.
    static bool isFailure(int var1, int var2);

    // The colour of failures, and the HTML that gives it to a part.
    static QColor failureColour() { return QColor(0xFF, 0, 0); }
    static QString emphasis(const QString &words, TipSeverity severity);

    // The HTML text that follows the line prefix, without leading blanks.
    // done/expected are the completion counters shown by (-4, 0).
    static QString message(int var1, int var2, int done = 0, int expected = 0);
    // The same words without markup.
    static QString words(int var1, int var2, int done = 0, int expected = 0);

    // The closing line of a job: files done (unchanged among them), files
    // failed and the time taken.
    static QString summary(int done, int unchanged, int failed, qint64 msecs);

    // The closing line of a cancelled job: files done, failed and not
    // touched, and the time taken.
    static QString cancelSummary(int done, int failed, int untouched, qint64 msecs);

    // A line without its markup, entities turned back into characters.
    static QString plainText(const QString &html);

    // The line prefix as plain text: time, two blanks, var1 and var2 run
    // together, one blank, the file name and, after a file name, the blank
    // that parts it from the words (not for free text, which is all name).
    static QString prefix(const QString &time, int var1, int var2, const QString &fileName);

    // A whole HTML line: prefix (escaped) and message; (99, 99) is the
    // free text alone.
    static QString line(const QTime &time, int var1, int var2, const QString &fileName,
                        int done = 0, int expected = 0);
    // A whole line as plain text.
    static QString plainLine(const QTime &time, int var1, int var2, const QString &fileName,
                             int done = 0, int expected = 0);
};

#endif // TIPTABLE_H
