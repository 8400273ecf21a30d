#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtPlugin>
#include <QtTest>

#include "fakehost.h"
#include "pluginhost.h"
#include "readwritetxt.h"
#include "testfolder.h"

Q_IMPORT_PLUGIN(StaticFace)

namespace {

const QString staticKey = QStringLiteral("Static V9");
const QString alphaKey = QStringLiteral("Alpha V1");
const QString betaKey = QStringLiteral("Beta V2");

} // namespace

// Finding, binding, listing and opening plug-ins, and keeping "plus.ini".
class TestPluginHost : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void pluginFolder_data();
    void pluginFolder();
    void enabledRule_data();
    void enabledRule();
    void firstRunListsAllOpensNone();
    void matchingStateFileNotRewritten();
    void stateFileFollowsPluginsFound();
    void twoEnabledOpenAt20And120();
    void menuOpensDisabledPlugin();
    void hostComesBeforeAnythingElse();
    void undecodableStateFileKept();
    void missingFolderAndSecondLoad();

private:
    // Copies the named test plug-ins (alpha, beta, other) into the
    // temporary plug-in folder.
    void install(const QStringList &names);
    void load();
    QObject *root(const QString &key) const;
    QStringList menuTexts() const;

    QTemporaryDir *m_dir = nullptr;
    QString m_folder;
    FakeHost *m_host = nullptr;
    QMenu *m_menu = nullptr;
    QPoint m_pos;
    PluginHost *m_pluginHost = nullptr;
};

void TestPluginHost::initTestCase()
{
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
}

void TestPluginHost::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    QDir::setCurrent(m_dir->path());
    m_folder = m_dir->filePath(QStringLiteral("plugins"));
    QVERIFY(QDir().mkpath(m_folder));
    m_host = new FakeHost;
    m_menu = new QMenu(QStringLiteral("插件(&P)"));
    m_pos = QPoint(20, 80);
    m_pluginHost = new PluginHost(m_host, m_menu, &m_pos);
}

void TestPluginHost::cleanup()
{
    delete m_pluginHost;
    m_pluginHost = nullptr;
    delete m_menu;
    m_menu = nullptr;
    delete m_host;
    m_host = nullptr;
    QDir::setCurrent(QDir::tempPath());
    delete m_dir;
    m_dir = nullptr;
}

void TestPluginHost::install(const QStringList &names)
{
    for (const QString &name : names) {
        const QString file = QStringLiteral("lib%1.so").arg(name);
        QVERIFY(QFile::copy(QStringLiteral(TEST_PLUGIN_DIR "/") + file, QDir(m_folder).filePath(file)));
    }
}

void TestPluginHost::load()
{
    m_pluginHost->loadAll(m_folder);
}

QObject *TestPluginHost::root(const QString &key) const
{
    for (QAction *action : m_menu->actions()) {
        if (action->text() == key)
            return action->parent();
    }
    return nullptr;
}

QStringList TestPluginHost::menuTexts() const
{
    QStringList texts;
    for (QAction *action : m_menu->actions())
        texts << action->text();
    return texts;
}

void TestPluginHost::pluginFolder_data()
{
    QTest::addColumn<QString>("applicationDir");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "/opt/scrivel/bin" << "/opt/scrivel/bin/plugins";
    QTest::newRow("Release") << "/opt/build/Release" << "/opt/build/plugins";
    QTest::newRow("DEBUG") << "/opt/build/DEBUG" << "/opt/build/plugins";
    QTest::newRow("debug") << "/opt/build/debug" << "/opt/build/plugins";
    QTest::newRow("releases is not release") << "/opt/releases" << "/opt/releases/plugins";
    QTest::newRow("release higher up") << "/release/bin" << "/release/bin/plugins";
}

void TestPluginHost::pluginFolder()
{
    QFETCH(QString, applicationDir);
    QFETCH(QString, expected);
    QCOMPARE(PluginHost::pluginFolder(applicationDir), expected);
}

void TestPluginHost::enabledRule_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("own line") << "Beta V2,0\nAlpha V1,2" << true;
    QTest::newRow("anywhere in the text") << "xxAlpha V1,2yy" << true;
    QTest::newRow("disabled") << "Alpha V1,0" << false;
    QTest::newRow("other letter case") << "alpha V1,2" << false;
    QTest::newRow("blank before state") << "Alpha V1, 2" << false;
    QTest::newRow("not mentioned") << "Beta V2,2" << false;
    QTest::newRow("empty") << "" << false;
}

void TestPluginHost::enabledRule()
{
    QFETCH(QString, state);
    QFETCH(bool, enabled);
    QCOMPARE(PluginHost::isEnabled(state, alphaKey), enabled);
}

void TestPluginHost::firstRunListsAllOpensNone()
{
    install({"alpha", "beta", "other"});
    QVERIFY(TestFolder::put(QDir(m_folder).filePath("notes.txt"), "not a plug-in"));
    QSignalSpy io(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^plug-in skipped: .*notes\\.txt"));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^plug-in skipped, not a ScrivelFace: .*libother\\.so"));
    load();

    // Static plug-ins come first; the folder's order is the file system's.
    const QStringList keys = m_pluginHost->keys();
    QCOMPARE(keys.size(), 3);
    QCOMPARE(keys.first(), staticKey);
    QCOMPARE(QSet<QString>(keys.begin() + 1, keys.end()), (QSet<QString>{alphaKey, betaKey}));
    QCOMPARE(menuTexts(), keys);
    QVERIFY(root(alphaKey)->property("opened").toList().isEmpty());
    QVERIFY(root(betaKey)->property("opened").toList().isEmpty());
    QCOMPARE(m_pos, QPoint(20, 80));

    QList<Tip> loaded;
    for (const QString &key : keys)
        loaded << Tip{11, 11, key, true};
    QCOMPARE(m_host->tipsWith(11, 11), loaded);
    // Missing when read, then created with every plug-in disabled, all
    // without a message: a first start is nothing to report.
    QCOMPARE(TestFolder::bytesOf("plus.ini"), (keys.join(",0\n") + ",0").toUtf8());
    QVERIFY(io.isEmpty());
}

void TestPluginHost::matchingStateFileNotRewritten()
{
    install({"alpha"});
    const QByteArray state = QStringLiteral("%1,0\n%2,2").arg(staticKey, alphaKey).toUtf8();
    QVERIFY(TestFolder::put("plus.ini", state));
    const QDateTime old = QDateTime::currentDateTime().addDays(-3);
    {
        QFile file("plus.ini");
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    QSignalSpy io(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal);
    load();
    QVERIFY(io.isEmpty());
    QCOMPARE(TestFolder::bytesOf("plus.ini"), state);
    QCOMPARE(QFileInfo("plus.ini").lastModified().toSecsSinceEpoch(), old.toSecsSinceEpoch());
    QCOMPARE(root(alphaKey)->property("opened").toList(), QVariantList{QPoint(20, 80)});
}

void TestPluginHost::stateFileFollowsPluginsFound()
{
    install({"alpha"});
    // A plug-in no longer found is dropped; a final line end and a lower
    // case key are not what the host writes.
    QVERIFY(TestFolder::put("plus.ini", QStringLiteral("Gone V0,2\n%1,2\nstatic v9,2\n").arg(alphaKey).toUtf8()));
    load();
    QCOMPARE(TestFolder::bytesOf("plus.ini"), QStringLiteral("%1,0\n%2,2").arg(staticKey, alphaKey).toUtf8());
    QCOMPARE(m_pluginHost->stateLines(), (QStringList{staticKey + ",0", alphaKey + ",2"}));
}

void TestPluginHost::twoEnabledOpenAt20And120()
{
    install({"alpha", "beta"});
    QVERIFY(TestFolder::put("plus.ini", QStringLiteral("%1,2\n%2,2").arg(alphaKey, betaKey).toUtf8()));
    load();
    const QStringList keys = m_pluginHost->keys();
    QCOMPARE(keys.size(), 3);
    QCOMPARE(root(keys.at(1))->property("opened").toList(), QVariantList{QPoint(20, 80)});
    QCOMPARE(root(keys.at(2))->property("opened").toList(), QVariantList{QPoint(120, 80)});
    QCOMPARE(m_pos, QPoint(220, 80));
    QCOMPARE(m_host->tipsWith(11, 12).size(), 2);
}

void TestPluginHost::menuOpensDisabledPlugin()
{
    install({"alpha", "beta"});
    QVERIFY(TestFolder::put("plus.ini", QStringLiteral("%1,2").arg(betaKey).toUtf8()));
    load();
    QCOMPARE(m_pos, QPoint(120, 80));
    QAction *alpha = nullptr;
    for (QAction *action : m_menu->actions()) {
        if (action->text() == alphaKey)
            alpha = action;
    }
    QVERIFY(alpha);
    alpha->trigger();
    QCOMPARE(root(alphaKey)->property("opened").toList(), QVariantList{QPoint(120, 80)});
    QCOMPARE(m_pos, QPoint(220, 80));
    // Already open: the plug-in says false and the position stays.
    alpha->trigger();
    QCOMPARE(root(alphaKey)->property("opened").toList().size(), 2);
    QCOMPARE(m_pos, QPoint(220, 80));
    // Same for the plug-in opened at start.
    m_menu->actions().at(menuTexts().indexOf(betaKey))->trigger();
    QCOMPARE(m_pos, QPoint(220, 80));
}

void TestPluginHost::hostComesBeforeAnythingElse()
{
    install({"alpha"});
    load();
    const QStringList calls = root(alphaKey)->property("calls").toStringList();
    QVERIFY(calls.size() >= 3);
    QCOMPARE(calls.first(), QStringLiteral("setHost"));
    QVERIFY(!calls.contains(QStringLiteral("openPlugin")));
}

void TestPluginHost::undecodableStateFileKept()
{
    install({"alpha"});
    const QByteArray broken("Alpha V1,2\n\xC3\x28");
    QVERIFY(TestFolder::put("plus.ini", broken));
    QSignalSpy io(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal);
    load();
    QCOMPARE(io.size(), 1);
    QCOMPARE(io.at(0), (QVariantList{0, 6, "plus.ini"}));
    QCOMPARE(TestFolder::bytesOf("plus.ini"), broken);
    QVERIFY(root(alphaKey)->property("opened").toList().isEmpty());
}

void TestPluginHost::missingFolderAndSecondLoad()
{
    m_pluginHost->loadAll(m_dir->filePath("nowhere"));
    QCOMPARE(m_pluginHost->keys(), QStringList{staticKey});
    QVERIFY(!QDir(m_dir->filePath("nowhere")).exists());
    install({"alpha"});
    load();
    QCOMPARE(menuTexts(), QStringList{staticKey});
}

QTEST_MAIN(TestPluginHost)
#include "tst_pluginhost.moc"
