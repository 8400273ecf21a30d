#ifndef PAGESPACE_H
#define PAGESPACE_H

#include "textpage.h"
#include "textspace.h"

class QLineEdit;
class QRadioButton;

// page_13 (空格): the side of the lines, or all spaces, and how many
// spaces to add, keep at most, set or remove.
class PageSpace : public TextPage
{
    Q_OBJECT
public:
    explicit PageSpace(QWidget *parent = nullptr);

    SpaceOptions options() const;

private slots:
    // "全部" removes every space: the count and the implements do not apply.
    void on_radioButton_SpaceAll_toggled(bool checked);

private:
    QRadioButton *m_left;
    QRadioButton *m_right;
    QRadioButton *m_all;
    QRadioButton *m_increase;
    QRadioButton *m_retain;
    QRadioButton *m_fixde;
    QRadioButton *m_delete;
    QLineEdit *m_count;
};

#endif // PAGESPACE_H
