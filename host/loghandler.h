#ifndef LOGHANDLER_H
#define LOGHANDLER_H

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QDateTime;

// The process-wide Qt message handler: every debug, warning, critical and
// info message becomes one coloured HTML line appended to
// "log_" + launch stamp + ".html" in the working directory.
class LogHandler
{
public:
    // Month, day, hour and minute without leading zeros, run together
    // (5 March 09:07 gives "3597").
    static QString launchStamp(const QDateTime &start);

    // Installs the handler; stamp names the log file of this run.
    static void install(const QString &stamp);

    static QString logFileName();
    // Whether install() has been called in this process.
    static bool isInstalled();

    // Appends lines to the log as info lines, in one write: for records
    // made elsewhere (the message dock's folded lines). Nothing without an
    // installed handler.
    static void appendRecord(const QStringList &messages);

    // The HTML line for one message; empty for a fatal message.
    static QString formatLine(QtMsgType type, const QDateTime &when, const QString &message,
                              const char *file, const char *function, int line);

private:
    static void handler(QtMsgType type, const QMessageLogContext &context, const QString &message);
};

#endif // LOGHANDLER_H
