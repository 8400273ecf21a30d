#include "pageadd.h"

#include <QGridLayout>
#include <QLabel>

#include "pagewidgets.h"

using namespace PageWidgets;

PageAdd::PageAdd(QWidget *parent)
    : TextPage(parent)
{
    m_block = radio("radioButton_addBlock", "按段", this);
    m_whole = radio("radioButton_addWhole", "整体", this);
    group({m_block, m_whole}, this);
    m_left = radio("radioButton_texAddLeft", "段首", this);
    m_right = radio("radioButton_textAddRight", "段尾", this);
    group({m_left, m_right}, this);
    m_start = edit("lineEdit_AddPos", this);
    m_lengthOption = combo("comboBox_addArrive", {"固定长度", "原有段文本总长度-"}, false, this);
    m_length = edit("lineEdit_AddArrive", this);
    setDigitsOnly(m_start);
    setDigitsOnly(m_length);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_block, 0, 0);
    layout->addWidget(m_whole, 0, 1);
    layout->addWidget(m_left, 1, 0);
    layout->addWidget(m_right, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("起始位置："), this), 2, 0);
    layout->addWidget(m_start, 2, 1);
    layout->addWidget(m_lengthOption, 3, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("追加文本长度："), this), 4, 0);
    layout->addWidget(m_length, 4, 1);
    layout->setRowStretch(5, 1);
}

AddOptions PageAdd::options() const
{
    AddOptions options;
    options.perLine = m_block->isChecked();
    options.index = m_left->isChecked() ? AddOptions::Left : AddOptions::Right;
    options.start = numberOf(m_start->text());
    options.lengthOption = AddOptions::LengthOption(m_lengthOption->currentIndex());
    options.length = numberOf(m_length->text());
    return options;
}
