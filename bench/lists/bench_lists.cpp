// Times a file list at scale: adding N files (100,000 unless given as the
// first argument) with the duplicate check, refreshing, adding them all
// again, and N single additions through the plug-in interface; then a
// folder scan with subfolders over the same N files (a hundred per
// folder, with one binary file in every tenth folder to skip) added and
// shown (with the longest stretch the GUI thread is kept from its event
// loop meanwhile), and the list's memory per entry.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>

#include <malloc.h>
#include <sys/resource.h>

#include "mainwindow.h"
#include "mytablemodel.h"
#include "tableviewwidget.h"

namespace {

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// User and system time of the whole process so far (all threads), ms.
double cpuMs()
{
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
        + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

qint64 heapBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks) + qint64(info.hblkhd);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000;
    QTextStream out(stdout);

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    QStringList paths;
    paths.reserve(count);
    int binary = 0;
    for (int i = 0; i < count; ++i) {
        const QString folder = dir.filePath(QStringLiteral("files/d%1").arg(i / 100));
        if (i % 100 == 0) {
            QDir().mkpath(folder);
            if (i % 1000 == 0) {
                QFile blob(folder + QStringLiteral("/blob.txt"));
                if (!blob.open(QIODevice::WriteOnly) || blob.write(QByteArray("PK\x03\x04\0\0", 6)) != 6)
                    return 1;
                ++binary;
            }
        }
        const QString path = folder + QStringLiteral("/file%1.txt").arg(i);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write("x\n");
        paths << path;
    }

    MainWindow window;
    ScrivelFace *face = &window;
    face->newList(QStringLiteral("List"));
    TableViewWidget *list = window.currentList();

    QElapsedTimer timer;
    const double addCpuBefore = cpuMs();
    timer.start();
    list->addFiles(paths);
    QCoreApplication::processEvents();
    const double addMs = msSince(timer);
    const double addCpuMs = cpuMs() - addCpuBefore;

    timer.restart();
    list->addFiles(paths);
    QCoreApplication::processEvents();
    const double againMs = msSince(timer);

    timer.restart();
    list->refresh();
    QCoreApplication::processEvents();
    const double refreshMs = msSince(timer);

    face->newList(QStringLiteral("New"));
    TableViewWidget *single = window.currentList();
    timer.restart();
    for (const QString &path : qAsConst(paths))
        face->addFileToList(path, QStringLiteral("New"));
    QCoreApplication::processEvents();
    const double singleMs = msSince(timer);

    // A folder scan with subfolders, added and shown, as the folder
    // dialog does it (the scan on a pool thread).
    face->newList(QStringLiteral("Scan"));
    TableViewWidget *scanned = window.currentList();
    int skippedTips = 0;
    QObject::connect(scanned, &TableViewWidget::tipSignal, [&](int, int var2, const QString &) { skippedTips += var2; });
    // The longest the GUI thread is kept from its event loop meanwhile:
    // the largest gap between the ticks of a 1 ms timer.
    QElapsedTimer tick;
    double longestGapMs = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        longestGapMs = qMax(longestGapMs, msSince(tick));
        tick.restart();
    });
    const qint64 heapBefore = heapBytes();
    const double cpuBefore = cpuMs();
    timer.restart();
    tick.start();
    ticker.start();
    scanned->addFoldersInBackground({ dir.filePath(QStringLiteral("files")) }, true);
    while (scanned->isScanning() || scanned->fileCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::processEvents();
    const double scanMs = msSince(timer);
    ticker.stop();
    const double scanCpuMs = cpuMs() - cpuBefore;
    const double perEntry = double(heapBytes() - heapBefore) / qMax(1, scanned->fileCount());
    const double cpuAgain = cpuMs();
    timer.restart();
    const int scannedAgain = TableViewWidget::scanFolders({ dir.filePath(QStringLiteral("files")) }, true).paths.size();
    const double scanAloneMs = msSince(timer);
    const double scanAloneCpuMs = cpuMs() - cpuAgain;

    out << "files: " << count << "\n"
        << "add all + refresh:            " << QString::number(addMs, 'f', 1) << " ms ("
        << list->model()->rowCount() << " rows; goal <= 1000 ms at 100,000, ratio "
        << QString::number(addMs / 1000.0, 'f', 2) << "), CPU " << QString::number(addCpuMs, 'f', 1) << " ms\n"
        << "add all again (duplicates):   " << QString::number(againMs, 'f', 1) << " ms ("
        << list->fileCount() << " entries)\n"
        << "refresh alone:                " << QString::number(refreshMs, 'f', 1) << " ms\n"
        << "addFileToList one by one:     " << QString::number(singleMs, 'f', 1) << " ms ("
        << single->model()->rowCount() << " rows)\n"
        << "folder scan with subfolders, add and show: " << QString::number(scanMs, 'f', 1) << " ms ("
        << scanned->model()->rowCount() << " rows, " << skippedTips << " of " << binary
        << " binary files skipped; goal <= 1000 ms at 100,000, ratio " << QString::number(scanMs / 1000.0, 'f', 2)
        << "), CPU time of all threads "
        << QString::number(scanCpuMs, 'f', 1) << " ms\n"
        << "  longest GUI stall meanwhile: " << QString::number(longestGapMs, 'f', 1) << " ms (goal <= 50 ms)\n"
        << "  of which the scan alone:    " << QString::number(scanAloneMs, 'f', 1) << " ms (" << scannedAgain
        << " files), CPU " << QString::number(scanAloneCpuMs, 'f', 1) << " ms\n"
        << "list memory per entry:        " << QString::number(perEntry, 'f', 0) << " bytes\n";
    return list->fileCount() == count && single->model()->rowCount() == count && scanned->fileCount() == count
            && skippedTips == binary
        ? 0
        : 1;
}
