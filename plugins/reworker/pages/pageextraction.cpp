#include "pageextraction.h"

#include <QGridLayout>
#include <QLabel>
#include <QRegularExpressionValidator>

#include "pagewidgets.h"

using namespace PageWidgets;

PageExtraction::PageExtraction(QWidget *parent)
    : TextPage(parent)
{
    m_retain = radio("radioButton_textExtractionRetain", "保留", this);
    m_delete = radio("radioButton_31", "删除", this);
    group({m_retain, m_delete}, this);

    m_given = radio("radioButton_textExtractionGiven", "指定段", this);
    m_modulus = radio("radioButton_textExtractionModulus", "模数", this);
    m_custom = radio("radioButton_textExtractionCustom", "手动指定\n  (多个段之间用(,)隔开)", this);
    m_pos = radio("radioButton_textExtractionPos", "指定内容", this);
    group({m_given, m_modulus, m_custom, m_pos}, this);

    m_givenRule = combo("comboBox_textExtractionGiven", {"奇数段", "偶数段", "质数段"}, false, this);
    m_divisor = edit("lineEdit_textExtractionDivisor", this);
    m_remainder = edit("lineEdit_textExtractionModulus", this);
    setDigitsOnly(m_divisor);
    setDigitsOnly(m_remainder);
    m_list = edit("lineEdit_textExtractionList", this);
    m_list->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[\\d,]*")), m_list));
    m_position = combo("comboBox_textExtractionPosition", {"段首", "段尾", "包含"}, false, this);
    m_content = edit("lineEdit_textExtractionText", this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_retain, 0, 0);
    layout->addWidget(m_delete, 0, 1);
    layout->addWidget(m_given, 1, 0);
    layout->addWidget(m_givenRule, 1, 1, 1, 2);
    layout->addWidget(m_modulus, 2, 0);
    layout->addWidget(new QLabel(QStringLiteral("被除数："), this), 2, 1);
    layout->addWidget(m_divisor, 2, 2);
    layout->addWidget(new QLabel(QStringLiteral("模："), this), 3, 1);
    layout->addWidget(m_remainder, 3, 2);
    layout->addWidget(m_custom, 4, 0);
    layout->addWidget(m_list, 4, 1, 1, 2);
    layout->addWidget(m_pos, 5, 0);
    layout->addWidget(m_position, 5, 1);
    layout->addWidget(m_content, 5, 2);
    layout->setRowStretch(6, 1);

    QMetaObject::connectSlotsByName(this);
    on_radioButton_textExtractionModulus_toggled(false);
    on_radioButton_textExtractionCustom_toggled(false);
    on_radioButton_textExtractionPos_toggled(false);
}

void PageExtraction::on_radioButton_textExtractionGiven_toggled(bool checked)
{
    m_givenRule->setEnabled(checked);
}

void PageExtraction::on_radioButton_textExtractionModulus_toggled(bool checked)
{
    m_divisor->setEnabled(checked);
    m_remainder->setEnabled(checked);
}

void PageExtraction::on_radioButton_textExtractionCustom_toggled(bool checked)
{
    m_list->setEnabled(checked);
}

void PageExtraction::on_radioButton_textExtractionPos_toggled(bool checked)
{
    m_position->setEnabled(checked);
    m_content->setEnabled(checked);
}

std::optional<TextExtractionOption> PageExtraction::options() const
{
    // Only the chosen rule's inputs are read; the others stay 0 or empty.
    TextExtractionOption options;
    options.retain = m_retain->isChecked();
    if (m_given->isChecked()) {
        options.index = TextExtractionOption::Given;
        options.given = m_givenRule->currentIndex();
    } else if (m_modulus->isChecked()) {
        options.index = TextExtractionOption::Modulus;
        options.divisor = numberOf(m_divisor->text());
        options.modulus = numberOf(m_remainder->text());
    } else if (m_custom->isChecked()) {
        options.index = TextExtractionOption::Custom;
        options.numberList = m_list->text();
    } else {
        options.index = TextExtractionOption::Pos;
        options.pos = m_position->currentIndex();
        options.content = m_content->text();
    }
    if (!options.isValid())
        return std::nullopt;
    return options;
}
