#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include "dockwidgettips.h"
#include "ini.h"
#include "loghandler.h"
#include "mainwindow.h"
#include "runtimefolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void emptyWorkingDirectory();
    void localeCodec_data();
    void localeCodec();
    void iniReadsDefaultsAndWrites();
    void logHandlerAppendsLines();
    void runtimeFolder_data();
    void runtimeFolder();
    void answersWithoutDisplay_data();
    void answersWithoutDisplay();

private:
    QTemporaryDir *m_dir = nullptr;
    QString m_oldDir;
};

void TestStartup::init()
{
    m_oldDir = QDir::currentPath();
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir::setCurrent(m_dir->path()));
}

void TestStartup::cleanup()
{
    qInstallMessageHandler(nullptr);
    QDir::setCurrent(m_oldDir);
    delete m_dir;
    m_dir = nullptr;
}

void TestStartup::emptyWorkingDirectory()
{
    QApplication::setApplicationVersion(QStringLiteral("0.0.0.1"));
    MainWindow window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Scrivel纯文本批量处理工具 V0.0.0.1"));
    QVERIFY(QFileInfo(QStringLiteral("log")).isDir());
    QVERIFY(QFileInfo(QStringLiteral("data")).isDir());
    QVERIFY(window.tipsDock());
    QCOMPARE(window.dockWidgetArea(window.tipsDock()), Qt::BottomDockWidgetArea);
    QVERIFY(window.pluginLabel() && window.listLabel() && window.documentLabel());
    // Nothing but the two folders is written while the window is built.
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList({QStringLiteral("data"), QStringLiteral("log")}));
}

void TestStartup::localeCodec_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QByteArray>("expected"); // empty: the system default stays
    QTest::newRow("UTF-8") << "UTF-8" << QByteArray("UTF-8");
    QTest::newRow("GBK") << "GBK" << QByteArray("GBK");
    QTest::newRow("ANSI keeps the system encoding") << "ANSI" << QByteArray();
}

void TestStartup::localeCodec()
{
    QFETCH(QString, code);
    QFETCH(QByteArray, expected);
    QTextCodec::setCodecForLocale(nullptr);
    const QByteArray systemDefault = QTextCodec::codecForLocale()->name();
    writeIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"), code);
    MainWindow window;
    QCOMPARE(QTextCodec::codecForLocale()->name(), expected.isEmpty() ? systemDefault : expected);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestStartup::iniReadsDefaultsAndWrites()
{
    QCOMPARE(readIni(configureIni(), QStringLiteral("start"), QStringLiteral("listNumber"), QStringLiteral("0")),
             QStringLiteral("0"));
    QVERIFY(!QFile::exists(configureIni()));
    writeIni(configureIni(), QStringLiteral("start"), QStringLiteral("listNumber"), QStringLiteral("3"));
    QCOMPARE(readIni(configureIni(), QStringLiteral("start"), QStringLiteral("listNumber"), QStringLiteral("0")),
             QStringLiteral("3"));
    QSettings raw(configureIni(), QSettings::IniFormat);
    QCOMPARE(raw.childGroups(), QStringList(QStringLiteral("start")));
}

void TestStartup::logHandlerAppendsLines()
{
    LogHandler::install(QStringLiteral("3597"));
    qDebug() << "first line";
    qWarning("second <line>");
    qInstallMessageHandler(nullptr);
    QFile log(QStringLiteral("log_3597.html"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 2);
    QVERIFY(lines[0].startsWith(QStringLiteral("<font color=#000000>")));
    QVERIFY(lines[0].contains(QStringLiteral(" D::first line, ")));
    QVERIFY(lines[0].contains(QStringLiteral("tst_startup.cpp")));
    QVERIFY(lines[1].contains(QStringLiteral(" W::second &lt;line&gt;, ")));
}

void TestStartup::runtimeFolder_data()
{
    QTest::addColumn<QString>("before"); // what is in the folder's place
    QTest::addColumn<bool>("fresh");     // a folder of another name is made
    QTest::newRow("nothing yet") << "" << false;
    QTest::newRow("left open to others") << "folder 0755" << false;
    QTest::newRow("a file in its place") << "file" << true;
    QTest::newRow("named by the environment") << "set" << false;
}

// Without XDG_RUNTIME_DIR a private folder is named, as Qt wants it: the
// user's own, mode 0700; one already named is kept.
void TestStartup::runtimeFolder()
{
    QFETCH(QString, before);
    QFETCH(bool, fresh);
    const QByteArray saved = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray base = QFile::encodeName(m_dir->path());
    const struct passwd *user = ::getpwuid(::getuid());
    QVERIFY(user);
    const QString expected = m_dir->filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(user->pw_name));
    if (before == QLatin1String("set"))
        qputenv("XDG_RUNTIME_DIR", base + "/elsewhere");
    else
        qunsetenv("XDG_RUNTIME_DIR");
    if (before.startsWith(QLatin1String("folder"))) {
        QVERIFY(QDir().mkpath(expected));
        QVERIFY(QFile::setPermissions(expected, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                    | QFileDevice::ReadGroup | QFileDevice::ExeGroup
                                                    | QFileDevice::ReadOther | QFileDevice::ExeOther));
    } else if (before == QLatin1String("file")) {
        QFile file(expected);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    const QByteArray made = RuntimeFolder::ensure(base);
    const QByteArray named = qgetenv("XDG_RUNTIME_DIR");
    qputenv("XDG_RUNTIME_DIR", saved);
    if (saved.isEmpty())
        qunsetenv("XDG_RUNTIME_DIR");

    QCOMPARE(named, made);
    if (before == QLatin1String("set")) {
        QCOMPARE(made, base + "/elsewhere");
        QVERIFY(!QFileInfo::exists(QFile::decodeName(made)));
        return;
    }
    QCOMPARE(QFile::decodeName(made) == expected, !fresh);
    struct stat st;
    QCOMPARE(::lstat(made.constData(), &st), 0);
    QVERIFY(S_ISDIR(st.st_mode));
    QCOMPARE(st.st_mode & 07777, mode_t(0700));
    QCOMPARE(st.st_uid, ::getuid());
}

void TestStartup::answersWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("shown");
    QTest::newRow("--help") << QStringList{ "--help" } << "--quit-after-start";
    QTest::newRow("-h with a file") << QStringList{ "a.txt", "-h" } << "[files...]";
    QTest::newRow("--help-all") << QStringList{ "--help-all" } << "--desktop";
    QTest::newRow("--version") << QStringList{ "--version" } << "scrivel 0.0.0.1";
}

void TestStartup::answersWithoutDisplay()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, shown);
    // A platform that needs a display, and none to connect to: the program
    // would abort if it made its window.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QCoreApplication::applicationDirPath() + QStringLiteral("/scrivel"), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    QVERIFY2(out.contains(shown), qPrintable(out));
    QVERIFY(!QFileInfo::exists(QStringLiteral("data"))); // no window was made
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
