#include "newjob.h"

#include <QFile>
#include <QFileInfo>
#include <QTextCodec>

#include <unistd.h>

#include "atomicwriter.h"
#include "bufferedwriter.h"
#include "tipcodes.h"

NewJob::NewJob(const QString &fileName, const OptionRecord *options, const QString &listTitle,
               QObject *parent)
    : TextBaseNew(fileName, options, parent)
    , m_listTitle(listTitle)
{
}

void NewJob::run()
{
    // A dry run makes no file: the file it would make is only named.
    if (dryRun()) {
        emitTip(Tips::WouldChange, m_fileName);
        finish();
        return;
    }
    const QByteArray target = QFile::encodeName(QFileInfo(m_fileName).absoluteFilePath());
    QByteArray temporary;
    const int fd = m_fileName.isEmpty() ? -1 : AtomicWriter::openTemporary(target, 0666, &temporary);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0) {
            ::close(fd);
            ::unlink(temporary.constData());
        }
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
    ok = ok && file.error() == QFileDevice::NoError;
    // Never over an existing file: one made since the names were chosen
    // (by another program, say) is left as it is.
    if (!ok)
        ::unlink(temporary.constData());
    if (!ok || !AtomicWriter::moveIntoPlace(temporary, target, AtomicWriter::NoReplace)) {
        emitTip(Tips::FileUnwritable, m_fileName);
        return;
    }
    // The rename is durable once the folder is.
    if (syncLater())
        setWrittenFolder(QFile::decodeName(AtomicWriter::folderOf(target)));
    else
        AtomicWriter::syncFolder(target);
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
