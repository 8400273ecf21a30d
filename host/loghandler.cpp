#include "loghandler.h"

#include <QDateTime>
#include <QFile>
#include <QMutex>
#include <QMutexLocker>

#include <cstdlib>

namespace {

QString &stampStorage()
{
    static QString stamp;
    return stamp;
}

bool g_installed = false;

QMutex &logMutex()
{
    static QMutex mutex;
    return mutex;
}

} // namespace

QString LogHandler::launchStamp(const QDateTime &start)
{
    return QString::number(start.date().month()) + QString::number(start.date().day())
        + QString::number(start.time().hour()) + QString::number(start.time().minute());
}

void LogHandler::install(const QString &stamp)
{
    stampStorage() = stamp;
    g_installed = true;
    qInstallMessageHandler(&LogHandler::handler);
}

bool LogHandler::isInstalled()
{
    return g_installed;
}

void LogHandler::appendRecord(const QStringList &messages)
{
    if (!g_installed || messages.isEmpty())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    QByteArray bytes;
    for (const QString &message : messages) {
        bytes += formatLine(QtInfoMsg, now, message, __FILE__, "LogHandler::appendRecord", __LINE__).toUtf8();
        bytes += '\n';
    }
    QMutexLocker locker(&logMutex());
    QFile log(logFileName());
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    log.write(bytes);
    log.close();
}

QString LogHandler::logFileName()
{
    return QStringLiteral("log_") + stampStorage() + QStringLiteral(".html");
}

QString LogHandler::formatLine(QtMsgType type, const QDateTime &when, const QString &message,
                               const char *file, const char *function, int line)
{
    const char *format = nullptr;
    const char *tag = nullptr;
    switch (type) {
    case QtDebugMsg: format = "<font color=#000000>%1 %2:%3, %4, %5, %6</font><p>"; tag = "D:"; break;
    case QtWarningMsg: format = "<font color=#FF0000>%1 %2:%3, %4, %5, %6</font><p>"; tag = "W:"; break;
    case QtCriticalMsg: format = "<font color=#0000FF>%1 %2:%3, %4, %5, %6</font><p>"; tag = "C:"; break;
    case QtInfoMsg: format = "<font color=#00FF00>%1 %2:%3, %4, %5, %6</font><p>"; tag = "I:"; break;
    case QtFatalMsg: return QString();
    }
    // The multi-argument form substitutes all places at once, so a "%1" in
    // the message text stays as it is.
    return QString::fromLatin1(format).arg(when.toString(QStringLiteral("yy_MM_dd hh:mm:ss.zzz")),
                                           QLatin1String(tag), message.toHtmlEscaped(),
                                           QString::fromUtf8(file ? file : ""),
                                           QString::fromUtf8(function ? function : ""),
                                           QString::number(line));
}

void LogHandler::handler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QMutexLocker locker(&logMutex());
    if (type == QtFatalMsg)
        std::abort();
    // The platforms of a run without a display say that they cannot pass a
    // window's size hints on or raise it, for every dock the plug-ins make;
    // that is no problem of the run, and the log would show it as one.
    if (message.startsWith(QLatin1String("This plugin does not support ")))
        return;
    const QString line = formatLine(type, QDateTime::currentDateTime(), message,
                                    context.file, context.function, context.line);
    QFile log(logFileName());
    if (!log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text))
        return;
    log.write(line.toUtf8());
    log.write("\n");
    log.flush();
    log.close();
}
