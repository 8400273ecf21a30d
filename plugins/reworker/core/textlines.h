#ifndef TEXTLINES_H
#define TEXTLINES_H

#include <QString>
#include <QStringList>
#include <QStringView>

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

#endif // TEXTLINES_H
