#include "dockwidgettips.h"
#include "ui_dockwidgettips.h"

#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTime>
#include <QUrl>

#include "loghandler.h"
#include "tipcodes.h"
#include "tiptable.h"

namespace {

// The character formats of the message table's markup: <b> and the
// failure colour's <font>, alone or nested.
struct Formats
{
    QTextCharFormat plain;
    QTextCharFormat bold;
    QTextCharFormat failure;
    QTextCharFormat boldFailure;
    Formats()
    {
        bold.setFontWeight(QFont::Bold);
        failure.setForeground(TipTable::failureColour());
        boldFailure = bold;
        boldFailure.setForeground(TipTable::failureColour());
    }
    const QTextCharFormat &of(bool isBold, bool isFailure) const
    {
        return isBold ? (isFailure ? boldFailure : bold) : (isFailure ? failure : plain);
    }
};

// Puts one line into the pane at the cursor: the prefix as text, the
// message's small HTML (b, font color, p; the four usual entities) as
// formatted runs, blanks collapsed as an HTML view shows them. Much
// cheaper than parsing the line as a document fragment.
class LineWriter
{
public:
    LineWriter(QTextCursor &cursor, const Formats &formats)
        : m_cursor(cursor), m_formats(formats)
    {
    }

    void write(const QString &prefix, const QString &message)
    {
        m_space = true; // leading blanks are dropped
        m_bold = false;
        m_failure = false;
        m_run.clear();
        appendText(prefix.constData(), prefix.size());
        const QChar *c = message.constData();
        const QChar *end = c + message.size();
        while (c < end) {
            if (*c == QLatin1Char('<')) {
                const QChar *close = c;
                while (close < end && *close != QLatin1Char('>'))
                    ++close;
                tag(QStringView(c + 1, close - c - 1));
                c = close < end ? close + 1 : end;
            } else if (*c == QLatin1Char('&')) {
                const QChar *semi = c;
                while (semi < end && *semi != QLatin1Char(';') && semi - c < 8)
                    ++semi;
                const QStringView entity(c, semi - c + 1);
                QChar decoded;
                if (entity == QLatin1String("&lt;"))
                    decoded = QLatin1Char('<');
                else if (entity == QLatin1String("&gt;"))
                    decoded = QLatin1Char('>');
                else if (entity == QLatin1String("&amp;"))
                    decoded = QLatin1Char('&');
                else if (entity == QLatin1String("&quot;"))
                    decoded = QLatin1Char('"');
                if (decoded.isNull()) {
                    appendText(c, 1);
                    ++c;
                } else {
                    appendText(&decoded, 1);
                    c = semi + 1;
                }
            } else {
                const QChar *start = c;
                while (c < end && *c != QLatin1Char('<') && *c != QLatin1Char('&'))
                    ++c;
                appendText(start, c - start);
            }
        }
        emitRun();
    }

private:
    void appendText(const QChar *text, qsizetype length)
    {
        for (qsizetype i = 0; i < length; ++i) {
            const QChar ch = text[i];
            if (ch == QLatin1Char(' ') || ch == QLatin1Char('\n') || ch == QLatin1Char('\t') || ch == QLatin1Char('\r')) {
                if (!m_space)
                    m_run += QLatin1Char(' ');
                m_space = true;
            } else {
                m_run += ch;
                m_space = false;
            }
        }
    }

    void tag(QStringView name)
    {
        const bool closing = name.startsWith(QLatin1Char('/'));
        const QStringView bare = closing ? name.mid(1) : name;
        bool *flag = nullptr;
        if (bare.compare(QLatin1String("b"), Qt::CaseInsensitive) == 0)
            flag = &m_bold;
        else if (bare.startsWith(QLatin1String("font"), Qt::CaseInsensitive))
            flag = &m_failure;
        if (!flag)
            return; // <p> and </p>: the line is one paragraph anyway
        // The table colours nothing but failures.
        const bool value = !closing;
        if (*flag == value)
            return;
        emitRun();
        *flag = value;
    }

    void emitRun()
    {
        if (m_run.isEmpty())
            return;
        m_cursor.insertText(m_run, m_formats.of(m_bold, m_failure));
        m_run.clear();
    }

    QTextCursor &m_cursor;
    const Formats &m_formats;
    QString m_run;
    bool m_space = true;
    bool m_bold = false;
    bool m_failure = false;
};

// Block states of the pane's lines.
constexpr int ordinaryLine = 0;
constexpr int failureLine = 1;

} // namespace

DockWidgetTips::DockWidgetTips(QWidget *parent)
    : QDockWidget(parent)
    , ui(new Ui::DockWidgetTips)
{
    ui->setupUi(this);
    // The pane only grows during a run; an undo history of it would too.
    ui->textBrowser_message->document()->setUndoRedoEnabled(false);
    m_updateTimer.setSingleShot(true);
    connect(&m_updateTimer, &QTimer::timeout, this, &DockWidgetTips::flush);
    ui->label_folded->hide();
    connect(ui->label_folded, &QLabel::linkActivated, this, &DockWidgetTips::openLog);
}

DockWidgetTips::~DockWidgetTips()
{
    delete ui;
}

void DockWidgetTips::setExpected(int count)
{
    m_expectedCount = count;
    m_doneCount = 0;
    m_jobClock.start();
    m_jobDone = 0;
    m_jobUnchanged = 0;
    m_jobFailed = 0;
}

QString DockWidgetTips::messageText()
{
    flush();
    return ui->textBrowser_message->toPlainText();
}

QString DockWidgetTips::explainHtml() const
{
    return ui->textBrowser_explain->toHtml();
}

void DockWidgetTips::countForSummary(int var1, int var2)
{
    if (Tips::JobDone.is(var1, var2))
        ++m_jobDone;
    else if (Tips::Unchanged.is(var1, var2))
        ++m_jobUnchanged;
    else if (var1 == 0 && TipTable::isFailure(var1, var2)) // a file's own outcome
        ++m_jobFailed;
}

void DockWidgetTips::tip(int var1, int var2, const QString &fileName)
{
    QElapsedTimer busy;
    busy.start();
    m_inTip = true;
    countForSummary(var1, var2);
    const bool cancelled = Tips::JobCancelled.is(var1, var2);
    const bool closing = cancelled || Tips::AllDone.is(var1, var2);
    Line line;
    line.prefix = TipTable::prefix(timeText(), var1, var2, fileName);
    bool finished = false;
    if (Tips::JobDone.is(var1, var2)) {
        ++m_doneCount;
        // The line shows the count this completion reached (3/3 for the
        // last of three), before a finished job's counters start again.
        line.message = TipTable::message(var1, var2, m_doneCount, m_expectedCount);
        if (m_doneCount == m_expectedCount && m_expectedCount > 0) {
            m_doneCount = 0;
            m_expectedCount = 0;
            finished = true;
        }
    } else if (cancelled) {
        // Files neither done nor failed were not touched.
        const int untouched = qMax(0, m_expectedCount - m_jobDone - m_jobFailed);
        line.message = TipTable::cancelSummary(m_jobDone, m_jobFailed, untouched,
                                               m_jobClock.isValid() ? m_jobClock.elapsed() : 0);
        m_doneCount = m_expectedCount = 0;
        m_jobClock.invalidate();
        m_jobDone = m_jobUnchanged = m_jobFailed = 0;
    } else if (closing) {
        line.message = TipTable::summary(m_jobDone, m_jobUnchanged, m_jobFailed,
                                         m_jobClock.isValid() ? m_jobClock.elapsed() : 0);
        m_jobClock.invalidate();
        m_jobDone = m_jobUnchanged = m_jobFailed = 0;
    } else {
        line.message = TipTable::message(var1, var2);
    }
    line.failure = TipTable::isFailure(var1, var2);
    if (!closing && line.failure)
        qWarning().noquote() << line.prefix + TipTable::plainText(line.message);
    m_pending << line;

    if (finished || closing || m_pending.size() >= flushLines) {
        flush();
    } else if (!m_updateTimer.isActive()) {
        const qint64 since = m_sinceUpdate.isValid() ? m_sinceUpdate.elapsed() : updateInterval;
        if (since >= updateInterval)
            flush();
        else
            m_updateTimer.start(int(updateInterval - since));
    }
    m_inTip = false;
    m_busyNs += busy.nsecsElapsed();
    if (finished)
        emit finish();
}

void DockWidgetTips::flush()
{
    m_updateTimer.stop();
    if (m_pending.isEmpty())
        return;
    QElapsedTimer busy;
    busy.start();
    // Newest first, all in one edit: the pane is laid out once per update,
    // not once per line.
    static const Formats formats;
    QTextDocument *document = ui->textBrowser_message->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    const bool empty = document->isEmpty();
    // Splitting a block leaves its state with the first part, which is
    // the new line: the old top line's state is put back below.
    const int oldTopState = document->firstBlock().userState();
    cursor.beginEditBlock();
    LineWriter writer(cursor, formats);
    for (int i = m_pending.size() - 1; i >= 0; --i) {
        writer.write(m_pending.at(i).prefix, m_pending.at(i).message);
        if (i > 0 || !empty)
            cursor.insertBlock(QTextBlockFormat(), formats.plain);
    }
    cursor.endEditBlock();
    QTextBlock block = document->firstBlock();
    for (int i = m_pending.size() - 1; i >= 0 && block.isValid(); --i, block = block.next()) {
        const bool failure = m_pending.at(i).failure;
        block.setUserState(failure ? failureLine : ordinaryLine);
        if (!failure)
            ++m_ordinaryShown;
    }
    if (!empty && block.isValid())
        block.setUserState(oldTopState);
    m_pending.clear();
    if (m_ordinaryShown > keptLines + foldStep)
        fold();
    ++m_updates;
    m_sinceUpdate.start();
    if (!m_inTip) // within tip() its time is counted there
        m_busyNs += busy.nsecsElapsed();
}

void DockWidgetTips::fold()
{
    // From the oldest line up: runs of ordinary lines are removed whole,
    // failure lines stay where they are.
    QTextDocument *document = ui->textBrowser_message->document();
    QStringList folded; // oldest first
    int excess = m_ordinaryShown - keptLines;
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    QTextBlock block = document->lastBlock();
    while (excess > 0 && block.isValid()) {
        if (block.userState() == failureLine) {
            block = block.previous();
            continue;
        }
        // The run of ordinary lines ending at block, no longer than needed.
        QTextBlock first = block;
        int run = 1;
        folded << block.text();
        while (run < excess && first.previous().isValid() && first.previous().userState() != failureLine) {
            first = first.previous();
            folded << first.text();
            ++run;
        }
        const QTextBlock above = first.previous();
        const QTextBlock below = block.next();
        // The run and one separator beside it: the one below, or, for the
        // last lines of the pane, the one above.
        if (below.isValid()) {
            cursor.setPosition(first.position());
            cursor.setPosition(below.position(), QTextCursor::KeepAnchor);
        } else if (above.isValid()) {
            cursor.setPosition(above.position() + above.length() - 1);
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        } else {
            cursor.setPosition(first.position());
            cursor.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
        }
        cursor.removeSelectedText();
        excess -= run;
        m_ordinaryShown -= run;
        m_folded += run;
        block = above;
    }
    cursor.endEditBlock();
    // The log keeps the whole record; folded oldest first, as they came.
    LogHandler::appendRecord(folded);
    ui->label_folded->setText(foldedNote());
    ui->label_folded->show();
}

QString DockWidgetTips::foldedNote() const
{
    if (m_folded == 0)
        return QString();
    return QStringLiteral("已折叠较早的 %1 行消息(失败的行都保留在上面), 完整记录见 <a href=\"log\">日志</a>")
        .arg(m_folded);
}

void DockWidgetTips::openLog()
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(LogHandler::logFileName()).absoluteFilePath()));
}

QString DockWidgetTips::timeText()
{
    // The local time's text changes once a second; working it out for
    // every tip would cost a time-zone lookup each.
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != m_timeSecond) {
        m_timeSecond = second;
        m_timeText = QTime::currentTime().toString();
    }
    return m_timeText;
}

void DockWidgetTips::explain(const QString &html)
{
    ui->textBrowser_explain->setHtml(html);
}
