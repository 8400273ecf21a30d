#include "batchbackup.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>
#include <xxhash.h>

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
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    if (!*ok)
        return QByteArray();
    QByteArray bytes = file.readAll();
    *ok = file.error() == QFileDevice::NoError;
    return bytes;
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
        QFile file(target);
        if (!file.open(QIODevice::ReadWrite))
            return false;
        return file.write(bytes) == bytes.size() && file.resize(bytes.size()) && file.flush();
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
    m_journal.close();
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

bool BatchBackup::open()
{
    if (m_journal.isOpen())
        return true;
    if (m_failed)
        return false;
    // Start time to the millisecond, then a number against two batches
    // started within the same millisecond.
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    QDir root(m_root);
    if (!root.mkpath(QStringLiteral("."))) {
        m_failed = true;
        return false;
    }
    for (int n = 0; n < 1000; ++n) {
        const QString name = stamp + QLatin1Char('-') + QString::number(n).rightJustified(3, QLatin1Char('0'));
        if (root.mkdir(name)) {
            m_folder = root.absoluteFilePath(name);
            m_journal.setFileName(m_folder + QLatin1Char('/') + QLatin1String(journalName));
            if (m_journal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
                return true;
            break;
        }
    }
    m_failed = true;
    return false;
}

bool BatchBackup::keep(const QString &fileName, const QString &newText)
{
    const QByteArray hash = digest(newText);
    QMutexLocker lock(&m_mutex);
    if (!open())
        return false;
    const QString name = QString::number(m_kept + 1).rightJustified(6, QLatin1Char('0'));
    const QString backup = m_folder + QLatin1Char('/') + name;
    const QByteArray source = QFile::encodeName(QFileInfo(fileName).absoluteFilePath());
    // A file rewritten in place (several names) would change under the
    // link too: it is copied.
    bool kept = linkCount(fileName) == 1 && ::link(source.constData(), QFile::encodeName(backup).constData()) == 0;
    if (!kept)
        kept = QFile::copy(fileName, backup);
    if (!kept)
        return false;
    const QByteArray line = name.toLatin1() + '\t' + hash + '\t'
        + encodedPath(QFileInfo(fileName).absoluteFilePath()) + '\n';
    if (m_journal.write(line) != line.size())
        return false;
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
    m_journal.close();
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

    QFile journal(result.batch + QLatin1Char('/') + QLatin1String(journalName));
    QByteArray lines;
    if (journal.open(QIODevice::ReadOnly))
        lines = journal.readAll();
    journal.close();
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
