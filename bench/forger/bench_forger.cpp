// Number generation at full size: every arrangement of 5 distinct numbers
// from 0..27 (11,793,600 lines, separator ","), written by Scrivel's own
// NewNumber job, beside a minimal C++ stdio writer (bench_forger_fwrite,
// built with this program) and python3's itertools.permutations, all in
// the same run; every output is compared byte for byte.
//
// bench_forger [rounds]   (default 3; the best time of each side counts)
//
// Scrivel is timed twice: one job writing one file, and a start as the
// plug-in makes it (100,000 lines per file, 118 jobs on the global pool).
// Its files are replaced atomically and made durable (the lone job syncs
// its file, the batch syncs its file system once at the end), so the stdio
// writer, which writes one line per fwrite call through stdio's buffer, is
// timed with and without an fsync at its end.

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThreadPool>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "jobbatch.h"
#include "newnumber.h"
#include "newplan.h"

namespace {

const int low = 0;
const int high = 27;
const int count = 5;

QByteArray digest(const QStringList &paths)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    for (const QString &path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        hash.addData(&file);
    }
    return hash.result().toHex();
}

double peakMiB(int who)
{
    rusage usage{};
    getrusage(who, &usage);
    return usage.ru_maxrss / 1024.0; // kilobytes on Linux
}

// Runs program with arguments; seconds, or a negative value on failure.
double timedProcess(const QString &program, const QStringList &arguments)
{
    QProcess process;
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), process.readAllStandardError().constData());
        return -1;
    }
    return timer.nsecsElapsed() / 1e9;
}

double oneJob(const NewNumberOptions &options, const QString &path)
{
    QElapsedTimer timer;
    timer.start();
    NewNumber job(path, &options, 0, options.items);
    job.run();
    const double seconds = timer.nsecsElapsed() / 1e9;
    return job.succeeded() ? seconds : -1;
}

// One job per file of 100,000 lines on the global pool, as a start runs.
double splitStart(const NewNumberOptions &options, const QString &folder, QStringList &paths)
{
    const QList<NewPlan::Range> ranges = NewPlan::split(qint64(options.items), options.perFile);
    QElapsedTimer timer;
    timer.start();
    JobBatch batch;
    paths.clear();
    for (int k = 0; k < ranges.size(); ++k) {
        paths << NewPlan::fileName(folder, QTime(12, 0), 0, k);
        const NewPlan::Range &r = ranges.at(k);
        batch.add(new NewNumber(paths.last(), &options, quint64(r.first - 1), quint64(r.last - r.first + 1)));
    }
    QEventLoop loop;
    int failed = 0;
    QObject::connect(&batch, &JobBatch::finishedSignal, &loop, [&](int, int f) {
        failed = f;
        loop.quit();
    });
    batch.start();
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;
    return failed == 0 ? seconds : -1;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 3;
    const QString fwrite = QCoreApplication::applicationDirPath() + QStringLiteral("/bench_forger_fwrite");
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    NewNumberOptions options;
    options.min = low;
    options.max = high;
    options.count = count;
    options.separator = QStringLiteral(",");
    if (!NewNumber::prepare(options))
        return 1;
    options.items = NewNumber::lineCount(options);
    options.bytes = NewNumber::byteCount(options);
    options.perFile = 100000;
    const double mb = options.bytes / 1e6;
    std::printf("%d..%d, %d per line: %llu lines, %.1f MB; %d rounds, best time counts\n", low, high, count,
                static_cast<unsigned long long>(options.items), mb, rounds);

    const QString python = QStringLiteral(
        "import itertools, sys\n"
        "s = [str(i) for i in range(%1, %2)]\n"
        "with open(sys.argv[1], 'w') as f:\n"
        "    f.writelines(','.join(p) + '\\n' for p in itertools.permutations(s, %3))\n")
                               .arg(low)
                               .arg(high + 1)
                               .arg(count);

    const double none = std::numeric_limits<double>::max();
    double best[5] = { none, none, none, none, none };
    const char *names[5] = { "Scrivel, one job", "Scrivel, 118 jobs on the pool", "fwrite", "fwrite + fsync",
                             "python3 itertools" };
    double rss[2] = { 0, 0 };
    QByteArray digests[5];
    QStringList split;
    for (int round = 0; round < rounds; ++round) {
        const QString one = dir.filePath(QStringLiteral("one.txt"));
        const double times[5] = {
            oneJob(options, one),
            splitStart(options, dir.path(), split),
            timedProcess(fwrite, { QString::number(low), QString::number(high), QString::number(count), ",",
                                   dir.filePath("fwrite.txt") }),
            timedProcess(fwrite, { QString::number(low), QString::number(high), QString::number(count), ",",
                                   dir.filePath("fsync.txt"), "sync" }),
            timedProcess(QStringLiteral("python3"), { "-c", python, dir.filePath("python.txt") }),
        };
        if (round == 0) {
            rss[0] = peakMiB(RUSAGE_SELF);
            digests[0] = digest({ one });
            digests[1] = digest(split);
            digests[2] = digest({ dir.filePath("fwrite.txt") });
            digests[3] = digest({ dir.filePath("fsync.txt") });
            digests[4] = digest({ dir.filePath("python.txt") });
            rss[1] = peakMiB(RUSAGE_CHILDREN);
        }
        for (int i = 0; i < 5; ++i) {
            if (times[i] < 0)
                return 1;
            best[i] = std::min(best[i], times[i]);
        }
        for (const QString &path : split)
            QFile::remove(path);
        for (const char *name : { "one.txt", "fwrite.txt", "fsync.txt", "python.txt" })
            QFile::remove(dir.filePath(name));
    }

    for (int i = 0; i < 5; ++i)
        std::printf("  %-30s %7.3f s  %7.1f MB/s  output %s\n", names[i], best[i], mb / best[i],
                    digests[i] == digests[2] ? "identical" : "DIFFERENT");
    std::printf("  Scrivel / fwrite:          one job %.2fx, pool %.2fx\n", best[0] / best[2], best[1] / best[2]);
    std::printf("  Scrivel / fwrite + fsync:  one job %.2fx, pool %.2fx\n", best[0] / best[3], best[1] / best[3]);
    std::printf("  python3 / Scrivel:         one job %.1fx, pool %.1fx\n", best[4] / best[0], best[4] / best[1]);
    std::printf("  peak RSS: Scrivel process %.1f MiB (output %.0f MB), largest child %.1f MiB\n", rss[0], mb, rss[1]);
    for (const QByteArray &d : digests) {
        if (d != digests[2])
            return 1;
    }
    return 0;
}
