#ifndef PAGEEXTRACTION_H
#define PAGEEXTRACTION_H

#include <optional>

#include "textextraction.h"
#include "textpage.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

// page_17 (提取): keep or delete the lines chosen by odd, even or prime
// numbers, by remainder, by a list of indexes, or by their content.
class PageExtraction : public TextPage
{
    Q_OBJECT
public:
    explicit PageExtraction(QWidget *parent = nullptr);

    // Nothing when the remainder rule has nothing to divide by.
    std::optional<TextExtractionOption> options() const;

private slots:
    void on_radioButton_textExtractionGiven_toggled(bool checked);
    void on_radioButton_textExtractionModulus_toggled(bool checked);
    void on_radioButton_textExtractionCustom_toggled(bool checked);
    void on_radioButton_textExtractionPos_toggled(bool checked);

private:
    QRadioButton *m_retain;
    QRadioButton *m_delete;
    QRadioButton *m_given;
    QRadioButton *m_modulus;
    QRadioButton *m_custom;
    QRadioButton *m_pos;
    QComboBox *m_givenRule;
    QLineEdit *m_divisor;
    QLineEdit *m_remainder;
    QLineEdit *m_list;
    QComboBox *m_position;
    QLineEdit *m_content;
};

#endif // PAGEEXTRACTION_H
