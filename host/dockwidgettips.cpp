#include "dockwidgettips.h"
#include "ui_dockwidgettips.h"

#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTime>

#include "tiptable.h"

DockWidgetTips::DockWidgetTips(QWidget *parent)
    : QDockWidget(parent)
    , ui(new Ui::DockWidgetTips)
{
    ui->setupUi(this);
    // The pane only grows during a run; an undo history of it would too.
    ui->textBrowser_message->document()->setUndoRedoEnabled(false);
}

DockWidgetTips::~DockWidgetTips()
{
    delete ui;
}

void DockWidgetTips::setExpected(int count)
{
    m_expectedCount = count;
    m_doneCount = 0;
}

QString DockWidgetTips::messageText() const
{
    return ui->textBrowser_message->toPlainText();
}

QString DockWidgetTips::explainHtml() const
{
    return ui->textBrowser_explain->toHtml();
}

void DockWidgetTips::tip(int var1, int var2, const QString &fileName)
{
    bool finished = false;
    if (var1 == -4 && var2 == 0) {
        ++m_doneCount;
        if (m_doneCount == m_expectedCount && m_expectedCount > 0) {
            m_doneCount = 0;
            m_expectedCount = 0;
            finished = true;
        }
    }
    const QString line = TipTable::line(QTime::currentTime(), var1, var2, fileName, m_doneCount, m_expectedCount);

    // The new line goes in as the first block; the cost does not depend on
    // how many lines are already shown.
    QTextDocument *document = ui->textBrowser_message->document();
    QTextCursor cursor(document);
    cursor.movePosition(QTextCursor::Start);
    const bool empty = document->isEmpty();
    cursor.beginEditBlock();
    if (!empty) {
        cursor.insertBlock();
        cursor.movePosition(QTextCursor::Start);
    }
    cursor.insertFragment(QTextDocumentFragment::fromHtml(line, document));
    cursor.endEditBlock();

    if (finished)
        emit finish();
}

void DockWidgetTips::explain(const QString &html)
{
    ui->textBrowser_explain->setHtml(html);
}
