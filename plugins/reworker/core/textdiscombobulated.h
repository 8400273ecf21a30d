#ifndef TEXTDISCOMBOBULATED_H
#define TEXTDISCOMBOBULATED_H

#include <QRandomGenerator>
#include <QString>

#include "optionrecord.h"

// Options of the shuffle: the lines of the text into random order, or the
// pieces of `count` characters inside every line.
struct DiscombobulatedOptions : OptionRecord
{
    enum Pattern { Paragraph = 0, Fixed = 1 };

    Pattern pattern = Paragraph;
    int count = 1; // piece length for Fixed

    // A line cannot be cut into pieces shorter than one character.
    bool isValid() const { return pattern == Paragraph || count >= 1; }
};

// Shuffles lines, or pieces of lines; lines never lose or gain characters,
// and a final line break stays the end of the text. A character is a code
// point: a piece never splits a surrogate pair.
class TextDiscombobulated
{
public:
    // With a generator of its own, seeded from the system's entropy, so
    // jobs running side by side are independent of each other.
    static QString shuffle(const QString &text, const DiscombobulatedOptions &options);
    // With the caller's generator (reproducible for a fixed seed).
    static QString shuffle(const QString &text, const DiscombobulatedOptions &options,
                           QRandomGenerator &random);
};

#endif // TEXTDISCOMBOBULATED_H
