#ifndef PAGEADD_H
#define PAGEADD_H

#include "textadd.h"
#include "textpage.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// page_16 (追加): which piece of a line's own text is copied, and to
// which side of the line (or of the whole text) it is added.
class PageAdd : public TextPage
{
    Q_OBJECT
public:
    explicit PageAdd(QWidget *parent = nullptr);

    AddOptions options() const;

private:
    QRadioButton *m_block;
    QRadioButton *m_whole;
    QRadioButton *m_left;
    QRadioButton *m_right;
    QLineEdit *m_start;
    QComboBox *m_lengthOption;
    QLineEdit *m_length;
};

#endif // PAGEADD_H
