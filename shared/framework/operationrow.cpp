#include "operationrow.h"

OperationRow OperationRow::describe(int index, const QString &labelObject, const QString &caption,
                                    const QString &title, int page, const QString &explanation,
                                    const QString &toolTip, Start start)
{
    OperationRow r;
    r.index = index;
    r.labelObject = labelObject;
    r.caption = caption;
    r.title = title;
    r.page = page;
    r.explanation = explanation;
    r.toolTip = toolTip;
    r.start = start;
    return r;
}

OperationRow &OperationRow::withJob(OptionsGetter getter, JobMaker maker)
{
    options = std::move(getter);
    job = std::move(maker);
    return *this;
}

OperationRow &OperationRow::generates(const QString &list, bool onceWritten)
{
    scope = GeneratesFiles;
    producedList = list;
    listOnceWritten = onceWritten;
    return *this;
}

OperationRow &OperationRow::withListJob(OptionsGetter getter, ListJobMaker maker)
{
    options = std::move(getter);
    listJob = std::move(maker);
    scope = PerList;
    return *this;
}
