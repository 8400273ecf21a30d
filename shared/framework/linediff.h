#ifndef LINEDIFF_H
#define LINEDIFF_H

#include <QString>
#include <QVector>

// The line differences between two texts (lines split at "\n", empty ones
// kept), computed with dtl's O(NP) algorithm. Lines the two texts share at
// their start and end are set aside first; what lies between is compared
// in windows of a few thousand lines, so a text where nearly every line
// changed still costs time in proportion to its length, not to its
// length squared (the script found there may then be a little longer than
// the shortest one, never wrong).
class LineDiff
{
public:
    // Lines [oldStart, oldStart + oldCount) of the old text are replaced by
    // lines [newStart, newStart + newCount) of the new one (0-based).
    struct Block
    {
        int oldStart = 0;
        int oldCount = 0;
        int newStart = 0;
        int newCount = 0;
    };

    // The change blocks that turn oldText into newText, in order; none
    // when the texts are equal.
    static QVector<Block> blocks(const QString &oldText, const QString &newText);

    // How many lines change: per block the larger of its removed and
    // added lines (a line edited in place counts once).
    static int changedLines(const QString &oldText, const QString &newText);
    static int changedLines(const QVector<Block> &blocks);

    // A run of characters [from, to) of a line, in QChar units.
    struct Run
    {
        int from = 0;
        int to = 0;
    };
    // The runs of changed characters in a and in b, for showing a line
    // edited in place; a surrogate pair is never split. Long lines whose
    // differing middle is too large to compare finely get that middle as
    // one run.
    static void characterRuns(const QString &a, const QString &b, QVector<Run> &inA, QVector<Run> &inB);

    // Lines a window compares at most on each side.
    static constexpr int window = 2000;
};

#endif // LINEDIFF_H
