#ifndef TEXTLINES_H
#define TEXTLINES_H

#include <QString>
#include <QStringList>

// A text as the line operations see it: its lines, and whether it ended
// with a line break. A final "\n" ends the last line; it does not start an
// empty one, so "a\nb\n" is the lines "a", "b" with a final break, and
// "a\nb" the same lines without. Empty lines inside the text stay lines;
// an empty text has no lines.
struct TextLines
{
    QStringList lines;
    bool finalBreak = false;

    static TextLines split(const QString &text);

    // The lines joined with "\n", plus the final break when the text had
    // one and the result has any line.
    QString join() const;
    // Same for other lines that keep this text's final-break rule.
    QString join(const QStringList &other) const;
};

#endif // TEXTLINES_H
