#include "newjob.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTextCodec>

#include <cerrno>
#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "bufferedwriter.h"
#include "tipcodes.h"

namespace {

// A new file beside target, named as the shared writer names its
// temporary files, so one left by a killed run is cleaned up by a later
// start; false when none can be created.
bool openTemporary(const QFileInfo &target, QFile &file)
{
    static const char letters[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    const QString base = QDir(target.absolutePath()).filePath(QStringLiteral(".scrivel.") + target.fileName().left(200)
                                                              + QLatin1Char('.'));
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString suffix(6, QLatin1Char('0'));
        for (QChar &c : suffix)
            c = QLatin1Char(letters[QRandomGenerator::global()->bounded(36)]);
        file.setFileName(base + suffix);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
            return true;
        if (!file.exists())
            return false; // not a clash of names: the folder refuses
    }
    return false;
}

// Renames the finished file to its name, never over an existing file (one
// made since the names were chosen, by another program say); where the
// file system cannot say so, a plain rename.
bool moveIntoPlace(const QString &from, const QString &to)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    return ::rename(source.constData(), target.constData()) == 0;
}

} // namespace

NewJob::NewJob(const QString &fileName, const OptionRecord *options, const QString &listTitle,
               QObject *parent)
    : TextBaseNew(fileName, options, parent)
    , m_listTitle(listTitle)
{
}

void NewJob::run()
{
    const QFileInfo target(m_fileName);
    QFile file;
    if (m_fileName.isEmpty() || !openTemporary(target, file)) {
        emitTip(Tips::FileMissing, m_fileName);
        return;
    }
    bool ok;
    {
        BufferedWriter out(&file);
        generate(out);
        ok = out.flush();
    }
    if (ok && !syncLater())
        ok = ::fdatasync(file.handle()) == 0;
    file.close();
    ok = ok && file.error() == QFileDevice::NoError && moveIntoPlace(file.fileName(), m_fileName);
    if (!ok) {
        file.remove();
        emitTip(Tips::FileUnwritable, m_fileName);
        return;
    }
    if (syncLater()) {
        setWrittenFolder(target.absolutePath());
    } else {
        // The rename is durable once the folder is.
        const int folder = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (folder >= 0) {
            ::fsync(folder);
            ::close(folder);
        }
    }
    emitTip(Tips::Saved, m_fileName);
    finish();
}

QByteArray NewJob::bytes() const
{
    return BufferedWriter::collect([this](BufferedWriter &out) { generate(out); });
}

QString NewJob::processText()
{
    return QTextCodec::codecForLocale()->toUnicode(bytes());
}
