#include "pagespace.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "pagewidgets.h"

using namespace PageWidgets;

PageSpace::PageSpace(QWidget *parent)
    : TextPage(parent)
{
    m_left = radio("radioButton_SpaceLeft", "段首", this);
    m_right = radio("radioButton_SpaceRight", "段尾", this);
    m_all = radio("radioButton_SpaceAll", "全部", this);
    group({m_left, m_right, m_all}, this);

    m_increase = radio("radioButton_SpaceIncrease", "增加", this);
    m_retain = radio("radioButton_SpaceRetain", "保留", this);
    m_fixde = radio("radioButton_SpaceFixde", "指定", this);
    m_delete = radio("radioButton_SpaceDelete", "删除", this);
    group({m_increase, m_retain, m_fixde, m_delete}, this);

    m_count = edit("lineEdit_SpaceNumber", this);
    setDigitsOnly(m_count);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_left, 0, 0);
    layout->addWidget(m_right, 0, 1);
    layout->addWidget(m_all, 0, 2);
    layout->addWidget(m_increase, 1, 0);
    layout->addWidget(m_retain, 1, 1);
    layout->addWidget(m_fixde, 1, 2);
    layout->addWidget(m_delete, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("数量："), this), 2, 0);
    layout->addWidget(m_count, 2, 1, 1, 3);
    layout->setRowStretch(3, 1);

    QMetaObject::connectSlotsByName(this);
}

void PageSpace::on_radioButton_SpaceAll_toggled(bool checked)
{
    for (QWidget *input : {static_cast<QWidget *>(m_increase), static_cast<QWidget *>(m_retain),
                           static_cast<QWidget *>(m_fixde), static_cast<QWidget *>(m_delete),
                           static_cast<QWidget *>(m_count)})
        input->setEnabled(!checked);
    if (checked)
        m_delete->setChecked(true);
}

SpaceOptions PageSpace::options() const
{
    SpaceOptions options;
    options.index = m_all->isChecked() ? SpaceOptions::All
                    : m_right->isChecked() ? SpaceOptions::Right : SpaceOptions::Left;
    options.implement = m_retain->isChecked() ? SpaceOptions::Retain
                        : m_fixde->isChecked() ? SpaceOptions::Fixde
                        : m_delete->isChecked() ? SpaceOptions::Delete : SpaceOptions::Increase;
    options.count = numberOf(m_count->text());
    return options;
}
