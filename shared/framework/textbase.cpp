#include "textbase.h"

#include <QFileInfo>
#include <QLoggingCategory>

#include <new>

#include "batchbackup.h"
#include "jobcontrol.h"
#include "linediff.h"
#include "readwritetxt.h"
#include "tipcodes.h"

TextBase::TextBase(const QString &fileName, const OptionRecord *options, QObject *parent)
    : QObject(parent)
    , m_fileName(fileName)
    , m_options(options)
{
}

Q_LOGGING_CATEGORY(lcJobs, "scrivel.jobs", QtWarningMsg)

void TextBase::run()
{
    m_succeeded = false;
    m_refused = false;
    m_discarded = false;
    m_kept.clear();
    m_marks.clear();
    if (!readTxt(m_fileName, m_text))
        return;
    QString result;
    try {
        result = processText();
    } catch (const std::bad_alloc &) {
        // A result larger than the memory left or than one string can
        // hold: the file stays as it is, and the job says why.
        refuse(Tips::FileTooLarge);
    }
    if (m_refused) {
        emitTip(m_refusal, m_fileName);
        return;
    }
    if (result == m_text) {
        leaveUnchanged();
        finish();
        return;
    }
    // Cancelled while the text was being worked on: the result is dropped
    // and the file stays as it was.
    if (m_control && !m_control->beginWrite()) {
        m_discarded = true;
        return;
    }
    // A preview compares the result with the text as read.
    if (m_preview)
        m_previewOld = m_text;
    m_text = std::move(result);
    // A moved-from QString keeps the other's data (the move swaps): the
    // old text would stay alive through the write, one more copy of a
    // large file at the peak.
    result = QString();
    if (writeTxt(m_fileName, m_text))
        finish();
    m_previewOld = QString();
    m_marks = QVector<PreviewMark>();
    if (m_control)
        m_control->endWrite();
}

void TextBase::leaveUnchanged()
{
    m_unchanged = true;
    emitTip(Tips::Unchanged, m_fileName);
}

bool TextBase::readTxt(const QString &fileName, QString &text)
{
    // One line per file would cost every job a turn at the log's lock;
    // shown when debugging is switched on (QT_LOGGING_RULES="scrivel.jobs.debug=true").
    qCDebug(lcJobs) << "readTxt m_fileName:" << fileName;
    // No name (no editor open) cannot open; said without a Qt warning.
    int outcome = ReadWriteTxt::NotFound;
    if (fileName.isEmpty())
        outcome = ReadWriteTxt::NotFound;
    else if (m_preview) {
        // Only the job's own file is the one a later apply compares with;
        // the other files a job reads (a merge's inputs) are not.
        PreviewStore::Source source;
        outcome = PreviewStore::readSource(fileName, text, &m_format, m_codeMode, source);
        if (fileName == m_fileName)
            m_source = source;
    }
    else
        outcome = ReadWriteTxt::readFile(fileName, text, &m_format, m_codeMode);
    if (outcome == ReadWriteTxt::ReadOk)
        return true;
    emitTip(ReadWriteTxt::tipOf(outcome), fileName);
    return false;
}

bool TextBase::writeTxt(const QString &fileName, const QString &text)
{
    const int outcome = writeKeepingOld(fileName, text, m_format, m_syncLater);
    if (outcome == ReadWriteTxt::Saved && !m_dryRun && !m_preview)
        m_writtenFolder = QFileInfo(fileName).absolutePath();
    emitTip(ReadWriteTxt::tipOf(outcome), fileName);
    return outcome == ReadWriteTxt::Saved;
}

int TextBase::keepResult(const QString &fileName, const QString &text, const TextFormat &format)
{
    PreviewRecord record;
    record.fileName = fileName;
    QString old;
    const bool own = fileName == m_fileName && !m_source.digest.isEmpty();
    if (own && !m_previewOld.isNull()) {
        old = m_previewOld;
    } else {
        // Another file the job writes: as it is now, if it is there (its
        // text, when it has one, for the count of changed lines).
        PreviewStore::Source source;
        QByteArray bytes;
        if (PreviewStore::sourceOf(fileName, source, &bytes)) {
            record.sourceDigest = source.digest;
            record.sizeBefore = source.size;
            record.sourceModified = source.modified;
            ReadWriteTxt::decode(bytes, m_codeMode, old);
        }
    }
    // The job's own file as it was when the job read it.
    if (own) {
        record.sourceDigest = m_source.digest;
        record.sizeBefore = m_source.size;
        record.sourceModified = m_source.modified;
    }
    // Encoded once, for the writer's checks and for the store.
    QByteArray bytes;
    const int check = ReadWriteTxt::checkWrite(fileName, text, &format, &bytes);
    if (check != ReadWriteTxt::Saved)
        return check;
    const int outcome = m_preview->keepEncoded(text, bytes, record, own && !m_marks.isEmpty() ? &m_marks : nullptr);
    bytes = QByteArray();
    if (outcome != ReadWriteTxt::Saved)
        return outcome;
    record.outcome = record.sourceDigest.isEmpty() ? PreviewRecord::Created : PreviewRecord::Changed;
    record.changedLines = record.outcome == PreviewRecord::Created ? int(text.count(QLatin1Char('\n')) + 1)
                                                                   : LineDiff::changedLines(old, text);
    m_kept << record;
    return outcome;
}

int TextBase::writeKeepingOld(const QString &fileName, const QString &text, const TextFormat &format, bool syncLater)
{
    if (m_preview)
        return keepResult(fileName, text, format);
    // A dry run stops here, whichever way a job writes: the file stays as
    // it is, and the outcome is what the write would have been.
    if (m_dryRun)
        return ReadWriteTxt::checkWrite(fileName, text, &format);
    // The old content is kept for undo once the new one is complete, just
    // before it is replaced; a file whose old content cannot be kept is
    // not replaced (NotKept), so undo never silently misses a file.
    std::function<bool()> keepOld;
    if (m_backup)
        keepOld = [this, &fileName, &text] { return m_backup->keep(fileName, text); };
    const int outcome = ReadWriteTxt::writeFile(fileName, text, &format,
                                                syncLater ? ReadWriteTxt::SyncLater : ReadWriteTxt::SyncNow, keepOld);
    // The first file of the batch that the store fails also says why, for
    // the store's folder; the others only say that they were left.
    TipCode reason;
    if (outcome == ReadWriteTxt::NotKept && m_backup->takeFailure(reason))
        emit tipSignal(reason.var1, reason.var2, m_backup->root());
    return outcome;
}

void TextBase::refuse(TipCode why)
{
    m_refused = true;
    m_refusal = why;
}

void TextBase::finish()
{
    m_succeeded = true;
    emitTip(Tips::JobDone, m_fileName);
}
