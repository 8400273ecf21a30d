#ifndef PRESETPAGE_H
#define PRESETPAGE_H

#include <QJsonObject>
#include <QString>
#include <QStringList>

class QWidget;

// The state of an option page as a preset holds it, read from and written
// to its widgets by object name, whatever the page: line and plain-text
// edits and editable combo boxes as text, check boxes and radio buttons as
// true/false, spin boxes as numbers, a non-editable combo box as the index
// of its choice, tables as rows of cells (text). Unnamed widgets and the
// parts Qt builds inside other widgets are not options.
class PresetPage
{
public:
    static QJsonObject capture(const QWidget *page);

    // Sets every widget of page that options names, as a user would (so
    // the page's own reactions, showing, hiding or filling other widgets,
    // happen as they do for a user); widgets not named keep their state.
    // Returns what was ignored: the keys that name no option widget of the
    // page (unknown) and those whose value does not fit the widget (a text
    // for a check box, an index the combo box does not have, a number
    // outside the spin box's range: badValue).
    struct Outcome
    {
        QStringList unknown;
        QStringList badValue;
    };
    static Outcome apply(QWidget *page, const QJsonObject &options);

    // Whether widget is one that a preset holds.
    static bool isOption(const QWidget *widget, const QWidget *page);
};

#endif // PRESETPAGE_H
