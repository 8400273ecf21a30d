#include <QDockWidget>
#include <QJsonObject>
#include <QLabel>
#include <QPluginLoader>
#include <QPushButton>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QtTest>

#include "demo1.h"
#include "fakehost.h"
#include "pluginfixture.h"
#include "scrivelface.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Demo V0.0.0.1");

} // namespace

// The sample plug-in as the host sees it, loaded from its module, and its
// worker on its own.
class TestSampler : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void workerNeverWritesItsEmptyResult_data();
    void workerNeverWritesItsEmptyResult();

    void identity();
    void docksAndOperations();
    void start_data();
    void start();
    void closeAndReopen();

private:
    QDockWidget *dock(const QString &title) const { return m_plugin.dock(title); }
    QDockWidget *listDock() const { return m_plugin.listDock(); }

    TestFolder m_folder;
    PluginFixture m_plugin{QStringLiteral("Demo")};
};

void TestSampler::initTestCase()
{
    TestFolder::prepareProcess();
    QString error;
    QVERIFY2(m_plugin.load(QStringLiteral(SAMPLER_PLUGIN), &error), qPrintable(error));
}

void TestSampler::cleanupTestCase()
{
    joinPoolThreads();
}

void TestSampler::init()
{
    QVERIFY(m_folder.enter());
    QVERIFY(m_plugin.attach({}, false));
}

void TestSampler::cleanup()
{
    m_plugin.detach();
    m_folder.leave();
}

void TestSampler::workerNeverWritesItsEmptyResult_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<int>("var1");
    QTest::addColumn<int>("var2");
    QTest::newRow("file there") << QByteArray("keep me\n") << -4 << 0;
    QTest::newRow("no file") << QByteArray() << 0 << 0;
    QTest::newRow("undecodable") << QByteArray("\xC3\x28") << 0 << 6;
}

void TestSampler::workerNeverWritesItsEmptyResult()
{
    QFETCH(QByteArray, content);
    QFETCH(int, var1);
    QFETCH(int, var2);
    if (!content.isEmpty())
        QVERIFY(TestFolder::put("fileName", content));
    OptionRecord options;
    Demo1 worker(QStringLiteral("fileName"), &options);
    QSignalSpy tips(&worker, &TextBase::tipSignal);
    worker.run();
    QCOMPARE(tips.size(), 1);
    QCOMPARE(tips.first(), (QVariantList{var1, var2, "fileName"}));
    QCOMPARE(worker.succeeded(), var1 == -4);
    QVERIFY(worker.text().isEmpty() || var1 != -4);
    QCOMPARE(TestFolder::bytesOf("fileName"), content.isEmpty() ? QByteArray("<missing>") : content);
}

void TestSampler::identity()
{
    QPluginLoader loader(QStringLiteral(SAMPLER_PLUGIN));
    const QJsonObject meta = loader.metaData();
    QCOMPARE(meta.value("IID").toString(), QStringLiteral(ScrivelFace_iid));
    QCOMPARE(meta.value("className").toString(), QStringLiteral("Sampler"));
    QVERIFY(meta.value("MetaData").toObject().isEmpty());
    QCOMPARE(m_plugin.face->pluginName(), QStringLiteral("Demo"));
    QCOMPARE(m_plugin.face->pluginVersion(), QStringLiteral("V0.0.0.1"));
}

void TestSampler::docksAndOperations()
{
    QVERIFY(m_plugin.face->openPlugin(20, 80));
    QDockWidget *list = listDock();
    QDockWidget *option = dock(QStringLiteral("处理选项"));
    QVERIFY(list && option);
    QVERIFY(list->isFloating() && option->isFloating());
    const QString all = QStringLiteral("<b>Demo1</b><br>Demo1说明<br><b>Demo2</b><br>Demo2说明");
    QCOMPARE(m_plugin.host->explains.last(), all);
    QCOMPARE(option->findChild<QLabel *>("label_explain")->text(), all);
    QCOMPARE(m_plugin.host->tips, (QList<Tip>{{11, 12, key, true}}));
    QStackedWidget *pages = option->findChild<QStackedWidget *>();
    QCOMPARE(pages->currentIndex(), 2);
    QLabel *one = list->findChild<QLabel *>("Label_textReplaced");
    QLabel *two = list->findChild<QLabel *>("Label_textReplaced_2");
    QCOMPARE(one->text(), QStringLiteral("Demo1"));
    QCOMPARE(two->text(), QStringLiteral("Demo2"));
    QCOMPARE(list->findChild<QPushButton *>("pushButton_start")->text(), QStringLiteral("处理"));

    QTest::mouseClick(two, Qt::LeftButton);
    QCOMPARE(option->windowTitle(), QStringLiteral("Demo2"));
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(m_plugin.host->explains.last(), QStringLiteral("<b>Demo2</b><br>Demo2说明"));
    QTest::mouseClick(one, Qt::LeftButton);
    QCOMPARE(option->windowTitle(), QStringLiteral("Demo1"));
    QCOMPARE(pages->currentIndex(), 0);
    QVERIFY(!m_plugin.face->openPlugin(120, 80));
}

void TestSampler::start_data()
{
    QTest::addColumn<QString>("label"); // empty: nothing chosen
    QTest::addColumn<bool>("list");
    QTest::addColumn<bool>("file");
    QTest::addColumn<QList<int>>("tasks");
    QTest::addColumn<QList<Tip>>("tips");
    QTest::newRow("no list") << "Label_textReplaced" << false << true << QList<int>() << QList<Tip>();
    QTest::newRow("Demo1") << "Label_textReplaced" << true << true << QList<int>{1}
                           << QList<Tip>{{-4, 0, "fileName", true}, {-4, 2, "", true}};
    QTest::newRow("Demo1 without the file") << "Label_textReplaced" << true << false << QList<int>{1}
                                            << QList<Tip>{{0, 0, "fileName", true}, {-4, 2, "", true}};
    QTest::newRow("Demo2") << "Label_textReplaced_2" << true << true << QList<int>()
                           << QList<Tip>{{-9, 9, "", true}};
    QTest::newRow("nothing chosen") << "" << true << true << QList<int>() << QList<Tip>{{-9, 9, "", true}};
}

void TestSampler::start()
{
    QFETCH(QString, label);
    QFETCH(bool, list);
    QFETCH(bool, file);
    QFETCH(QList<int>, tasks);
    QFETCH(QList<Tip>, tips);
    if (file)
        QVERIFY(TestFolder::put("fileName", "sample text"));
    // The range is ignored by the sample job: a list elsewhere is enough.
    if (list)
        m_plugin.host->setLists({{m_folder.path("other.txt")}});
    m_plugin.face->openPlugin(20, 80);
    if (!label.isEmpty())
        QTest::mouseClick(listDock()->findChild<QLabel *>(label), Qt::LeftButton);
    m_plugin.host->tips.clear();
    m_plugin.host->uiEnabledCalls.clear();

    QSignalSpy finished(dynamic_cast<QObject *>(m_plugin.face), SIGNAL(jobsFinishedSignal(int,int)));
    QTest::mouseClick(listDock()->findChild<QPushButton *>("pushButton_start"), Qt::LeftButton);
    if (list && finished.isEmpty())
        QVERIFY(finished.wait(10000));
    QCoreApplication::processEvents();

    QCOMPARE(m_plugin.host->tips, tips);
    QCOMPARE(m_plugin.host->taskCounts, tasks);
    QCOMPARE(TestFolder::bytesOf("fileName"), file ? QByteArray("sample text") : QByteArray("<missing>"));
    QVERIFY(m_plugin.host->enabled());
    QVERIFY(listDock()->isEnabled());
    if (list)
        QCOMPARE(m_plugin.host->uiEnabledCalls.last(), true);
    else
        QVERIFY(m_plugin.host->uiEnabledCalls.isEmpty());
}

void TestSampler::closeAndReopen()
{
    m_plugin.face->openPlugin(20, 80);
    m_plugin.host->tips.clear();
    listDock()->close();
    QCOMPARE(m_plugin.host->tips, (QList<Tip>{{11, 13, key, true}}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!listDock());
    QVERIFY(!dock(QStringLiteral("处理选项")));
    QVERIFY(m_plugin.face->openPlugin(20, 80));
    QVERIFY(listDock());
    QCOMPARE(m_plugin.host->tips.last(), (Tip{11, 12, key, true}));
}

QTEST_MAIN(TestSampler)
#include "tst_sampler.moc"
