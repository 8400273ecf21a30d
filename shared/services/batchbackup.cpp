#include "batchbackup.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <xxhash.h>

#include "atomicwriter.h"
#include "ini.h"
#include "readwritetxt.h"

namespace {

const char journalName[] = "journal.txt";
// The text's UTF-16 units as bytes, without a copy: what its digests are
// taken of.
QByteArray utf16Bytes(const QString &text)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(text.constData()), text.size() * int(sizeof(QChar)));
}

// Batches taken out of the list, waiting to be deleted.
const char prunedPrefix[] = ".pruned-";

QByteArray encodedPath(const QString &path)
{
    return path.toUtf8().toPercentEncoding("/");
}

QString decodedPath(const QByteArray &field)
{
    return QString::fromUtf8(QByteArray::fromPercentEncoding(field));
}

int linkCount(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return -1;
    return int(st.st_nlink);
}

QByteArray bytesOf(const QString &path, bool *ok)
{
    QByteArray bytes;
    *ok = ReadWriteTxt::readBytes(path, bytes) == ReadWriteTxt::ReadOk;
    return bytes;
}

// Creates folder and the folders above it as needed; false with errno set
// when it cannot.
bool makeFolder(const QByteArray &folder)
{
    struct stat st;
    if (::stat(folder.constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return true;
        errno = ENOTDIR;
        return false;
    }
    if (errno != ENOENT)
        return false;
    const int slash = folder.lastIndexOf('/');
    if (slash > 0 && !makeFolder(folder.left(slash)))
        return false;
    return ::mkdir(folder.constData(), 0777) == 0 || errno == EEXIST;
}

// Copies source (a regular file) to the new file backup with the same
// permission bits. On failure the partial copy is removed and storeError
// receives the errno of the failing step on the backup's side, or 0 when
// the source itself could not be read.
bool copyFile(const QString &source, const QByteArray &backup, int &storeError)
{
    storeError = 0;
    struct stat st;
    const int in = ReadWriteTxt::openRegular(source, O_RDONLY, nullptr, &st);
    if (in < 0)
        return false;
    const int out = ::open(backup.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        storeError = errno;
        ::close(in);
        return false;
    }
    bool ok = ::fchmod(out, st.st_mode & 07777) == 0;
    if (!ok)
        storeError = errno;
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    while (ok) {
        const ssize_t got = ::read(in, buffer.data(), size_t(buffer.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        if (!AtomicWriter::writeAll(out, buffer.constData(), got)) {
            storeError = errno;
            ok = false;
        }
    }
    ::close(in);
    // Some file systems report a full disk only here.
    if (::close(out) != 0 && ok) {
        storeError = errno;
        ok = false;
    }
    if (!ok)
        ::unlink(backup.constData());
    return ok;
}

// The tip that says why the store at folder failed with error.
TipCode failureTip(int error, const QString &folder)
{
    switch (error) {
    case ENOSPC: {
        // The same error for the last block and the last inode.
        struct statvfs fs;
        if (::statvfs(QFile::encodeName(folder).constData(), &fs) == 0 && fs.f_files > 0 && fs.f_favail == 0)
            return Tips::StoreNoInodes;
        return Tips::StoreFull;
    }
    case EDQUOT:
        return Tips::StoreFull;
    case EROFS:
    case EACCES:
    case EPERM:
        return Tips::StoreReadOnly;
    default:
        return Tips::StoreFailed;
    }
}

// Puts the backup's content back at target. A backup that is the file's
// own old inode goes back by a rename, which restores its owner and mode
// too; a file with other names gets the content through the same inode.
bool restore(const QString &backup, const QString &target)
{
    const QByteArray from = QFile::encodeName(backup);
    const QByteArray to = QFile::encodeName(target);
    const int targetLinks = linkCount(target);
    if (targetLinks <= 1 && ::rename(from.constData(), to.constData()) == 0)
        return true;
    bool ok = false;
    const QByteArray bytes = bytesOf(backup, &ok);
    if (!ok)
        return false;
    if (targetLinks > 1) {
        const int fd = ReadWriteTxt::openRegular(target, O_WRONLY);
        if (fd < 0)
            return false;
        const bool written =
            AtomicWriter::writeAll(fd, bytes.constData(), bytes.size()) && ::ftruncate(fd, bytes.size()) == 0;
        return ::close(fd) == 0 && written;
    }
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    QFile::setPermissions(target, QFileInfo(backup).permissions());
    return true;
}

} // namespace

BatchBackup::BatchBackup(const QString &root)
    : m_root(root)
{
}

BatchBackup::~BatchBackup()
{
    if (m_journal >= 0)
        ::close(m_journal);
}

QString BatchBackup::defaultRoot()
{
    return QDir::currentPath() + QStringLiteral("/data/undo");
}

int BatchBackup::batchesSetting()
{
    bool ok = false;
    const int n = readIni(configureIni(), QStringLiteral("undo"), QStringLiteral("batches"),
                          QStringLiteral("10")).toInt(&ok);
    return ok && n >= 0 ? n : 10;
}

QByteArray BatchBackup::digest(const QString &text)
{
    // A 128-bit XXH3: it only has to tell a later edit from the text the
    // batch wrote, and costs a few microseconds where a cryptographic
    // digest of a large batch would cost seconds.
    const QByteArray units = utf16Bytes(text);
    XXH128_canonical_t canonical;
    XXH128_canonicalFromHash(&canonical, XXH3_128bits(units.constData(), size_t(units.size())));
    return QByteArray(reinterpret_cast<const char *>(canonical.digest), int(sizeof canonical.digest)).toHex();
}

bool BatchBackup::digestMatches(const QString &text, const QByteArray &stored)
{
    // Journals written by earlier versions hold a 40-digit SHA-1.
    if (stored.size() == 40) {
        return QCryptographicHash::hash(utf16Bytes(text), QCryptographicHash::Sha1).toHex() == stored;
    }
    return digest(text) == stored;
}

bool BatchBackup::failed(int error)
{
    // Told apart at once: freeing what the failed step made may already
    // change what the file system has left.
    if (!m_failure && error != 0) {
        m_failure = true;
        m_reason = failureTip(error, m_root);
    }
    return false;
}

bool BatchBackup::takeFailure(TipCode &reason)
{
    QMutexLocker lock(&m_mutex);
    if (!m_failure || m_reported)
        return false;
    m_reported = true;
    reason = m_reason;
    return true;
}

bool BatchBackup::open()
{
    if (m_journal >= 0)
        return true;
    // A store that could not be made fails every file of the batch alike.
    if (m_openFailed)
        return false;
    m_openFailed = true;
    if (!makeFolder(QFile::encodeName(QDir::cleanPath(QDir(m_root).absolutePath()))))
        return failed(errno);
    // Start time to the millisecond, then a number against two batches
    // started within the same millisecond.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    const QDir root(m_root);
    for (int n = 0; n < 1000; ++n) {
        const QString folder = root.absoluteFilePath(stamp + QLatin1Char('-') + QString::number(n).rightJustified(3, QLatin1Char('0')));
        const QByteArray encoded = QFile::encodeName(folder);
        if (::mkdir(encoded.constData(), 0777) != 0) {
            if (errno == EEXIST)
                continue;
            return failed(errno);
        }
        const int journal = ::open((encoded + '/' + journalName).constData(),
                                   O_WRONLY | O_CREAT | O_EXCL | O_APPEND | O_CLOEXEC, 0666);
        if (journal < 0) {
            failed(errno);
            ::rmdir(encoded.constData());
            return false;
        }
        m_folder = folder;
        m_journal = journal;
        m_openFailed = false;
        return true;
    }
    return failed(EEXIST);
}

bool BatchBackup::keep(const QString &fileName, const QString &newText)
{
    return keepWritten(fileName, digest(newText));
}

bool BatchBackup::keepWritten(const QString &fileName, const QByteArray &hash)
{
    // Only the backup's number and the journal line are taken in turn; the
    // paths, the link (or copy) are made outside the lock, so the workers
    // of a batch keep their files side by side.
    const QString absolute = QFileInfo(fileName).absoluteFilePath();
    // A file rewritten in place (several names) would change under the
    // link too: it is copied, as is one on another file system.
    const bool single = linkCount(fileName) == 1;
    QString folder;
    int number = 0;
    {
        QMutexLocker lock(&m_mutex);
        if (!open())
            return false;
        folder = m_folder;
        number = ++m_numbered;
    }
    const QString name = QString::number(number).rightJustified(6, QLatin1Char('0'));
    const QByteArray backup = QFile::encodeName(folder + QLatin1Char('/') + name);
    const bool linked = single && ::link(QFile::encodeName(absolute).constData(), backup.constData()) == 0;
    if (!linked) {
        int storeError = 0;
        if (!copyFile(fileName, backup, storeError)) {
            QMutexLocker lock(&m_mutex);
            return failed(storeError);
        }
    }
    const QByteArray line = name.toLatin1() + '\t' + hash + '\t' + encodedPath(absolute) + '\n';
    QMutexLocker lock(&m_mutex);
    if (!AtomicWriter::writeAll(m_journal, line.constData(), line.size())) {
        // Undo could not find this backup: it is not kept at all.
        failed(errno);
        ::unlink(backup.constData());
        return false;
    }
    ++m_kept;
    return true;
}

int BatchBackup::keptCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_kept;
}

QString BatchBackup::folder() const
{
    QMutexLocker lock(&m_mutex);
    return m_folder;
}

void BatchBackup::close(int keepBatches)
{
    QMutexLocker lock(&m_mutex);
    if (m_journal >= 0)
        ::close(m_journal);
    m_journal = -1;
    if (!m_folder.isEmpty() && m_kept == 0) {
        QDir(m_folder).removeRecursively();
        m_folder.clear();
    }
    lock.unlock();
    prune(m_root, keepBatches);
}

QStringList BatchBackup::batches(const QString &root)
{
    const QDir dir(root);
    QStringList result;
    for (const QString &name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        if (QFileInfo::exists(dir.absoluteFilePath(name) + QLatin1Char('/') + QLatin1String(journalName)))
            result << dir.absoluteFilePath(name);
    }
    return result;
}

void BatchBackup::prune(const QString &root, int keepBatches)
{
    const QStringList all = batches(root);
    for (int i = 0; i < all.size() - qMax(0, keepBatches); ++i) {
        const QFileInfo batch(all.at(i));
        // A hidden name leaves the list; a failed rename leaves the batch
        // where it is, to be tried again by the next prune.
        QDir(root).rename(batch.fileName(), QLatin1String(prunedPrefix) + batch.fileName());
    }
}

void BatchBackup::removePruned(const QString &root)
{
    const QDir dir(root);
    const QStringList pruned = dir.entryList({ QLatin1String(prunedPrefix) + QLatin1Char('*') },
                                             QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QString &name : pruned)
        QDir(dir.absoluteFilePath(name)).removeRecursively();
}

BatchBackup::UndoResult BatchBackup::undoLast(const QString &root)
{
    UndoResult result;
    const QStringList all = batches(root);
    if (all.isEmpty())
        return result;
    result.found = true;
    result.batch = all.last();

    QByteArray lines;
    ReadWriteTxt::readBytes(result.batch + QLatin1Char('/') + QLatin1String(journalName), lines);
    for (const QByteArray &line : lines.split('\n')) {
        // A line cut short by a killed batch has fewer fields: the file it
        // names was not replaced yet.
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3 || fields.at(2).isEmpty())
            continue;
        const QString backup = result.batch + QLatin1Char('/') + QString::fromLatin1(fields.at(0));
        const QString target = decodedPath(fields.at(2));
        if (!QFileInfo::exists(backup)) {
            result.failed << target;
            continue;
        }
        QString current;
        const bool readable = ReadWriteTxt::readFile(target, current) == ReadWriteTxt::ReadOk;
        if (readable && digestMatches(current, fields.at(1))) {
            if (restore(backup, target))
                result.restored << target;
            else
                result.failed << target;
            continue;
        }
        // Killed before its rename: the file still holds its old content.
        bool ok = false, backupOk = false;
        const QByteArray now = bytesOf(target, &ok);
        if (ok && now == bytesOf(backup, &backupOk) && backupOk)
            result.restored << target;
        else
            result.changed << target;
    }
    QDir(result.batch).removeRecursively();
    return result;
}
