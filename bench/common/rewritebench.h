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
//  - the same Scrivel path with the backups for undo turned off;
//  - for a case that asks for it (Case::preview), the preview of the same
//    operation on its own copy, as a press of the preview button runs it
//    (the batch keeping its results in a store under data/preview, only
//    the tips that are not about one file in the dock, the preview's
//    count line, the window opened over the store), timed until the window
//    is shown; then, after the settle time, the apply of every file that
//    preview would write (one PreviewApplyJob per file through a JobBatch,
//    backups on, the batch's sync, the summary line), timed until that
//    line. The preview's peak memory (VmHWM over the resident size before
//    it) is reported per round, and once more for ten times as many files.
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
#include <malloc.h>
#include <sys/resource.h>
#include <memory>
#include <unistd.h>

#include "benchfiles.h"
#include "dockwidgettips.h"
#include "jobbatch.h"
#include "previewapplyjob.h"
#include "previewstore.h"
#include "previewwindow.h"
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
    // Also times the preview of the case and the apply after it.
    bool preview = false;
};

struct Outcome
{
    qint64 ms = 0;
    qint64 dockUs = 0; // GUI-thread time of the message dock
    qint64 syncMs = 0; // of which the closing sync
    int saved = 0;
    int other = 0;     // tips that are neither saved nor done nor closing
    bool ok = true;
    qint64 peakKiB = 0; // a preview's: VmHWM over the resident size before it
    qint64 batchPeakKiB = 0; // of which before its window
    qint64 batchMs = 0;      // a preview's time until its batch ended, before the window
    qint64 userMs = 0;  // CPU time of the process (all threads) meanwhile
    qint64 systemMs = 0;
};

// CPU time the process has used so far, user and system, in ms.
inline void cpuTimes(qint64 &userMs, qint64 &systemMs)
{
    struct rusage usage;
    ::getrusage(RUSAGE_SELF, &usage);
    userMs = qint64(usage.ru_utime.tv_sec) * 1000 + usage.ru_utime.tv_usec / 1000;
    systemMs = qint64(usage.ru_stime.tv_sec) * 1000 + usage.ru_stime.tv_usec / 1000;
}

// Measures the CPU time from its making to stop() into an outcome.
struct CpuClock
{
    qint64 user = 0, system = 0;
    CpuClock() { cpuTimes(user, system); }
    void stop(Outcome &outcome) const
    {
        qint64 u = 0, s = 0;
        cpuTimes(u, s);
        outcome.userMs = u - user;
        outcome.systemMs = s - system;
    }
};

// A line of /proc/self/status in KiB ("VmRSS:", "VmHWM:"); 0 when missing.
inline qint64 statusKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray prefix(key);
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}

// Hands freed heap back and starts VmHWM afresh at the resident size;
// returns that size (KiB).
inline qint64 resetPeak()
{
    ::malloc_trim(0);
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    return statusKiB("VmRSS:");
}

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

// Runs batch to its end with every tip shown by dock, counting the saved
// files and the other file tips, and the time from the last tip to the
// end (the batch's sync); outcome.ms is timer's time at the summary line.
inline void runWithDock(JobBatch &batch, DockWidgetTips &dock, const QElapsedTimer &timer, Outcome &outcome)
{
    qint64 lastTip = 0;
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
    const CpuClock cpu;
    QElapsedTimer timer;
    timer.start();
    dock.setExpected(names.size());
    JobBatch batch;
    QStringList paths;
    for (const QString &name : names)
        paths << folder + "/" + name;
    c.addJobs(batch, paths);
    runWithDock(batch, dock, timer, outcome);
    cpu.stop(outcome);
    outcome.dockUs = (dock.busyNanoseconds() - dockBefore) / 1000;
    JobBatch::setBackupsEnabled(true);
    return outcome;
}

// A press of the preview button as the plug-ins run it: the batch keeps
// its results in a new store, the dock gets only the tips that are not
// about one file, then the count line and the window over the store;
// timed until the window is shown. The store is left in store for the
// apply.
inline Outcome runPreview(const QString &folder, const QStringList &names, const Case &c, DockWidgetTips &dock,
                          std::shared_ptr<PreviewStore> &store)
{
    Outcome outcome;
    const qint64 base = resetPeak();
    const qint64 dockBefore = dock.busyNanoseconds();
    const CpuClock cpu;
    QElapsedTimer timer;
    timer.start();
    dock.setExpected(names.size());
    store = std::make_shared<PreviewStore>();
    std::unique_ptr<PreviewWindow> window;
    {
        JobBatch batch;
        batch.keepResults(store);
        QStringList paths;
        for (const QString &name : names)
            paths << folder + "/" + name;
        c.addJobs(batch, paths);
        QObject::connect(&batch, &JobBatch::tipSignal, &dock, [&](int var1, int var2, const QString &fileName) {
            if (var1 == Tips::Saved.var1 && var2 == Tips::Saved.var2)
                ++outcome.saved;
            else if (var1 != Tips::JobDone.var1 || var2 != Tips::JobDone.var2)
                ++outcome.other;
            if (var1 != 0 && !Tips::JobDone.is(var1, var2))
                dock.tip(var1, var2, fileName);
        });
        QObject::connect(&batch, &JobBatch::finishedSignal, &dock, [&] {
            dock.tip(Tips::PreviewDone.var1, Tips::PreviewDone.var2,
                     QStringLiteral("将修改 %1 个, 无变化 %2 个, 失败 %3 个")
                         .arg(store->writeCount())
                         .arg(store->unchangedCount())
                         .arg(store->failedCount()));
            outcome.batchPeakKiB = statusKiB("VmHWM:") - base;
            outcome.batchMs = timer.elapsed();
            window.reset(new PreviewWindow(store));
            window->show();
            QCoreApplication::exit(0);
        });
        batch.start();
        QCoreApplication::exec();
    }
    outcome.ms = timer.elapsed();
    cpu.stop(outcome);
    outcome.peakKiB = statusKiB("VmHWM:") - base;
    outcome.dockUs = (dock.busyNanoseconds() - dockBefore) / 1000;
    outcome.ok = store->isValid() && window && store->recordCount() == names.size();
    return outcome;
}

// 应用 over a whole preview, as the plug-ins run it: one PreviewApplyJob
// per file the preview would write, every tip in the dock, the batch's
// sync, then the summary line; timed until that line is shown.
inline Outcome runApply(const std::shared_ptr<PreviewStore> &store, DockWidgetTips &dock)
{
    Outcome outcome;
    const qint64 dockBefore = dock.busyNanoseconds();
    const CpuClock cpu;
    QElapsedTimer timer;
    timer.start();
    QList<PreviewRecord> records;
    QStringList files;
    for (const PreviewRecord &record : store->records()) {
        if (record.willWrite()) {
            records << record;
            files << record.fileName;
        }
    }
    dock.setExpected(files.size());
    JobBatch batch;
    batch.addFiles(files, [store, records](const QString &, int position) {
        return new PreviewApplyJob(store, records.at(position));
    });
    runWithDock(batch, dock, timer, outcome);
    cpu.stop(outcome);
    outcome.dockUs = (dock.busyNanoseconds() - dockBefore) / 1000;
    return outcome;
}

// The preview's peak memory over count files made by makeText in a
// folder of their own, removed afterwards; false when they cannot be made.
inline bool previewPeak(const QString &folder, int count, quint32 seed,
                        const std::function<QByteArray(QRandomGenerator &)> &makeText, const Case &c,
                        DockWidgetTips &dock, Outcome &outcome)
{
    QDir().mkpath(folder);
    QRandomGenerator random(seed);
    QStringList names;
    for (int i = 0; i < count; ++i) {
        const QString name = QString::asprintf("text%05d.txt", i);
        if (!writeBytes(folder + "/" + name, makeText(random)))
            return false;
        names << name;
    }
    ReadWriteTxt::syncFileSystem(folder);
    std::shared_ptr<PreviewStore> store;
    outcome = runPreview(folder, names, c, dock, store);
    store.reset();
    QDir(folder).removeRecursively();
    return true;
}

// Preview is the preview followed by the apply after it, on one copy.
enum Side { Floor, SedUtf8, SedC, Scrivel, ScrivelNoUndo, Preview, SideCount };
const char *const sideNames[SideCount] = { "floor", "sed UTF-8", "sed C", "Scrivel", "Scrivel without undo",
                                           "preview" };

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
        const int sides = c.preview ? int(SideCount) : int(Preview);
        qint64 best[SideCount];
        std::fill(best, best + SideCount, -1);
        qint64 bestDockUs = -1, bestApply = -1, bestPeakKiB = -1;
        std::vector<double> floorRatios, sedUtf8Ratios, sedCRatios, noUndoFloorRatios, previewRatios, applyRatios;
        for (int round = 1; round <= rounds; ++round) {
            QString folders[SideCount];
            for (int side = 0; side < sides; ++side) {
                folders[side] = tmp.filePath(QString::asprintf("side%d", side));
                if (!copyAll(source, folders[side], names)) {
                    std::fprintf(stderr, "cannot copy the files\n");
                    return 1;
                }
            }
            Outcome outcomes[SideCount];
            Outcome apply;
            for (int turn = 0; turn < sides; ++turn) {
                const int side = (turn + round - 1) % sides;
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
                case Preview: {
                    std::shared_ptr<PreviewStore> store;
                    outcomes[side] = runPreview(folders[side], names, c, dock, store);
                    // The apply, too, after its sync and settle time.
                    ReadWriteTxt::syncFileSystem(tmp.path());
                    QThread::sleep(ulong(settle));
                    apply = runApply(store, dock);
                    break;
                }
                }
            }
            int differing = 0, unchanged = 0;
            for (const QString &name : names) {
                const QByteArray expected = readBytes(folders[SedUtf8] + "/" + name);
                if (readBytes(folders[Scrivel] + "/" + name) != expected
                    || readBytes(folders[SedC] + "/" + name) != expected
                    || readBytes(folders[ScrivelNoUndo] + "/" + name) != expected
                    || (c.preview && readBytes(folders[Preview] + "/" + name) != expected)
                    || readBytes(folders[Floor] + "/" + name) != readBytes(source + "/" + name))
                    ++differing;
                if (expected == readBytes(source + "/" + name))
                    ++unchanged;
            }
            const Outcome &s = outcomes[Scrivel];
            const Outcome &n = outcomes[ScrivelNoUndo];
            const Outcome &p = outcomes[Preview];
            bool good = s.saved == fileCount && s.other == 0 && n.saved == fileCount && n.other == 0
                && differing == 0 && unchanged == 0;
            if (c.preview)
                good = good && p.saved == fileCount && p.other == 0 && apply.saved == fileCount && apply.other == 0
                    && apply.ok;
            for (int side = 0; side < sides; ++side)
                good = good && outcomes[side].ok;
            allGood = allGood && good;
            for (int side = 0; side < sides; ++side) {
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
                        qPrintable(c.name), round, sideNames[(round - 1) % sides], outcomes[Floor].ms,
                        outcomes[Floor].syncMs, outcomes[SedUtf8].ms, outcomes[SedC].ms, s.ms, s.syncMs,
                        s.dockUs / 1000.0, double(s.dockUs) / (2.0 * fileCount + 1), n.ms,
                        floorRatios.back(), sedUtf8Ratios.back(), sedCRatios.back(), s.saved, s.other, differing,
                        unchanged);
            if (c.preview) {
                if (bestApply < 0 || apply.ms < bestApply)
                    bestApply = apply.ms;
                if (bestPeakKiB < 0 || p.peakKiB < bestPeakKiB)
                    bestPeakKiB = p.peakKiB;
                previewRatios.push_back(ratio(p.ms, s.ms));
                applyRatios.push_back(ratio(apply.ms, s.ms));
                std::printf("%s, round %d: preview %lld ms (%lld until its batch ended; CPU user %lld, system %lld; "
                            "peak memory +%.1f MiB, +%.1f before the window), apply after it %lld ms (sync %lld, CPU user %lld, system %lld); "
                            "Scrivel's CPU user %lld, system %lld; preview/Scrivel %.2f, apply/Scrivel %.2f; "
                            "%d kept, %d applied\n",
                            qPrintable(c.name), round, p.ms, p.batchMs, p.userMs, p.systemMs, p.peakKiB / 1024.0,
                            p.batchPeakKiB / 1024.0, apply.ms, apply.syncMs, apply.userMs, apply.systemMs, s.userMs,
                            s.systemMs, previewRatios.back(), applyRatios.back(), p.saved, apply.saved);
            }
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
        if (c.preview) {
            std::printf("%s, best of %d: preview %lld ms, apply after it %lld ms; preview/Scrivel %.2f (goal <= 1.2), "
                        "apply/Scrivel %.2f (goal <= 1.1); median of the rounds' ratios: preview/Scrivel %.2f, "
                        "apply/Scrivel %.2f\n",
                        qPrintable(c.name), rounds, best[Preview], bestApply, ratio(best[Preview], best[Scrivel]),
                        ratio(bestApply, best[Scrivel]), median(previewRatios), median(applyRatios));
            // The same preview over ten times as many files (made alike):
            // its peak must not grow with their number.
            Outcome many;
            ReadWriteTxt::syncFileSystem(tmp.path());
            QThread::sleep(ulong(settle));
            const bool made = previewPeak(tmp.filePath("many"), 10 * fileCount, seed + 1, makeText, c, dock, many);
            allGood = allGood && made && many.ok && many.saved == 10 * fileCount;
            std::printf("%s, preview peak memory: %d files +%.1f MiB (least of the rounds), %d files +%.1f MiB "
                        "(+%.1f before the window; %lld ms, %lld until its batch ended); ratio %.2f (goal: about 1)\n",
                        qPrintable(c.name), fileCount, bestPeakKiB / 1024.0, 10 * fileCount, many.peakKiB / 1024.0,
                        many.batchPeakKiB / 1024.0, many.ms, many.batchMs, ratio(many.peakKiB, bestPeakKiB));
        }
        std::fflush(stdout);
    }
    std::printf(allGood ? "outputs byte-identical\n" : "OUTPUTS DIFFER OR JOBS FAILED\n");
    return allGood ? 0 : 1;
}

} // namespace rewritebench

#endif // REWRITEBENCH_H
