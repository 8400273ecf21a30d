#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

#include <functional>

#include "fakehost.h"
#include "hostdriver.h"
#include "pluginfixture.h"
#include "scrivelface.h"
#include "testfolder.h"

namespace {

QString pluginPath()
{
    return qEnvironmentVariable("SCRIVEL_PLUGIN_DIR") + QStringLiteral("/libreworker.so");
}

} // namespace

// The conversion page in the real plug-in: its mode pages and slots, and
// whole starts over a file, including the refusals before any file is
// touched.
class TestPageTextTo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase() { joinPoolThreads(); }
    void init();
    void cleanup();

    void modes();
    void baseControls();
    void customControls();
    void editButtons();
    void starts_data();
    void starts();

private:
    template <class W>
    W *find(const char *name) const
    {
        W *w = m_page->findChild<W *>(QLatin1String(name));
        if (!w)
            qWarning("missing %s", name);
        return w;
    }
    void clickRadio(const char *name) { find<QRadioButton>(name)->click(); }
    QDockWidget *listDock() const { return m_plugin.listDock(); }

    PluginFixture m_plugin{QStringLiteral("Text")};
    QWidget *m_page = nullptr;
    TestFolder m_folder;
};

void TestPageTextTo::initTestCase()
{
    TestFolder::prepareProcess();
    QString error;
    QVERIFY2(m_plugin.load(pluginPath(), &error), qPrintable(error));
}

void TestPageTextTo::init()
{
    QVERIFY(m_folder.enter());
    QVERIFY(m_plugin.attach({{m_folder.path("a.txt")}}));
    QTest::mouseClick(listDock()->findChild<QLabel *>(QStringLiteral("Label_textTo")), Qt::LeftButton);
    QTest::mouseClick(listDock()->findChild<QLabel *>(QStringLiteral("label_rangeList")), Qt::LeftButton);
    const QString stacks = QStringLiteral("stackedWidget_3");
    for (QStackedWidget *stack : m_plugin.host->window.findChildren<QStackedWidget *>(stacks))
        m_page = stack->currentWidget();
    QVERIFY(m_page);
    QCOMPARE(m_page->objectName(), QStringLiteral("page_8"));
}

void TestPageTextTo::cleanup()
{
    m_plugin.detach();
    m_page = nullptr;
    m_folder.leave();
}

void TestPageTextTo::modes()
{
    auto *inner = find<QStackedWidget>("stackedWidget_textTo");
    const char *const radios[] = {"radioButton_textToCase", "radioButton_textToHalfFull", "radioButton_textToBase",
                                  "radioButton_textToTradition", "radioButton_textToCustom"};
    for (int i = 4; i >= 0; --i) {
        clickRadio(radios[i]);
        QCOMPARE(inner->currentIndex(), i);
        QCOMPARE(inner->currentWidget()->objectName(), QStringLiteral("page_%1").arg(i + 3));
    }
    // Choosing the script mode writes the shipped tables and says which
    // are in use: folder and entries.
    const QList<Tip> inUse = m_plugin.host->tipsWith(-1, 5);
    QCOMPARE(inUse.size(), 1);
    QVERIFY2(inUse.first().fileName.contains(QStringLiteral("data")), qPrintable(inUse.first().fileName));
    QVERIFY2(QRegularExpression(QStringLiteral("单字 \\d{4} 条 词组 \\d{5} 条")).match(inUse.first().fileName).hasMatch(),
             qPrintable(inUse.first().fileName));
    QVERIFY(QFile::exists(m_folder.path("data/textTo_oldTaiwan.txt")));
    QCOMPARE(find<QComboBox>("comboBox_textToTradition")->count(), 12);
}

void TestPageTextTo::baseControls()
{
    auto *before = find<QComboBox>("comboBox_textToBaseBefore");
    auto *after = find<QComboBox>("comboBox_textToBaseAfter");
    QCOMPARE(before->currentText(), QStringLiteral("10"));
    QCOMPARE(after->currentText(), QStringLiteral("2"));
    QVERIFY(before->isEditable());

    // Format one allows any typed base and swaps it.
    after->setCurrentText(QStringLiteral("7"));
    find<QPushButton>("pushButton_textToBaseAB2BA")->click();
    QCOMPARE(before->currentText(), QStringLiteral("7"));
    QCOMPARE(after->currentText(), QStringLiteral("10"));

    // Format two: only the standard bases; a custom base is not swapped in.
    clickRadio("radioButton_textToFormat2");
    QVERIFY(!before->isEditable());
    QVERIFY(QStringList({"2", "8", "10", "16"}).contains(before->currentText()));
    const QString kept = before->currentText();
    after->setCurrentText(QStringLiteral("9"));
    find<QPushButton>("pushButton_textToBaseAB2BA")->click();
    QCOMPARE(m_plugin.host->tipsWith(-3, 0).size(), 1);
    QCOMPARE(before->currentText(), kept);
    QCOMPARE(after->currentText(), QStringLiteral("9"));
    clickRadio("radioButton_textToFormat1");
    QVERIFY(before->isEditable());
}

void TestPageTextTo::customControls()
{
    auto *result1 = find<QRadioButton>("radioButton_textToResult1");
    auto *result2 = find<QRadioButton>("radioButton_textToResult2");
    result2->click();
    QVERIFY(result2->isChecked());
    clickRadio("radioButton_textToMany");
    QVERIFY(!result2->isEnabled());
    QVERIFY(result1->isChecked());
    clickRadio("radioButton_textToOne");
    QVERIFY(result2->isEnabled());
}

void TestPageTextTo::editButtons()
{
    clickRadio("radioButton_textToTradition");
    find<QComboBox>("comboBox_textToTradition")->setCurrentIndex(5); // 繁体(直译)到繁体(台湾)
    find<QPushButton>("pushButton_textToTradition")->click();
    // The plug-in library's own two-pane window (its class is the
    // library's copy, so it is found by name).
    QWidget *editor = nullptr;
    for (QWidget *w : m_page->findChildren<QWidget *>()) {
        if (qstrcmp(w->metaObject()->className(), "CodeEditorEx2") == 0)
            editor = w;
    }
    QVERIFY(editor);
    QVERIFY(editor->isVisible());
    auto panes = [editor] { return editor->findChildren<QPlainTextEdit *>(); };
    QCOMPARE(panes().size(), 2);
    QCOMPARE(editor->windowTitle(), QStringLiteral("繁简转换"));
    QVERIFY(panes().at(0)->toPlainText().contains(QStringLiteral("頭髮")));
    QVERIFY(panes().at(1)->toPlainText().contains(QStringLiteral("軟體")));

    find<QPushButton>("pushButton_textToCustom")->click();
    QCOMPARE(editor->windowTitle(), QStringLiteral("自定义转换"));
    QCOMPARE(panes().at(0)->toPlainText(), QStringLiteral("你\n我\n他"));
    QCOMPARE(panes().at(1)->toPlainText(), QStringLiteral("我\n他\n你"));
}

using Setup = std::function<void(QWidget *page)>;
Q_DECLARE_METATYPE(Setup)

void TestPageTextTo::starts_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<QList<int>>("tip"); // the tip that ends the start

    auto radio = [](const char *name) {
        return [name](QWidget *page) { page->findChild<QRadioButton *>(QLatin1String(name))->click(); };
    };
    QTest::newRow("case") << Setup([](QWidget *) {}) << "ab cd" << "AB CD" << QList<int>{-4, 0};
    QTest::newRow("width") << Setup(radio("radioButton_textToHalfFull")) << "a`" << QString::fromUtf8("ａ·")
                           << QList<int>{-4, 0};
    QTest::newRow("tradition shipped tables") << Setup(radio("radioButton_textToTradition"))
                                              << QString::fromUtf8("头发\n") << QString::fromUtf8("頭髮\n")
                                              << QList<int>{-4, 0};
    QTest::newRow("custom result two") << Setup([](QWidget *page) {
        page->findChild<QRadioButton *>(QStringLiteral("radioButton_textToCustom"))->click();
        page->findChild<QRadioButton *>(QStringLiteral("radioButton_textToResult2"))->click();
    }) << QString::fromUtf8("你我他") << QString::fromUtf8("我他你") << QList<int>{-4, 0};
    QTest::newRow("base line fails") << Setup(radio("radioButton_textToBase")) << "12\n\n3" << "12\n\n3"
                                     << QList<int>{-2, 0};
    QTest::newRow("base out of range") << Setup([](QWidget *page) {
        page->findChild<QRadioButton *>(QStringLiteral("radioButton_textToBase"))->click();
        page->findChild<QComboBox *>(QStringLiteral("comboBox_textToBaseAfter"))->setCurrentText(QStringLiteral("37"));
    }) << "12" << "12" << QList<int>{-6, 0};
    QTest::newRow("unequal tables") << Setup([](QWidget *page) {
        QDir().mkpath(QStringLiteral("data"));
        HostDriver::put(QStringLiteral("data/textTo_newOne.txt"), "a\nb\nc");
        HostDriver::put(QStringLiteral("data/textTo_oldOne.txt"), "A\nB\nC\nD");
        page->findChild<QRadioButton *>(QStringLiteral("radioButton_textToTradition"))->click();
    }) << "abc" << "abc" << QList<int>{-1, 1};
    QTest::newRow("empty custom table") << Setup([](QWidget *page) {
        QDir().mkpath(QStringLiteral("data"));
        HostDriver::put(QStringLiteral("data/textTo_afterCustom.txt"), "");
        page->findChild<QRadioButton *>(QStringLiteral("radioButton_textToCustom"))->click();
    }) << "abc" << "abc" << QList<int>{-1, 4};
}

void TestPageTextTo::starts()
{
    QFETCH(Setup, setup);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(QList<int>, tip);
    const QString file = m_folder.path("a.txt");
    QVERIFY(HostDriver::put(file, before.toUtf8()));
    const QDateTime modified = QFileInfo(file).lastModified();
    setup(m_page);
    QTest::mouseClick(listDock()->findChild<QPushButton *>(QStringLiteral("pushButton_start")), Qt::LeftButton);
    QTRY_COMPARE(m_plugin.host->tipsWith(tip.at(0), tip.at(1)).size(), 1);
    QTRY_VERIFY(m_plugin.host->enabled());
    QCOMPARE(QString::fromUtf8(HostDriver::bytesOf(file)), after);
    if (before == after)
        QCOMPARE(QFileInfo(file).lastModified(), modified); // refused: never rewritten
    if (tip.at(0) == -1 || tip.at(0) == -6)
        QVERIFY(m_plugin.host->taskCounts.isEmpty());
}

QTEST_MAIN(TestPageTextTo)
#include "tst_pagetextto.moc"
