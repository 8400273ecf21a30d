#ifndef TESTWORKERS_H
#define TESTWORKERS_H

#include <QAtomicInt>
#include <QSemaphore>
#include <QString>

#include "optionrecord.h"
#include "textbase.h"
#include "textbasenew.h"

// Options of the test operations; counts live records.
struct TestOptions : OptionRecord
{
    TestOptions() { alive.ref(); }
    ~TestOptions() override { alive.deref(); }
    QString suffix;
    QString outFolder;
    static QAtomicInt alive;
};

// Upper-cases the text and appends the option's suffix; counts live workers.
class UpperWorker : public TextBase
{
    Q_OBJECT
public:
    UpperWorker(const QString &fileName, const OptionRecord *options);
    ~UpperWorker() override;
    QString processText() override;
    static QAtomicInt alive;
};

// Waits for the test to release it before doing UpperWorker's work.
class BlockingWorker : public UpperWorker
{
    Q_OBJECT
public:
    using UpperWorker::UpperWorker;
    void run() override;
    static QSemaphore gate;
};

// Writes the texts of one list, joined by "\n", into
// outFolder/merge<list id>.txt.
class MergeWorker : public TextBaseNew
{
    Q_OBJECT
public:
    MergeWorker(const QString &outFile, const QStringList &inputs, const OptionRecord *options);
    QString processText() override;
    QStringList producedFiles() const override { return succeeded() ? QStringList(m_fileName) : QStringList(); }

private:
    QStringList m_inputs;
};

#endif // TESTWORKERS_H
