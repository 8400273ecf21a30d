#ifndef PAGECHAR_H
#define PAGECHAR_H

#include "textchar.h"
#include "textpage.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// page_15 (字符): insert a text, delete or keep a number of characters at
// the start, the end or a position of every line or of the whole text.
class PageChar : public TextPage
{
    Q_OBJECT
public:
    explicit PageChar(QWidget *parent = nullptr);

    CharOptions options() const;

private slots:
    // The position captions say whether a line or the whole text is meant.
    void on_radioButton_charBlock_toggled(bool checked);
    void on_radioButton_charPos_toggled(bool checked);
    void on_radioButton_charIncrease_toggled(bool checked);
    void on_radioButton_charDelete_toggled(bool checked);
    void on_radioButton_charRetain_toggled(bool checked);

private:
    QRadioButton *m_block;
    QRadioButton *m_whole;
    QRadioButton *m_left;
    QRadioButton *m_right;
    QRadioButton *m_pos;
    QLineEdit *m_position;
    QRadioButton *m_increase;
    QPlainTextEdit *m_text;
    QRadioButton *m_delete;
    QLineEdit *m_deleteCount;
    QComboBox *m_lengthOption;
    QRadioButton *m_retain;
    QLineEdit *m_retainCount;
};

#endif // PAGECHAR_H
