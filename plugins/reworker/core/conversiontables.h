#ifndef CONVERSIONTABLES_H
#define CONVERSIONTABLES_H

#include <QString>
#include <QStringList>

#include <memory>

#include "tipcodes.h"

class Lexicon;
class TraditionConverter;

// The table files of the script and custom conversions, kept in the tables
// folder of the settings. Tables are plain text, one entry per line (a
// final line break ends the last entry), used in pairs: entry k of one
// file is replaced by entry k of the other.
//
// Complete simplified/traditional tables ship with the plug-in; each one
// missing from the tables folder is written there on first use, and a
// table already there (perhaps edited by the user) is never overwritten.
class ConversionTables
{
public:
    enum Table {
        NewOne, OldOne,                                     // characters, simplified / traditional
        NewMainland, OldMainland, OldHongKong, OldTaiwan,   // parallel phrase tables
        BeforeCustom, AfterCustom,                          // custom conversion
        TableCount
    };
    static constexpr int DirectionCount = 12;

    // Why a table set cannot be used: a tip and its file name.
    struct Refusal
    {
        TipCode code = Tips::Cancelled;
        QString fileName;
    };

    static QString fileName(int table);
    // "简体", "繁体(直译)", "繁体(香港)", "繁体(台湾)" for the phrase tables.
    static QString scriptTitle(int table);
    // Directions: source script = direction / 3 in the order of the phrase
    // tables, target = the other three in that order.
    static QStringList directionCaptions();
    static int sourceTable(int direction);
    static int targetTable(int direction);

    // Writes each shipped table missing from folder (creating the folder),
    // UTF-8 with a byte-order mark; returns the file names written.
    static QStringList installMissing(const QString &folder);

    // The phrase tables of the direction and, unless both scripts are
    // traditional, the character table (reversed when the target is
    // simplified), read and built into one converter that segments with
    // the shipped lexicon (longest match where it is missing). Null with the refusal
    // when a table cannot be read (the reader's tip), is empty (-1, 3), or
    // its pair differs in length (-1, 1).
    static std::shared_ptr<const TraditionConverter> loadTradition(const QString &folder, int direction,
                                                                   Refusal *refusal);
    // The two custom tables; false with (-1, 4) when either is empty,
    // (-1, 2) when they differ in length, or the reader's tip.
    static bool loadCustom(const QString &folder, QStringList *from, QStringList *to, Refusal *refusal);

    // The lexicon the script conversions segment with, shipped with the
    // plug-in and read once per process; null if it cannot be read.
    static std::shared_ptr<const Lexicon> shippedLexicon();

    // Which tables a direction uses, for the user: the folder and the
    // number of character and phrase entries ("<folder> 单字 N 条 词组 M 条").
    static QString inUse(const QString &folder, int direction);

private:
    static bool readLines(const QString &path, QStringList *lines, bool *empty, Refusal *refusal);
};

#endif // CONVERSIONTABLES_H
