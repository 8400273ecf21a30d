// Simplified to traditional Chinese with the complete shipped tables:
// Scrivel's converter (segmenting with its lexicon) against the opencc
// command line ("opencc -c s2t.json", Debian package opencc) on the same
// 10 MB text, in the same run. Both sides go file to file. Prints both
// throughputs (wall clock and CPU time), the ratios, how many characters of
// the two outputs differ, the time to load the tables and the lexicon, the
// speed of longest match alone over the same tables, and the share of the
// known hard cases (tests/reworker/conversioncases.h) that the segmenting
// converter, longest match and opencc (s2t.json, t2s.json for the cases
// read backwards) get right; and, in memory, what counting and marking the
// characters only the character table chose add to a conversion. Without opencc installed the reference is
// skipped.
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
#include "conversioncases.h"
#include "conversiontables.h"
#include "lexicon.h"
#include "mixedtext.h"
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
    return linesOfPieces(random, bytes, 16, 20, 30, ' ', [&](QByteArray &text) {
        const quint32 kind = random.bounded(10);
        if (kind < 6)
            text += phrases.at(int(random.bounded(phrases.size()))).toUtf8();
        else if (kind < 9)
            text += characters.at(int(random.bounded(characters.size()))).toUtf8();
        else
            text += punctuation[random.bounded(int(sizeof punctuation / sizeof *punctuation))];
    });
}

// Scrivel's side, as a job does it: read and decode, convert, encode and write.
bool convertFile(const TraditionConverter &converter, const QString &in, const QString &out)
{
    QString text;
    TextFormat format;
    const int read = ReadWriteTxt::readFile(in, text, &format);
    if (read != ReadWriteTxt::ReadOk) {
        std::fprintf(stderr, "reading %s: outcome %d\n", qPrintable(in), read);
        return false;
    }
    const int outcome = ReadWriteTxt::writeFile(out, converter.convert(text), &format);
    if (outcome != ReadWriteTxt::Saved)
        std::fprintf(stderr, "writing %s: outcome %d\n", qPrintable(out), outcome);
    return outcome == ReadWriteTxt::Saved;
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
    // traditional (character and phrase tables). The first load also reads
    // the lexicon, which then serves every later conversion of the process.
    QElapsedTimer firstTimer;
    firstTimer.start();
    const double firstCpuStart = cpuSeconds(RUSAGE_SELF);
    std::shared_ptr<const TraditionConverter> converter = ConversionTables::loadTradition(folder, 0, nullptr);
    const qint64 firstNs = firstTimer.nsecsElapsed();
    const double firstCpu = cpuSeconds(RUSAGE_SELF) - firstCpuStart; // both threads of the load
    qint64 loadNs = -1;
    for (int r = 0; r < std::max(rounds, 5); ++r) {
        QElapsedTimer timer;
        timer.start();
        converter = ConversionTables::loadTradition(folder, 0, nullptr);
        const qint64 ns = timer.nsecsElapsed();
        if (loadNs < 0 || ns < loadNs)
            loadNs = ns;
    }
    if (!converter || !converter->segments()) {
        std::fprintf(stderr, "the shipped tables or the lexicon did not load\n");
        return 1;
    }
    std::printf("tables: %d characters, %d phrases, lexicon of %d words; first load with the lexicon %.1f ms wall "
                "(%.1f ms CPU on two threads), later loads %.1f ms (best of %d)\n",
                converter->characterCount(), converter->phraseCount(), ConversionTables::shippedLexicon()->size(),
                firstNs / 1e6, firstCpu * 1e3, loadNs / 1e6, std::max(rounds, 5));

    // Longest match alone over the same tables.
    TraditionConverter longest;
    longest.addCharacters(tableLines(folder, ConversionTables::NewOne), tableLines(folder, ConversionTables::OldOne));
    longest.addPhrases(tableLines(folder, ConversionTables::NewMainland),
                       tableLines(folder, ConversionTables::OldMainland));

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

    // Best wall-clock and CPU times of the three sides: the segmenting
    // converter, longest match, the opencc command.
    enum Side { Segmenting, Longest, OpenCC, SideCount };
    qint64 best[SideCount] = { -1, -1, -1 };
    double cpuBest[SideCount] = { -1, -1, -1 };
    const QString longestOut = dir.path() + QStringLiteral("/longest.txt");
    for (int r = 0; r < rounds; ++r) {
        // Rotate which side goes first, so none always finds warm caches.
        for (int k = 0; k < SideCount; ++k) {
            const int side = (k + r) % SideCount;
            if (side == OpenCC && opencc.isEmpty())
                continue;
            QElapsedTimer timer;
            timer.start();
            const int who = side == OpenCC ? RUSAGE_CHILDREN : RUSAGE_SELF;
            const double cpuStart = cpuSeconds(who);
            if (side == OpenCC) {
                QProcess process;
                process.start(opencc, { QStringLiteral("-c"), QStringLiteral("s2t.json"), QStringLiteral("-i"), in,
                                        QStringLiteral("-o"), theirs });
                if (!process.waitForFinished(-1) || process.exitCode() != 0) {
                    std::fprintf(stderr, "opencc failed\n");
                    return 1;
                }
            } else if (!convertFile(side == Segmenting ? *converter : longest, in,
                                    side == Segmenting ? ours : longestOut)) {
                std::fprintf(stderr, "Scrivel's conversion failed\n");
                return 1;
            }
            const qint64 ns = timer.nsecsElapsed();
            const double cpu = cpuSeconds(who) - cpuStart;
            best[side] = best[side] < 0 ? ns : std::min(best[side], ns);
            cpuBest[side] = cpuBest[side] < 0 ? cpu : std::min(cpuBest[side], cpu);
        }
    }

    const double mb = megabytes(input.size());
    std::printf("Scrivel, segmenting: %.1f ms, %.1f MB/s wall; %.1f ms, %.1f MB/s CPU (file to file, tables "
                "already loaded)\n",
                best[Segmenting] / 1e6, mb / (best[Segmenting] / 1e9), cpuBest[Segmenting] * 1e3,
                mb / cpuBest[Segmenting]);
    std::printf("Scrivel, longest match: %.1f ms, %.1f MB/s wall; %.1f ms, %.1f MB/s CPU\n", best[Longest] / 1e6,
                mb / (best[Longest] / 1e9), cpuBest[Longest] * 1e3, mb / cpuBest[Longest]);
    {
        // In memory, the conversion alone: as the bench's files, with the
        // count of undecided characters (every job), and with their marks
        // too (a preview).
        const QString text = QString::fromUtf8(input);
        qint64 plainNs = -1, countNs = -1, markNs = -1;
        int undecided = 0;
        size_t marked = 0;
        for (int r = 0; r < rounds; ++r) {
            QElapsedTimer timer;
            timer.start();
            converter->convert(text);
            plainNs = plainNs < 0 ? timer.nsecsElapsed() : std::min(plainNs, timer.nsecsElapsed());
            timer.restart();
            converter->convert(text, &undecided);
            countNs = countNs < 0 ? timer.nsecsElapsed() : std::min(countNs, timer.nsecsElapsed());
            std::vector<TraditionConverter::Undecided> marks;
            timer.restart();
            converter->convert(text, &undecided, &marks);
            markNs = markNs < 0 ? timer.nsecsElapsed() : std::min(markNs, timer.nsecsElapsed());
            marked = marks.size();
        }
        std::printf("Scrivel, segmenting in memory: %.1f ms; counting undecided characters %.1f ms (%d); "
                    "marking them %.1f ms (%zu marks)\n",
                    plainNs / 1e6, countNs / 1e6, undecided, markNs / 1e6, marked);
    }
    if (best[OpenCC] >= 0) {
        std::printf("opencc -c s2t.json: %.1f ms, %.1f MB/s wall; %.1f ms, %.1f MB/s CPU (whole command, its own "
                    "dictionary load included)\n",
                    best[OpenCC] / 1e6, mb / (best[OpenCC] / 1e9), cpuBest[OpenCC] * 1e3, mb / cpuBest[OpenCC]);
        std::printf("ratio segmenting/opencc: %.2f wall, %.2f CPU; longest match/opencc: %.2f wall, %.2f CPU\n",
                    double(best[OpenCC]) / best[Segmenting], cpuBest[OpenCC] / cpuBest[Segmenting],
                    double(best[OpenCC]) / best[Longest], cpuBest[OpenCC] / cpuBest[Longest]);

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
    }

    // The known hard cases: each converter's share right.
    int right[SideCount] = { 0, 0, 0 };
    for (int direction : { 0, 3 }) {
        const auto segmenting = ConversionTables::loadTradition(folder, direction, nullptr);
        TraditionConverter plain;
        const bool back = direction == 3;
        plain.addCharacters(tableLines(folder, back ? ConversionTables::OldOne : ConversionTables::NewOne),
                            tableLines(folder, back ? ConversionTables::NewOne : ConversionTables::OldOne));
        plain.addPhrases(tableLines(folder, ConversionTables::sourceTable(direction)),
                         tableLines(folder, ConversionTables::targetTable(direction)));
        QStringList texts;
        QStringList expected;
        for (const ConversionCase &c : conversionCases) {
            if (c.direction != direction)
                continue;
            texts << QString::fromUtf8(c.text);
            expected << QString::fromUtf8(c.expected);
        }
        for (int k = 0; k < texts.size(); ++k) {
            right[Segmenting] += segmenting->convert(texts.at(k)) == expected.at(k);
            right[Longest] += plain.convert(texts.at(k)) == expected.at(k);
        }
        if (!opencc.isEmpty()) {
            QProcess process;
            process.start(opencc, { QStringLiteral("-c"), back ? QStringLiteral("t2s.json") : QStringLiteral("s2t.json") });
            process.write(texts.join(QLatin1Char('\n')).toUtf8() + '\n');
            process.closeWriteChannel();
            process.waitForFinished(-1);
            const QStringList got = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
            for (int k = 0; k < texts.size() && k < got.size(); ++k)
                right[OpenCC] += got.at(k) == expected.at(k);
        }
    }
    auto share = [](int n) { return 100.0 * n / conversionCaseCount; };
    std::printf("hard cases right (%d): segmenting %d (%.1f%%), longest match %d (%.1f%%)", conversionCaseCount,
                right[Segmenting], share(right[Segmenting]), right[Longest], share(right[Longest]));
    if (!opencc.isEmpty())
        std::printf(", opencc %d (%.1f%%)", right[OpenCC], share(right[OpenCC]));
    std::printf("\n");
    return 0;
}
