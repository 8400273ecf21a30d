#include "forger.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

#include <algorithm>
#include <limits>

#include "dockwidgetnew.h"
#include "dockwidgetnewoption.h"
#include "ini.h"
#include "jobbatch.h"
#include "newjob.h"
#include "newnumber.h"
#include "newplan.h"
#include "newvariableint.h"
#include "tipcodes.h"

namespace {

// [new] branchNumber of "./configure.ini", what the option page shows.
qint64 perFile()
{
    return readIni(configureIni(), QStringLiteral("new"), QStringLiteral("branchNumber"), QStringLiteral("100000"))
        .trimmed()
        .toLongLong();
}

OptionRecord *numberOptions(DockWidgetOptionBase *dock, const QStringList &)
{
    auto *page = qobject_cast<DockWidgetNewOption *>(dock);
    NewNumberOptions *options = page ? page->numberOptions() : nullptr;
    if (!options || !NewNumber::prepare(*options)) {
        delete options;
        return nullptr;
    }
    options->perFile = perFile();
    options->items = NewNumber::lineCount(*options);
    options->bytes = NewNumber::byteCount(*options);
    return options;
}

TextBase *numberJob(const QString &fileName, const OptionRecord *record, int position)
{
    auto *options = static_cast<const NewNumberOptions *>(record);
    const NewPlan::Range range = NewPlan::range(qint64(options->items), options->perFile, position);
    // The range 0..0 of an enumeration without lines is one empty file.
    const quint64 first = range.first > 0 ? quint64(range.first - 1) : 0;
    const quint64 lines = range.first > 0 ? quint64(range.last - range.first + 1) : 0;
    return new NewNumber(fileName, options, first, lines);
}

OptionRecord *variableOptions(DockWidgetOptionBase *dock, const QStringList &)
{
    auto *page = qobject_cast<DockWidgetNewOption *>(dock);
    NewVariableOptions *options = page ? page->variableOptions() : nullptr;
    const qint64 items = page ? page->itemCount() : -1;
    if (!options || items < 0 || !NewVariableInt::prepare(*options)) {
        delete options;
        return nullptr;
    }
    options->perFile = perFile();
    options->items = quint64(items);
    // No items still give one file with the one item 0.
    options->bytes = items > 0 ? NewVariableInt::byteCount(*options, 1, items) : NewVariableInt::byteCount(*options, 0, 0);
    return options;
}

TextBase *variableJob(const QString &fileName, const OptionRecord *record, int position)
{
    auto *options = static_cast<const NewVariableOptions *>(record);
    const NewPlan::Range range = NewPlan::range(qint64(options->items), options->perFile, position);
    return new NewVariableInt(fileName, options, range.first, range.last);
}

} // namespace

Forger::Forger(QObject *parent)
    : PluginBase(QStringLiteral("New"), QStringLiteral("V0.0.0.1"), QStringLiteral("new_"), QStringLiteral("new"),
                 parent)
{
    setOperations({
        OperationRow::describe(newNone, "", "", "创建-说明", 5, "", ""),
        OperationRow::describe(newNumber, "Label_newNumber", "数字", "创建选项 - 数字", 0,
                               "<b>文本创建：数字</b><br>枚举指定范围、指定数量的数字组合",
                               "数字：枚举指定范围、指定数量的数字组合，写入新文件")
            .withJob(numberOptions, numberJob)
            .generates("New"),
        OperationRow::describe(newUserPwd, "Label_newUserPwd", "账号秘密", "创建选项 - 账号密码", 1,
                               "<b>文本创建：账号密码</b><br>", "账号密码：尚未实现，按“处理”不做任何事",
                               OperationRow::Nothing)
            .generates("New"),
        OperationRow::describe(newDictionaries, "Label_newDictionaries", "字典", "创建选项 - 词典", 2,
                               "<b>文本创建：词典</b><br>", "词典：尚未实现，按“处理”不做任何事", OperationRow::Nothing)
            .generates("New"),
        OperationRow::describe(newVariableInt, "Label_newVariableInt", "整数变量", "创建选项 - 整数变量", 3,
                               "<b>文本创建：整数变量</b><br>通过带有【整数】变量的文本模板，生成指定数量的文本",
                               "整数变量：用带整数变量的文本模板生成指定数量的文本，写入新文件")
            .withJob(variableOptions, variableJob)
            .generates("New"),
        OperationRow::describe(newVariableText, "Label_newVariableText", "文本变量", "创建选项 - 文本变量", 4,
                               "<b>文本创建：文本变量</b><br>通过带有【文本】变量的文本模板，生成指定数量的文本",
                               "文本变量：用带文本变量的模板生成文本；尚未实现，按“处理”不做任何事",
                               OperationRow::Nothing)
            .generates("New"),
    });
}

bool Forger::openPlugin(int x, int y)
{
    const bool created = PluginBase::openPlugin(x, y);
    if (created && optionDock() && state().currentIndex == newNone)
        optionDock()->setWindowTitle(QStringLiteral("创建选项"));
    return created;
}

QString Forger::outputFolder()
{
    return QDir::current().absoluteFilePath(QStringLiteral("data"));
}

DockWidgetListBase *Forger::createListDock(QWidget *parent)
{
    return new DockWidgetNew(table(), parent);
}

DockWidgetOptionBase *Forger::createOptionDock(QWidget *parent)
{
    return new DockWidgetNewOption(table(), parent);
}

bool Forger::beginStart(ScrivelFace *)
{
    // Every start takes a run number, whatever follows, and needs no list.
    m_folder = outputFolder();
    QDir().mkpath(m_folder);
    m_startTime = m_clock.isValid() ? m_clock : QDateTime::currentDateTime();
    m_run = NewPlan::nextRunNumber(configureIni(), m_startTime.date());
    return true;
}

bool Forger::planJobs(const OperationRow &row, JobBatch *batch)
{
    auto *options = static_cast<NewOptions *>(row.options ? row.options(optionDock(), QStringList()) : nullptr);
    QList<NewPlan::Range> ranges;
    if (options && options->items <= quint64(std::numeric_limits<qint64>::max()) && fits(options->bytes, m_folder))
        ranges = NewPlan::split(qint64(options->items), options->perFile);
    // The names of different runs can meet (run 1's file 10 and run 11's
    // file 0, or the same hour of another day): an existing file is never
    // replaced, the run number moves on until every name is free.
    QStringList names;
    for (int attempt = 0; !ranges.isEmpty() && names.isEmpty() && attempt < 1000; ++attempt) {
        QStringList planned;
        for (int k = 0; k < ranges.size(); ++k)
            planned << NewPlan::fileName(m_folder, m_startTime.time(), m_run, k);
        if (std::none_of(planned.cbegin(), planned.cend(), [](const QString &name) { return QFileInfo::exists(name); }))
            names = planned;
        else
            m_run = NewPlan::nextRunNumber(configureIni(), m_startTime.date());
    }
    if (names.isEmpty()) {
        delete options;
        return false;
    }
    batch->adopt(options);
    for (int k = 0; k < names.size(); ++k)
        batch->add(row.job(names.at(k), options, k));
    return true;
}

bool Forger::fits(quint64 bytes, const QString &folder) const
{
    const qint64 available = m_freeSpaceLimit >= 0 ? m_freeSpaceLimit : QStorageInfo(folder).bytesAvailable();
    return available >= 0 && bytes <= quint64(available);
}
