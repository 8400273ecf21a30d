#include "newjob.h"

#include <QBuffer>
#include <QSaveFile>
#include <QTextCodec>

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
    QSaveFile file(m_fileName);
    if (m_fileName.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        emit tipSignal(Tips::FileMissing.var1, Tips::FileMissing.var2, m_fileName);
        return;
    }
    BufferedWriter out(&file);
    generate(out);
    if (!out.flush() || !file.commit()) {
        file.cancelWriting();
        emit tipSignal(Tips::FileUnwritable.var1, Tips::FileUnwritable.var2, m_fileName);
        return;
    }
    emit tipSignal(Tips::Saved.var1, Tips::Saved.var2, m_fileName);
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
