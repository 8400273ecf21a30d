#ifndef DOCKWIDGETOPTIONBASE_H
#define DOCKWIDGETOPTIONBASE_H

#include <QStringList>

#include "dockwidgetex.h"

class PluginBase;
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
    DockWidgetOptionBase(PluginBase *plugin, QWidget *parent = nullptr);

    PluginBase *plugin() const { return m_plugin; }
    QStackedWidget *pages() const { return m_pages; }

    // The data folder of the settings ([currency] iniPath of
    // "./configure.ini", default the working directory + "/data/"), read
    // when the dock was built.
    QString dataPath() const { return m_dataPath; }

    // The files of the current range, as last refreshed by rep2RangeSlot.
    QStringList fileNames() const { return m_fileNames; }

public slots:
    // Title and page of the operation (as in the plug-in's table); an index
    // the table does not have leaves both as they are.
    virtual void curTextSlot(int index);
    // Re-reads the files of the current range.
    virtual void rep2RangeSlot();

signals:
    void tipSignal(int var1, int var2, const QString &fileName = QString());

protected:
    // pages: the form's stacked widget; explain: the explanation page's
    // label, which gets the general explanation (either may be null).
    void setupPages(QStackedWidget *pages, QLabel *explain);

    QStringList m_fileNames;

private:
    PluginBase *m_plugin;
    QStackedWidget *m_pages = nullptr;
    QString m_dataPath;
};

#endif // DOCKWIDGETOPTIONBASE_H
