#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>

#include <signal.h>

#include "batchbackup.h"
#include "deleteoptions.h"
#include "deletepatterns.h"
#include "deleteregular.h"
#include "jobbatch.h"
#include "readwritetxt.h"
#include "testfolder.h"

namespace {

const int fileCount = 2000;

QByteArray oldContent(int i)
{
    // About 16 KiB, so the batch takes long enough to be killed in it.
    QByteArray line = "line " + QByteArray::number(i) + " 数字 0123456789 text\n";
    return line.repeated(16384 / line.size());
}

QByteArray newContent(int i)
{
    QString text = QString::fromUtf8(oldContent(i));
    return DeletePatterns::apply(text, DeletePatterns::ArabicNumber).toUtf8();
}

QString fileName(const QString &folder, int i)
{
    return folder + QStringLiteral("/f%1.txt").arg(i, 4, 10, QLatin1Char('0'));
}

// The child: one digit-deletion batch over the folder's files, as a start
// runs it, until it is killed.
int runChild(const QString &folder)
{
    QDir::setCurrent(folder);
    JobBatch batch;
    auto *options = new DeleteOptions;
    options->index = DeletePatterns::ArabicNumber;
    batch.adopt(options);
    for (int i = 0; i < fileCount; ++i)
        batch.add(new DeleteRegular(fileName(folder + QStringLiteral("/files"), i), options));
    QObject::connect(&batch, &JobBatch::finishedSignal, [] { QCoreApplication::exit(0); });
    batch.start();
    return QCoreApplication::exec();
}

// The next run: what a batch does first, before any job.
int runCleanup(const QString &folder)
{
    QStringList all;
    for (int i = 0; i < fileCount; ++i)
        all << fileName(folder + QStringLiteral("/files"), i);
    ReadWriteTxt::removeLeftovers(all);
    return 0;
}

} // namespace

// A batch killed half-way: every file wholly old or wholly new, no
// temporary file left, and undo gives back the files it had replaced.
class TestKillBatch : public QObject
{
    Q_OBJECT
private slots:
    void killedBatchLeavesWholeFilesAndUndoes();
};

void TestKillBatch::killedBatchLeavesWholeFilesAndUndoes()
{
    TestFolder folder;
    QVERIFY(folder.enter());
    const QString files = folder.path(QStringLiteral("files"));
    QVERIFY(QDir().mkpath(files));
    for (int i = 0; i < fileCount; ++i) {
        QFile file(fileName(files, i));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(oldContent(i));
    }

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--child"), folder.path() });
    QVERIFY(child.waitForStarted());
    // Killed once a good part of the files is done, well before the end.
    const QString undoRoot = folder.path(QStringLiteral("data/undo"));
    QTRY_VERIFY_WITH_TIMEOUT([&] {
        const QStringList batches = BatchBackup::batches(undoRoot);
        if (batches.isEmpty())
            return false;
        QFile journal(batches.first() + QStringLiteral("/journal.txt"));
        return journal.open(QIODevice::ReadOnly) && journal.readAll().count('\n') >= fileCount / 5;
    }(), 60000);
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));

    int replaced = 0;
    for (int i = 0; i < fileCount; ++i) {
        QFile file(fileName(files, i));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const bool isNew = bytes == newContent(i);
        QVERIFY2(isNew || bytes == oldContent(i), qPrintable(file.fileName()));
        replaced += isNew;
    }
    QVERIFY2(replaced > 0 && replaced < fileCount, qPrintable(QString::number(replaced)));
    // A write cut short leaves at most a hidden temporary file; the next
    // run's first batch over these files removes it.
    QProcess next;
    next.start(QCoreApplication::applicationFilePath(), { QStringLiteral("--cleanup"), folder.path() });
    QVERIFY(next.waitForFinished(30000));
    QCOMPARE(next.exitCode(), 0);
    QCOMPARE(QDir(files).entryList(QDir::Files | QDir::Hidden).size(), fileCount);

    const BatchBackup::UndoResult undone = BatchBackup::undoLast(undoRoot);
    QVERIFY(undone.found);
    QVERIFY(undone.changed.isEmpty());
    QVERIFY(undone.failed.isEmpty());
    QVERIFY(undone.restored.size() >= replaced);
    for (int i = 0; i < fileCount; ++i) {
        QFile file(fileName(files, i));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), oldContent(i));
    }
    folder.leave();
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--child")
        return runChild(QString::fromLocal8Bit(argv[2]));
    if (argc == 3 && QByteArray(argv[1]) == "--cleanup")
        return runCleanup(QString::fromLocal8Bit(argv[2]));
    TestFolder::prepareProcess();
    TestKillBatch test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_killbatch.moc"
