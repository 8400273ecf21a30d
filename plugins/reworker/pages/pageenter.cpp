#include "pageenter.h"

#include <QGridLayout>

#include "pagewidgets.h"

using namespace PageWidgets;

PageEnter::PageEnter(QWidget *parent)
    : TextPage(parent)
{
    m_one = radio("radioButton_enterOne", "连续多换行符到单换行符", this);
    m_number = radio("radioButton_enterNum", "指定连续换行符数量:", this);
    group({m_one, m_number}, this);
    m_breaks = edit("lineEdit_enterNum", this);
    setDigitsOnly(m_breaks);
    m_breaks->setEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_one, 0, 0, 1, 2);
    layout->addWidget(m_number, 1, 0);
    layout->addWidget(m_breaks, 1, 1);
    layout->setRowStretch(2, 1);

    QMetaObject::connectSlotsByName(this);
}

void PageEnter::on_radioButton_enterNum_toggled(bool checked)
{
    m_breaks->setEnabled(checked);
}

EnterOptions PageEnter::options() const
{
    EnterOptions options;
    options.breaks = m_one->isChecked() ? 1 : numberOf(m_breaks->text());
    return options;
}
