// The AB lookup over large lists: Scrivel's worker (one job on the global
// pool, each B file read once, the plain A lines found together, the A
// files rewritten through the shared writer) against a straightforward
// version of the line-by-line method, which opens and reads every B file
// again and builds a new expression for every pair of A line and B file.
// Both run over identical copies in the same run; their outputs and
// rewritten A files are compared byte for byte.
//
// The line-by-line method costs the same for every A line (all of B read
// and searched again), several minutes for 5,000 lines. By default it runs
// over the first A file only, and its time is scaled to all A lines; its
// results are compared with a second (untimed) Scrivel run over that file.
//
// bench_tailor [A lines [B lines [A files [B files [A files line by line]]]]]
//   defaults: 5,000 A lines in 5 files, 200,000 B lines in 4 files, 1

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>

#include <cstdio>

#include "benchfiles.h"
#include "aboptions.h"
#include "absearch.h"
#include "customizedab.h"
#include "jobbatch.h"
#include "readwritetxt.h"

namespace {

QString randomKey(QRandomGenerator &random)
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString key = QStringLiteral("k");
    for (int i = 0; i < 9; ++i)
        key += QLatin1Char(alphabet[random.bounded(36)]);
    return key;
}

QString randomValue(QRandomGenerator &random)
{
    QString value;
    for (int i = 4 + int(random.bounded(12)); i > 0; --i) {
        if (random.bounded(4) == 0)
            value += QChar(ushort(0x4E00 + random.bounded(0x51A6)));
        else
            value += QLatin1Char(char('a' + random.bounded(26)));
    }
    return value;
}

// A missing file reads as "<missing>", so it never equals an empty output.
QByteArray readOrMissing(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The line-by-line method as described, straightforwardly: for each A line
// every B file is opened and read whole again and searched with a freshly
// built expression; the A file is rewritten through a temporary file
// (truncated) that replaces it.
qint64 runLineByLine(const QStringList &aFiles, const QStringList &bFiles, const QString &output)
{
    QElapsedTimer timer;
    timer.start();
    QFile out(output);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return -1;
    QTextStream outStream(&out);
    for (const QString &aName : aFiles) {
        QFile temp(aName + "2");
        QFile a(aName);
        if (!temp.open(QIODevice::ReadWrite | QIODevice::Text | QIODevice::Truncate)
            || !a.open(QIODevice::ReadWrite | QIODevice::Text))
            return -1;
        QTextStream aStream(&a);
        QTextStream tempStream(&temp);
        const QStringList lines = aStream.readAll().split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (line.isEmpty())
                continue;
            bool found = false;
            for (const QString &bName : bFiles) {
                QFile b(bName);
                if (!b.open(QIODevice::ReadOnly | QIODevice::Text))
                    return -1;
                QTextStream bStream(&b);
                const QString bText = bStream.readAll();
                const QRegularExpression expression(AbSearch::pattern(line));
                QRegularExpressionMatchIterator it = expression.globalMatch(bText);
                while (it.hasNext()) {
                    const QRegularExpressionMatch match = it.next();
                    if (match.capturedLength() > 0) {
                        outStream << match.captured() << "\n";
                        found = true;
                    }
                }
            }
            tempStream << line;
            if (!found)
                tempStream << AbSearch::notFoundMark;
            tempStream << "\n";
        }
        tempStream.flush();
        temp.close();
        a.close();
        if (!QFile::remove(aName) || !QFile::rename(aName + "2", aName))
            return -1;
    }
    outStream.flush();
    out.close();
    return timer.elapsed();
}

// The plug-in's job: one CustomizedAB worker in a batch on the global pool,
// tips queued to this thread, timed until the batch reports its end.
qint64 runScrivel(const QStringList &aFiles, const QStringList &bFiles, const QString &output, int &saved)
{
    QElapsedTimer timer;
    timer.start();
    JobBatch batch;
    auto *options = new ABOptions;
    options->aFiles = aFiles;
    options->bFiles = bFiles;
    options->output = output;
    batch.adopt(options);
    batch.add(new CustomizedAB(options));
    QObject::connect(&batch, &JobBatch::tipSignal, [&saved](int var1, int var2, const QString &) {
        if (var1 == 0 && var2 == ReadWriteTxt::Saved)
            ++saved;
    });
    QObject::connect(&batch, &JobBatch::finishedSignal, [] { QCoreApplication::exit(0); });
    batch.start();
    QCoreApplication::exec();
    return timer.elapsed();
}

} // namespace

int main(int argc, char *argv[])
{
    // The workers' debug lines ("readTxt ...") would only clutter the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            std::fprintf(stderr, "%s\n", qPrintable(message));
    });
    QCoreApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const QStringList args = app.arguments();
    const int aLineCount = args.size() > 1 ? args.at(1).toInt() : 5000;
    const int bLineCount = args.size() > 2 ? args.at(2).toInt() : 200000;
    const int aFileCount = args.size() > 3 ? qMax(1, args.at(3).toInt()) : 5;
    const int bFileCount = args.size() > 4 ? qMax(1, args.at(4).toInt()) : 4;
    const int sampleFiles = qBound(1, args.size() > 5 ? args.at(5).toInt() : 1, aFileCount);

    QTemporaryDir tmp;
    if (!tmp.isValid() || aLineCount <= 0 || bLineCount < aLineCount) {
        std::fprintf(stderr, "no temporary folder, or fewer B lines than A lines\n");
        return 1;
    }

    // Half of the A keys are in B, every fifth of those two to four times;
    // one A line in 500 holds a dot, which the pattern engine matches as
    // any character. The other B lines have keys of their own.
    QRandomGenerator random(0xAB5EA7u);
    QStringList aLines;
    QStringList bLines;
    for (int i = 0; i < aLineCount; ++i) {
        QString key = randomKey(random);
        if (i % 2 == 0) {
            const int copies = i % 10 == 0 ? 2 + int(random.bounded(3)) : 1;
            for (int c = 0; c < copies; ++c)
                bLines << key + QStringLiteral("----") + randomValue(random);
        }
        if (i % 500 == 0)
            key[3] = QLatin1Char('.');
        aLines << key;
    }
    while (bLines.size() < bLineCount)
        bLines << randomKey(random) + QStringLiteral("----") + randomValue(random);
    for (int i = bLines.size() - 1; i > 0; --i)
        bLines.swapItemsAt(i, int(random.bounded(i + 1)));

    const QString source = tmp.filePath("source");
    QDir().mkpath(source);
    QStringList aNames;
    QStringList bFiles;
    for (int f = 0; f < aFileCount; ++f) {
        const QString name = QString::asprintf("a%02d.txt", f);
        QStringList part;
        for (int i = f; i < aLines.size(); i += aFileCount)
            part << aLines.at(i);
        if (!writeBytes(source + "/" + name, (part.join('\n') + "\n").toUtf8()))
            return 1;
        aNames << name;
    }
    qint64 bBytes = 0;
    for (int f = 0; f < bFileCount; ++f) {
        const QString name = source + QString::asprintf("/b%02d.txt", f);
        QStringList part;
        for (int i = f; i < bLines.size(); i += bFileCount)
            part << bLines.at(i);
        const QByteArray bytes = (part.join('\n') + "\n").toUtf8();
        bBytes += bytes.size();
        if (!writeBytes(name, bytes))
            return 1;
        bFiles << name;
    }
    std::printf("%d A lines in %d files against %d B lines in %d files (%.1f MiB)\n", aLineCount, aFileCount,
                bLines.size(), bFileCount, bBytes / (1024.0 * 1024.0));

    auto copyA = [&](const QString &folder) {
        QDir().mkpath(folder);
        QStringList files;
        for (const QString &name : aNames) {
            writeBytes(folder + "/" + name, readOrMissing(source + "/" + name));
            files << folder + "/" + name;
        }
        return files;
    };
    const QStringList scrivelA = copyA(tmp.filePath("scrivel"));
    const QStringList sampleA = copyA(tmp.filePath("sample")).mid(0, sampleFiles);
    const QStringList referenceA = copyA(tmp.filePath("reference")).mid(0, sampleFiles);
    const QString scrivelOut = tmp.filePath("scrivel/new.txt");
    const QString sampleOut = tmp.filePath("sample/new.txt");
    const QString referenceOut = tmp.filePath("reference/new.txt");
    int sampleLines = 0;
    for (const QString &name : referenceA)
        sampleLines += readOrMissing(name).count('\n');

    int saved = 0;
    const qint64 scrivelMs = runScrivel(scrivelA, bFiles, scrivelOut, saved);
    std::printf("Scrivel (CustomizedAB job):     %8lld ms for %d A lines, %d files saved, %d output lines\n",
                (long long)scrivelMs, aLineCount, saved, int(readOrMissing(scrivelOut).count('\n')));
    std::fflush(stdout);
    const qint64 referenceMs = runLineByLine(referenceA, bFiles, referenceOut);
    if (referenceMs < 0) {
        std::fprintf(stderr, "the line-by-line run failed\n");
        return 1;
    }
    const double scaledMs = double(referenceMs) * aLineCount / qMax(1, sampleLines);
    std::printf("line-by-line method:            %8lld ms for %d A lines (%d file(s)), %.0f ms scaled to %d\n",
                (long long)referenceMs, sampleLines, sampleFiles, scaledMs, aLineCount);

    int sampleSaved = 0;
    runScrivel(sampleA, bFiles, sampleOut, sampleSaved);
    bool identical = readOrMissing(sampleOut) == readOrMissing(referenceOut)
                     && readOrMissing(scrivelOut).startsWith(readOrMissing(sampleOut));
    for (int i = 0; i < referenceA.size(); ++i)
        identical = identical && readOrMissing(sampleA.at(i)) == readOrMissing(referenceA.at(i))
                    && readOrMissing(scrivelA.at(i)) == readOrMissing(referenceA.at(i));
    std::printf("output and A files identical on the line-by-line part: %s\n", identical ? "yes" : "NO");
    std::printf("ratio line-by-line / Scrivel:   %8.1f x (goal >= 20)\n", scaledMs / double(qMax<qint64>(1, scrivelMs)));
    return identical ? 0 : 2;
}
