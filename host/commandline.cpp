#include "commandline.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption())
    , m_version(m_parser.addVersionOption())
    , m_quitAfterStart(QStringLiteral("quit-after-start"),
                       QStringLiteral("Start, load the plug-ins, then quit (checks an installation)."))
    , m_desktop(QStringLiteral("desktop"),
                QStringLiteral("Work in the per-user folder ~/.local/share/scrivel (settings, logs and data) "
                               "instead of the current folder, as the desktop menu entry does."))
{
    m_parser.setApplicationDescription(QStringLiteral("Scrivel 纯文本批量处理工具"));
    m_parser.addOption(m_quitAfterStart);
    m_parser.addOption(m_desktop);
    m_parser.addPositionalArgument(QStringLiteral("files"),
                                   QStringLiteral("Text files to add to the first list and open."),
                                   QStringLiteral("[files...]"));
}

QString CommandLine::versionText()
{
    return QCoreApplication::applicationName() + QLatin1Char(' ')
        + QCoreApplication::applicationVersion();
}

bool CommandLine::answeredWithoutWindow(int &argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Unknown options make parse() return false but still mark the known
    // ones; they are reported later by process().
    m_parser.parse(arguments);
    const bool helpAll = m_parser.isSet(QStringLiteral("help-all"));
    if (!m_parser.isSet(m_help) && !m_parser.isSet(m_version) && !helpAll)
        return false;
    // The help text names the program as started; a core application (no
    // display) gives the parser the arguments to take it from.
    QCoreApplication core(argc, argv);
    if (helpAll)
        m_parser.process(core); // prints the help with Qt's options and exits with 0
    const QString text = m_parser.isSet(m_help) ? helpText() : versionText() + QLatin1Char('\n');
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return true;
}

void CommandLine::process(const QCoreApplication &app)
{
    m_parser.process(app);
}

QStringList CommandLine::files() const
{
    QStringList files;
    for (const QString &name : m_parser.positionalArguments())
        files << QFileInfo(name).absoluteFilePath();
    return files;
}
