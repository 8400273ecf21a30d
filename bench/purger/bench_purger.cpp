// Deleting the digits of many mixed Chinese/ASCII files: Scrivel's worker
// path (one job per file on the global pool, reader/writer, removal, tips
// queued to the GUI thread) against one sed process over an identical copy.
//
// bench_purger [files [rounds [settle]]]
//   defaults: 2000 files of 64 KiB, 2 rounds (sed first, then Scrivel first),
//   no pause (settle: seconds to wait before each timed side)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThread>
#include <QThreadPool>

#include <cstdio>

#include "deleteoptions.h"
#include "deletepatterns.h"
#include "deleteregular.h"
#include "jobbatch.h"
#include "readwritetxt.h"

namespace {

const int fileSize = 64 * 1024;

// One file's worth of text: lines of Chinese words, ASCII words, numbers,
// blanks and punctuation, exactly fileSize bytes of UTF-8.
QByteArray makeText(QRandomGenerator &random)
{
    static const char *const punctuation[] = { "，", "。", "！", "：", "“", "”", ", ", ". ", "; " };
    QByteArray bytes;
    bytes.reserve(fileSize);
    int lineLength = 0;
    // A piece and a line end take at most 19 bytes; ASCII fills the rest.
    while (bytes.size() < fileSize - 24) {
        const quint32 kind = random.bounded(10);
        if (kind < 5) {
            for (int i = 1 + int(random.bounded(6)); i > 0; --i)
                bytes += QString(QChar(ushort(0x4E00 + random.bounded(0x51A6)))).toUtf8();
        } else if (kind < 7) {
            for (int i = 1 + int(random.bounded(8)); i > 0; --i)
                bytes += char('a' + random.bounded(26) - (random.bounded(5) == 0 ? 32 : 0));
            bytes += ' ';
        } else if (kind < 9) {
            for (int i = 1 + int(random.bounded(6)); i > 0; --i)
                bytes += char('0' + random.bounded(10));
        } else {
            bytes += punctuation[random.bounded(int(sizeof punctuation / sizeof *punctuation))];
        }
        if (++lineLength > 30 + int(random.bounded(40))) {
            bytes += '\n';
            lineLength = 0;
        }
    }
    while (bytes.size() < fileSize - 1)
        bytes += 'x';
    bytes += '\n';
    return bytes;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Counts the tips on the GUI thread, as the message dock does.
class TipCounter : public QObject
{
    Q_OBJECT
public:

    int saved = 0;
    int failed = 0;
    int done = 0;

public slots:
    void tipSlot(int var1, int var2, const QString &)
    {
        if (var1 == -4 && var2 == 0)
            ++done;
        else if (var1 == 0 && var2 == ReadWriteTxt::Saved)
            ++saved;
        else
            ++failed;
    }
};

// One start's jobs as the plug-in runs them: a batch of DeleteRegular
// workers sharing one option record, on the global pool, tips queued to
// this thread; timed until the batch reports its last job ended.
qint64 runJobs(const QString &folder, const QStringList &names, TipCounter &counter)
{
    QElapsedTimer timer;
    timer.start();
    JobBatch batch;
    auto *options = new DeleteOptions;
    options->index = DeletePatterns::ArabicNumber;
    batch.adopt(options);
    for (const QString &name : names)
        batch.add(new DeleteRegular(folder + "/" + name, options));
    QObject::connect(&batch, &JobBatch::tipSignal, &counter, &TipCounter::tipSlot);
    QObject::connect(&batch, &JobBatch::finishedSignal, [] { QCoreApplication::exit(0); });
    batch.start();
    QCoreApplication::exec();
    return timer.elapsed();
}

qint64 runSed(const QString &folder, const QStringList &names, bool &ok)
{
    QProcess sed;
    sed.setWorkingDirectory(folder);
    sed.setProcessChannelMode(QProcess::ForwardedChannels);
    QStringList arguments = { "-i", "-E", "s/[0-9]+//g" };
    arguments += names;
    QElapsedTimer timer;
    timer.start();
    sed.start("sed", arguments);
    ok = sed.waitForFinished(-1) && sed.exitStatus() == QProcess::NormalExit && sed.exitCode() == 0;
    return timer.elapsed();
}

// Copies by overwriting the targets in place: deleting and recreating them
// would leave thousands of freshly freed inodes that slow down the file
// creations of the timed runs.
bool copyAll(const QString &from, const QString &to, const QStringList &names)
{
    QDir().mkpath(to);
    for (const QString &name : names) {
        if (!writeBytes(to + "/" + name, readBytes(from + "/" + name)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const QStringList args = app.arguments();
    const int fileCount = args.size() > 1 ? args.at(1).toInt() : 2000;
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 2;
    const int settleSeconds = args.size() > 3 ? qMax(0, args.at(3).toInt()) : 0;

    QTemporaryDir tmp;
    if (!tmp.isValid() || fileCount <= 0) {
        std::fprintf(stderr, "no temporary folder or no files\n");
        return 1;
    }
    const QString source = tmp.filePath("source");
    const QString scrivelDir = tmp.filePath("scrivel");
    const QString sedDir = tmp.filePath("sed");
    QDir().mkpath(source);

    QRandomGenerator random(0x5C21E1u);
    QStringList names;
    for (int i = 0; i < fileCount; ++i) {
        const QString name = QString::asprintf("text%04d.txt", i);
        const QByteArray text = makeText(random);
        if (text.size() != fileSize || !writeBytes(source + "/" + name, text)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
        names << name;
    }
    std::printf("%d files of %d bytes (%.1f MiB) in %s, %d pool threads, sed locale %s\n",
                fileCount, fileSize, fileCount * double(fileSize) / (1024 * 1024), qPrintable(tmp.path()),
                QThreadPool::globalInstance()->maxThreadCount(),
                qPrintable(qEnvironmentVariable("LC_ALL", qEnvironmentVariable("LANG", "C"))));

    bool allGood = true;
    qint64 bestSed = -1;
    qint64 bestScrivel = -1;
    for (int round = 1; round <= rounds; ++round) {
        if (!copyAll(source, scrivelDir, names) || !copyAll(source, sedDir, names)) {
            std::fprintf(stderr, "cannot copy the files\n");
            return 1;
        }
        // Each rewrite frees an inode, and the file system skips recently
        // freed inodes when it creates the next file, so whichever side runs
        // second pays for the first side's deletions: the order alternates.
        const bool sedFirst = round % 2 == 1;
        bool sedOk = false;
        qint64 sedTime = 0;
        TipCounter counter;
        qint64 scrivelTime = 0;
        for (int side = 0; side < 2; ++side) {
            QThread::sleep(settleSeconds);
            if ((side == 0) == sedFirst)
                sedTime = runSed(sedDir, names, sedOk);
            else
                scrivelTime = runJobs(scrivelDir, names, counter);
        }

        int differing = 0;
        for (const QString &name : names) {
            if (readBytes(scrivelDir + "/" + name) != readBytes(sedDir + "/" + name))
                ++differing;
        }
        const bool good = sedOk && counter.failed == 0 && counter.saved == fileCount && differing == 0;
        allGood = allGood && good;
        if (bestSed < 0 || sedTime < bestSed)
            bestSed = sedTime;
        if (bestScrivel < 0 || scrivelTime < bestScrivel)
            bestScrivel = scrivelTime;
        std::printf("round %d (%s first): sed %lld ms, Scrivel %lld ms, ratio Scrivel/sed %.3f (goal <= 0.5)"
                    "; %d saved, %d failed, %d files differ%s\n",
                    round, sedFirst ? "sed" : "Scrivel", sedTime, scrivelTime, sedTime ? double(scrivelTime) / double(sedTime) : 0.0,
                    counter.saved, counter.failed, differing, sedOk ? "" : ", sed failed");
    }
    std::printf("best of %d: sed %lld ms, Scrivel %lld ms, ratio %.3f\n", rounds, bestSed, bestScrivel,
                bestSed > 0 ? double(bestScrivel) / double(bestSed) : 0.0);
    std::printf(allGood ? "outputs byte-identical\n" : "OUTPUTS DIFFER OR JOBS FAILED\n");
    return allGood ? 0 : 1;
}

#include "bench_purger.moc"
