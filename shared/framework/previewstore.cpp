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

#include "batchbackup.h"
#include "codesetting.h"
#include "readwritetxt.h"

namespace {

const char recordFileName[] = "records.tsv";

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
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t put = ::write(fd, data, size_t(left));
        if (put < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += put;
        left -= put;
    }
    return true;
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

int PreviewStore::keep(const QString &text, const TextFormat &format, PreviewRecord &record)
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
    return ReadWriteTxt::Saved;
}

void PreviewStore::addRecord(const PreviewRecord &record)
{
    ++m_recordCount;
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
