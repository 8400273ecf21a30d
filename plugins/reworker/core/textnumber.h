#ifndef TEXTNUMBER_H
#define TEXTNUMBER_H

#include <QString>
#include <QStringList>

#include "optionrecord.h"

// Options of the numbering operation. A label is the template with its
// first "i" replaced by the line's serial (1, 2, …) written in decimal, in
// letters (A … Z, AA, …) or in a digit set of the user's ("零,壹,贰,…",
// the first entry standing for zero). With padding, the serial is filled
// on its left with padText up to padLength characters: "i." padded with
// "0" to 3 gives "001.", "002.", ….
struct NumberOptions : OptionRecord
{
    enum Implement { Increase = 0, Delete = 1 };
    enum Index { Left = 0, Right = 1 };
    enum Serial { Number = 0, Alpha = 1, Custom = 2 };

    Implement implement = Increase;
    Index index = Left;
    Serial serial = Number;
    QString customSequence; // the digit set, comma separated, for Custom
    QString templateText = QStringLiteral("i.");
    bool padEnabled = false;
    QString padText;
    int padLength = 0;

    // The entries of customSequence (empty ones kept).
    QStringList customDigits() const { return customSequence.split(QLatin1Char(',')); }
    // A digit set needs at least two digits to write numbers with.
    bool isValid() const { return serial != Custom || customDigits().size() >= 2; }
};

// Adds every line's label at its start or end, or removes exactly those
// labels again (a line that does not carry its own label stays as it is).
// A final line break ends the last line and is never numbered.
class TextNumber
{
public:
    // Options that are not valid leave the text as it is.
    static QString process(const QString &text, const NumberOptions &options);
    // The same on text itself: when nothing else shares the text, its own
    // memory grows (or shrinks) to the result, so a large file is never
    // held twice. False, with the text unchanged, when the labels would make
    // it longer than a text can be.
    static bool processInPlace(QString &text, const NumberOptions &options);

    // The label of serial k (from 1); empty for options that are not valid.
    static QString label(int k, const NumberOptions &options);
};

#endif // TEXTNUMBER_H
