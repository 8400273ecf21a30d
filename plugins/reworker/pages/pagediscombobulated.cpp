#include "pagediscombobulated.h"

#include <QGridLayout>

#include "pagewidgets.h"

using namespace PageWidgets;

PageDiscombobulated::PageDiscombobulated(QWidget *parent)
    : TextPage(parent)
{
    m_paragraph = radio("radioButton_DiscombobulatedParagraph", "按段", this);
    m_one = radio("radioButton_DiscombobulatedOne", "按单个字符", this);
    m_fixed = radio("radioButton_DiscombobulatedFixed", "按指定字符数量:", this);
    group({m_paragraph, m_one, m_fixed}, this);
    m_count = edit("lineEdit_DiscombobulatedNumber", this);
    setDigitsOnly(m_count);
    m_count->setEnabled(false);

    auto *layout = new QGridLayout(this);
    layout->addWidget(m_paragraph, 0, 0);
    layout->addWidget(m_one, 1, 0);
    layout->addWidget(m_fixed, 2, 0);
    layout->addWidget(m_count, 2, 1);
    layout->setRowStretch(3, 1);

    QMetaObject::connectSlotsByName(this);
}

void PageDiscombobulated::on_radioButton_DiscombobulatedFixed_toggled(bool checked)
{
    m_count->setEnabled(checked);
}

std::optional<DiscombobulatedOptions> PageDiscombobulated::options() const
{
    DiscombobulatedOptions options;
    options.pattern = m_paragraph->isChecked() ? DiscombobulatedOptions::Paragraph : DiscombobulatedOptions::Fixed;
    options.count = m_one->isChecked() ? 1 : numberOf(m_count->text());
    if (!options.isValid())
        return std::nullopt;
    return options;
}
