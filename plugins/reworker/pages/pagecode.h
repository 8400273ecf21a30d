#ifndef PAGECODE_H
#define PAGECODE_H

#include <optional>

#include "textcode.h"
#include "textpage.h"

class QComboBox;
class QPlainTextEdit;
class QRadioButton;
class QStackedWidget;

// The option page of encode/decode: direction, per paragraph or whole
// text, the method, and a password shown only for AES.
class PageCode : public TextPage
{
    Q_OBJECT
public:
    explicit PageCode(QWidget *parent = nullptr);

    // The options as set; none when the chosen entry transforms nothing
    // in this direction (the separator, the ciphers without an engine,
    // decoding a digest), so the start is refused before any file.
    std::optional<TextCodeOption> options() const;

private slots:
    void on_comboBox_CodeOption_currentIndexChanged(int index);

private:
    QRadioButton *m_encode;
    QRadioButton *m_perParagraph;
    QComboBox *m_method;
    QStackedWidget *m_passwordPages;
    QWidget *m_spacePage;
    QWidget *m_passwordPage;
    QPlainTextEdit *m_password;
};

#endif // PAGECODE_H
