// Cost of one message line in the message dock, early and late in a long
// run: the first 100 tips against tips 19,900 to 20,000. The dock is shown
// (offscreen works) and events are processed between tips, as in the
// running program.
#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include "dockwidgettips.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DockWidgetTips dock;
    dock.resize(900, 200);
    dock.show();
    QApplication::processEvents();

    const int total = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 20000;
    const int window = 100;
    QElapsedTimer timer;
    qint64 firstNs = 0;
    qint64 lastNs = 0;
    for (int i = 0; i < total; ++i) {
        const bool measured = i < window || i >= total - window;
        if (measured)
            timer.start();
        dock.tip(0, 4, QStringLiteral("/home/user/texts/file_%1.txt").arg(i));
        QApplication::processEvents();
        if (measured) {
            const qint64 ns = timer.nsecsElapsed();
            (i < window ? firstNs : lastNs) += ns;
        }
    }
    QTextStream out(stdout);
    const double first = firstNs / 1000.0 / window;
    const double last = lastNs / 1000.0 / window;
    out << "tips shown: " << total << "\n"
        << "cost per tip, tips 1-100:           " << QString::number(first, 'f', 1) << " us\n"
        << "cost per tip, tips 19,900-20,000:   " << QString::number(last, 'f', 1) << " us\n"
        << "ratio late/early:                   " << QString::number(last / first, 'f', 2) << " (goal < 2)\n";
    return 0;
}
