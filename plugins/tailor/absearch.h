#ifndef ABSEARCH_H
#define ABSEARCH_H

#include <QList>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// The lookup of the AB job: every non-empty line of the A texts stands for
// the regular expression
//     "(?=(^|\b|\n))" + line + "-.*(?=($|\b|\n))"
// (the line's characters keep their pattern meaning) searched in each B
// text in turn; every non-empty match is one output line. A line without
// a match is marked " not find!" in its A text, and empty A lines are
// dropped.
//
// run() gives exactly the results of that search, but reads each B text
// once for all A lines: lines without pattern characters (nearly all real
// keys) are found together through one index of their reversed texts, from
// every "-" of the B texts; only the others go through the expression
// engine, each compiled once.
class AbSearch
{
public:
    struct Result {
        QString output;     // every match, each followed by "\n"
        QStringList aTexts; // the A texts rewritten, in the order given
        int found = 0;      // non-empty A lines with at least one match
        int notFound = 0;   // non-empty A lines without one (invalid ones too)
    };

    static const QLatin1String notFoundMark; // " not find!"

    // The expression an A line stands for.
    static QString pattern(const QString &aLine);
    // Whether the line holds no character with a pattern meaning, so that
    // it matches only its own text.
    static bool isPlain(const QString &aLine);

    // The non-empty matches of one compiled expression in each B text in
    // turn, appended to matches. An invalid expression finds nothing.
    static void collect(const QRegularExpression &expression, const QStringList &bTexts,
                        QStringList &matches);
    // The matches of one A line, as the search does it for that line alone.
    static QStringList searchLine(const QString &aLine, const QStringList &bTexts);

    // The whole lookup over all A texts against all B texts.
    static Result run(const QStringList &aTexts, const QStringList &bTexts);
};

#endif // ABSEARCH_H
