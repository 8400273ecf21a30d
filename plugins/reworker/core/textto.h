#ifndef TEXTTO_H
#define TEXTTO_H

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

#include "optionrecord.h"
#include "textjob.h"
#include "tipcodes.h"

class TraditionConverter;

// The conversions of the text plug-in: letter case, half/full width,
// number bases, Chinese script variants (table driven) and a user table of
// replacements. One record per start, read from the conversion page; only
// the fields of the chosen mode are filled.
struct TextToOption : OptionRecord
{
    enum Implement { Case = 0, Half = 1, Base = 2, Tradition = 3, Custom = 4 };
    enum CaseTo { ToCapital = 0, ToLowerCase = 1 };
    enum CaseWhich { All = 0, ParagraphFist = 1, WordFirst = 2 };

    int implement = Case;
    int caseTo = ToCapital;
    int caseWhich = All;
    bool toHalf = false;
    bool lineFormat = false; // true: one number per line; false: numbers inside the text
    int fromBase = 10;
    int toBase = 16;
    // Tradition: the phrase and character tables of the chosen direction,
    // built once for the whole start.
    std::shared_ptr<const TraditionConverter> tradition;
    QStringList customFrom;
    QStringList customTo;
    bool sequential = false; // custom result one: rule after rule over the whole text
};

namespace TextConvert {

// Upper or lower case: the whole text (full Unicode mapping), or only the
// ASCII letter that starts a paragraph (after its leading white space), or
// that starts a word (after white space or at the start of a paragraph).
QString convertCase(const QString &text, int caseTo, int caseWhich);

// Printable ASCII to full width (U+FF01..U+FF5E) and back; the grave
// accent pairs with the middle dot "·". Spaces stay as they are.
QString convertWidth(const QString &text, bool toHalf);

// Every line a number in base fromBase, written in base toBase; a final
// line break ends the last line and is kept. Nothing when a line (an empty
// one too) is not a number of that base.
std::optional<QString> convertBaseLines(const QString &text, int fromBase, int toBase);
// Every run of digits of base fromBase inside the text written in base
// toBase; a run too large for 64 bits becomes 0.
QString convertBaseRuns(const QString &text, int fromBase, int toBase);

// Custom table: sequential applies rule after rule over the whole text
// (later rules see what earlier ones wrote); otherwise each character is
// mapped once by the first rule whose key is that character, and the walk
// goes on after the inserted value.
QString convertCustom(const QString &text, const QStringList &from, const QStringList &to, bool sequential);

// The conversion the record asks for; nothing when the text cannot be
// converted (a number line that does not parse), so that it stays as it is.
std::optional<QString> convert(const QString &text, const TextToOption &options);

// Bases the conversions accept.
inline bool isValidBase(int base) { return base >= 2 && base <= 36; }

} // namespace TextConvert

// The conversion job of one file: a file whose numbers do not parse keeps
// its content and is named by the tip (-2, 0). A script conversion names
// the file with the number of characters of several forms that only the
// character table chose, when there are any, so that someone checks them;
// in a preview each of them is marked in the result with its forms.
class TextTo : public CheckedTextJob<TextToOption, &TextConvert::convert, Tips::BaseFailed>
{
public:
    using CheckedTextJob::CheckedTextJob;
    QString processText() override;
};

#endif // TEXTTO_H
