#ifndef DOCKWIDGETTEXTOPTION_H
#define DOCKWIDGETTEXTOPTION_H

#include <QStackedWidget>

#include <optional>
#include <type_traits>

#include "dockwidgetoptionbase.h"
#include "operationrow.h"

class QLabel;

// The text plug-in's option dock: the stacked widget "stackedWidget_3"
// with the pages the operation table describes (each a class of its own in
// pages/ that reads its option record) and the explanation page. The dock only chooses the
// page and title of an operation, lets the page preset itself, hands the
// range's files to the pages and passes their tips on.
class DockWidgetTextOption : public DockWidgetOptionBase
{
    Q_OBJECT
public:
    DockWidgetTextOption(OperationTable *table, QWidget *parent = nullptr);

    QStackedWidget *stack() const { return m_stack; }

    // The page of class Page; null when no position holds one.
    template <class Page>
    Page *page() const
    {
        for (int i = 0; i < m_stack->count(); ++i) {
            if (auto *p = qobject_cast<Page *>(m_stack->widget(i)))
                return p;
        }
        return nullptr;
    }

    // The same through a dock as an option getter receives it.
    template <class Page>
    static Page *pageOf(DockWidgetOptionBase *dock)
    {
        auto *text = qobject_cast<DockWidgetTextOption *>(dock);
        return text ? text->page<Page>() : nullptr;
    }

public slots:
    void curTextSlot(int index) override;
    void rep2RangeSlot() override;

private:
    QStackedWidget *m_stack;
    QLabel *m_explain = nullptr;
};

namespace TextOptions {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class R>
OptionRecord *toRecord(R &&result)
{
    using Plain = std::decay_t<R>;
    if constexpr (IsOptional<Plain>::value) {
        if (!result)
            return nullptr;
        return new typename Plain::value_type(*std::forward<R>(result));
    } else {
        return new Plain(std::forward<R>(result));
    }
}

} // namespace TextOptions

// The option getter of an operation table row whose record is read by one
// const method of a page: R Page::read() const, where R is the record or
// std::optional of it (nullopt: the options are unusable, the start is
// refused).
template <class Page, class R>
OperationRow::OptionsGetter pageOptions(R (Page::*read)() const)
{
    return [read](DockWidgetOptionBase *dock, const QStringList &) -> OptionRecord * {
        Page *page = DockWidgetTextOption::pageOf<Page>(dock);
        return page ? TextOptions::toRecord((page->*read)()) : nullptr;
    };
}

// The same for a method that also needs the files the start covers.
template <class Page, class R>
OperationRow::OptionsGetter pageOptions(R (Page::*read)(const QStringList &files) const)
{
    return [read](DockWidgetOptionBase *dock, const QStringList &files) -> OptionRecord * {
        Page *page = DockWidgetTextOption::pageOf<Page>(dock);
        return page ? TextOptions::toRecord((page->*read)(files)) : nullptr;
    };
}

#endif // DOCKWIDGETTEXTOPTION_H
