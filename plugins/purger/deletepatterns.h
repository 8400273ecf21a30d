#ifndef DELETEPATTERNS_H
#define DELETEPATTERNS_H

#include <QString>

// The deletion plug-in's nine operations: what their labels and option pages
// show, and the removal itself.
//
// Every operation removes the matches of one QRegExp pattern (RegExp syntax,
// case sensitive). Operations 1 to 8 have fixed patterns; their removal runs
// through hand-written single-pass matchers whose result is the same as
// QString::remove(QRegExp) with the pattern, code unit for code unit.
// Operation 9 removes the matches of the user's own pattern.
class DeletePatterns
{
public:
    enum Index {
        None = 0,
        Chinese = 1,
        ArabicNumber = 2,
        Capitalize = 3,
        Lowercase = 4,
        Html = 5,
        DoubleByte = 6,
        Empty = 7,
        Symbol = 8,
        Regular = 9
    };
    static const int Count = 9; // operations 1 .. Count

    // One row of the operation table. Texts are UTF-8; index 0 (no
    // operation chosen) has no label, caption or pattern.
    struct Operation {
        const char *labelObject; // object name of the operation's label
        const char *caption;     // the label's text
        const char *title;       // option dock title when chosen
        int page;                // option dock page when chosen
        const char *pattern;     // QRegExp pattern; null for the custom one
        const char *explanation; // HTML for the explanation area
        const char *toolTip;     // the label's tooltip: full name and what it does
    };

    static bool isValidIndex(int index) { return index >= 0 && index <= Count; }

    // Row of index 0 .. Count; an index out of range gives the row of 0.
    static const Operation &operation(int index);

    static QString labelObjectName(int index);
    static QString caption(int index);
    static QString title(int index);
    static int page(int index);
    static QString toolTip(int index);
    // The fixed pattern of 1 .. 8; the custom text for 9; empty for 0.
    static QString pattern(int index, const QString &custom = QString());
    // Index 0: the explanations of all operations joined with "<br>".
    static QString explanation(int index);
    // The option dock's title before any operation is chosen.
    static QString initialTitle();

    // Whether a custom pattern can be used at all. An empty pattern is
    // valid: it matches only empty strings and so removes nothing.
    static bool isValidCustom(const QString &custom);

    // The text without the matches of operation index (custom is the
    // pattern text of 9). Index 0, an unknown index or an invalid custom
    // pattern leave the text as it is.
    static QString apply(const QString &text, int index, const QString &custom = QString());
    // Same, changing text itself; no allocation when the text is not
    // shared, and none at all when nothing matches.
    static void applyInPlace(QString &text, int index, const QString &custom = QString());

    // Removal through the regular-expression engine, for any pattern. An
    // invalid pattern leaves the text as it is.
    static QString removeRegExp(const QString &text, const QString &pattern);
};

#endif // DELETEPATTERNS_H
