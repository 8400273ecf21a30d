#ifndef TEXTEXTRACTION_H
#define TEXTEXTRACTION_H

#include <QString>

#include "optionrecord.h"

// Options of the extraction: keep or delete the lines that a rule selects.
// Lines are numbered from 1 for the number rules; the list rule counts
// from 0 ("0,2" is the first and the third line).
struct TextExtractionOption : OptionRecord
{
    enum Index { Given = 0, Modulus = 1, Custom = 2, Pos = 3 };
    enum Given { UnevenNumber = 0, EvenNumbers = 1, PrimeNumber = 2 };
    enum Pos { Left = 0, Right = 1, Have = 2 };

    bool retain = true;
    int index = Given;
    int given = UnevenNumber;
    int divisor = 0;
    int modulus = 0;
    QString numberList;
    int pos = Left;
    QString content;

    // The modulus rule cannot divide by 0.
    bool isValid() const { return index != Modulus || divisor > 0; }
};

// Keeps (or deletes) the lines selected by odd, even or prime numbers,
// by the remainder of their number, by a list of indexes, or by what they
// start with, end with or contain. The result keeps the text's final line
// break when it has any line.
class TextExtraction
{
public:
    // Options that are not valid leave the text as it is.
    static QString process(const QString &text, const TextExtractionOption &options);
};

#endif // TEXTEXTRACTION_H
