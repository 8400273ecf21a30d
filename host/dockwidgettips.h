#ifndef DOCKWIDGETTIPS_H
#define DOCKWIDGETTIPS_H

#include <QDockWidget>

namespace Ui {
class DockWidgetTips;
}

// The message dock: one coloured line per tip, newest first, and a pane
// for the explanation of the operation last chosen in a plug-in. Counts the
// completion tips (-4, 0) of a job and emits finish() when all have come.
class DockWidgetTips : public QDockWidget
{
    Q_OBJECT
public:
    explicit DockWidgetTips(QWidget *parent = nullptr);
    ~DockWidgetTips() override;

    void setExpected(int count);
    int expectedCount() const { return m_expectedCount; }
    int doneCount() const { return m_doneCount; }

    // The plain text of the message pane, newest line first (for tests and
    // diagnostics).
    QString messageText() const;
    QString explainHtml() const;

public slots:
    void tip(int var1, int var2, const QString &fileName);
    void explain(const QString &html);

signals:
    void finish();

private:
    Ui::DockWidgetTips *ui;
    int m_expectedCount = 0;
    int m_doneCount = 0;
};

#endif // DOCKWIDGETTIPS_H
