// Replacing in many mixed Chinese/ASCII files: the text plug-in's replace
// jobs (one per file on the global pool, reader/writer, pure replace,
// tips queued to the GUI thread) against one sed -i process over an
// identical copy, and against the floor of plainly copying every file in
// place (read, write a temporary file, rename) on the same pool.
// Two cases: three ordinary keys, and a regular expression with a
// back-reference.
//
// bench_replace [files [rounds]]
//   defaults: 2000 files of 64 KiB, 2 rounds (sides alternate their order)

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThreadPool>
#include <QtConcurrent>

#include <cstdio>

#include <sys/resource.h>

#include "benchfiles.h"
#include "jobbatch.h"
#include "readwritetxt.h"
#include "replace.h"
#include "textjob.h"

namespace {

using ReplaceJob = TextJob<ReplaceOptions, Replace::apply>;

const int fileSize = 64 * 1024;

// Lines of Chinese and English words, numbers and "name@number" tokens,
// exactly fileSize bytes of UTF-8, every key of both cases present.
QByteArray makeText(QRandomGenerator &random)
{
    static const char *const words[] = {"苹果", "香蕉", "文本", "处理", "apple", "pear", "text", "batch",
                                        "2024", "17", "，", "。", "user@42", "abc@7", "x@", "@9", "the"};
    const int n = int(sizeof words / sizeof *words);
    QByteArray bytes;
    bytes.reserve(fileSize);
    int lineLength = 0;
    while (bytes.size() < fileSize - 16) {
        bytes += words[random.bounded(n)];
        bytes += ' ';
        if (++lineLength > 8 + int(random.bounded(10))) {
            bytes += '\n';
            lineLength = 0;
        }
    }
    while (bytes.size() < fileSize - 1)
        bytes += 'x';
    bytes += '\n';
    return bytes;
}

struct Case
{
    const char *name;
    ReplaceOptions options;
    QStringList sedArguments;
};

QList<Case> cases()
{
    Case ordinary{"3 ordinary keys", {}, {}};
    ordinary.options.pairs = {{"apple", "orange"}, {"苹果", "橙子"}, {"2024", "2025"}};
    ordinary.sedArguments = QStringList{"-i", "-e", "s/apple/orange/g", "-e", "s/苹果/橙子/g", "-e", "s/2024/2025/g"};

    Case regular{"regex with back-reference", {}, {}};
    regular.options.pattern = Pattern::Regular;
    regular.options.pairs = {{"([a-z]+)@([0-9]+)", "\\2#\\1"}};
    regular.sedArguments = QStringList{"-i", "-E", "s/([a-z]+)@([0-9]+)/\\2#\\1/g"};
    return {ordinary, regular};
}

// CPU time (user + system) in ms of this process or of its ended children.
qint64 cpuMs(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

struct Counts
{
    int saved = 0;
    int other = 0;
};

qint64 runJobs(const QString &folder, const QStringList &names, const ReplaceOptions &options, Counts &counts)
{
    QElapsedTimer timer;
    timer.start();
    JobBatch batch;
    auto *record = new ReplaceOptions(options);
    batch.adopt(record);
    for (const QString &name : names)
        batch.add(new ReplaceJob(folder + "/" + name, record));
    QObject::connect(&batch, &JobBatch::tipSignal, [&counts](int var1, int var2, const QString &) {
        if (var1 == 0 && var2 == ReadWriteTxt::Saved)
            ++counts.saved;
        else if (var1 != -4)
            ++counts.other;
    });
    QObject::connect(&batch, &JobBatch::finishedSignal, [] { QCoreApplication::exit(0); });
    batch.start();
    QCoreApplication::exec();
    return timer.elapsed();
}

qint64 runSed(const QString &folder, const QStringList &names, const QStringList &arguments, bool &ok)
{
    QProcess sed;
    sed.setWorkingDirectory(folder);
    sed.setProcessChannelMode(QProcess::ForwardedChannels);
    // Byte-wise matching is sed's fastest mode; the patterns are ASCII
    // classes and literal UTF-8, so the result is the same.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    sed.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    sed.start("sed", arguments + names);
    ok = sed.waitForFinished(-1) && sed.exitStatus() == QProcess::NormalExit && sed.exitCode() == 0;
    return timer.elapsed();
}

// The floor: every file read and written back unchanged through a
// temporary file and a rename, on the same pool.
qint64 runCopy(const QString &folder, const QStringList &names)
{
    QElapsedTimer timer;
    timer.start();
    QtConcurrent::blockingMap(names, [&folder](const QString &name) {
        const QString path = folder + "/" + name;
        const QByteArray bytes = readBytes(path);
        QSaveFile out(path);
        if (out.open(QIODevice::WriteOnly)) {
            out.write(bytes);
            out.commit();
        }
    });
    return timer.elapsed();
}

// The workers' debug lines ("readTxt m_fileName: ...") would swamp the
// figures; warnings still show.
void quietDebug(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(quietDebug);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const QStringList args = app.arguments();
    const int fileCount = args.size() > 1 ? args.at(1).toInt() : 2000;
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 2;

    QTemporaryDir tmp;
    if (!tmp.isValid() || fileCount <= 0) {
        std::fprintf(stderr, "no temporary folder or no files\n");
        return 1;
    }
    // Batches keep their backups for undo under the working folder's
    // data/undo: here, inside the temporary folder.
    QDir::setCurrent(tmp.path());
    const QString source = tmp.filePath("source");
    const QString scrivelDir = tmp.filePath("scrivel");
    const QString sedDir = tmp.filePath("sed");
    const QString copyDir = tmp.filePath("copy");
    QDir().mkpath(source);

    QRandomGenerator random(0x2E91ACu);
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
    std::printf("%d files of %d bytes (%.1f MiB), %d pool threads, sed with LC_ALL=C\n", fileCount, fileSize,
                fileCount * double(fileSize) / (1024 * 1024), QThreadPool::globalInstance()->maxThreadCount());

    bool allGood = true;
    for (const Case &c : cases()) {
        qint64 bestSed = -1, bestScrivel = -1, bestCopy = -1;
        for (int round = 1; round <= rounds; ++round) {
            if (!copyAll(source, scrivelDir, names) || !copyAll(source, sedDir, names)
                || !copyAll(source, copyDir, names)) {
                std::fprintf(stderr, "cannot copy the files\n");
                return 1;
            }
            // Rewrites free inodes that slow down the next side's file
            // creations, so the order alternates between rounds.
            const bool sedFirst = round % 2 == 1;
            bool sedOk = false;
            qint64 sedTime = 0, scrivelTime = 0, sedCpu = 0, scrivelCpu = 0;
            Counts counts;
            for (int side = 0; side < 2; ++side) {
                if ((side == 0) == sedFirst) {
                    const qint64 before = cpuMs(RUSAGE_CHILDREN);
                    sedTime = runSed(sedDir, names, c.sedArguments, sedOk);
                    sedCpu = cpuMs(RUSAGE_CHILDREN) - before;
                } else {
                    const qint64 before = cpuMs(RUSAGE_SELF);
                    scrivelTime = runJobs(scrivelDir, names, c.options, counts);
                    scrivelCpu = cpuMs(RUSAGE_SELF) - before;
                }
            }
            const qint64 copyBefore = cpuMs(RUSAGE_SELF);
            const qint64 copyTime = runCopy(copyDir, names);
            const qint64 copyCpu = cpuMs(RUSAGE_SELF) - copyBefore;

            int differing = 0, unchanged = 0;
            for (const QString &name : names) {
                const QByteArray result = readBytes(scrivelDir + "/" + name);
                if (result != readBytes(sedDir + "/" + name))
                    ++differing;
                if (result == readBytes(source + "/" + name))
                    ++unchanged;
            }
            const bool good = sedOk && counts.other == 0 && counts.saved == fileCount && differing == 0
                && unchanged == 0;
            allGood = allGood && good;
            bestSed = bestSed < 0 ? sedTime : qMin(bestSed, sedTime);
            bestScrivel = bestScrivel < 0 ? scrivelTime : qMin(bestScrivel, scrivelTime);
            bestCopy = bestCopy < 0 ? copyTime : qMin(bestCopy, copyTime);
            std::printf("%s, round %d (%s first): wall sed %lld ms, Scrivel %lld ms, copy %lld ms; "
                        "Scrivel/sed %.3f (goal <= 0.5), Scrivel/copy %.2f; CPU sed %lld ms, Scrivel %lld ms, "
                        "copy %lld ms; %d saved, %d other tips, %d differ from sed, %d unchanged%s\n",
                        c.name, round, sedFirst ? "sed" : "Scrivel", sedTime, scrivelTime, copyTime,
                        sedTime ? double(scrivelTime) / sedTime : 0.0, copyTime ? double(scrivelTime) / copyTime : 0.0,
                        sedCpu, scrivelCpu, copyCpu, counts.saved, counts.other, differing, unchanged,
                        sedOk ? "" : ", sed failed");
        }
        std::printf("%s, best of %d: sed %lld ms, Scrivel %lld ms, copy %lld ms; Scrivel/sed %.3f, Scrivel/copy %.2f\n",
                    c.name, rounds, bestSed, bestScrivel, bestCopy, bestSed > 0 ? double(bestScrivel) / bestSed : 0.0,
                    bestCopy > 0 ? double(bestScrivel) / bestCopy : 0.0);
    }
    std::printf(allGood ? "outputs byte-identical\n" : "OUTPUTS DIFFER OR JOBS FAILED\n");
    return allGood ? 0 : 1;
}
