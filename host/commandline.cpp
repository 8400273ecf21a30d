#include "commandline.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

CommandLine::CommandLine()
    : m_help(m_parser.addHelpOption())
    , m_version(m_parser.addVersionOption())
    , m_quitAfterStart(QStringLiteral("quit-after-start"),
                       QStringLiteral("Start, load the plug-ins, then quit (checks an installation)."))
    , m_desktop(QStringLiteral("desktop"),
                QStringLiteral("Work in the per-user folder ~/.local/share/scrivel (settings, logs and data) "
                               "instead of the current folder, as the desktop menu entry does."))
    , m_run(QStringLiteral("run"),
            QStringLiteral("Run the saved preset PRESET (a name in data/presets, or a .json file) over the "
                           "files and folders named, without a window; one line per file on stdout."),
            QStringLiteral("PRESET"))
    , m_dryRun(QStringLiteral("dry-run"),
               QStringLiteral("With --run: write nothing, list the files that would change."))
    , m_diff(QStringLiteral("diff"), QStringLiteral("With --dry-run: print a unified diff of each file that would change."))
    , m_recursive(QStringLiteral("recursive"), QStringLiteral("With --run: also the files of subfolders."))
    , m_include(QStringLiteral("include"),
                QStringLiteral("With --run: only files of a folder whose name matches GLOB (repeatable)."),
                QStringLiteral("GLOB"))
    , m_exclude(QStringLiteral("exclude"),
                QStringLiteral("With --run: leave out files of a folder whose name matches GLOB (repeatable)."),
                QStringLiteral("GLOB"))
    , m_undo(QStringLiteral("undo"),
             QStringLiteral("Undo the last batch run in the working folder, without a window."))
{
    m_parser.setApplicationDescription(
        QStringLiteral("Scrivel 纯文本批量处理工具\n\n"
                       "scrivel --run PRESET [--dry-run [--diff]] [--recursive] [--include GLOB]... "
                       "[--exclude GLOB]... PATH...\n"
                       "Exit status of --run and --undo: 0 every file done or unchanged, 1 some file failed "
                       "(or was left), 2 the preset or its options refused or a wrong command line "
                       "(man scrivel)."));
    m_parser.addOption(m_quitAfterStart);
    m_parser.addOption(m_desktop);
    for (const QCommandLineOption *option : {&m_run, &m_dryRun, &m_diff, &m_recursive, &m_include, &m_exclude, &m_undo})
        m_parser.addOption(*option);
    m_parser.addPositionalArgument(QStringLiteral("files"),
                                   QStringLiteral("Text files to add to the first list and open; with --run "
                                                  "the files and folders to work on."),
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

bool CommandLine::wantsHeadless(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        const QByteArray argument(argv[i]);
        if (argument == "--")
            break;
        if (argument == "--run" || argument.startsWith("--run=") || argument == "--undo")
            return true;
    }
    return false;
}

void CommandLine::process(const QCoreApplication &app)
{
    QString error;
    if (!m_parser.parse(app.arguments()))
        error = m_parser.errorText();
    else
        error = usageError();
    if (error.isEmpty())
        return;
    std::fputs(qPrintable(QStringLiteral("scrivel: %1\n(scrivel --help lists the options)\n").arg(error)), stderr);
    std::exit(2);
}

QString CommandLine::usageError() const
{
    if (run() && undo())
        return QStringLiteral("--run and --undo cannot be given together");
    if (run()) {
        if (preset().isEmpty())
            return QStringLiteral("--run needs the name of a preset");
        if (paths().isEmpty())
            return QStringLiteral("--run needs at least one file or folder");
        if (diff() && !dryRun())
            return QStringLiteral("--diff goes with --dry-run");
        return QString();
    }
    const QList<const QCommandLineOption *> runOnly{&m_dryRun, &m_diff, &m_recursive, &m_include, &m_exclude};
    for (const QCommandLineOption *option : runOnly) {
        if (m_parser.isSet(*option))
            return QStringLiteral("--%1 goes with --run").arg(option->names().first());
    }
    if (undo() && !paths().isEmpty())
        return QStringLiteral("--undo takes no files");
    return QString();
}

QStringList CommandLine::files() const
{
    QStringList files;
    for (const QString &name : m_parser.positionalArguments())
        files << QFileInfo(name).absoluteFilePath();
    return files;
}
