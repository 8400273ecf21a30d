#ifndef NEWOPTIONS_H
#define NEWOPTIONS_H

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVector>

#include "optionrecord.h"

// What every generation start shares: how its output is cut into files
// and how large it is, both known before anything is written.
struct NewOptions : OptionRecord
{
    qint64 perFile = 100000; // items (lines of numbers, copies of a template) per file
    quint64 items = 0;       // items of the whole start
    quint64 bytes = 0;       // bytes of the whole output
};

// The options of one number generation: every group of `count` integers
// from min..max, one group per line, the numbers joined by the separator.
// isSort writes each group once, in ascending order; isRepeat lets a
// number occur more than once in a group.
struct NewNumberOptions : NewOptions
{
    int min = 1;
    int max = 5;
    int count = 3;
    bool isSort = false;
    bool isRepeat = false;
    QString separator = QStringLiteral(",");
    // The separator in the output encoding (set by NewNumber::prepare).
    QByteArray separatorBytes = QByteArrayLiteral(",");
};

// One counting variable of a template: every occurrence of name becomes
// the item's number plus startValue - 1, padded on the left with
// padContent (repeated once per missing character) up to padLength.
struct NewVariable
{
    QString name;
    int startValue = 0;
    QString padContent;
    int padLength = 0;
};

// The options of one template generation. prepare() (NewVariableInt)
// fills the encoded form that the jobs write from.
struct NewVariableOptions : NewOptions
{
    QString model;
    QList<NewVariable> variables;

    // The template cut at the variables' occurrences: literal bytes, or
    // the index of the variable whose value goes there.
    struct Segment {
        QByteArray literal;
        int variable = -1;
    };
    QVector<Segment> segments;
    QVector<QByteArray> padBytes; // per variable, encoded
    // False when one variable's value could take part in a later
    // variable's name; the jobs then replace name by name on each line.
    bool segmented = true;
};

#endif // NEWOPTIONS_H
