#include "testworkers.h"

#include "readwritetxt.h"

QAtomicInt TestOptions::alive;
QAtomicInt UpperWorker::alive;
QSemaphore BlockingWorker::gate;

UpperWorker::UpperWorker(const QString &fileName, const OptionRecord *options)
    : TextBase(fileName, options)
{
    alive.ref();
}

UpperWorker::~UpperWorker()
{
    alive.deref();
}

QString UpperWorker::processText()
{
    return m_text.toUpper() + options<TestOptions>()->suffix;
}

void BlockingWorker::run()
{
    gate.acquire();
    UpperWorker::run();
}

MergeWorker::MergeWorker(const QString &outFile, const QStringList &inputs, const OptionRecord *options)
    : TextBaseNew(outFile, options)
    , m_inputs(inputs)
{
}

QString MergeWorker::processText()
{
    QStringList texts;
    for (const QString &input : m_inputs) {
        QString text;
        if (ReadWriteTxt::readFile(input, text) == ReadWriteTxt::ReadOk)
            texts << text;
    }
    return texts.join(QLatin1Char('\n'));
}
