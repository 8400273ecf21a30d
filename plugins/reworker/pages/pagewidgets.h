#ifndef PAGEWIDGETS_H
#define PAGEWIDGETS_H

#include <QButtonGroup>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <initializer_list>

// Small makers for the option pages built in code: named form widgets with
// their captions, so each page reads as its list of widgets.
namespace PageWidgets {

inline QRadioButton *radio(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// Radio buttons that exclude each other; the first is checked.
inline void group(std::initializer_list<QRadioButton *> buttons, QWidget *parent)
{
    auto *group = new QButtonGroup(parent);
    for (QRadioButton *button : buttons)
        group->addButton(button);
    (*buttons.begin())->setChecked(true);
}

inline QLineEdit *edit(const char *name, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

inline QComboBox *combo(const char *name, std::initializer_list<const char *> entries, bool editable,
                        QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setEditable(editable);
    for (const char *entry : entries)
        combo->addItem(QString::fromUtf8(entry));
    return combo;
}

} // namespace PageWidgets

#endif // PAGEWIDGETS_H
