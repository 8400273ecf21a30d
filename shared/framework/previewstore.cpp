#include "previewstore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <new>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

#include "atomicwriter.h"
#include "batchbackup.h"
#include "codesetting.h"
#include "readwritetxt.h"

namespace {

const char recordFileName[] = "records.tsv";
// Beside a kept result, its marks: one "at<TAB>length<TAB>candidates" line
// each, the candidates percent-encoded UTF-8.
const char marksSuffix[] = ".marks";

// A preview folder is named time-pid-number; the pid says whose it is.
qint64 ownerOf(const QString &name)
{
    const QStringList parts = name.split(QLatin1Char('-'));
    if (parts.size() < 4)
        return -1;
    bool ok = false;
    const qint64 pid = parts.at(parts.size() - 2).toLongLong(&ok);
    return ok ? pid : -1;
}

bool isRunning(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    return AtomicWriter::writeAll(fd, bytes.constData(), bytes.size());
}

} // namespace

PreviewStore::PreviewStore(const QString &root)
{
    if (!QDir().mkpath(root))
        return;
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QString owner = QString::number(qint64(::getpid()));
    const QDir dir(root);
    for (int n = 0; n < 1000; ++n) {
        const QString name = stamp + QLatin1Char('-') + owner + QLatin1Char('-') + QString::number(n);
        const QByteArray path = QFile::encodeName(dir.absoluteFilePath(name));
        if (::mkdir(path.constData(), 0700) == 0) {
            m_folder = dir.absoluteFilePath(name);
            break;
        }
        if (errno != EEXIST)
            return;
    }
    if (m_folder.isEmpty())
        return;
    m_recordFile.setFileName(m_folder + QLatin1Char('/') + QLatin1String(recordFileName));
    if (!m_recordFile.open(QIODevice::WriteOnly | QIODevice::Append)) {
        QDir(m_folder).removeRecursively();
        m_folder.clear();
    }
}

PreviewStore::~PreviewStore()
{
    m_recordFile.close();
    if (!m_folder.isEmpty())
        QDir(m_folder).removeRecursively();
}

QString PreviewStore::defaultRoot()
{
    return QDir::currentPath() + QStringLiteral("/data/preview");
}

void PreviewStore::removeStale(const QString &root)
{
    const QDir dir(root);
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (!isRunning(ownerOf(name)))
            QDir(dir.absoluteFilePath(name)).removeRecursively();
    }
}

QByteArray PreviewStore::digestOf(const QByteArray &bytes)
{
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits(bytes.constData(), size_t(bytes.size())));
    return QByteArray(reinterpret_cast<const char *>(canonical.digest), int(sizeof canonical.digest)).toHex();
}

namespace {

int readNoting(const QString &fileName, PreviewStore::Source &source, QByteArray &bytes)
{
    source = PreviewStore::Source();
    const int outcome = ReadWriteTxt::readBytes(fileName, bytes);
    if (outcome != ReadWriteTxt::ReadOk)
        return outcome;
    source.digest = PreviewStore::digestOf(bytes);
    source.size = bytes.size();
    struct stat st;
    if (::stat(QFile::encodeName(fileName).constData(), &st) == 0)
        source.modified = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    return outcome;
}

} // namespace

bool PreviewStore::sourceOf(const QString &fileName, Source &source, QByteArray *bytes)
{
    QByteArray read;
    const bool ok = readNoting(fileName, source, read) == ReadWriteTxt::ReadOk;
    if (bytes)
        *bytes = read;
    return ok;
}

int PreviewStore::readSource(const QString &fileName, QString &text, TextFormat *format, int mode, Source &source)
{
    QByteArray bytes;
    const int outcome = readNoting(fileName, source, bytes);
    if (outcome != ReadWriteTxt::ReadOk)
        return outcome;
    if (mode == ReadWriteTxt::CurrentSetting)
        mode = CodeSetting::current();
    try {
        return ReadWriteTxt::decode(bytes, mode, text, format) ? int(ReadWriteTxt::ReadOk)
                                                               : int(ReadWriteTxt::EncodingMismatch);
    } catch (const std::bad_alloc &) {
        return ReadWriteTxt::TooLarge;
    }
}

int PreviewStore::keep(const QString &text, const TextFormat &format, PreviewRecord &record,
                       const QVector<PreviewMark> *marks)
{
    if (m_folder.isEmpty())
        return ReadWriteTxt::NotWritable;
    QByteArray bytes;
    try {
        if (!ReadWriteTxt::encode(text, format, bytes))
            return ReadWriteTxt::NotWritable; // as the writer: a character the encoding cannot hold
    } catch (const std::bad_alloc &) {
        return ReadWriteTxt::NotWritable;
    }
    return keepEncoded(text, bytes, record, marks);
}

int PreviewStore::keepEncoded(const QString &text, const QByteArray &bytes, PreviewRecord &record,
                              const QVector<PreviewMark> *marks)
{
    if (m_folder.isEmpty())
        return ReadWriteTxt::NotWritable;
    const QString name = QString::number(m_next.fetch_add(1) + 1);
    const QByteArray path = QFile::encodeName(keptPath(name));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return ReadWriteTxt::NotWritable;
    const bool ok = writeAll(fd, bytes);
    if (::close(fd) != 0 || !ok) {
        ::unlink(path.constData());
        return ReadWriteTxt::NotWritable;
    }
    record.keptName = name;
    record.sizeAfter = bytes.size();
    record.resultDigest = BatchBackup::digest(text);
    record.marks = marks ? keepMarks(name, *marks) : 0;
    return ReadWriteTxt::Saved;
}

int PreviewStore::keepMarks(const QString &keptName, const QVector<PreviewMark> &marks)
{
    if (marks.isEmpty())
        return 0;
    const QByteArray path = QFile::encodeName(keptPath(keptName) + QLatin1String(marksSuffix));
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return 0;
    bool ok = true;
    QByteArray chunk;
    for (int i = 0; i < marks.size() && ok; ++i) {
        const PreviewMark &mark = marks.at(i);
        chunk += QByteArray::number(mark.at) + '\t' + QByteArray::number(mark.length) + '\t'
            + mark.candidates.toUtf8().toPercentEncoding() + '\n';
        if (chunk.size() >= 1 << 16 || i + 1 == marks.size()) {
            ok = writeAll(fd, chunk);
            chunk.clear();
        }
    }
    if (::close(fd) != 0 || !ok) {
        ::unlink(path.constData());
        return 0;
    }
    return marks.size();
}

void PreviewStore::addRecord(const PreviewRecord &record)
{
    ++m_recordCount;
    if (record.willWrite())
        ++m_writeCount;
    else if (record.outcome == PreviewRecord::Unchanged)
        ++m_unchangedCount;
    if (m_recordFile.isOpen())
        m_recordFile.write(record.toLine());
}

QList<PreviewRecord> PreviewStore::records() const
{
    QList<PreviewRecord> result;
    if (m_folder.isEmpty())
        return result;
    m_recordFile.flush();
    QFile file(m_recordFile.fileName());
    if (!file.open(QIODevice::ReadOnly))
        return result;
    while (!file.atEnd()) {
        PreviewRecord record;
        if (PreviewRecord::fromLine(file.readLine(), record))
            result << record;
    }
    std::stable_sort(result.begin(), result.end(), [](const PreviewRecord &a, const PreviewRecord &b) {
        return a.position < b.position;
    });
    return result;
}

QString PreviewStore::keptPath(const QString &keptName) const
{
    return m_folder + QLatin1Char('/') + keptName;
}

bool PreviewStore::keptBytes(const PreviewRecord &record, QByteArray &bytes) const
{
    if (record.keptName.isEmpty())
        return false;
    return ReadWriteTxt::readBytes(keptPath(record.keptName), bytes) == ReadWriteTxt::ReadOk;
}

QVector<PreviewMark> PreviewStore::keptMarks(const PreviewRecord &record) const
{
    QVector<PreviewMark> marks;
    if (record.keptName.isEmpty() || record.marks <= 0)
        return marks;
    QFile file(keptPath(record.keptName) + QLatin1String(marksSuffix));
    if (!file.open(QIODevice::ReadOnly))
        return marks;
    marks.reserve(record.marks);
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n'))
            line.chop(1);
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            continue;
        bool atOk = false;
        bool lengthOk = false;
        PreviewMark mark;
        mark.at = fields.at(0).toInt(&atOk);
        mark.length = fields.at(1).toInt(&lengthOk);
        if (!atOk || !lengthOk || mark.at < 0 || mark.length <= 0)
            continue;
        mark.candidates = QString::fromUtf8(QByteArray::fromPercentEncoding(fields.at(2)));
        marks << mark;
    }
    std::stable_sort(marks.begin(), marks.end(),
                     [](const PreviewMark &a, const PreviewMark &b) { return a.at < b.at; });
    return marks;
}
