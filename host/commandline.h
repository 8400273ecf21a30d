#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

class QCoreApplication;

// The program's command line. It is read twice: once before the application
// object exists, only to answer --help and --version (they print to stdout
// and need no display), and once after, for everything else (the
// application object has then taken its own options, such as -platform,
// out of the arguments). An option is one QCommandLineOption member, added
// to the parser in the constructor.
class CommandLine
{
public:
    CommandLine();

    // Before the application object: when arguments ask for the help or the
    // version, prints it to stdout and returns true (the program then ends
    // with exit code 0). Anything else, unknown options included, is left
    // for process().
    bool answeredWithoutWindow(int &argc, char **argv);

    // Whether the arguments ask for a run without a window (--run or
    // --undo); known from the arguments alone, before the application
    // object exists, so that it can be made without a display.
    static bool wantsHeadless(int argc, char **argv);

    // After the application object: parses its arguments; an unknown option
    // or a missing value is reported on stderr and ends the program with
    // exit code 2, as does an option that belongs to --run without it.
    void process(const QCoreApplication &app);

    // A run of a preset: scrivel --run PRESET [--dry-run [--diff]]
    // [--recursive] [--include GLOB]... [--exclude GLOB]... PATH...
    bool run() const { return m_parser.isSet(m_run); }
    QString preset() const { return m_parser.value(m_run); }
    bool dryRun() const { return m_parser.isSet(m_dryRun); }
    bool diff() const { return m_parser.isSet(m_diff); }
    bool recursive() const { return m_parser.isSet(m_recursive); }
    QStringList include() const { return m_parser.values(m_include); }
    QStringList exclude() const { return m_parser.values(m_exclude); }
    // The paths as given (a run names them so in its output).
    QStringList paths() const { return m_parser.positionalArguments(); }
    // scrivel --undo: undo the last batch of the working folder.
    bool undo() const { return m_parser.isSet(m_undo); }
    // What is wrong with the options of a run or an undo, in words; empty
    // when nothing is.
    QString usageError() const;

    bool quitAfterStart() const { return m_parser.isSet(m_quitAfterStart); }
    bool desktop() const { return m_parser.isSet(m_desktop); }
    // The text files named, made absolute against the folder the program
    // was started in.
    QStringList files() const;

    QString helpText() const { return m_parser.helpText(); }
    static QString versionText();

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_quitAfterStart;
    QCommandLineOption m_desktop;
    QCommandLineOption m_run;
    QCommandLineOption m_dryRun;
    QCommandLineOption m_diff;
    QCommandLineOption m_recursive;
    QCommandLineOption m_include;
    QCommandLineOption m_exclude;
    QCommandLineOption m_undo;
};

#endif // COMMANDLINE_H
