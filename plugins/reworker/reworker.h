#ifndef REWORKER_H
#define REWORKER_H

#include "pluginbase.h"

// The text plug-in "Text": nineteen operations that rewrite the files of
// the chosen range in place (or, above index 64, work on whole lists). Its
// operations are the rows of reworkerOperations(); this class only builds
// the two docks.
class Reworker : public PluginBase
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID ScrivelFace_iid)
    Q_INTERFACES(ScrivelFace)
public:
    explicit Reworker(QObject *parent = nullptr);

protected:
    DockWidgetListBase *createListDock(QWidget *parent) override;
    DockWidgetOptionBase *createOptionDock(QWidget *parent) override;
    // The files a merge or split job has written go to their list once the
    // start is over, in the order of the lists or files they came from.
    void jobFinished(TextBase *worker) override;

private:
    void addProducedFiles();

    struct Produced {
        quint64 order;
        QString listName;
        QStringList files;
    };
    QList<Produced> m_produced;
};

#endif // REWORKER_H
