// Times a file list at scale: adding N files (20,000 unless given as the
// first argument) with the duplicate check, refreshing, adding them all
// again, and N single additions through the plug-in interface.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "mainwindow.h"
#include "mytablemodel.h"
#include "tableviewwidget.h"

namespace {

double msSince(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    QTextStream out(stdout);

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    QDir().mkpath(QStringLiteral("files"));
    QStringList paths;
    paths.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString path = dir.filePath(QStringLiteral("files/file%1.txt").arg(i));
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
    timer.start();
    list->addFiles(paths);
    QCoreApplication::processEvents();
    const double addMs = msSince(timer);

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

    out << "files: " << count << "\n"
        << "add all + refresh:            " << QString::number(addMs, 'f', 1) << " ms ("
        << list->model()->rowCount() << " rows)\n"
        << "add all again (duplicates):   " << QString::number(againMs, 'f', 1) << " ms ("
        << list->fileCount() << " entries)\n"
        << "refresh alone:                " << QString::number(refreshMs, 'f', 1) << " ms\n"
        << "addFileToList one by one:     " << QString::number(singleMs, 'f', 1) << " ms ("
        << single->model()->rowCount() << " rows)\n";
    return list->fileCount() == count && single->model()->rowCount() == count ? 0 : 1;
}
