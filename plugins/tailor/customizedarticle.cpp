#include "customizedarticle.h"

#include <QDebug>
#include <QFileInfo>
#include <QHash>
#include <QLoggingCategory>

#include "articlearrangements.h"
#include "articleoptions.h"
#include "readwritetxt.h"
#include "tipcodes.h"

namespace {

// The per-file diagnostics: a start may write 100,000 files, and a log
// line each would cost every file a turn at the log's lock. Shown with the
// other per-file job lines (QT_LOGGING_RULES="scrivel.jobs.debug=true").
Q_LOGGING_CATEGORY(lcArticleFiles, "scrivel.jobs", QtWarningMsg)

} // namespace

namespace {

QString outputFolder(const ArticleOptions *options)
{
    return options->documents.isEmpty() ? QString() : QFileInfo(options->documents.first()).absolutePath();
}

QString firstFile(const OptionRecord *options)
{
    const QString folder = outputFolder(static_cast<const ArticleOptions *>(options));
    return folder.isEmpty() ? QString() : ArticleArrangements::fileName(folder, 1);
}

} // namespace

// Named after its first file, so the batch knows the folder it writes into.
CustomizedArticle::CustomizedArticle(const OptionRecord *options, QObject *parent)
    : TextBase(firstFile(options), options, parent)
{
}

void CustomizedArticle::run()
{
    m_written = 0;
    const ArticleOptions *o = options<ArticleOptions>();
    if (!ArticleArrangements::acceptable(o->documents.size(), o->count))
        return;
    const QString folder = outputFolder(o);
    // Diagnostics for the log only: a head or tail may be long.
    qDebug() << "(99, 80) head:" << o->head.size() << "characters";
    qDebug() << "(99, 81) tail:" << o->tail.size() << "characters";
    qDebug() << "(99, 82) first document:" << o->documents.first();
    qDebug() << "(99, 83) folder:" << folder;

    // Each document read once, however often it is listed or chosen.
    QStringList texts;
    QHash<QString, QString> read;
    for (const QString &name : o->documents) {
        if (!read.contains(name)) {
            QString text;
            const int outcome = ReadWriteTxt::readFile(name, text);
            if (outcome != ReadWriteTxt::ReadOk) {
                emitTip(ReadWriteTxt::tipOf(outcome), name);
                text.clear();
            }
            read.insert(name, text);
        }
        texts << read.value(name);
    }

    const int size = texts.size();
    QVector<int> chosen = ArticleArrangements::first(o->count);
    qint64 n = 0;
    do {
        m_text = ArticleArrangements::compose(o->head, texts, chosen, o->tail);
        m_fileName = ArticleArrangements::fileName(folder, ++n);
        qCDebug(lcArticleFiles) << "(99, 84)" << m_text.size() << "characters, (99, 85)" << m_fileName;
        m_format = TextFormat();
        if (writeTxt(m_fileName, m_text)) {
            ++m_written;
            emitTip(Tips::JobDone, m_fileName);
        }
    } while (ArticleArrangements::next(chosen, size));
}
