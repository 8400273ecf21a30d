#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "loghandler.h"
#include "mainwindow.h"
#include "runtimefolder.h"

int main(int argc, char *argv[])
{
    const QString stamp = LogHandler::launchStamp(QDateTime::currentDateTime());
    RuntimeFolder::ensure();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("scrivel"));
    QApplication::setApplicationVersion(QStringLiteral("0.0.0.1"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Scrivel 纯文本批量处理工具"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption quitOption(
        QStringLiteral("quit-after-start"),
        QStringLiteral("Start, load the plug-ins, then quit (checks an installation)."));
    parser.addOption(quitOption);
    const QCommandLineOption desktopOption(
        QStringLiteral("desktop"),
        QStringLiteral("Work in the per-user folder ~/.local/share/scrivel (settings, logs and data) "
                       "instead of the current folder, as the desktop menu entry does."));
    parser.addOption(desktopOption);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Text files to add to the first list and open."),
                                 QStringLiteral("[files...]"));
    parser.process(app);

    // Everything the program keeps (settings, logs, data) is relative to its
    // working folder. Started from the desktop, that is a folder of its own,
    // so it never litters the home folder; file names are made absolute
    // before the change.
    QStringList files;
    for (const QString &name : parser.positionalArguments())
        files << QFileInfo(name).absoluteFilePath();
    if (parser.isSet(desktopOption)) {
        const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/scrivel");
        if (!QDir().mkpath(home) || !QDir::setCurrent(home))
            qWarning("Cannot work in %s; staying in the current folder.", qPrintable(home));
    }

    LogHandler::install(stamp);
    MainWindow window;
    window.show();
    window.openCommandLineFiles(files);
    if (parser.isSet(quitOption))
        QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int code = app.exec();
    // A job stopped by quitting may still have a thread busy with one
    // file's text; its result is dropped, never written, so the process
    // does not wait for it longer than a second.
    if (!QThreadPool::globalInstance()->waitForDone(1000)) {
        std::fflush(nullptr);
        std::_Exit(code);
    }
    return code;
}
