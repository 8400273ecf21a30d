// The message dock under load: 20,000 tips sent in bursts through the real
// dock (a burst of tips, then the event loop runs, as when a pool of
// workers finishes files faster than the GUI thread can draw), like a job
// over 10,000 files: "saved" and "done" per file, a failure now and then,
// the closing summary at the end. Prints the GUI-thread cost per tip (the
// dock's own time, and the whole time the GUI thread was busy including
// painting) and how long after the last tip its line was shown.
//
// bench_tips [tips [burst]]   defaults: 20000 tips, bursts of 50
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

#include "dockwidgettips.h"
#include "tipcodes.h"

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DockWidgetTips dock;
    dock.resize(900, 200);
    dock.show();
    QApplication::processEvents();

    const int total = argc > 1 ? qMax(2, QString::fromLocal8Bit(argv[1]).toInt()) : 20000;
    const int burst = argc > 2 ? qMax(1, QString::fromLocal8Bit(argv[2]).toInt()) : 50;
    const int files = total / 2;
    dock.setExpected(files);

    QElapsedTimer wall;
    wall.start();
    QElapsedTimer busy;
    qint64 busyNs = 0;
    qint64 eventNs = 0;
    int sent = 0;
    for (int file = 0; file < files; ++file) {
        if (sent % burst == 0) {
            // The workers' time between bursts: the GUI thread is idle.
            busy.start();
            QApplication::processEvents();
            busyNs += busy.nsecsElapsed();
            eventNs += busy.nsecsElapsed();
            QThread::usleep(200);
        }
        busy.start();
        const QString name = QStringLiteral("/home/user/texts/chapter_%1.txt").arg(file);
        if (file % 100 == 99)
            dock.tip(Tips::FileUnwritable.var1, Tips::FileUnwritable.var2, name);
        else
            dock.tip(Tips::Saved.var1, Tips::Saved.var2, name);
        dock.tip(Tips::JobDone.var1, Tips::JobDone.var2, name);
        busyNs += busy.nsecsElapsed();
        sent += 2;
    }
    busy.start();
    const qint64 lastTipAt = wall.nsecsElapsed();
    dock.tip(Tips::AllDone.var1, Tips::AllDone.var2, QString());
    // Until the pane has taken every line and painted it.
    while (dock.pendingLines() > 0)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QApplication::processEvents();
    const qint64 shownAt = wall.nsecsElapsed();
    busyNs += busy.nsecsElapsed();
    const int tips = sent + 1;

    QTextStream out(stdout);
    const int lines = dock.messageText().count(QLatin1Char('\n')) + 1;
    out << "tips sent: " << tips << " in bursts of " << burst << ", lines shown: " << lines
        << ", folded into the log: " << dock.foldedLines()
        << ", screen updates: " << dock.updates() << "\n"
        << "dock's own time per tip:        " << QString::number(dock.busyNanoseconds() / 1000.0 / tips, 'f', 2) << " us (goal < 20)\n"
        << "GUI thread busy per tip:        " << QString::number(busyNs / 1000.0 / tips, 'f', 2) << " us (goal < 20)\n"
        << "of which event processing:      " << QString::number(eventNs / 1000.0 / tips, 'f', 2) << " us\n"
        << "wall time of the run:           " << QString::number(shownAt / 1e6, 'f', 1) << " ms\n"
        << "last line shown after last tip: " << QString::number((shownAt - lastTipAt) / 1e6, 'f', 1) << " ms\n";
    // Every tip is a line in the pane or one folded away into the log.
    return lines + dock.foldedLines() == tips ? 0 : 1;
}
