#ifndef KEYMATCH_H
#define KEYMATCH_H

#include <QRegularExpression>
#include <QString>
#include <QStringList>

// How the keys of the keys page are found: as typed, as typed with the
// escapes "\r", "\t", "\v", "\n" turned into their characters, or as
// regular expressions.
enum class Pattern {
    Ordinary = 0,
    Extend = 1,
    Regular = 2
};

namespace KeyMatch {

// key with the two-character sequences backslash-r, -t, -v and -n (in
// this order) replaced by carriage return, tab, vertical tab and line feed.
QString unescape(const QString &key);

// The pattern options of a key: case-sensitive unless caseSensitive is
// off, greedy unless greedy is off.
QRegularExpression::PatternOptions patternOptions(bool caseSensitive, bool greedy);

// The expression of a key, with those options.
QRegularExpression expression(const QString &pattern, bool caseSensitive, bool greedy);

// Whether every non-empty pattern compiles.
bool allValid(const QStringList &patterns);

// The parts of text between occurrences of separator (case-sensitive),
// empty ones dropped; with an empty separator every character is a part.
QStringList keysOf(const QString &text, const QString &separator);

} // namespace KeyMatch

#endif // KEYMATCH_H
