#include "pagenumber.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "pagewidgets.h"

using namespace PageWidgets;

PageNumber::PageNumber(QWidget *parent)
    : TextPage(parent)
{
    m_increase = radio("radioButton_textNumberIncrease", "添加", this);
    m_delete = radio("radioButton_textNumberDelete", "删除", this);
    group({m_increase, m_delete}, this);
    m_left = radio("radioButton_textNumberLeft", "段首", this);
    m_right = radio("radioButton_textNumberRight", "段尾", this);
    group({m_left, m_right}, this);
    m_number = radio("radioButton_textNumberNumber", "数字", this);
    m_alpha = radio("radioButton_textNumberAlpha", "字母", this);
    m_custom = radio("radioButton_textNumberCustom", "自定义", this);
    group({m_number, m_alpha, m_custom}, this);

    m_customSequence = combo("comboBox_textNumberCustom",
                             {"零,壹,贰,叁,肆,伍,陆,柒,捌,玖", "〇,①,②,③,④,⑤,⑥,⑦,⑧,⑨"}, true, this);
    m_customSequence->setToolTip(QStringLiteral("自定义序列需要用英文逗号隔开"));
    m_customSequence->setEnabled(false);
    m_template = combo("comboBox_textNumberMode", {"i.", "(i)", "【i】"}, true, this);

    m_pad = new QGroupBox(QStringLiteral("补齐"), this);
    m_pad->setObjectName(QStringLiteral("groupBox_textNumberCharFixLength"));
    m_pad->setCheckable(true);
    m_pad->setChecked(false);
    m_padText = edit("lineEdit_textNumberChar", m_pad);
    m_padLength = edit("lineEdit_textNumberCharLength", m_pad);
    setDigitsOnly(m_padLength);
    auto *padLayout = new QGridLayout(m_pad);
    padLayout->addWidget(new QLabel(QStringLiteral(" 补齐字符 "), m_pad), 0, 0);
    padLayout->addWidget(m_padText, 0, 1);
    padLayout->addWidget(new QLabel(QStringLiteral(" 补齐长度 "), m_pad), 1, 0);
    padLayout->addWidget(m_padLength, 1, 1);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_increase, 0, 0);
    layout->addWidget(m_delete, 0, 1);
    layout->addWidget(m_left, 1, 0);
    layout->addWidget(m_right, 1, 1);
    layout->addWidget(m_number, 2, 0);
    layout->addWidget(m_alpha, 2, 1);
    layout->addWidget(m_custom, 3, 0);
    layout->addWidget(m_customSequence, 3, 1);
    layout->addWidget(new QLabel(QStringLiteral("模板(序列变量i)"), this), 4, 0);
    layout->addWidget(m_template, 4, 1);
    layout->addWidget(m_pad, 5, 0, 1, 2);
    layout->setRowStretch(6, 1);

    QMetaObject::connectSlotsByName(this);
}

void PageNumber::on_radioButton_textNumberCustom_toggled(bool checked)
{
    m_customSequence->setEnabled(checked);
}

std::optional<NumberOptions> PageNumber::options() const
{
    NumberOptions options;
    options.implement = m_increase->isChecked() ? NumberOptions::Increase : NumberOptions::Delete;
    options.index = m_left->isChecked() ? NumberOptions::Left : NumberOptions::Right;
    options.serial = m_custom->isChecked() ? NumberOptions::Custom
                     : m_alpha->isChecked() ? NumberOptions::Alpha : NumberOptions::Number;
    if (options.serial == NumberOptions::Custom)
        options.customSequence = m_customSequence->currentText();
    options.templateText = m_template->currentText();
    options.padEnabled = m_pad->isChecked();
    if (options.padEnabled) {
        options.padText = m_padText->text();
        options.padLength = numberOf(m_padLength->text());
    }
    if (!options.isValid())
        return std::nullopt;
    return options;
}
