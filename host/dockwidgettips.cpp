#include "dockwidgettips.h"
#include "ui_dockwidgettips.h"

#include <QDebug>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTime>

#include "tipcodes.h"
#include "tiptable.h"

DockWidgetTips::DockWidgetTips(QWidget *parent)
    : QDockWidget(parent)
    , ui(new Ui::DockWidgetTips)
{
    ui->setupUi(this);
    // The pane only grows during a run; an undo history of it would too.
    ui->textBrowser_message->document()->setUndoRedoEnabled(false);
    m_updateTimer.setSingleShot(true);
    connect(&m_updateTimer, &QTimer::timeout, this, &DockWidgetTips::flush);
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
    if (var1 == Tips::JobDone.var1 && var2 == Tips::JobDone.var2)
        ++m_jobDone;
    else if (var1 == Tips::Unchanged.var1 && var2 == Tips::Unchanged.var2)
        ++m_jobUnchanged;
    else if (var1 == 0 && TipTable::isFailure(var1, var2))
        ++m_jobFailed;
}

void DockWidgetTips::tip(int var1, int var2, const QString &fileName)
{
    QElapsedTimer busy;
    busy.start();
    countForSummary(var1, var2);
    bool finished = false;
    if (var1 == Tips::JobDone.var1 && var2 == Tips::JobDone.var2) {
        ++m_doneCount;
        if (m_doneCount == m_expectedCount && m_expectedCount > 0) {
            m_doneCount = 0;
            m_expectedCount = 0;
            finished = true;
        }
    }
    const QTime now = QTime::currentTime();
    const bool closing = var1 == Tips::AllDone.var1 && var2 == Tips::AllDone.var2;
    QString line;
    if (closing) {
        line = TipTable::prefix(now, var1, var2, fileName)
            + TipTable::summary(m_jobDone, m_jobUnchanged, m_jobFailed,
                                m_jobClock.isValid() ? m_jobClock.elapsed() : 0);
        m_jobClock.invalidate();
        m_jobDone = m_jobUnchanged = m_jobFailed = 0;
    } else {
        line = TipTable::line(now, var1, var2, fileName, m_doneCount, m_expectedCount);
    }
    if (TipTable::isFailure(var1, var2))
        qWarning().noquote() << TipTable::plainText(line);
    m_pending << line;

    if (finished || closing) {
        flush();
    } else if (!m_updateTimer.isActive()) {
        const qint64 since = m_sinceUpdate.isValid() ? m_sinceUpdate.elapsed() : updateInterval;
        if (since >= updateInterval)
            flush();
        else
            m_updateTimer.start(int(updateInterval - since));
    }
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
    // One paragraph per line, newest first, parsed and inserted in one go:
    // the pane is laid out once per update, not once per line.
    QString html;
    html.reserve(m_pending.size() * 120);
    for (int i = m_pending.size() - 1; i >= 0; --i) {
        html += QLatin1String("<p style=\"margin:0\">");
        html += m_pending.at(i);
    }
    m_pending.clear();

    QTextDocument *document = ui->textBrowser_message->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    const bool empty = document->isEmpty();
    cursor.beginEditBlock();
    if (!empty) {
        cursor.insertBlock();
        cursor.movePosition(QTextCursor::Start);
    }
    cursor.insertFragment(QTextDocumentFragment::fromHtml(html, document));
    cursor.endEditBlock();
    ++m_updates;
    m_sinceUpdate.start();
    m_busyNs += busy.nsecsElapsed();
}

void DockWidgetTips::explain(const QString &html)
{
    ui->textBrowser_explain->setHtml(html);
}
