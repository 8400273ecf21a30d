#ifndef PAGENUMBER_H
#define PAGENUMBER_H

#include <optional>

#include "textnumber.h"
#include "textpage.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QRadioButton;

// page_12 (序号): add or remove line labels, at which side, in which
// notation, after which template, and padded or not.
class PageNumber : public TextPage
{
    Q_OBJECT
public:
    explicit PageNumber(QWidget *parent = nullptr);

    // Nothing when a digit set of the user's has fewer than two digits.
    std::optional<NumberOptions> options() const;

private slots:
    void on_radioButton_textNumberCustom_toggled(bool checked);

private:
    QRadioButton *m_increase;
    QRadioButton *m_delete;
    QRadioButton *m_left;
    QRadioButton *m_right;
    QRadioButton *m_number;
    QRadioButton *m_alpha;
    QRadioButton *m_custom;
    QComboBox *m_customSequence;
    QComboBox *m_template;
    QGroupBox *m_pad;
    QLineEdit *m_padText;
    QLineEdit *m_padLength;
};

#endif // PAGENUMBER_H
