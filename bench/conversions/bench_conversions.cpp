// Simplified to traditional Chinese with the complete shipped tables:
// Scrivel's one-pass converter against the opencc command line
// ("opencc -c s2t.json", Debian package opencc) on the same 10 MB text, in
// the same run. Both sides go file to file. Prints both throughputs (wall
// clock and CPU time), the ratios, how many characters of the two outputs differ, and the time to
// load the tables. Without opencc installed the reference is skipped.
//
// bench_conversions [megabytes [rounds]]   defaults: 10 MB, 3 rounds (best kept)

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCodec>

#include <algorithm>
#include <cstdio>

#include <sys/resource.h>

#include "benchfiles.h"
#include "conversiontables.h"
#include "readwritetxt.h"
#include "textlines.h"
#include "traditionconverter.h"

namespace {

QStringList tableLines(const QString &folder, int table)
{
    QString text;
    ReadWriteTxt::readFile(folder + ConversionTables::fileName(table), text);
    return TextLines::split(text).lines;
}

// Lines of simplified text made of the tables' phrases and characters and
// Chinese punctuation, fixed seed, exactly `bytes` bytes of UTF-8.
QByteArray makeText(const QStringList &phrases, const QStringList &characters, qint64 bytes)
{
    QRandomGenerator random(20261208);
    static const char *const punctuation[] = { "，", "。", "、", "；", "：", "！", "？" };
    QByteArray text;
    text.reserve(int(bytes));
    int lineLength = 0;
    while (text.size() < bytes - 16) {
        const quint32 kind = random.bounded(10);
        if (kind < 6)
            text += phrases.at(int(random.bounded(phrases.size()))).toUtf8();
        else if (kind < 9)
            text += characters.at(int(random.bounded(characters.size()))).toUtf8();
        else
            text += punctuation[random.bounded(int(sizeof punctuation / sizeof *punctuation))];
        if (++lineLength > 20 + int(random.bounded(30))) {
            text += '\n';
            lineLength = 0;
        }
    }
    while (text.size() < bytes - 1)
        text += ' ';
    text += '\n';
    return text;
}

// Scrivel's side, as a job does it: read and decode, convert, encode and write.
bool convertFile(const TraditionConverter &converter, const QString &in, const QString &out)
{
    QString text;
    TextFormat format;
    if (ReadWriteTxt::readFile(in, text, &format) != ReadWriteTxt::ReadOk)
        return false;
    return ReadWriteTxt::writeFile(out, converter.convert(text), &format) == ReadWriteTxt::Saved;
}

double megabytes(qint64 bytes) { return double(bytes) / (1024.0 * 1024.0); }

// CPU seconds used so far by this process (who = RUSAGE_SELF) or by its
// ended children (RUSAGE_CHILDREN): on a busy machine wall-clock time
// mostly measures the other processes.
double cpuSeconds(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const QStringList args = app.arguments();
    const qint64 size = qint64((args.size() > 1 ? args.at(1).toDouble() : 10.0) * 1024 * 1024);
    const int rounds = std::max(1, args.size() > 2 ? args.at(2).toInt() : 3);

    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("BENCH_KEEP"));
    if (!dir.autoRemove())
        std::printf("files kept in %s\n", qPrintable(dir.path()));
    const QString folder = dir.path() + QStringLiteral("/tables/");
    ConversionTables::installMissing(folder);

    // Loading: read, split and build the tables of simplified to literal
    // traditional (character and phrase tables), best of the rounds.
    qint64 loadNs = -1;
    std::shared_ptr<const TraditionConverter> converter;
    for (int r = 0; r < std::max(rounds, 5); ++r) {
        QElapsedTimer timer;
        timer.start();
        converter = ConversionTables::loadTradition(folder, 0, nullptr);
        const qint64 ns = timer.nsecsElapsed();
        if (loadNs < 0 || ns < loadNs)
            loadNs = ns;
    }
    if (!converter) {
        std::fprintf(stderr, "the shipped tables did not load\n");
        return 1;
    }
    std::printf("tables: %d characters, %d phrases, loaded in %.1f ms (best of %d)\n",
                converter->characterCount(), converter->phraseCount(), loadNs / 1e6, std::max(rounds, 5));

    const QByteArray input = makeText(tableLines(folder, ConversionTables::NewMainland),
                                      tableLines(folder, ConversionTables::NewOne), size);
    const QString in = dir.path() + QStringLiteral("/in.txt");
    const QString ours = dir.path() + QStringLiteral("/scrivel.txt");
    const QString theirs = dir.path() + QStringLiteral("/opencc.txt");
    if (!writeBytes(in, input)) {
        std::fprintf(stderr, "cannot write the input\n");
        return 1;
    }
    std::printf("input: %.1f MB of simplified text (fixed seed)\n", megabytes(input.size()));

    const QString opencc = QStandardPaths::findExecutable(QStringLiteral("opencc"));
    if (opencc.isEmpty())
        std::printf("opencc not found (Debian package opencc): reference skipped\n");

    qint64 bestOurs = -1;
    qint64 bestTheirs = -1;
    double cpuOurs = -1;
    double cpuTheirs = -1;
    for (int r = 0; r < rounds; ++r) {
        // Alternate which side goes first, so neither always finds warm caches.
        for (int side = 0; side < 2; ++side) {
            const bool scrivelSide = (side + r) % 2 == 0;
            QElapsedTimer timer;
            timer.start();
            const double cpuStart = cpuSeconds(scrivelSide ? RUSAGE_SELF : RUSAGE_CHILDREN);
            if (scrivelSide) {
                if (!convertFile(*converter, in, ours)) {
                    std::fprintf(stderr, "Scrivel's conversion failed\n");
                    return 1;
                }
                const qint64 ns = timer.nsecsElapsed();
                bestOurs = bestOurs < 0 ? ns : std::min(bestOurs, ns);
                const double cpu = cpuSeconds(RUSAGE_SELF) - cpuStart;
                cpuOurs = cpuOurs < 0 ? cpu : std::min(cpuOurs, cpu);
            } else if (!opencc.isEmpty()) {
                QProcess process;
                process.start(opencc, { QStringLiteral("-c"), QStringLiteral("s2t.json"), QStringLiteral("-i"), in,
                                        QStringLiteral("-o"), theirs });
                if (!process.waitForFinished(-1) || process.exitCode() != 0) {
                    std::fprintf(stderr, "opencc failed\n");
                    return 1;
                }
                const qint64 ns = timer.nsecsElapsed();
                bestTheirs = bestTheirs < 0 ? ns : std::min(bestTheirs, ns);
                const double cpu = cpuSeconds(RUSAGE_CHILDREN) - cpuStart;
                cpuTheirs = cpuTheirs < 0 ? cpu : std::min(cpuTheirs, cpu);
            }
        }
    }

    const double ourRate = megabytes(input.size()) / (bestOurs / 1e9);
    std::printf("Scrivel: %.1f ms, %.1f MB/s wall; %.1f ms, %.1f MB/s CPU (file to file, tables already loaded)\n",
                bestOurs / 1e6, ourRate, cpuOurs * 1e3, megabytes(input.size()) / cpuOurs);
    if (bestTheirs < 0)
        return 0;
    const double theirRate = megabytes(input.size()) / (bestTheirs / 1e9);
    std::printf("opencc -c s2t.json: %.1f ms, %.1f MB/s wall; %.1f ms, %.1f MB/s CPU (whole command, its own "
                "dictionary load included)\n",
                bestTheirs / 1e6, theirRate, cpuTheirs * 1e3, megabytes(input.size()) / cpuTheirs);
    std::printf("ratio Scrivel/opencc: %.2f wall, %.2f CPU\n", ourRate / theirRate, cpuTheirs / cpuOurs);

    QString a;
    QString b;
    ReadWriteTxt::readFile(ours, a);
    ReadWriteTxt::readFile(theirs, b);
    const QVector<uint> x = a.toUcs4();
    const QVector<uint> y = b.toUcs4();
    int differ = std::abs(x.size() - y.size());
    for (int i = 0, n = std::min(x.size(), y.size()); i < n; ++i)
        differ += x.at(i) != y.at(i);
    std::printf("outputs: %d of %d characters differ (%.4f%%)%s\n", differ, int(x.size()),
                100.0 * differ / std::max(1, int(x.size())),
                x.size() == y.size() ? "" : " (lengths differ; compared position by position)");
    return 0;
}
