#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThreadPool>
#include <QTimer>

#include <cstdio>
#include <cstdlib>

#include "appicon.h"
#include "commandline.h"
#include "headlessrun.h"
#include "loghandler.h"
#include "mainwindow.h"
#include "runtimefolder.h"

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("scrivel"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.0.0.1"));
    // --help and --version are answered before anything needs a display.
    CommandLine commandLine;
    if (commandLine.answeredWithoutWindow(argc, argv))
        return 0;

    // A run from a script needs no display and opens no window: the
    // plug-ins' option pages, which are widgets, live on the minimal
    // platform, which draws nothing and, unlike the offscreen one, loads
    // no font configuration (half of the start-up's time before).
    const bool headless = CommandLine::wantsHeadless(argc, argv);
    if (headless)
        qputenv("QT_QPA_PLATFORM", "minimal");

    const QString stamp = LogHandler::launchStamp(QDateTime::currentDateTime());
    RuntimeFolder::ensure();
    QApplication app(argc, argv);
    commandLine.process(app);

    if (headless) {
        LogHandler::install(stamp);
        int code;
        {
            HeadlessRun run;
            if (commandLine.undo()) {
                code = run.undo();
            } else {
                HeadlessRun::Request request;
                request.preset = commandLine.preset();
                request.dryRun = commandLine.dryRun();
                request.diff = commandLine.diff();
                request.files.paths = commandLine.paths();
                request.files.recursive = commandLine.recursive();
                request.files.include = commandLine.include();
                request.files.exclude = commandLine.exclude();
                code = run.run(request);
            }
        }
        QThreadPool::globalInstance()->waitForDone();
        std::fflush(nullptr);
        return code;
    }

    // Everything the program keeps (settings, logs, data) is relative to its
    // working folder. Started from the desktop, that is a folder of its own,
    // so it never litters the home folder; file names are made absolute
    // before the change.
    const QStringList files = commandLine.files();
    if (commandLine.desktop()) {
        const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
            + QStringLiteral("/scrivel");
        if (!QDir().mkpath(home) || !QDir::setCurrent(home))
            qWarning("Cannot work in %s; staying in the current folder.", qPrintable(home));
    }

    LogHandler::install(stamp);
    // Every window of the program (editors, lists, dialogs) shows its icon.
    QApplication::setWindowIcon(AppIcon::icon());
    MainWindow window;
    window.show();
    window.openCommandLineFiles(files);
    if (commandLine.quitAfterStart())
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
