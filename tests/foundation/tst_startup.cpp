#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

#include "dockwidgettips.h"
#include "ini.h"
#include "loghandler.h"
#include "mainwindow.h"

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

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
