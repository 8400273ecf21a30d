#include "pagechar.h"

#include <QGridLayout>
#include <QPlainTextEdit>

#include "pagewidgets.h"

using namespace PageWidgets;

PageChar::PageChar(QWidget *parent)
    : TextPage(parent)
{
    m_block = radio("radioButton_charBlock", "按段", this);
    m_whole = radio("radioButton_charWhole", "整体", this);
    group({m_block, m_whole}, this);

    m_left = radio("radioButton_charLeft", "段首", this);
    m_right = radio("radioButton_charRight", "段尾", this);
    m_pos = radio("radioButton_charPos", "段指定位置", this);
    group({m_left, m_right, m_pos}, this);
    m_position = edit("lineEdit_charPos", this);

    m_increase = radio("radioButton_charIncrease", "增加指定内容", this);
    m_delete = radio("radioButton_charDelete", "删除字符数量", this);
    m_retain = radio("radioButton_charRetain", "保留字符数量", this);
    group({m_increase, m_delete, m_retain}, this);
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("plainTextEdit_charIncrease"));
    m_lengthOption = combo("comboBox_charArrive", {"固定长度", "原有段文本总长度-"}, false, this);
    m_deleteCount = edit("lineEdit_charDelete", this);
    m_retainCount = edit("lineEdit_charRetain", this);
    for (QLineEdit *number : {m_position, m_deleteCount, m_retainCount})
        setDigitsOnly(number);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_block, 0, 0);
    layout->addWidget(m_whole, 0, 1);
    layout->addWidget(m_left, 1, 0);
    layout->addWidget(m_right, 1, 1);
    layout->addWidget(m_pos, 2, 0);
    layout->addWidget(m_position, 2, 1);
    layout->addWidget(m_increase, 3, 0, 1, 2);
    layout->addWidget(m_text, 4, 0, 1, 2);
    layout->addWidget(m_delete, 5, 0);
    layout->addWidget(m_lengthOption, 6, 0);
    layout->addWidget(m_deleteCount, 6, 1);
    layout->addWidget(m_retain, 7, 0);
    layout->addWidget(m_retainCount, 7, 1);
    layout->setRowStretch(8, 1);

    QMetaObject::connectSlotsByName(this);
    on_radioButton_charPos_toggled(false);
    on_radioButton_charDelete_toggled(false);
    on_radioButton_charRetain_toggled(false);
}

void PageChar::on_radioButton_charBlock_toggled(bool checked)
{
    m_left->setText(checked ? QStringLiteral("段首") : QStringLiteral("整体首"));
    m_right->setText(checked ? QStringLiteral("段尾") : QStringLiteral("整体尾"));
    m_pos->setText(checked ? QStringLiteral("段指定位置") : QStringLiteral("整体指定位置"));
}

void PageChar::on_radioButton_charPos_toggled(bool checked)
{
    m_position->setEnabled(checked);
}

void PageChar::on_radioButton_charIncrease_toggled(bool checked)
{
    m_text->setEnabled(checked);
}

void PageChar::on_radioButton_charDelete_toggled(bool checked)
{
    m_deleteCount->setEnabled(checked);
    m_lengthOption->setEnabled(checked);
}

void PageChar::on_radioButton_charRetain_toggled(bool checked)
{
    m_retainCount->setEnabled(checked);
}

CharOptions PageChar::options() const
{
    CharOptions options;
    options.perLine = m_block->isChecked();
    options.index = m_right->isChecked() ? CharOptions::Right
                    : m_pos->isChecked() ? CharOptions::Pos : CharOptions::Left;
    options.position = numberOf(m_position->text());
    if (m_delete->isChecked()) {
        options.implement = CharOptions::Delete;
        options.lengthOption = CharOptions::LengthOption(m_lengthOption->currentIndex());
        options.value = m_deleteCount->text();
    } else if (m_retain->isChecked()) {
        options.implement = CharOptions::Retain;
        options.value = m_retainCount->text();
    } else {
        options.implement = CharOptions::Increase;
        options.value = m_text->toPlainText();
    }
    return options;
}
