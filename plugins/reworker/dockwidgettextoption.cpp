#include "dockwidgettextoption.h"

#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include "operationtable.h"
#include "pageadd.h"
#include "pagechar.h"
#include "pagecode.h"
#include "pagediscombobulated.h"
#include "pageenter.h"
#include "pageextraction.h"
#include "pagekeys.h"
#include "pagemerge.h"
#include "pagenumber.h"
#include "pagerepeatsplit.h"
#include "pagespace.h"
#include "pagetextto.h"
#include "textindex.h"
#include "textpage.h"

namespace {

template <class Page>
QWidget *make(QWidget *parent)
{
    return new Page(parent);
}

// The pages of stackedWidget_3 in their fixed positions (Enum_TextPage).
// A position without a page class yet holds an empty page of its name;
// building a page means giving its line the maker of its class.
struct PagePlace
{
    const char *objectName;
    QWidget *(*make)(QWidget *parent);
};

const PagePlace pagePlaces[pageCount] = {
    {"page_1", make<PageKeys>}, // keys: 替1, 替2, 留, 删, 段留, 段删
    {"page_8", make<PageTextTo>}, // 转换
    {"page_11", make<PageCode>}, // 编解码
    {"page_12", make<PageNumber>}, // 序号
    {"page_13", make<PageSpace>}, // 空格
    {"page_14", make<PageEnter>}, // 段间距
    {"page_15", make<PageChar>}, // 字符
    {"page_16", make<PageAdd>}, // 追加
    {"page_17", make<PageExtraction>}, // 提取
    {"page_18", make<PageDiscombobulated>}, // 乱
    {"page_19", make<PageRepeatSplit>}, // 重复, 拆分
    {"page_20", make<PageMerge>}, // 合并
    {"page_9", nullptr},  // the explanation page, built below
};

} // namespace

DockWidgetTextOption::DockWidgetTextOption(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
{
    setObjectName(QStringLiteral("DockWidgetTextOption"));
    setFloating(true);
    setMinimumSize(360, 550);

    m_stack = new QStackedWidget(this);
    m_stack->setObjectName(QStringLiteral("stackedWidget_3"));
    for (int position = 0; position < pageCount; ++position) {
        const PagePlace &place = pagePlaces[position];
        QWidget *page = place.make ? place.make(m_stack) : new QWidget(m_stack);
        page->setObjectName(QLatin1String(place.objectName));
        if (auto *textPage = qobject_cast<TextPage *>(page))
            connect(textPage, &TextPage::tipSignal, this, &DockWidgetTextOption::tipSignal);
        m_stack->addWidget(page);
    }

    // The explanation page: every operation's explanation in a scroll area.
    QWidget *explainPage = m_stack->widget(pageExplain);
    auto *layout = new QVBoxLayout(explainPage);
    layout->setContentsMargins(2, 2, 2, 2);
    auto *scroll = new QScrollArea(explainPage);
    scroll->setWidgetResizable(true);
    m_explain = new QLabel(scroll);
    m_explain->setObjectName(QStringLiteral("label_explain"));
    m_explain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(m_explain);
    layout->addWidget(scroll);

    setWidget(m_stack);
    setupPages(m_stack, m_explain);
    curTextSlot(table->state().currentIndex);
}

void DockWidgetTextOption::curTextSlot(int index)
{
    DockWidgetOptionBase::curTextSlot(index);
    const OperationRow *row = table()->row(index);
    if (!row || row->page < 0 || row->page >= m_stack->count())
        return;
    if (auto *page = qobject_cast<TextPage *>(m_stack->widget(row->page)))
        page->presetSlot(index);
}

void DockWidgetTextOption::rep2RangeSlot()
{
    for (int i = 0; i < m_stack->count(); ++i) {
        if (auto *page = qobject_cast<TextPage *>(m_stack->widget(i)))
            page->rangeFilesSlot(fileNames());
    }
}
