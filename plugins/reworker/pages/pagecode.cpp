#include "pagecode.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

QRadioButton *radio(const char *name, const char *caption, QWidget *parent)
{
    auto *button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QLatin1String(name));
    return button;
}

// A row of two exclusive choices, the first one checked.
QGroupBox *choice(const char *title, QRadioButton *first, QRadioButton *second, QWidget *parent)
{
    auto *box = new QGroupBox(QString::fromUtf8(title), parent);
    auto *layout = new QHBoxLayout(box);
    auto *group = new QButtonGroup(box);
    for (QRadioButton *button : {first, second}) {
        button->setParent(box);
        group->addButton(button);
        layout->addWidget(button);
    }
    layout->addStretch();
    first->setChecked(true);
    return box;
}

} // namespace

PageCode::PageCode(QWidget *parent)
    : TextPage(parent)
{
    auto *layout = new QVBoxLayout(this);

    m_encode = radio("radioButton_CodeCode", "编码", this);
    layout->addWidget(choice("方式", m_encode, radio("radioButton_45", "解码", this), this));
    m_perParagraph = radio("radioButton_CodeParagraph", "分段", this);
    layout->addWidget(choice("范围", m_perParagraph, radio("radioButton_46", "整体", this), this));

    m_method = new QComboBox(this);
    m_method->setObjectName(QStringLiteral("comboBox_CodeOption"));
    m_method->addItems(TextCodeOption::comboEntries());
    layout->addWidget(m_method);

    m_passwordPages = new QStackedWidget(this);
    m_passwordPages->setObjectName(QStringLiteral("stackedWidget_code"));
    m_spacePage = new QWidget(m_passwordPages);
    m_spacePage->setObjectName(QStringLiteral("page_space"));
    m_passwordPage = new QWidget(m_passwordPages);
    m_passwordPage->setObjectName(QStringLiteral("page_password"));
    auto *passwordLayout = new QVBoxLayout(m_passwordPage);
    passwordLayout->setContentsMargins(0, 0, 0, 0);
    auto *passwordBox = new QGroupBox(QStringLiteral("密码:"), m_passwordPage);
    auto *boxLayout = new QVBoxLayout(passwordBox);
    m_password = new QPlainTextEdit(passwordBox);
    m_password->setObjectName(QStringLiteral("plainTextEdit_CodePassword"));
    boxLayout->addWidget(m_password);
    // The format (MD5 of the password as key, ECB, zero padding) is kept so
    // that texts encrypted elsewhere in it still decrypt; it is no real
    // protection, and the page says so.
    auto *warning = new QLabel(QStringLiteral("仅防随意查看，不能防止有意破解。"), passwordBox);
    warning->setObjectName(QStringLiteral("label_CodeWarning"));
    warning->setWordWrap(true);
    boxLayout->addWidget(warning);
    passwordLayout->addWidget(passwordBox);
    m_passwordPages->addWidget(m_spacePage);
    m_passwordPages->addWidget(m_passwordPage);
    layout->addWidget(m_passwordPages);
    layout->addStretch();

    QMetaObject::connectSlotsByName(this);
    on_comboBox_CodeOption_currentIndexChanged(m_method->currentIndex());
}

void PageCode::on_comboBox_CodeOption_currentIndexChanged(int index)
{
    m_passwordPages->setCurrentWidget(index == TextCodeOption::AesComboIndex ? m_passwordPage : m_spacePage);
}

std::optional<TextCodeOption> PageCode::options() const
{
    TextCodeOption o;
    o.encode = m_encode->isChecked();
    o.perParagraph = m_perParagraph->isChecked();
    o.option = TextCodeOption::optionAt(m_method->currentIndex());
    o.password = m_password->toPlainText().toUtf8();
    if (o.option < 0 || !o.transforms())
        return std::nullopt;
    return o;
}
