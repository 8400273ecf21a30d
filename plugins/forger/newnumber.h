#ifndef NEWNUMBER_H
#define NEWNUMBER_H

#include <QByteArray>

#include "newjob.h"
#include "newoptions.h"

// Number generation: the groups of `count` numbers from min..max in
// lexicographic order, one per line ("\n" after every line), numbers in
// decimal joined by the separator.
//
//   neither option: every arrangement of distinct numbers, P(n, count) lines
//   isSort:         every ascending group of distinct numbers, C(n, count)
//   isRepeat:       every group, numbers may repeat, n^count
//   both:           every non-descending group, C(n + count - 1, count)
//
// with n = max - min + 1. count 0 gives one empty line; a count that no
// group can reach gives no line at all.
//
// One job writes the lines first .. first + lines - 1 (0-based) of the
// enumeration, so a large enumeration can be split across files in order.
// Lines are built in place: only the numbers that change from one line to
// the next are rewritten.
class NewNumber : public NewJob
{
    Q_OBJECT
public:
    static const int LargestNumber = 9999;
    // Longest line a start may have, so one line never takes much memory.
    static const int LongestLine = 16 << 20;

    NewNumber(const QString &fileName, const NewNumberOptions *options, quint64 first, quint64 lines,
              QObject *parent = nullptr);

    // Usable bounds (0 <= min <= max <= 9999), a line that is not
    // absurdly long, and a separator the output encoding can hold (its
    // encoded form is stored in the options).
    static bool prepare(NewNumberOptions &options);

    // Lines and bytes of the whole enumeration; saturate at the largest
    // quint64.
    static quint64 lineCount(const NewNumberOptions &options);
    static quint64 byteCount(const NewNumberOptions &options);

    // Writes lines first .. first + lines - 1 (as many as exist).
    static void write(const NewNumberOptions &options, quint64 first, quint64 lines, BufferedWriter &out);
    // The same as bytes; every line when lines is left out.
    static QByteArray text(const NewNumberOptions &options, quint64 first = 0, quint64 lines = ~quint64(0));

protected:
    void generate(BufferedWriter &out) const override;

private:
    quint64 m_first;
    quint64 m_lines;
};

#endif // NEWNUMBER_H
