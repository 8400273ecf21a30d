#ifndef PAGEENTER_H
#define PAGEENTER_H

#include "textenter.h"
#include "textpage.h"

class QLineEdit;
class QRadioButton;

// page_14 (段间距): how many line breaks join the lines that are not empty.
class PageEnter : public TextPage
{
    Q_OBJECT
public:
    explicit PageEnter(QWidget *parent = nullptr);

    EnterOptions options() const;

private slots:
    void on_radioButton_enterNum_toggled(bool checked);

private:
    QRadioButton *m_one;
    QRadioButton *m_number;
    QLineEdit *m_breaks;
};

#endif // PAGEENTER_H
