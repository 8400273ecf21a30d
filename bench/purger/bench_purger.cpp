// Deleting the digits of many mixed Chinese/ASCII files, in the same run:
//  - the floor of an atomic rewrite: one thread reads each file, writes a
//    temporary file beside it and renames it over, no sync, then one
//    syncfs;
//  - sed -i in a UTF-8 locale and in the C locale;
//  - Scrivel through the real path: the plug-in's jobs in a JobBatch on
//    the global pool, every tip through the real message dock on this
//    (GUI) thread, the batch's sync, and the closing summary line; timed
//    until that line is shown, with the dock's own GUI-thread time.
//
//  - the same Scrivel path with the backups for undo turned off, for the
//    cost of keeping every replaced file's previous content.
//
// bench_purger [files [rounds]]
//   defaults: 2000 files of 64 KiB, 3 rounds (the sides take turns at
//   going first)

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QThreadPool>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

#include "benchfiles.h"
#include "deleteoptions.h"
#include "deletepatterns.h"
#include "deleteregular.h"
#include "dockwidgettips.h"
#include "jobbatch.h"
#include "readwritetxt.h"
#include "tipcodes.h"

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

struct Outcome
{
    qint64 ms = 0;
    qint64 dockUs = 0; // GUI-thread time of the message dock
    qint64 syncMs = 0; // of which the closing sync
    int saved = 0;
    int other = 0;     // tips that are neither saved nor done nor closing
    bool ok = true;
};

// The floor: the least work an atomic rewrite can do, one file after the
// other with plain system calls, then one sync of the file system.
Outcome runFloor(const QString &folder, const QStringList &names)
{
    Outcome outcome;
    QElapsedTimer timer;
    timer.start();
    QByteArray buffer(fileSize * 2, Qt::Uninitialized);
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

Outcome runSed(const QString &folder, const QStringList &names, const QString &locale)
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
    sed.start("sed", QStringList{ "-i", "-E", "s/[0-9]+//g" } + names);
    outcome.ok = sed.waitForFinished(-1) && sed.exitStatus() == QProcess::NormalExit && sed.exitCode() == 0;
    outcome.ms = timer.elapsed();
    return outcome;
}

// One start as the program runs it: the announced count, the batch of
// DeleteRegular jobs, each tip queued to this thread and shown by the
// message dock, the batch's sync, then the closing tip that the dock shows
// as the summary line; timed until that line is in the pane.
Outcome runScrivel(const QString &folder, const QStringList &names, DockWidgetTips &dock, bool backups)
{
    JobBatch::setBackupsEnabled(backups);
    Outcome outcome;
    const qint64 dockBefore = dock.busyNanoseconds();
    QElapsedTimer timer;
    timer.start();
    dock.setExpected(names.size());
    qint64 lastTip = 0;
    JobBatch batch;
    auto *options = new DeleteOptions;
    options->index = DeletePatterns::ArabicNumber;
    batch.adopt(options);
    for (const QString &name : names)
        batch.add(new DeleteRegular(folder + "/" + name, options));
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
    return outcome;
}

enum Side { Floor, SedUtf8, SedC, Scrivel, ScrivelNoUndo, SideCount };
const char *const sideNames[SideCount] = { "floor", "sed UTF-8", "sed C", "Scrivel", "Scrivel without undo" };

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    const QStringList args = app.arguments();
    const int fileCount = args.size() > 1 ? args.at(1).toInt() : 2000;
    const int rounds = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 3;

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
    const QString utf8Locale = QStringLiteral("C.UTF-8");
    std::printf("%d files of %d bytes (%.1f MiB) in %s, %d pool threads, sed locales %s and C\n",
                fileCount, fileSize, fileCount * double(fileSize) / (1024 * 1024), qPrintable(tmp.path()),
                QThreadPool::globalInstance()->maxThreadCount(), qPrintable(utf8Locale));

    DockWidgetTips dock;
    dock.resize(900, 200);
    dock.show();
    QApplication::processEvents();

    bool allGood = true;
    qint64 best[SideCount];
    std::fill(best, best + SideCount, -1);
    qint64 bestDockUs = -1;
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
        // Each rewrite frees an inode that the next file creations skip, so
        // whichever side runs later pays for the earlier ones: the order
        // turns with every round.
        for (int turn = 0; turn < SideCount; ++turn) {
            const int side = (turn + round - 1) % SideCount;
            // The one sync of a side must not pay for the writes of the
            // sides before it: the file system starts clean.
            ReadWriteTxt::syncFileSystem(tmp.path());
            switch (side) {
            case Floor: outcomes[side] = runFloor(folders[side], names); break;
            case SedUtf8: outcomes[side] = runSed(folders[side], names, utf8Locale); break;
            case SedC: outcomes[side] = runSed(folders[side], names, QStringLiteral("C")); break;
            case Scrivel: outcomes[side] = runScrivel(folders[side], names, dock, true); break;
            case ScrivelNoUndo: outcomes[side] = runScrivel(folders[side], names, dock, false); break;
            }
        }
        int differing = 0;
        for (const QString &name : names) {
            const QByteArray expected = readBytes(folders[SedUtf8] + "/" + name);
            if (readBytes(folders[Scrivel] + "/" + name) != expected || readBytes(folders[SedC] + "/" + name) != expected
                || readBytes(folders[ScrivelNoUndo] + "/" + name) != expected)
                ++differing;
        }
        const Outcome &s = outcomes[Scrivel];
        const Outcome &n = outcomes[ScrivelNoUndo];
        bool good = s.saved == fileCount && s.other == 0 && n.saved == fileCount && n.other == 0 && differing == 0;
        for (const Outcome &o : outcomes)
            good = good && o.ok;
        allGood = allGood && good;
        for (int side = 0; side < SideCount; ++side) {
            if (best[side] < 0 || outcomes[side].ms < best[side])
                best[side] = outcomes[side].ms;
        }
        if (bestDockUs < 0 || s.dockUs < bestDockUs)
            bestDockUs = s.dockUs;
        std::printf("round %d (%s first): floor %lld ms (sync %lld), sed UTF-8 %lld ms, sed C %lld ms, Scrivel %lld ms "
                    "(sync %lld, dock %.1f ms GUI time, %.1f us per tip); Scrivel/floor %.2f, Scrivel/sed UTF-8 %.2f, "
                    "Scrivel/sed C %.2f; %d saved, %d other tips, %d files differ\n",
                    round, sideNames[(round - 1) % SideCount], outcomes[Floor].ms, outcomes[Floor].syncMs,
                    outcomes[SedUtf8].ms, outcomes[SedC].ms, s.ms, s.syncMs, s.dockUs / 1000.0, double(s.dockUs) / (2.0 * fileCount + 1),
                    double(s.ms) / qMax<qint64>(1, outcomes[Floor].ms), double(s.ms) / qMax<qint64>(1, outcomes[SedUtf8].ms),
                    double(s.ms) / qMax<qint64>(1, outcomes[SedC].ms), s.saved, s.other, differing);
        std::printf("round %d: Scrivel without undo %lld ms; with undo/without %.2f\n", round, n.ms,
                    double(s.ms) / qMax<qint64>(1, n.ms));
        std::fflush(stdout);
    }
    std::printf("best of %d: floor %lld ms, sed UTF-8 %lld ms, sed C %lld ms, Scrivel %lld ms (dock %.1f ms)\n"
                "ratios: Scrivel/floor %.2f (goal <= 1.2), Scrivel/sed UTF-8 %.2f (goal < 1), Scrivel/sed C %.2f (goal < 1)\n",
                rounds, best[Floor], best[SedUtf8], best[SedC], best[Scrivel], bestDockUs / 1000.0,
                double(best[Scrivel]) / qMax<qint64>(1, best[Floor]), double(best[Scrivel]) / qMax<qint64>(1, best[SedUtf8]),
                double(best[Scrivel]) / qMax<qint64>(1, best[SedC]));
    std::printf("backups for undo: Scrivel %lld ms with, %lld ms without: with/without %.2f (goal <= 1.10)\n",
                best[Scrivel], best[ScrivelNoUndo], double(best[Scrivel]) / qMax<qint64>(1, best[ScrivelNoUndo]));
    std::printf(allGood ? "outputs byte-identical\n" : "OUTPUTS DIFFER OR JOBS FAILED\n");
    return allGood ? 0 : 1;
}
