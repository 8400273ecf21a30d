#include "previewapplyjob.h"

#include <QDir>
#include <QFileInfo>

#include <sys/stat.h>

#include "batchbackup.h"
#include "jobcontrol.h"
#include "previewstore.h"
#include "readwritetxt.h"
#include "tipcodes.h"

namespace {

bool exists(const QString &fileName)
{
    struct stat st;
    return ::lstat(QFile::encodeName(fileName).constData(), &st) == 0;
}

} // namespace

PreviewApplyJob::PreviewApplyJob(const std::shared_ptr<PreviewStore> &store, const PreviewRecord &record)
    : TextBase(record.fileName, nullptr)
    , m_store(store)
    , m_record(record)
{
}

QStringList PreviewApplyJob::producedFiles() const
{
    return m_made ? QStringList(m_fileName) : QStringList();
}

void PreviewApplyJob::run()
{
    m_made = false;
    const bool created = m_record.outcome == PreviewRecord::Created;
    if (!m_record.willWrite())
        return;
    // A file to make must still be missing, one to replace still there.
    if (created ? exists(m_fileName) : !exists(m_fileName)) {
        emitTip(created ? Tips::ChangedSincePreview : Tips::FileMissing, m_fileName);
        return;
    }
    QByteArray bytes;
    if (!m_store || !m_store->keptBytes(m_record, bytes)) {
        emitTip(Tips::SaveFailed, m_fileName);
        return;
    }
    if (dryRun()) {
        emitTip(Tips::Saved, m_fileName);
        finish();
        return;
    }
    JobControl *stop = control();
    if (stop && !stop->beginWrite())
        return;
    write(bytes);
    if (stop)
        stop->endWrite();
}

void PreviewApplyJob::write(const QByteArray &bytes)
{
    const bool created = m_record.outcome == PreviewRecord::Created;
    if (created)
        QDir().mkpath(QFileInfo(m_fileName).absolutePath());
    // Checked once the new content is complete, just before it takes the
    // file's place: the file's bytes are still those the preview read, or
    // it is left as it is now.
    bool changedSince = false;
    BatchBackup *store = backup();
    const std::function<bool()> beforeReplace = [this, store, &changedSince] {
        PreviewStore::Source now;
        if (!PreviewStore::sourceOf(m_fileName, now) || now.digest != m_record.sourceDigest) {
            changedSince = true;
            return false;
        }
        return !store || store->keepWritten(m_fileName, m_record.resultDigest);
    };
    const int outcome = ReadWriteTxt::writeBytes(m_fileName, bytes,
                                                 syncLater() ? ReadWriteTxt::SyncLater : ReadWriteTxt::SyncNow,
                                                 created ? std::function<bool()>() : beforeReplace,
                                                 created ? ReadWriteTxt::NewOnly : ReadWriteTxt::ExistingOnly);
    if (changedSince || (created && outcome != ReadWriteTxt::Saved && exists(m_fileName))) {
        emitTip(Tips::ChangedSincePreview, m_fileName);
        return;
    }
    TipCode reason;
    if (outcome == ReadWriteTxt::NotKept && store && store->takeFailure(reason))
        emit tipSignal(reason.var1, reason.var2, store->root());
    emitTip(ReadWriteTxt::tipOf(outcome), m_fileName);
    if (outcome != ReadWriteTxt::Saved)
        return;
    setWrittenFolder(QFileInfo(m_fileName).absolutePath());
    m_made = created;
    finish();
}
