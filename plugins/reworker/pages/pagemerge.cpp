#include "pagemerge.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

PageMerge::PageMerge(QWidget *parent)
    : TextPage(parent)
{
    auto *group = new QGroupBox(QStringLiteral("文章间隔内容"), this);
    group->setObjectName(QStringLiteral("groupBox_merge"));
    m_separator = new QPlainTextEdit(group);
    m_separator->setObjectName(QStringLiteral("plainTextEdit_MergeText"));
    auto *help = new QLabel(QStringLiteral("支持变量:\n[i]  文件序号\n[N]  文件名\n[S]  文件后缀\n[P]  全路径文件名\n其它内容代表其本身\n\n"),
                            group);
    help->setObjectName(QStringLiteral("label_39"));
    help->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto *row = new QHBoxLayout(group);
    row->addWidget(m_separator, 1);
    row->addWidget(help);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addStretch(1);
}

MergeOptions PageMerge::mergeOptions() const
{
    MergeOptions options;
    options.separator = m_separator->toPlainText();
    return options;
}
