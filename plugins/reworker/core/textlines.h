#ifndef TEXTLINES_H
#define TEXTLINES_H

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstring>
#include <limits>

// A text as the line operations see it: its lines, and whether it ended
// with a line break. A final "\n" ends the last line; it does not start an
// empty one, so "a\nb\n" is the lines "a", "b" with a final break, and
// "a\nb" the same lines without. Empty lines inside the text stay lines;
// an empty text has no lines.
struct TextLines
{
    QStringList lines;
    bool finalBreak = false;

    // The longest text one QString can hold (its memory, header included,
    // is counted in int bytes): operations that would grow a text beyond
    // it refuse instead.
    static constexpr qint64 MaxSize = (qint64(std::numeric_limits<int>::max()) - 64) / 2;

    static TextLines split(const QString &text);

    // The lines joined with "\n", plus the final break when the text had
    // one and the result has any line.
    QString join() const;
    // Same for other lines that keep this text's final-break rule.
    QString join(const QStringList &other) const;

    // The same lines as split() gives, handed one by one to f as views into
    // text, without copying them: for operations over large texts. Returns
    // whether the text ended with a line break.
    template <class F>
    static bool forEach(const QString &text, F &&f);

    // Rewrites every line of text in its own memory, so that a large text
    // is not held twice: length(line) gives the new length of a line (as
    // a qint64), write(line, out) writes exactly that many units at out.
    // Line breaks stay where the lines put them, the final one too. out
    // never lies after the line's own units, but may overlap them: write
    // copies with memmove (moveUnits), front to back. Costs one text plus
    // the most that the new lines run ahead of the old ones at any point
    // (the text is first moved up by that much). False, text unchanged,
    // when the result would be longer than MaxSize.
    template <class Length, class Write>
    static bool rewriteInPlace(QString &text, Length &&length, Write &&write);

    // Copies count units from from to to, which may overlap.
    static void moveUnits(QChar *to, const QChar *from, qsizetype count)
    {
        if (count > 0 && to != from)
            std::memmove(static_cast<void *>(to), from, size_t(count) * sizeof(QChar));
    }
};

template <class F>
bool TextLines::forEach(const QString &text, F &&f)
{
    const int size = text.size();
    if (size == 0)
        return false;
    const bool finalBreak = text.at(size - 1) == QLatin1Char('\n');
    const int end = finalBreak ? size - 1 : size;
    const QChar *data = text.constData();
    int start = 0;
    for (;;) {
        const int next = text.indexOf(QLatin1Char('\n'), start);
        if (next < 0 || next >= end) {
            f(QStringView(data + start, end - start));
            return finalBreak;
        }
        f(QStringView(data + start, next - start));
        start = next + 1;
    }
}

template <class Length, class Write>
bool TextLines::rewriteInPlace(QString &text, Length &&length, Write &&write)
{
    // First pass: the new size, and how far the new text runs ahead of
    // the old one at most (at the end of any line).
    qint64 ahead = 0;
    qint64 shift = 0;
    const bool finalBreak = forEach(text, [&](QStringView line) {
        shift += qint64(length(line)) - line.size();
        ahead = qMax(ahead, shift);
    });
    const qint64 oldSize = text.size();
    if (oldSize == 0)
        return true;
    const qint64 newSize = oldSize + shift;
    if (oldSize + ahead > MaxSize || newSize > MaxSize)
        return false;
    // The old text moves up by ahead; the new one is written from the
    // start, never past what is still to be read.
    text.resize(int(oldSize + ahead));
    QChar *data = text.data();
    moveUnits(data + ahead, data, oldSize);
    const QChar *in = data + ahead;
    const QChar *const end = in + (finalBreak ? oldSize - 1 : oldSize);
    QChar *out = data;
    for (;;) {
        const QChar *next = in;
        while (next < end && *next != QLatin1Char('\n'))
            ++next;
        const QStringView line(in, next - in);
        const qint64 n = length(line);
        write(line, out);
        out += n;
        if (next >= end)
            break;
        *out++ = QLatin1Char('\n');
        in = next + 1;
    }
    if (finalBreak)
        *out++ = QLatin1Char('\n');
    text.resize(int(newSize));
    return true;
}

#endif // TEXTLINES_H
