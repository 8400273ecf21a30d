#include "pagerepeatsplit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "pagewidgets.h"
#include "textindex.h"

using namespace PageWidgets;

PageRepeatSplit::PageRepeatSplit(QWidget *parent)
    : TextPage(parent)
{
    m_ignoreOuterSpace = new QCheckBox(QStringLiteral("忽略首尾空白"), this);
    m_ignoreOuterSpace->setObjectName(QStringLiteral("checkBox_repeatTrimmed"));

    m_fixBlockNum = radio("radioButton_fixBlockNum", "固定段数", this);
    m_splitChar = radio("radioButton_splitChar", "分割字符", this);
    group({m_fixBlockNum, m_splitChar}, this);
    m_blockNum = edit("lineEdit_fixBlockNum", this);
    setDigitsOnly(m_blockNum);
    m_splitStr = edit("lineEdit_splitStr", this);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_ignoreOuterSpace, 0, 0, 1, 2);
    layout->addWidget(m_fixBlockNum, 1, 0);
    layout->addWidget(m_blockNum, 1, 1);
    layout->addWidget(m_splitChar, 2, 0);
    layout->addWidget(m_splitStr, 2, 1);
    layout->setRowStretch(3, 1);
    presetSlot(textRepeat);
}

void PageRepeatSplit::presetSlot(int index)
{
    const bool split = index == textMultiple;
    m_ignoreOuterSpace->setVisible(!split);
    for (QWidget *input : {static_cast<QWidget *>(m_fixBlockNum), static_cast<QWidget *>(m_blockNum),
                           static_cast<QWidget *>(m_splitChar), static_cast<QWidget *>(m_splitStr)})
        input->setVisible(split);
}

RepeatOptions PageRepeatSplit::repeatOptions() const
{
    RepeatOptions options;
    options.ignoreOuterSpace = m_ignoreOuterSpace->isChecked();
    return options;
}

std::optional<SplitOptions> PageRepeatSplit::splitOptions() const
{
    SplitOptions options;
    options.mode = m_fixBlockNum->isChecked() ? SplitOptions::ByCount : SplitOptions::ByLine;
    options.count = numberOf(m_blockNum->text());
    options.splitText = m_splitStr->text();
    if (!Split::isUsable(options))
        return std::nullopt;
    return options;
}
