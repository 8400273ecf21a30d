#ifndef DOCKWIDGETOPTIONBASE_H
#define DOCKWIDGETOPTIONBASE_H

#include <QSize>
#include <QStringList>

#include "dockwidgetex.h"

class OperationTable;
class QLabel;
class QStackedWidget;

// The base of a plug-in's option dock: a stacked widget with one page per
// operation and an explanation page. A subclass builds its form, calls
// setupPages() and adds its option getters and page presets (overriding
// curTextSlot and calling the base first).
class DockWidgetOptionBase : public DockWidgetEx
{
    Q_OBJECT
public:
    DockWidgetOptionBase(OperationTable *table, QWidget *parent = nullptr);

    OperationTable *table() const { return m_table; }
    // The smallest size the dock may be given: its form scrolls inside.
    static QSize minimumOptionSize() { return QSize(200, 120); }
    QStackedWidget *pages() const { return m_pages; }

    // The data folder of the settings ([currency] iniPath of
    // "./configure.ini", default the working directory + "/data/"), read
    // when the dock was built.
    QString dataPath() const { return m_dataPath; }

    // The files of the current range, as the plug-in last handed them over
    // (before each rep2RangeSlot).
    QStringList fileNames() const { return m_fileNames; }
    void setRangeFiles(const QStringList &files) { m_fileNames = files; }

public slots:
    // Title and page of the operation (as in the plug-in's table); an index
    // the table does not have leaves both as they are.
    virtual void curTextSlot(int index);
    // The files of the current range have been handed over again: pages
    // that show them refresh. Does nothing by default.
    virtual void rep2RangeSlot();

signals:
    void tipSignal(int var1, int var2, const QString &fileName = QString());

protected:
    // pages: the form's stacked widget; explain: the explanation page's
    // label, which gets the general explanation (either may be null).
    void setupPages(QStackedWidget *pages, QLabel *explain);
    // Fills pages with the pages the rows describe, one per position from
    // 0 to the highest a row with a page maker names: each made and named
    // by the first such row of its position, an empty page where none is.
    static void buildPages(const OperationTable &table, QStackedWidget *pages);

    QStringList m_fileNames;

private:
    void fitShownPage();

    OperationTable *m_table;
    QStackedWidget *m_pages = nullptr;
    QString m_dataPath;
};

#endif // DOCKWIDGETOPTIONBASE_H
