#include <QApplication>
#include <QDateTime>

#include "loghandler.h"
#include "mainwindow.h"

int main(int argc, char *argv[])
{
    const QString stamp = LogHandler::launchStamp(QDateTime::currentDateTime());
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(QStringLiteral("0.0.0.1"));
    LogHandler::install(stamp);
    MainWindow window;
    window.show();
    return app.exec();
}
