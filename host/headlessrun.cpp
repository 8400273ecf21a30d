#include "headlessrun.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QTextCodec>
#include <QWidget>

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

#include "batchbackup.h"
#include "codesetting.h"
#include "pluginhost.h"
#include "presetstore.h"
#include "rangestate.h"
#include "readwritetxt.h"
#include "tipcodes.h"
#include "tiptable.h"
#include "undorun.h"
#include "unifieddiff.h"

namespace {

QString wordsOf(TipCode code)
{
    return TipTable::words(code.var1, code.var2).trimmed();
}

// The write end of the pipe that turns a signal into an event.
int g_signalPipe[2] = {-1, -1};

void onSignal(int number)
{
    const char byte = char(number);
    if (g_signalPipe[1] >= 0)
        (void)::write(g_signalPipe[1], &byte, 1);
}

} // namespace

void HeadlessRun::catchSignals()
{
    if (g_signalPipe[0] < 0 && ::pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &HeadlessRun::interrupted);
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGINT, &action, nullptr);
    ::sigaction(SIGTERM, &action, nullptr);
}

void HeadlessRun::interrupted()
{
    char byte = 0;
    if (::read(g_signalPipe[0], &byte, 1) != 1 || m_signal)
        return;
    m_signal = byte;
    if (m_face)
        m_face->cancelJobs();
}

HeadlessRun::HeadlessRun(std::FILE *out, std::FILE *err, QObject *parent)
    : QObject(parent)
    , m_window(std::make_unique<QWidget>())
    , m_out(out)
    , m_err(err)
    , m_terminal(QTextCodec::codecForLocale())
    , m_isTerminal(::isatty(::fileno(err)) == 1)
{
}

HeadlessRun::~HeadlessRun()
{
    m_window.reset();
    qDeleteAll(m_entries);
}

void HeadlessRun::out(const QString &line)
{
    clearProgress();
    const QByteArray bytes = m_terminal->fromUnicode(line + QLatin1Char('\n'));
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
    // Line by line also into a pipe, so a script reading the outcomes
    // gets each as its file ends.
    std::fflush(m_out);
}

void HeadlessRun::err(const QString &line)
{
    clearProgress();
    // What goes to the terminal does not wait behind the file lines.
    std::fflush(m_out);
    const QByteArray bytes = m_terminal->fromUnicode(line + QLatin1Char('\n'));
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_err);
}

void HeadlessRun::note(int var1, int var2, const QString &fileName)
{
    const QString words = TipTable::words(var1, var2).trimmed();
    err(QStringLiteral("scrivel: ") + (fileName.isEmpty() ? words : fileName + QLatin1Char(' ') + words));
}

void HeadlessRun::drawProgress()
{
    if (!m_isTerminal || m_total <= 0)
        return;
    // A few redraws a second are enough to follow thousands of files.
    if (m_progressShown && m_sinceBar.isValid() && m_sinceBar.elapsed() < 100 && m_ended < m_total)
        return;
    m_sinceBar.start();
    const int width = 30;
    const int filled = int(qint64(width) * m_ended / m_total);
    const QString bar = QStringLiteral("\r[%1%2] %3/%4")
                            .arg(QString(filled, QLatin1Char('#')), QString(width - filled, QLatin1Char(' ')))
                            .arg(m_ended)
                            .arg(m_total);
    std::fflush(m_out);
    const QByteArray bytes = bar.toLatin1();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_err);
    std::fflush(m_err);
    m_progressShown = true;
}

void HeadlessRun::clearProgress()
{
    if (!m_progressShown)
        return;
    std::fputs("\r\033[K", m_err);
    m_progressShown = false;
}

QString HeadlessRun::currentDocumentFileName()
{
    return m_entries.isEmpty() ? QString() : m_entries.first()->fileName;
}

QString HeadlessRun::listTitle(int index)
{
    return index == 0 ? QStringLiteral("List1") : QString();
}

QList<FileType *> HeadlessRun::listFiles(int index)
{
    return index == 0 ? m_entries : QList<FileType *>();
}

void HeadlessRun::setTaskCount(int count)
{
    m_total = count;
    m_ended = 0;
    drawProgress();
}

void HeadlessRun::jobProgress(int done, int total, const QString &fileName)
{
    Q_UNUSED(fileName)
    m_ended = done;
    m_total = total;
    drawProgress();
}

void HeadlessRun::sendTip(int var1, int var2, const QString &fileName)
{
    const TipCode code{var1, var2};
    if (code == Tips::PluginLoaded || code == Tips::PluginOpened || code == Tips::PluginClosed
        || code == Tips::PresetLoaded || code == Tips::AllDone || code == Tips::JobCancelled) {
        return; // the run's own summary closes it
    }
    if (code == Tips::JobDone) {
        ++m_done;
        return;
    }
    if (code == Tips::Saved) {
        out(QStringLiteral("changed\t") + fileName);
        return;
    }
    if (code == Tips::Unchanged) {
        ++m_unchanged;
        out(QStringLiteral("unchanged\t") + fileName);
        return;
    }
    if (code == Tips::WouldChange) {
        out(QStringLiteral("would-change\t") + fileName);
        return;
    }
    if (code == Tips::Cancelled || code == Tips::NoOperation)
        m_refused = true;
    // A file's own failure, or an operation refusing a file's text; the
    // undo store's and the presets' notes name no file of the run.
    const bool fileFailure = TipTable::isFailure(var1, var2) && !fileName.isEmpty()
        && var1 != Tips::StoreFull.var1 && var1 != Tips::PresetSaved.var1;
    if (fileFailure && !m_failedFiles.contains(fileName)) {
        m_failedFiles.insert(fileName);
        out(QStringLiteral("failed\t") + fileName + QLatin1Char('\t') + TipTable::words(var1, var2).trimmed());
        return;
    }
    if (fileFailure)
        return;
    note(var1, var2, fileName);
}

void HeadlessRun::jobsFinished(int succeeded, int failed)
{
    Q_UNUSED(succeeded)
    m_batchFailed = failed;
    m_finished = true;
}

void HeadlessRun::result(const QString &fileName, const QString &text)
{
    // The file is as it was: a dry run has written nothing.
    QString before;
    if (ReadWriteTxt::readFile(fileName, before) != ReadWriteTxt::ReadOk)
        return;
    const QString diff = UnifiedDiff::of(before, text, fileName, fileName);
    if (diff.isEmpty())
        return;
    clearProgress();
    const QByteArray bytes = m_terminal->fromUnicode(diff);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_out);
}

int HeadlessRun::run(const Request &request)
{
    CodeSetting::apply(CodeSetting::setting());
    QDir().mkpath(QDir::currentPath() + QStringLiteral("/log"));
    QDir().mkpath(QDir::currentPath() + QStringLiteral("/data"));

    const QString path = PresetStore::resolve(request.preset);
    Preset preset;
    QString error;
    if (!PresetStore::load(path, &preset, &error)) {
        err(QStringLiteral("scrivel: %1 %2 (%3)").arg(path, wordsOf(Tips::PresetUnreadable), error));
        return Refused;
    }

    const RunFiles::Result files = RunFiles::collect(request.files);
    int id = 0;
    for (const QString &name : files.files) {
        auto *entry = new FileType;
        entry->id = ++id;
        entry->fileName = name;
        m_entries << entry;
    }

    PluginHost plugins(this, nullptr, nullptr);
    plugins.loadAll(PluginHost::pluginFolder(QCoreApplication::applicationDirPath()));
    QAction *action = plugins.action(preset.plugin);
    QObject *root = action ? action->parent() : nullptr;
    ScrivelFace *face = qobject_cast<ScrivelFace *>(root);
    if (!face) {
        err(QStringLiteral("scrivel: %1 %2 (%3)").arg(path, wordsOf(Tips::PresetNotHere), preset.plugin));
        return Refused;
    }
    face->openPlugin(0, 0);
    m_face = face;
    catchSignals();
    bool applied = false;
    if (!QMetaObject::invokeMethod(root, "applyPreset", Qt::DirectConnection, Q_RETURN_ARG(bool, applied),
                                   Q_ARG(QString, path))) {
        err(QStringLiteral("scrivel: %1 %2 (%3)").arg(path, wordsOf(Tips::PresetNotHere), preset.plugin));
        return Refused;
    }
    if (!applied)
        return Refused; // its tip has said why

    // One list holds the run's files; multi-file operations make one
    // output of it.
    QMetaObject::invokeMethod(root, "setRunMode", Qt::DirectConnection, Q_ARG(int, int(currentList)),
                              Q_ARG(bool, request.dryRun));
    connect(root, SIGNAL(jobsFinishedSignal(int,int)), this, SLOT(jobsFinished(int,int)));
    if (request.diff)
        connect(root, SIGNAL(resultSignal(QString,QString)), this, SLOT(result(QString,QString)));

    m_clock.start();
    QMetaObject::invokeMethod(root, "startSlot", Qt::DirectConnection);
    // A start that neither ended nor runs would leave the run waiting for
    // ever: it is reported as refused instead.
    bool running = false;
    QMetaObject::invokeMethod(root, "isRunning", Qt::DirectConnection, Q_RETURN_ARG(bool, running));
    if (!m_finished && !running) {
        err(QStringLiteral("scrivel: %1 %2").arg(path, wordsOf(Tips::Cancelled)));
        return Refused;
    }
    while (!m_finished)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // Tips posted before the end (leftovers removed, the last outcomes).
    QCoreApplication::processEvents();
    clearProgress();

    if (m_signal) {
        const int untouched = qMax(0, m_total - m_done - m_batchFailed);
        err(TipTable::plainText(TipTable::cancelSummary(m_done, m_batchFailed, untouched, m_clock.elapsed())).trimmed());
        std::fflush(m_out);
        return 128 + m_signal;
    }
    if (m_refused)
        return Refused;
    const int failed = qMax(m_batchFailed, m_failedFiles.size());
    QString summary = TipTable::plainText(TipTable::summary(m_done, m_unchanged, failed, m_clock.elapsed()));
    if (files.binarySkipped > 0)
        summary += QStringLiteral(", 跳过二进制文件 %1 个").arg(files.binarySkipped);
    if (request.dryRun)
        summary += QStringLiteral("(试运行,未写入任何文件)");
    err(summary.trimmed());
    std::fflush(m_out);
    return failed > 0 ? SomeFailed : AllDone;
}

int HeadlessRun::undo()
{
    CodeSetting::apply(CodeSetting::setting());
    bool left = false;
    for (const UndoRun::Tip &tip : UndoRun::run(BatchBackup::defaultRoot())) {
        if (tip.code == Tips::Restored) {
            out(QStringLiteral("restored	") + tip.fileName);
        } else if (tip.code == Tips::ChangedSince || tip.code == Tips::RestoreFailed) {
            left = true;
            out(QStringLiteral("left	") + tip.fileName + QLatin1Char('	') + wordsOf(tip.code));
        } else if (tip.code == Tips::UndoDone) {
            err(wordsOf(tip.code) + QLatin1Char(' ') + tip.fileName);
        } else {
            note(tip.code.var1, tip.code.var2, tip.fileName);
        }
    }
    std::fflush(m_out);
    return left ? SomeFailed : AllDone;
}
