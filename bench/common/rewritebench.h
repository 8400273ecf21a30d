#ifndef REWRITEBENCH_H
#define REWRITEBENCH_H

// The harness of the benchmarks that rewrite many files in place, timing
// in the same run, on identical copies of the same files:
//  - the floor of an atomic rewrite: one thread reads each file, writes a
//    temporary file beside it and renames it over, no sync, then one
//    syncfs;
//  - sed -i in a UTF-8 locale and in the C locale;
//  - Scrivel through the real path: the operation's jobs in a JobBatch on
//    the global pool, every tip through the real message dock on this
//    (GUI) thread, the batch's sync, and the closing summary line; timed
//    until that line is shown, with the dock's own GUI-thread time;
//  - the same Scrivel path with the backups for undo turned off.
//
// The sides take turns at going first. Before each side the file system
// is synced and left to settle for a few seconds: a file system without a
// journal steers new files away from inodes freed in the last seconds, so
// a side that follows one that freed thousands would pay for them.
//
// Command line: [files [rounds [settle seconds]]].

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "benchfiles.h"
#include "dockwidgettips.h"
#include "jobbatch.h"
#include "readwritetxt.h"
#include "tipcodes.h"

namespace rewritebench {

struct Case
{
    QString name;
    // sed's arguments after -i and before the file names.
    QStringList sedArguments;
    // Adds one job per file to the batch (the batch adopts the options).
    std::function<void(JobBatch &batch, const QStringList &paths)> addJobs;
};

struct Outcome
{
    qint64 ms = 0;
    qint64 dockUs = 0; // GUI-thread time of the message dock
    qint64 syncMs = 0; // of which the closing sync
    int saved = 0;
    int other = 0;     // tips that are neither saved nor done nor closing
    bool ok = true;
};

inline Outcome runFloor(const QString &folder, const QStringList &names, int largestFile)
{
    Outcome outcome;
    QElapsedTimer timer;
    timer.start();
    QByteArray buffer(largestFile + 1, Qt::Uninitialized);
    for (const QString &name : names) {
        const QByteArray path = QFile::encodeName(folder + "/" + name);
        const QByteArray temporary = QFile::encodeName(folder + "/." + name + ".floor");
        const int in = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
        const ssize_t got = in < 0 ? -1 : ::read(in, buffer.data(), size_t(buffer.size()));
        if (in >= 0)
            ::close(in);
        const int out = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        const bool written = got >= 0 && out >= 0 && ::write(out, buffer.constData(), size_t(got)) == got;
        if (out >= 0)
            ::close(out);
        outcome.ok = outcome.ok && written && ::rename(temporary.constData(), path.constData()) == 0;
    }
    const qint64 written = timer.elapsed();
    outcome.ok = ReadWriteTxt::syncFileSystem(folder) && outcome.ok;
    outcome.ms = timer.elapsed();
    outcome.syncMs = outcome.ms - written;
    return outcome;
}

inline Outcome runSed(const QString &folder, const QStringList &names, const QStringList &arguments,
                      const QString &locale)
{
    Outcome outcome;
    QProcess sed;
    sed.setWorkingDirectory(folder);
    sed.setProcessChannelMode(QProcess::ForwardedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", locale);
    sed.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    sed.start("sed", QStringList{ "-i" } + arguments + names);
    outcome.ok = sed.waitForFinished(-1) && sed.exitStatus() == QProcess::NormalExit && sed.exitCode() == 0;
    outcome.ms = timer.elapsed();
    return outcome;
}

// One start as the program runs it: the announced count, the batch of
// jobs, each tip queued to this thread and shown by the message dock, the
// batch's sync, then the closing tip that the dock shows as the summary
// line; timed until that line is in the pane.
inline Outcome runScrivel(const QString &folder, const QStringList &names, const Case &c, DockWidgetTips &dock,
                          bool backups)
{
    JobBatch::setBackupsEnabled(backups);
    Outcome outcome;
    const qint64 dockBefore = dock.busyNanoseconds();
    QElapsedTimer timer;
    timer.start();
    dock.setExpected(names.size());
    qint64 lastTip = 0;
    JobBatch batch;
    QStringList paths;
    for (const QString &name : names)
        paths << folder + "/" + name;
    c.addJobs(batch, paths);
    QObject::connect(&batch, &JobBatch::tipSignal, &dock, [&](int var1, int var2, const QString &fileName) {
        lastTip = timer.elapsed();
        if (var1 == Tips::Saved.var1 && var2 == Tips::Saved.var2)
            ++outcome.saved;
        else if (var1 != Tips::JobDone.var1 || var2 != Tips::JobDone.var2)
            ++outcome.other;
        dock.tip(var1, var2, fileName);
    });
    QObject::connect(&batch, &JobBatch::finishedSignal, &dock, [&] {
        outcome.syncMs = timer.elapsed() - lastTip;
        dock.tip(Tips::AllDone.var1, Tips::AllDone.var2, QString());
        QCoreApplication::exit(0);
    });
    batch.start();
    QCoreApplication::exec();
    outcome.ms = timer.elapsed();
    outcome.dockUs = (dock.busyNanoseconds() - dockBefore) / 1000;
    JobBatch::setBackupsEnabled(true);
    return outcome;
}

enum Side { Floor, SedUtf8, SedC, Scrivel, ScrivelNoUndo, SideCount };
const char *const sideNames[SideCount] = { "floor", "sed UTF-8", "sed C", "Scrivel", "Scrivel without undo" };

inline double ratio(qint64 a, qint64 b)
{
    return double(a) / double(qMax<qint64>(1, b));
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs every case; returns the process's exit code (non-zero when an
// output differs from sed's or a job failed).
inline int run(int argc, char *argv[], const char *title, quint32 seed,
               const std::function<QByteArray(QRandomGenerator &)> &makeText, const QList<Case> &cases)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const QStringList args = app.arguments();
    const int fileCount = args.size() > 1 ? args.at(1).toInt() : 2000;
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 3;
    const int settle = args.size() > 3 ? qMax(0, args.at(3).toInt()) : 6;

    QTemporaryDir tmp;
    if (!tmp.isValid() || fileCount <= 0) {
        std::fprintf(stderr, "no temporary folder or no files\n");
        return 1;
    }
    // The batches keep their backups for undo under the working folder's
    // data/undo: here, inside the temporary folder.
    QDir::setCurrent(tmp.path());
    const QString source = tmp.filePath("source");
    QDir().mkpath(source);
    QRandomGenerator random(seed);
    QStringList names;
    int largest = 0;
    qint64 total = 0;
    for (int i = 0; i < fileCount; ++i) {
        const QString name = QString::asprintf("text%04d.txt", i);
        const QByteArray text = makeText(random);
        if (!writeBytes(source + "/" + name, text)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
        largest = qMax(largest, text.size());
        total += text.size();
        names << name;
    }
    std::printf("%s: %d files (%.1f MiB) in %s, %d pool threads, sed locales C.UTF-8 and C, %d s to settle "
                "before each side\n",
                title, fileCount, total / (1024.0 * 1024), qPrintable(tmp.path()),
                QThreadPool::globalInstance()->maxThreadCount(), settle);

    DockWidgetTips dock;
    dock.resize(900, 200);
    dock.show();
    QApplication::processEvents();

    bool allGood = true;
    for (const Case &c : cases) {
        qint64 best[SideCount];
        std::fill(best, best + SideCount, -1);
        qint64 bestDockUs = -1;
        std::vector<double> floorRatios, sedUtf8Ratios, sedCRatios, noUndoFloorRatios;
        for (int round = 1; round <= rounds; ++round) {
            QString folders[SideCount];
            for (int side = 0; side < SideCount; ++side) {
                folders[side] = tmp.filePath(QString::asprintf("side%d", side));
                if (!copyAll(source, folders[side], names)) {
                    std::fprintf(stderr, "cannot copy the files\n");
                    return 1;
                }
            }
            Outcome outcomes[SideCount];
            for (int turn = 0; turn < SideCount; ++turn) {
                const int side = (turn + round - 1) % SideCount;
                // The one sync of a side must not pay for the writes of
                // the sides before it, nor its creations for their frees.
                ReadWriteTxt::syncFileSystem(tmp.path());
                QThread::sleep(ulong(settle));
                switch (side) {
                case Floor: outcomes[side] = runFloor(folders[side], names, largest); break;
                case SedUtf8: outcomes[side] = runSed(folders[side], names, c.sedArguments, "C.UTF-8"); break;
                case SedC: outcomes[side] = runSed(folders[side], names, c.sedArguments, "C"); break;
                case Scrivel: outcomes[side] = runScrivel(folders[side], names, c, dock, true); break;
                case ScrivelNoUndo: outcomes[side] = runScrivel(folders[side], names, c, dock, false); break;
                }
            }
            int differing = 0, unchanged = 0;
            for (const QString &name : names) {
                const QByteArray expected = readBytes(folders[SedUtf8] + "/" + name);
                if (readBytes(folders[Scrivel] + "/" + name) != expected
                    || readBytes(folders[SedC] + "/" + name) != expected
                    || readBytes(folders[ScrivelNoUndo] + "/" + name) != expected
                    || readBytes(folders[Floor] + "/" + name) != readBytes(source + "/" + name))
                    ++differing;
                if (expected == readBytes(source + "/" + name))
                    ++unchanged;
            }
            const Outcome &s = outcomes[Scrivel];
            const Outcome &n = outcomes[ScrivelNoUndo];
            bool good = s.saved == fileCount && s.other == 0 && n.saved == fileCount && n.other == 0
                && differing == 0 && unchanged == 0;
            for (const Outcome &o : outcomes)
                good = good && o.ok;
            allGood = allGood && good;
            for (int side = 0; side < SideCount; ++side) {
                if (best[side] < 0 || outcomes[side].ms < best[side])
                    best[side] = outcomes[side].ms;
            }
            if (bestDockUs < 0 || s.dockUs < bestDockUs)
                bestDockUs = s.dockUs;
            floorRatios.push_back(ratio(s.ms, outcomes[Floor].ms));
            sedUtf8Ratios.push_back(ratio(s.ms, outcomes[SedUtf8].ms));
            sedCRatios.push_back(ratio(s.ms, outcomes[SedC].ms));
            noUndoFloorRatios.push_back(ratio(n.ms, outcomes[Floor].ms));
            std::printf("%s, round %d (%s first): floor %lld ms (sync %lld), sed UTF-8 %lld ms, sed C %lld ms, "
                        "Scrivel %lld ms (sync %lld, dock %.1f ms GUI time, %.1f us per tip), without undo %lld ms; "
                        "Scrivel/floor %.2f, Scrivel/sed UTF-8 %.2f, Scrivel/sed C %.2f; %d saved, %d other tips, "
                        "%d files differ, %d unchanged\n",
                        qPrintable(c.name), round, sideNames[(round - 1) % SideCount], outcomes[Floor].ms,
                        outcomes[Floor].syncMs, outcomes[SedUtf8].ms, outcomes[SedC].ms, s.ms, s.syncMs,
                        s.dockUs / 1000.0, double(s.dockUs) / (2.0 * fileCount + 1), n.ms,
                        floorRatios.back(), sedUtf8Ratios.back(), sedCRatios.back(), s.saved, s.other, differing,
                        unchanged);
            std::fflush(stdout);
        }
        std::printf("%s, best of %d: floor %lld ms, sed UTF-8 %lld ms, sed C %lld ms, Scrivel %lld ms (dock %.1f ms), "
                    "without undo %lld ms\n",
                    qPrintable(c.name), rounds, best[Floor], best[SedUtf8], best[SedC], best[Scrivel],
                    bestDockUs / 1000.0, best[ScrivelNoUndo]);
        std::printf("%s, ratios of the best: Scrivel/floor %.2f (goal <= 1.2), Scrivel/sed UTF-8 %.2f (goal < 1), "
                    "Scrivel/sed C %.2f (goal < 1); without undo: /floor %.2f\n",
                    qPrintable(c.name), ratio(best[Scrivel], best[Floor]), ratio(best[Scrivel], best[SedUtf8]),
                    ratio(best[Scrivel], best[SedC]), ratio(best[ScrivelNoUndo], best[Floor]));
        std::printf("%s, median of the rounds' ratios: Scrivel/floor %.2f, Scrivel/sed UTF-8 %.2f, Scrivel/sed C %.2f; "
                    "without undo: /floor %.2f\n",
                    qPrintable(c.name), median(floorRatios), median(sedUtf8Ratios), median(sedCRatios),
                    median(noUndoFloorRatios));
        std::printf("%s, backups for undo: with/without %.2f (goal <= 1.10)\n", qPrintable(c.name),
                    ratio(best[Scrivel], best[ScrivelNoUndo]));
        std::fflush(stdout);
    }
    std::printf(allGood ? "outputs byte-identical\n" : "OUTPUTS DIFFER OR JOBS FAILED\n");
    return allGood ? 0 : 1;
}

} // namespace rewritebench

#endif // REWRITEBENCH_H
