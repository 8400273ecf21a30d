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

    // After the application object: parses its arguments; an unknown option
    // is reported on stderr and ends the program with exit code 1.
    void process(const QCoreApplication &app);

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
};

#endif // COMMANDLINE_H
