// Three line operations over one large file of short lines, each through
// the whole worker path (read, decode, transform, encode, write): numbering
// "i.", spaces set to two at the start of every line, and keeping the lines
// of prime number. awk's numbering of the same file is run beside them as
// the reference, and its output must equal Scrivel's byte for byte.
//
// bench_lines [megabytes]   (default 100)
//
// Every operation runs in a child process of its own, so that its peak
// memory (maximum resident set) is its own and can be compared with the
// file size. A second child times the transformation alone, on the text
// already read, to tell it from the reading and the safe writing (which
// syncs the file to disk before replacing it).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>
#include <cstring>

#include "benchfiles.h"
#include "readwritetxt.h"
#include "textjob.h"
#include "textextraction.h"
#include "textnumberjob.h"
#include "textspace.h"

namespace {

// The file: lines of 0 to 40 characters, mostly ASCII words with some
// leading blanks, every eighth line Chinese; UTF-8, ending with a break.
QByteArray makeText(qint64 size)
{
    QRandomGenerator random(20261208);
    QByteArray bytes;
    bytes.reserve(int(size) + 64);
    while (bytes.size() < size) {
        if (random.bounded(8) == 0) {
            for (int i = int(random.bounded(14)); i > 0; --i)
                bytes += QString(QChar(ushort(0x4E00 + random.bounded(0x51A6)))).toUtf8();
        } else {
            for (int i = int(random.bounded(4)); i > 0 && random.bounded(3) == 0; --i)
                bytes += ' ';
            for (int i = int(random.bounded(40)); i > 0; --i)
                bytes += random.bounded(6) == 0 ? ' ' : char('a' + random.bounded(26));
        }
        bytes += '\n';
    }
    return bytes;
}

qint64 peakKiB()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

double seconds(const timeval &t) { return t.tv_sec + t.tv_usec / 1e6; }

// User plus system time of this process, or of its finished children.
double cpuSeconds(int who)
{
    rusage usage;
    getrusage(who, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A child: one operation over the file, then "wall cpu peakKiB". With
// transformOnly, the file is read first and only the transformation of its
// text in memory is measured.
int runOperation(const QString &operation, const QString &fileName, bool transformOnly)
{
    NumberOptions number;
    SpaceOptions space;
    space.index = SpaceOptions::Left;
    space.implement = SpaceOptions::Fixde;
    space.count = 2;
    TextExtractionOption extraction;
    extraction.given = TextExtractionOption::PrimeNumber;

    QString text;
    if (transformOnly && ReadWriteTxt::readFile(fileName, text) != ReadWriteTxt::ReadOk)
        return 1;
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer timer;
    timer.start();
    bool ok = false;
    if (transformOnly) {
        if (operation == QLatin1String("number"))
            TextNumber::processInPlace(text, number);
        else if (operation == QLatin1String("space"))
        {
            bool changed = false;
            if (!TextSpace::processInPlace(text, space, changed))
                text.clear();
        }
        else
            text = TextExtraction::process(text, extraction);
        ok = !text.isEmpty();
    } else if (operation == QLatin1String("number")) {
        TextNumberJob job(fileName, &number);
        job.run();
        ok = job.succeeded();
    } else if (operation == QLatin1String("space")) {
        InPlaceTextJob<SpaceOptions, &TextSpace::processInPlace, Tips::FileTooLarge> job(fileName, &space);
        job.run();
        ok = job.succeeded();
    } else if (operation == QLatin1String("prime")) {
        TextJob<TextExtractionOption, &TextExtraction::process> job(fileName, &extraction);
        job.run();
        ok = job.succeeded();
    }
    const double wall = timer.nsecsElapsed() / 1e9;
    std::printf("%f %f %lld\n", wall, cpuSeconds(RUSAGE_SELF) - cpuBefore, peakKiB());
    return ok ? 0 : 1;
}

bool copyFile(const QString &from, const QString &to)
{
    QFile::remove(to);
    return QFile::copy(from, to);
}

struct Outcome {
    double seconds = 0;
    double cpu = 0;
    qint64 peakKiB = 0;
    bool ok = false;
};

Outcome child(const QString &mode, const QString &operation, const QString &fileName)
{
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), { mode, operation, fileName });
    process.waitForFinished(-1);
    Outcome outcome;
    const QList<QByteArray> fields = process.readAllStandardOutput().simplified().split(' ');
    if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 && fields.size() == 3) {
        outcome.seconds = fields[0].toDouble();
        outcome.cpu = fields[1].toDouble();
        outcome.peakKiB = fields[2].toLongLong();
        outcome.ok = true;
    }
    return outcome;
}

} // namespace

int main(int argc, char *argv[])
{
    const bool transformOnly = argc == 4 && std::strcmp(argv[1], "--transform") == 0;
    if (argc == 4 && (transformOnly || std::strcmp(argv[1], "--run") == 0))
        return runOperation(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), transformOnly);

    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? qMax(1, atoi(argv[1])) : 100;
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("source.txt"));
    const QString work = dir.filePath(QStringLiteral("work.txt"));
    const QString awkOut = dir.filePath(QStringLiteral("awk.txt"));
    {
        const QByteArray bytes = makeText(megabytes * 1000 * 1000);
        QFile file(source);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(source));
            return 1;
        }
        std::printf("file: %.1f MB, %d lines\n", bytes.size() / 1e6, int(bytes.count('\n')));
    }
    const double mb = QFile(source).size() / 1e6;

    // awk: "1.first line", "2.second line", … into a file.
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer timer;
    timer.start();
    QProcess awk;
    awk.setStandardOutputFile(awkOut);
    awk.start(QStringLiteral("awk"), { QStringLiteral("{print NR \".\" $0}"), source });
    awk.waitForFinished(-1);
    const double awkSeconds = timer.nsecsElapsed() / 1e9;
    const double awkCpu = cpuSeconds(RUSAGE_CHILDREN) - cpuBefore;
    std::printf("wall time (the machine is shared, so also the CPU time of each side)\n");
    std::printf("%-28s %7.3f s %8.1f MB/s  cpu %6.3f s %8.1f MB/s\n", "awk numbering (reference)",
                awkSeconds, mb / awkSeconds, awkCpu, mb / awkCpu);

    const struct { const char *operation; const char *name; } runs[] = {
        { "number", "Scrivel numbering \"i.\"" },
        { "space", "Scrivel spaces Fixde 2" },
        { "prime", "Scrivel extraction primes" },
    };
    int failures = 0;
    for (const auto &run : runs) {
        if (!copyFile(source, work)) {
            std::fprintf(stderr, "cannot copy the file\n");
            return 1;
        }
        const Outcome outcome = child(QStringLiteral("--run"), QLatin1String(run.operation), work);
        if (!outcome.ok) {
            std::printf("%-28s FAILED\n", run.name);
            ++failures;
            continue;
        }
        std::printf("%-28s %7.3f s %8.1f MB/s  cpu %6.3f s %8.1f MB/s  peak %4.0f MB = %.2fx file",
                    run.name, outcome.seconds, mb / outcome.seconds, outcome.cpu, mb / outcome.cpu,
                    outcome.peakKiB * 1024.0 / 1e6, outcome.peakKiB * 1024.0 / 1e6 / mb);
        if (std::strcmp(run.operation, "number") == 0) {
            const bool same = readBytes(work) == readBytes(awkOut);
            std::printf("\n%-28s wall %.2fx, cpu %.2fx awk's speed; output %s", "", awkSeconds / outcome.seconds,
                        awkCpu / outcome.cpu, same ? "= awk's" : "DIFFERS from awk's");
            failures += same ? 0 : 1;
        }
        const Outcome transform = child(QStringLiteral("--transform"), QLatin1String(run.operation), source);
        if (transform.ok)
            std::printf("\n%-28s the transformation alone: %.3f s, %.1f MB/s", "", transform.cpu, mb / transform.cpu);
        std::printf("\n");
    }
    return failures == 0 ? 0 : 1;
}
