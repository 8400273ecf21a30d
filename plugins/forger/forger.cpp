#include "forger.h"

#include <QDir>
#include <QStorageInfo>

#include <limits>

#include "dockwidgetnew.h"
#include "dockwidgetnewoption.h"
#include "ini.h"
#include "jobbatch.h"
#include "newjob.h"
#include "newnumber.h"
#include "newplan.h"
#include "newvariableint.h"

namespace {

OperationRow row(int index, const char *label, const char *caption, const char *title, int page,
                 const char *explanation, OperationRow::Start start)
{
    OperationRow r;
    r.index = index;
    r.labelObject = QLatin1String(label);
    r.caption = QString::fromUtf8(caption);
    r.title = QString::fromUtf8(title);
    r.page = page;
    r.explanation = QString::fromUtf8(explanation);
    r.start = start;
    return r;
}

} // namespace

Forger::Forger(QObject *parent)
    : PluginBase(QStringLiteral("New"), QStringLiteral("V0.0.0.1"), QStringLiteral("new_"), QStringLiteral("new"),
                 parent)
{
    setOperations({
        row(newNone, "", "", "创建-说明", 5, "", OperationRow::NoJob),
        row(newNumber, "Label_newNumber", "数字", "创建选项 - 数字", 0,
            "<b>文本创建：数字</b><br>枚举指定范围、指定数量的数字组合", OperationRow::Jobs),
        row(newUserPwd, "Label_newUserPwd", "账号秘密", "创建选项 - 账号密码", 1, "<b>文本创建：账号密码</b><br>",
            OperationRow::Nothing),
        row(newDictionaries, "Label_newDictionaries", "字典", "创建选项 - 词典", 2, "<b>文本创建：词典</b><br>",
            OperationRow::Nothing),
        row(newVariableInt, "Label_newVariableInt", "整数变量", "创建选项 - 整数变量", 3,
            "<b>文本创建：整数变量</b><br>通过带有【整数】变量的文本模板，生成指定数量的文本", OperationRow::Jobs),
        row(newVariableText, "Label_newVariableText", "文本变量", "创建选项 - 文本变量", 4,
            "<b>文本创建：文本变量</b><br>通过带有【文本】变量的文本模板，生成指定数量的文本", OperationRow::Nothing),
    });
    connect(this, &PluginBase::jobsFinishedSignal, this, &Forger::addProducedFiles);
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
    return new DockWidgetNew(this, parent);
}

DockWidgetOptionBase *Forger::createOptionDock(QWidget *parent)
{
    return new DockWidgetNewOption(this, parent);
}

void Forger::startSlot()
{
    ScrivelFace *h = host();
    // One start at a time: the window stays disabled until its files are
    // written, and a second press while it runs does nothing.
    if (!h || isRunning())
        return;
    h->setUiEnabled(false);
    setUiEnabled(false);
    m_planned.clear();
    m_written.clear();

    auto *dock = qobject_cast<DockWidgetNewOption *>(optionDock());
    const qint64 items = dock ? dock->itemCount() : 0;
    const qint64 perFile = readIni(configureIni(), QStringLiteral("new"), QStringLiteral("branchNumber"),
                                   QStringLiteral("100000")).toLongLong();
    const QString folder = outputFolder();
    QDir().mkpath(folder);
    const QDateTime now = m_clock.isValid() ? m_clock : QDateTime::currentDateTime();
    // Every start takes a run number, whatever follows.
    const int run = NewPlan::nextRunNumber(configureIni(), now.date());

    switch (state().currentIndex) {
    case newNumber:
        startNumbers(perFile, folder, now.time(), run);
        break;
    case newVariableInt:
        startVariables(items, perFile, folder, now.time(), run);
        break;
    case newUserPwd:
    case newDictionaries:
    case newVariableText:
        h->newList(QStringLiteral("New"));
        endStart();
        break;
    default:
        h->sendTip(-9, 9, QString());
        endStart();
        break;
    }
}

void Forger::startNumbers(qint64 perFile, const QString &folder, const QTime &time, int run)
{
    auto *dock = qobject_cast<DockWidgetNewOption *>(optionDock());
    NewNumberOptions *options = dock ? dock->numberOptions() : nullptr;
    QList<NewPlan::Range> ranges;
    if (options && NewNumber::prepare(*options)) {
        const quint64 lines = NewNumber::lineCount(*options);
        if (lines <= quint64(std::numeric_limits<qint64>::max()) && fits(NewNumber::byteCount(*options), folder))
            ranges = NewPlan::split(qint64(lines), perFile);
    }
    if (ranges.isEmpty()) {
        delete options;
        cancelSlot();
        return;
    }
    host()->newList(QStringLiteral("New"));
    JobBatch *batch = newBatch();
    batch->adopt(options);
    for (int k = 0; k < ranges.size(); ++k) {
        const NewPlan::Range &range = ranges.at(k);
        const QString name = NewPlan::fileName(folder, time, run, k);
        m_planned << name;
        // The range 0..0 of an enumeration without lines is one empty file.
        const quint64 first = range.first > 0 ? quint64(range.first - 1) : 0;
        const quint64 lines = range.first > 0 ? quint64(range.last - range.first + 1) : 0;
        batch->add(new NewNumber(name, options, first, lines));
    }
    runBatch(batch);
}

void Forger::startVariables(qint64 items, qint64 perFile, const QString &folder, const QTime &time, int run)
{
    auto *dock = qobject_cast<DockWidgetNewOption *>(optionDock());
    NewVariableOptions *options = dock ? dock->variableOptions() : nullptr;
    QList<NewPlan::Range> ranges;
    if (options && items >= 0 && NewVariableInt::prepare(*options)) {
        ranges = NewPlan::split(items, perFile);
        if (!ranges.isEmpty()
            && !fits(NewVariableInt::byteCount(*options, ranges.first().first, ranges.last().last), folder))
            ranges.clear();
    }
    if (ranges.isEmpty()) {
        delete options;
        cancelSlot();
        return;
    }
    host()->newList(QStringLiteral("New"));
    JobBatch *batch = newBatch();
    batch->adopt(options);
    for (int k = 0; k < ranges.size(); ++k) {
        const QString name = NewPlan::fileName(folder, time, run, k);
        m_planned << name;
        batch->add(new NewVariableInt(name, options, ranges.at(k).first, ranges.at(k).last));
    }
    runBatch(batch);
}

bool Forger::fits(quint64 bytes, const QString &folder) const
{
    const qint64 available = m_freeSpaceLimit >= 0 ? m_freeSpaceLimit : QStorageInfo(folder).bytesAvailable();
    return available >= 0 && bytes <= quint64(available);
}

void Forger::jobFinished(TextBase *worker)
{
    auto *job = qobject_cast<NewJob *>(worker);
    if (job && job->succeeded()) {
        m_written << job->fileName();
        m_listTitle = job->listTitle();
    }
}

void Forger::addProducedFiles()
{
    ScrivelFace *h = host();
    if (!h)
        return;
    // In the order of the files, whatever order their jobs ended in.
    for (const QString &name : qAsConst(m_planned)) {
        if (m_written.contains(name))
            h->addFileToList(name, m_listTitle);
    }
    m_planned.clear();
    m_written.clear();
}
