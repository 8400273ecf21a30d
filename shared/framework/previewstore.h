#ifndef PREVIEWSTORE_H
#define PREVIEWSTORE_H

#include <QFile>
#include <QList>
#include <QMutex>
#include <QString>

#include <atomic>

#include "previewrecord.h"
#include "textformat.h"

// The kept results of one preview: a folder of its own under the preview
// root (in the data folder) holding, per file the job would write, the
// exact bytes it would write, and one record file with a line per file of
// the preview (see PreviewRecord). Nothing of a whole batch is held in
// memory: results go to the folder as each job ends.
//
// The folder is removed with the store, and folders left by a program that
// was killed are removed by removeStale() at the next start.
class PreviewStore
{
public:
    // root: the folder holding the previews' folders (made when needed).
    explicit PreviewStore(const QString &root = defaultRoot());
    // Removes the store's folder and everything in it.
    ~PreviewStore();

    PreviewStore(const PreviewStore &) = delete;
    PreviewStore &operator=(const PreviewStore &) = delete;

    // Whether the folder could be made.
    bool isValid() const { return !m_folder.isEmpty(); }
    QString folder() const { return m_folder; }

    // How a file was when a job read it.
    struct Source
    {
        QByteArray digest; // empty: not read
        qint64 size = -1;
        qint64 modified = 0;
    };

    // Reads fileName as a job reads it (ReadWriteTxt::readFile, under the
    // encoding mode given) and notes how the file was. Safe on any thread.
    static int readSource(const QString &fileName, QString &text, TextFormat *format, int mode, Source &source);
    // How fileName is now, its bytes into bytes (when given); false when
    // it cannot be read.
    static bool sourceOf(const QString &fileName, Source &source, QByteArray *bytes = nullptr);
    // The digest of a file's bytes, as Source::digest holds it.
    static QByteArray digestOf(const QByteArray &bytes);

    // Keeps the bytes text would be written as (in format, as the writer
    // encodes it) for the file record.fileName; fills in record's
    // sizeAfter, resultDigest and keptName. Returns the outcome the writer
    // would report: Saved, or NotWritable (a character the encoding cannot
    // hold, or the store cannot be written). Marks of text (when given)
    // are kept beside the result, their number in record.marks; marks that
    // cannot be kept are left out and do not fail the result. Safe on any
    // thread.
    int keep(const QString &text, const TextFormat &format, PreviewRecord &record,
             const QVector<PreviewMark> *marks = nullptr);
    // The same with text already encoded as the writer would (bytes).
    int keepEncoded(const QString &text, const QByteArray &bytes, PreviewRecord &record,
                    const QVector<PreviewMark> *marks = nullptr);

    // Adds a file's record (GUI thread).
    void addRecord(const PreviewRecord &record);
    // Every record, in the order of the files of the preview.
    QList<PreviewRecord> records() const;
    int recordCount() const { return m_recordCount; }
    // The records added so far that would write a file (Changed or
    // Created), leave it unchanged, or fail, counted as they are added.
    int writeCount() const { return m_writeCount; }
    int unchangedCount() const { return m_unchangedCount; }
    int failedCount() const { return m_recordCount - m_writeCount - m_unchangedCount; }

    // The host list the files a preview would make go to once they are
    // made (the operation's, see JobBatch::setProducedList).
    void setProducedList(const QString &name) { m_producedList = name; }
    QString producedList() const { return m_producedList; }

    // The path of a kept result.
    QString keptPath(const QString &keptName) const;
    // The bytes kept for a record; false when they cannot be read.
    bool keptBytes(const PreviewRecord &record, QByteArray &bytes) const;
    // The marks kept for a record, in the order of the text; none when it
    // has none or they cannot be read.
    QVector<PreviewMark> keptMarks(const PreviewRecord &record) const;

    // "data/preview" in the working folder.
    static QString defaultRoot();
    // Removes the previews under root whose program is no longer running.
    static void removeStale(const QString &root = defaultRoot());

private:
    // Writes the marks file of a kept result; the number kept.
    int keepMarks(const QString &keptName, const QVector<PreviewMark> &marks);

    QString m_folder;
    mutable QFile m_recordFile; // flushed before it is read
    int m_recordCount = 0;
    int m_writeCount = 0;
    int m_unchangedCount = 0;
    QString m_producedList;
    std::atomic<int> m_next{0};
};

#endif // PREVIEWSTORE_H
