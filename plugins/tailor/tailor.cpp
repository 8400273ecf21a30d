#include "tailor.h"

#include <QFileInfo>

#include "aboptions.h"
#include "articlearrangements.h"
#include "articleoptions.h"
#include "customizedab.h"
#include "customizedarticle.h"
#include "dockwidgetcustomized.h"
#include "dockwidgetcustomizedoption.h"
#include "filetype.h"
#include "jobbatch.h"
#include "tipcodes.h"

namespace {

QStringList filesOfList(int index)
{
    QStringList paths;
    ScrivelFace *host = PluginBase::host();
    if (!host || index < 0)
        return paths;
    for (const FileType *entry : host->listFiles(index)) {
        if (entry)
            paths << entry->fileName;
    }
    return paths;
}

} // namespace

Tailor::Tailor(QObject *parent)
    : PluginBase(QStringLiteral("Customized"), QStringLiteral("V0.0.0.1"), QStringLiteral("customized_"),
                 QStringLiteral("customized"), parent)
{
    QList<OperationRow> rows = CustomizedOperations::rows();
    for (OperationRow &row : rows) {
        // One job per start; it takes its files from the options.
        if (row.index == CustomizedOperations::AB) {
            row.options = &Tailor::abOptions;
            row.job = [](const QString &, const OptionRecord *options, int) -> TextBase * {
                return new CustomizedAB(options);
            };
        } else if (row.index == CustomizedOperations::Article) {
            row.options = &Tailor::articleOptions;
            row.job = [](const QString &, const OptionRecord *options, int) -> TextBase * {
                return new CustomizedArticle(options);
            };
        }
    }
    setOperations(rows);
}

DockWidgetListBase *Tailor::createListDock(QWidget *parent)
{
    return new DockWidgetCustomized(table(), parent);
}

DockWidgetOptionBase *Tailor::createOptionDock(QWidget *parent)
{
    return new DockWidgetCustomizedOption(table(), parent);
}

OptionRecord *Tailor::abOptions(DockWidgetOptionBase *dock, const QStringList &files)
{
    Q_UNUSED(files)
    auto *page = qobject_cast<DockWidgetCustomizedOption *>(dock);
    if (!page)
        return nullptr;
    // An A file listed twice is still looked up and rewritten once.
    const QStringList aFiles = JobBatch::distinctFiles(filesOfList(page->abAList()));
    const QStringList bFiles = filesOfList(page->abBList());
    if (aFiles.isEmpty() || bFiles.isEmpty())
        return nullptr;
    const QString output = QFileInfo(aFiles.first()).absolutePath() + QStringLiteral("/new.txt");
    // An A file named new.txt beside the first one would be both the output
    // and rewritten.
    if (JobBatch::distinctFiles(aFiles + QStringList(output)).size() == aFiles.size())
        return nullptr;
    auto *options = new ABOptions;
    options->aFiles = aFiles;
    options->bFiles = bFiles;
    options->output = output;
    return options;
}

OptionRecord *Tailor::articleOptions(DockWidgetOptionBase *dock, const QStringList &files)
{
    Q_UNUSED(files)
    auto *page = qobject_cast<DockWidgetCustomizedOption *>(dock);
    if (!page)
        return nullptr;
    const QStringList documents = filesOfList(page->articleList());
    bool number = false;
    const int count = page->articleCount().trimmed().toInt(&number);
    if (!number || !ArticleArrangements::acceptable(documents.size(), count))
        return nullptr;
    // The files 1.txt, 2.txt, ... go beside the first document; none of
    // them may be one of the documents.
    const QString folder = QFileInfo(documents.first()).absolutePath();
    if (ArticleArrangements::overwritten(documents, folder, ArticleArrangements::fileCount(documents.size(), count)) >= 0)
        return nullptr;
    auto *options = new ArticleOptions;
    options->head = page->articleHead();
    options->tail = page->articleTail();
    options->count = count;
    options->documents = documents;
    return options;
}

bool Tailor::planJobs(const OperationRow &row, JobBatch *batch)
{
    OptionRecord *options = row.options ? row.options(optionDock(), QStringList()) : nullptr;
    if (!options)
        return false;
    batch->adopt(options);
    batch->add(row.job(QString(), options, 0));
    // The one job sends a completion tip per A file or per written file.
    if (row.index == CustomizedOperations::AB) {
        batch->setTaskCount(static_cast<const ABOptions *>(options)->aFiles.size());
    } else {
        const auto *article = static_cast<const ArticleOptions *>(options);
        batch->setTaskCount(int(ArticleArrangements::fileCount(article->documents.size(), article->count)));
    }
    return true;
}
