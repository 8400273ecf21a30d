#ifndef TEXTCHAR_H
#define TEXTCHAR_H

#include <QString>

#include <optional>

#include "optionrecord.h"

// Options of the character operation: what to do (insert a text, delete or
// keep a number of characters), where (start, end or a position), and
// whether every line or the whole text is one string.
struct CharOptions : OptionRecord
{
    enum Index { Left = 0, Right = 1, Pos = 2 };
    enum Implement { Increase = 0, Delete = 1, Retain = 2 };
    enum LengthOption { fixLength = 0, TotalLengthMinus = 1 };

    bool perLine = true;
    Index index = Left;
    int position = 0; // 0-based, for Pos
    Implement implement = Increase;
    LengthOption lengthOption = fixLength; // for Delete
    // The text to insert (Increase), or the count n as typed (Delete,
    // Retain); a count that is not a number is 0.
    QString value;

    int count() const { return value.toInt(); }
};

// Inserts, deletes or retains characters of every line or of the whole
// text. A final line break ends the last line: it is never counted,
// cut or moved, so "whole text, at the end" means before it.
class TextChar
{
public:
    // Nothing when the text to insert, on every line, would make the text
    // longer than a text can be.
    static std::optional<QString> process(const QString &text, const CharOptions &options);

    // The transformation of one string s (a line, or the whole text).
    static QString transform(const QString &s, const CharOptions &options);
};

#endif // TEXTCHAR_H
