#include "newjob.h"

#include <QBuffer>
#include <QSaveFile>
#include <QTextCodec>

#include "bufferedwriter.h"
#include "readwritetxt.h"

NewJob::NewJob(const QString &fileName, const OptionRecord *options, const QString &listTitle,
               QObject *parent)
    : TextBaseNew(fileName, options, parent)
    , m_listTitle(listTitle)
{
}

void NewJob::run()
{
    QSaveFile file(m_fileName);
    if (m_fileName.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        emit tipSignal(0, ReadWriteTxt::NotFound, m_fileName);
        return;
    }
    BufferedWriter out(&file);
    generate(out);
    if (!out.flush() || !file.commit()) {
        file.cancelWriting();
        emit tipSignal(0, ReadWriteTxt::NotWritable, m_fileName);
        return;
    }
    emit tipSignal(0, ReadWriteTxt::Saved, m_fileName);
    finish();
}

QByteArray NewJob::bytes() const
{
    QByteArray result;
    QBuffer buffer(&result);
    buffer.open(QIODevice::WriteOnly);
    {
        BufferedWriter out(&buffer, 1 << 16);
        generate(out);
        out.flush();
    }
    return result;
}

QString NewJob::processText()
{
    return QTextCodec::codecForLocale()->toUnicode(bytes());
}
