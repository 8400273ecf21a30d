// The diff a preview shows for one large file: a text of mixed Chinese and
// ASCII lines against the same text with one line in a thousand changed,
// with every line changed, with all its lines shuffled (as the shuffle
// operation does) and with its lines shuffled within runs of a hundred (the
// costly case: every line has its match nearby, in another order). Timed in
// the same run:
//  - the line count the preview job works out for the file's row
//    (LineDiff::changedLines);
//  - the diff the window writes when the row is selected
//    (PreviewWindow::writeDiff into a document: line diff, the characters
//    changed inside the shown lines, the first hunks);
//  - the reference: `diff -u` on the same two files, output to /dev/null
//    (python3's difflib when diff is not installed).
// Each figure is the best of the rounds.
//
// bench_preview [megabytes [rounds]]
//   defaults: 10 MB, 3 rounds

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>

#include "benchfiles.h"
#include "linediff.h"
#include "mixedtext.h"
#include "previewwindow.h"

namespace {

// The text with every `every`-th line changed: a character put into its
// middle, as an edit inside the line.
QByteArray changeLines(const QByteArray &text, int every)
{
    QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); i += every) {
        QString line = QString::fromUtf8(lines.at(i));
        if (line.isEmpty())
            continue;
        int at = line.size() / 2;
        if (line.at(at).isLowSurrogate())
            ++at;
        line.insert(at, QStringLiteral("改"));
        lines[i] = line.toUtf8();
    }
    return lines.join('\n');
}

// The text with its lines shuffled in runs of `run` lines (all of them
// when run is 0), the way the shuffle operation reorders a text.
QByteArray shuffleLines(const QByteArray &text, int run)
{
    QList<QByteArray> lines = text.split('\n');
    const QByteArray last = lines.takeLast(); // after the final line end
    QRandomGenerator random(0x5F1u);
    const int n = lines.size();
    const int step = run > 0 ? run : n;
    for (int from = 0; from < n; from += step) {
        const int to = std::min(n, from + step);
        for (int i = to - 1; i > from; --i)
            lines.swapItemsAt(i, from + int(random.bounded(i - from + 1)));
    }
    lines << last;
    return lines.join('\n');
}

qint64 bestOf(int rounds, const std::function<void()> &run)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int r = 0; r < rounds; ++r) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed());
    }
    return best;
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const int rounds = argc > 2 ? std::max(1, atoi(argv[2])) : 3;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "bench_preview: no temporary folder\n");
        return 1;
    }
    QRandomGenerator random(0x9E1D1Fu);
    const QByteArray oldBytes = mixedText(random, megabytes * 1024 * 1024);
    const QString oldPath = dir.filePath(QStringLiteral("old.txt"));
    if (!writeBytes(oldPath, oldBytes)) {
        std::fprintf(stderr, "bench_preview: cannot write %s\n", qPrintable(oldPath));
        return 1;
    }
    const QString oldText = QString::fromUtf8(oldBytes);

    QString tool = QStandardPaths::findExecutable(QStringLiteral("diff"));
    QStringList toolArguments{QStringLiteral("-u")};
    QString toolName = QStringLiteral("diff -u");
    if (tool.isEmpty()) {
        tool = QStandardPaths::findExecutable(QStringLiteral("python3"));
        toolArguments = QStringList{QStringLiteral("-c"),
                                    QStringLiteral("import sys,difflib\n"
                                                   "a=open(sys.argv[1],encoding='utf-8').readlines()\n"
                                                   "b=open(sys.argv[2],encoding='utf-8').readlines()\n"
                                                   "sys.stdout.writelines(difflib.unified_diff(a,b))")};
        toolName = QStringLiteral("difflib");
    }

    std::printf("bench_preview: %d MB of mixed text, %d lines, best of %d rounds\n", megabytes,
                int(oldBytes.count('\n')), rounds);
    std::printf("%-22s %10s %12s %12s %12s %8s\n", "case", "changed", "count ms", "window ms",
                qPrintable(toolName + " ms"), "ratio");
    const struct
    {
        const char *name;
        std::function<QByteArray(const QByteArray &)> change;
    } cases[] = {
        {"1 line in 1000", [](const QByteArray &text) { return changeLines(text, 1000); }},
        {"every line", [](const QByteArray &text) { return changeLines(text, 1); }},
        {"all lines shuffled", [](const QByteArray &text) { return shuffleLines(text, 0); }},
        {"shuffled in 100s", [](const QByteArray &text) { return shuffleLines(text, 100); }},
    };
    int number = 0;
    for (const auto &c : cases) {
        const QByteArray newBytes = c.change(oldBytes);
        const QString newPath = dir.filePath(QStringLiteral("new-%1.txt").arg(++number));
        if (!writeBytes(newPath, newBytes)) {
            std::fprintf(stderr, "bench_preview: cannot write %s\n", qPrintable(newPath));
            return 1;
        }
        const QString newText = QString::fromUtf8(newBytes);
        int changed = 0;
        const qint64 count = bestOf(rounds, [&] { changed = LineDiff::changedLines(oldText, newText); });
        int hunks = 0;
        const qint64 window = bestOf(rounds, [&] {
            QTextDocument document;
            QTextCursor cursor(&document);
            hunks = PreviewWindow::writeDiff(cursor, oldText, newText);
        });
        bool toolOk = !tool.isEmpty();
        const qint64 reference = !toolOk ? 0 : bestOf(rounds, [&] {
            QProcess process;
            process.setStandardOutputFile(QProcess::nullDevice());
            process.start(tool, toolArguments + QStringList{oldPath, newPath});
            // diff exits with 1 when the files differ.
            toolOk = toolOk && process.waitForFinished(600000) && process.exitStatus() == QProcess::NormalExit
                  && process.exitCode() <= 1;
        });
        std::printf("%-22s %10d %12.1f %12.1f %12s %8s   (%d hunks)\n", c.name, changed, ms(count), ms(window),
                    toolOk ? qPrintable(QString::number(ms(reference), 'f', 1)) : "-",
                    toolOk ? qPrintable(QString::number(double(window) / double(reference), 'f', 2) + "x") : "-",
                    hunks);
    }
    std::printf("ratio: the window's diff against %s on the same files\n", qPrintable(toolName));
    return 0;
}
