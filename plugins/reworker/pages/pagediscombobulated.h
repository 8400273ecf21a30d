#ifndef PAGEDISCOMBOBULATED_H
#define PAGEDISCOMBOBULATED_H

#include <optional>

#include "textdiscombobulated.h"
#include "textpage.h"

class QLineEdit;
class QRadioButton;

// page_18 (乱): shuffle the lines, or the characters or pieces of n
// characters inside every line.
class PageDiscombobulated : public TextPage
{
    Q_OBJECT
public:
    explicit PageDiscombobulated(QWidget *parent = nullptr);

    // Nothing when pieces of fewer than one character are asked for.
    std::optional<DiscombobulatedOptions> options() const;

private slots:
    void on_radioButton_DiscombobulatedFixed_toggled(bool checked);

private:
    QRadioButton *m_paragraph;
    QRadioButton *m_one;
    QRadioButton *m_fixed;
    QLineEdit *m_count;
};

#endif // PAGEDISCOMBOBULATED_H
