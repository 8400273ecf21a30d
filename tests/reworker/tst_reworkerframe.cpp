#include <QCheckBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QtTest>

#include "fakehost.h"
#include "pluginfixture.h"
#include "scrivelface.h"
#include "testfolder.h"

namespace {

QString pluginPath()
{
    return qEnvironmentVariable("SCRIVEL_PLUGIN_DIR") + QStringLiteral("/libreworker.so");
}

const char *const pageNames[] = {"page_1", "page_8", "page_11", "page_12", "page_13", "page_14", "page_15",
                                 "page_16", "page_17", "page_18", "page_19", "page_20", "page_9"};

} // namespace

// The text plug-in's frame as the host sees it: identity, both docks,
// the nineteen operations with their titles and pages, what start does
// for operations that run nothing, and the keys page's operations run over
// real files.
class TestReworkerFrame : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void identityAndDocks();
    void operations_data();
    void operations();
    void startsWithoutJobs_data();
    void startsWithoutJobs();
    void keysPresets();
    void keysStarts_data();
    void keysStarts();
    void replace2Table();

private:
    template <class W>
    W *keysWidget(const char *name) const
    {
        W *w = optionDock()->findChild<W *>(QLatin1String(name));
        if (!w)
            qWarning("no %s", name);
        return w;
    }
    void put(const QString &name, const QByteArray &bytes);
    QByteArray bytesOf(const QString &name) const;
    void start();
    QDockWidget *listDock() const { return m_plugin.listDock(); }
    QDockWidget *optionDock() const;
    QStackedWidget *pages() const;
    void click(const QString &name);

    PluginFixture m_plugin{QStringLiteral("Text")};
    TestFolder m_folder;
};

void TestReworkerFrame::initTestCase()
{
    TestFolder::prepareProcess();
    QString error;
    QVERIFY2(m_plugin.load(pluginPath(), &error), qPrintable(error));
}

void TestReworkerFrame::cleanupTestCase()
{
    joinPoolThreads();
}

void TestReworkerFrame::init()
{
    QVERIFY(m_folder.enter());
    QVERIFY(m_plugin.attach({{m_folder.path("a.txt")}}));
}

void TestReworkerFrame::cleanup()
{
    m_plugin.detach();
    m_folder.leave();
}

QDockWidget *TestReworkerFrame::optionDock() const
{
    for (QDockWidget *d : m_plugin.host->window.findChildren<QDockWidget *>()) {
        if (d->findChild<QStackedWidget *>(QStringLiteral("stackedWidget_3")))
            return d;
    }
    return nullptr;
}

QStackedWidget *TestReworkerFrame::pages() const
{
    return optionDock()->findChild<QStackedWidget *>(QStringLiteral("stackedWidget_3"));
}

void TestReworkerFrame::click(const QString &name)
{
    auto *label = listDock()->findChild<QLabel *>(name);
    QVERIFY2(label, qPrintable(name));
    QTest::mouseClick(label, Qt::LeftButton);
}

void TestReworkerFrame::identityAndDocks()
{
    QCOMPARE(m_plugin.face->pluginName(), QStringLiteral("Text"));
    QCOMPARE(m_plugin.face->pluginVersion(), QStringLiteral("V0.0.0.1"));
    QVERIFY(listDock());
    QCOMPARE(optionDock()->windowTitle(), QStringLiteral("处理选项"));

    QStackedWidget *stack = pages();
    QCOMPARE(stack->count(), 13);
    for (int i = 0; i < 13; ++i)
        QCOMPARE(stack->widget(i)->objectName(), QLatin1String(pageNames[i]));
    QCOMPARE(stack->currentIndex(), 12);

    // The explanation page joins the nineteen explanations in table order.
    auto *explain = optionDock()->findChild<QLabel *>(QStringLiteral("label_explain"));
    QVERIFY(explain);
    const QStringList parts = explain->text().split(QStringLiteral("<br>"));
    QCOMPARE(parts.size(), 38); // every explanation has one "<br>" of its own
    QVERIFY(parts.first().contains(QStringLiteral("替换1")));
    QVERIFY(parts.last().contains(QStringLiteral("拆分")));

    const char *ranges[][2] = {{"label_rangeAll", "All"}, {"label_rangeList", "List"}, {"label_rangeCurrent", "Cur"}};
    for (const auto &range : ranges)
        QCOMPARE(listDock()->findChild<QLabel *>(QLatin1String(range[0]))->text(), QLatin1String(range[1]));
    QCOMPARE(listDock()->findChild<QPushButton *>(QStringLiteral("pushButton_start"))->text(), QStringLiteral("处理"));
    QCOMPARE(listDock()->width(), 80);
}

void TestReworkerFrame::operations_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("explanation");

    const struct {
        const char *label, *caption, *title;
        int page;
        const char *explanation;
    } rows[] = {
        {"Label_textReplaced", "替1", "处理选项 - 字符处理：替换", 0, "<b>字符处理：替换1</b><br>将指定文本文件相同的关键字替换为【相同】的内容"},
        {"Label_textReplaced_2", "替2", "处理选项 - 字符处理：替换2", 0, "<b>字符处理：替换2</b><br>将指定文本文件相同的关键字替换为【不同】的内容"},
        {"Label_textRetain", "留", "处理选项 - 字符处理：保留", 0, "<b>字符处理：保留</b><br>保留符合正则表达式的文本内容"},
        {"Label_textDelete", "删", "处理选项 - 字符处理：删除", 0, "<b>字符处理：删除</b><br>删除指定或符合正则表达式的文本内容"},
        {"Label_textTo", "转", "处理选项 - 字符处理：转换", 1, "<b>字符处理：转换</b><br>支持大小写、全半角、进制、繁简体等转换方式"},
        {"Label_textCode", "码", "处理选项 - 字符处理：编解码", 2, "<b>字符处理：编解码</b><br>支持BASIC、 Hex、AES_128、 ASCII、DES、Rabbit、RC4、TripleDes、Keccak_224、Keccak_256、Keccak_384、Keccak_512、RealSha3_224、RealSha3_256、RealSha3_384、RealSha3_512、Md4、Md5、Sha1、Sha224、Sha256、Sha384、Sha512等编解码方式"},
        {"Label_textChar", "字", "处理选项 - 字符处理：字符", 6, "<b>字符处理：字符</b><br>增加指定字符或删除、保留指定长度"},
        {"Label_textSpace", "空", "处理选项 - 字符处理：空格", 4, "<b>字符处理：空格</b><br>支持在段首或段尾设置空格数量"},
        {"Label_textAdd", "加", "处理选项 - 字符处理：追加", 7, "<b>字符处理：追加</b><br>追加段落已有文本内容"},
        {"Label_textSubtract", "减", "处理选项 - 字符处理：减去", 7, "<b>字符处理：减去</b><br>"},
        {"Label_textBlockRetain", "留", "处理选项 - 段处理：保留包含关键字的段", 0, "<b>字符处理：保留段</b><br>【保留】包含指定或正则表达式的段"},
        {"Label_textBlockDelete", "删", "处理选项 - 段处理：删除包含关键字的段", 0, "<b>字符处理：删除段</b><br>【删除】包含指定或正则表达式的段"},
        {"Label_textEnter", "距", "处理选项 - 段处理：段间距", 5, "<b>字符处理：段间距</b><br>设置段落之间空行的数量"},
        {"Label_textRepeat", "重", "处理选项 - 段处理：重复", 10, "<b>字符处理：重复</b><br>删除重复的段：与前面某段相同的段被删除，只保留第一次出现的段，其余段的顺序不变"},
        {"Label_textNumber", "序", "处理选项 - 段处理：序号", 3, "<b>字符处理：序号</b><br>为段落添加或删除序号"},
        {"Label_textDiscombobulated", "乱", "处理选项 - 段处理：随机打乱", 9, "<b>字符处理：随机打乱</b><br>将文本内容按段、按字符、按指定长度随机打乱"},
        {"Label_textExtraction", "段", "处理选项 - 段处理：保留、删除指定段", 8, "<b>字符处理：保留、删除段</b><br>保留或删除指定序号的段"},
        {"Label_textMerge", "并", "处理选项 - 多文件处理：合并", 11, "<b>字符处理：合并</b><br>将一个列表(list)中所有的文本文件合并为一个文本文件"},
        {"Label_textMultiple", "拆", "处理选项 - 多文件处理：拆分", 10, "<b>字符处理：拆分</b><br>将一个文本文件按指定文本进行拆分成为多个文件："},
    };
    for (const auto &r : rows) {
        QTest::newRow(r.label) << QString::fromUtf8(r.label) << QString::fromUtf8(r.caption)
                               << QString::fromUtf8(r.title) << r.page << QString::fromUtf8(r.explanation);
    }
}

// Each label selects its title, page and explanation; "减" keeps the page
// of the operation before it ("加").
void TestReworkerFrame::operations()
{
    QFETCH(QString, label);
    QFETCH(QString, caption);
    QFETCH(QString, title);
    QFETCH(int, page);
    QFETCH(QString, explanation);

    QCOMPARE(listDock()->findChild<QLabel *>(label)->text(), caption);
    click(QStringLiteral("Label_textAdd"));
    click(label);
    QCOMPARE(optionDock()->windowTitle(), title);
    QCOMPARE(pages()->currentIndex(), page);
    QVERIFY(m_plugin.host->explains.last().startsWith(explanation));
}

void TestReworkerFrame::startsWithoutJobs_data()
{
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<bool>("noOperationTip");
    QTest::newRow("nothing chosen") << QStringList() << true;
    QTest::newRow("subtract") << QStringList{"Label_textSubtract"} << false;
}

void TestReworkerFrame::startsWithoutJobs()
{
    QFETCH(QStringList, labels);
    QFETCH(bool, noOperationTip);
    for (const QString &label : labels)
        click(label);
    const QString title = optionDock()->windowTitle();
    const int page = pages()->currentIndex();
    QTest::mouseClick(listDock()->findChild<QPushButton *>(QStringLiteral("pushButton_start")), Qt::LeftButton);
    QCOMPARE(m_plugin.host->tipsWith(-9, 9).size(), noOperationTip ? 1 : 0);
    QVERIFY(m_plugin.host->taskCounts.isEmpty());
    QVERIFY(m_plugin.host->enabled());
    QVERIFY(listDock()->isEnabled());
    QCOMPARE(optionDock()->windowTitle(), title);
    QCOMPARE(pages()->currentIndex(), page);
}

void TestReworkerFrame::put(const QString &name, const QByteArray &bytes)
{
    QFile file(m_folder.path(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray TestReworkerFrame::bytesOf(const QString &name) const
{
    QFile file(m_folder.path(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Presses start and waits until both sides are usable again.
void TestReworkerFrame::start()
{
    m_plugin.host->uiEnabledCalls.clear();
    QTest::mouseClick(listDock()->findChild<QPushButton *>(QStringLiteral("pushButton_start")), Qt::LeftButton);
    const QList<bool> &enabled = m_plugin.host->uiEnabledCalls;
    QTRY_VERIFY(!enabled.isEmpty() && enabled.last() && listDock()->isEnabled());
}

void TestReworkerFrame::keysPresets()
{
    auto *keys = keysWidget<QPlainTextEdit>("plainTextEdit_replacedKey");
    auto *with = keysWidget<QPlainTextEdit>("plainTextEdit_replaceWith");
    auto *caption = keysWidget<QLabel>("label_41");
    auto *inner = keysWidget<QStackedWidget>("stackedWidget_replaced");
    auto *ordinary = keysWidget<QRadioButton>("radioButton_keyOrdinary");
    auto *regular = keysWidget<QRadioButton>("radioButton_keyRegular");
    auto *full = keysWidget<QCheckBox>("checkBox_keyFull");
    auto *greedy = keysWidget<QCheckBox>("checkBox_keyIsGreedy");
    QVERIFY(keysWidget<QCheckBox>("checkBox_keyCase")->isChecked());
    QVERIFY(greedy->isChecked());
    QCOMPARE(keysWidget<QLineEdit>("lineEdit_replacedSeparator")->text(), QStringLiteral(","));

    click(QStringLiteral("Label_textReplaced"));
    QCOMPARE(caption->text(), QStringLiteral("被替换关键字:"));
    QVERIFY(with->isVisibleTo(optionDock()));
    QVERIFY(full->isEnabled() && !greedy->isEnabled());
    keys->setPlainText(QStringLiteral("k"));
    with->setPlainText(QStringLiteral("w"));
    click(QStringLiteral("Label_textReplaced_2"));
    QCOMPARE(inner->currentIndex(), 1);
    click(QStringLiteral("Label_textReplaced"));
    QCOMPARE(inner->currentIndex(), 0);
    QVERIFY(keys->toPlainText().isEmpty()); // the keys box is cleared, the replacements stay
    QCOMPARE(with->toPlainText(), QStringLiteral("w"));

    click(QStringLiteral("Label_textRetain"));
    QCOMPARE(caption->text(), QStringLiteral("被保留内容的正则表达式:"));
    QVERIFY(regular->isChecked() && !ordinary->isVisibleTo(optionDock()));
    QVERIFY(!with->isVisibleTo(optionDock()) && with->toPlainText().isEmpty());
    QVERIFY(greedy->isEnabled() && !full->isEnabled());

    click(QStringLiteral("Label_textBlockDelete"));
    QCOMPARE(caption->text(), QStringLiteral("被删除段包含的关键字(分割：并且；行：或者):"));
    QVERIFY(ordinary->isChecked() && ordinary->isVisibleTo(optionDock()));
    click(QStringLiteral("Label_textDelete"));
    QCOMPARE(caption->text(), QStringLiteral("被删除关键字:"));
}

void TestReworkerFrame::keysStarts_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("caseSensitive");
    QTest::addColumn<bool>("greedy");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("replacements");
    QTest::addColumn<QByteArray>("expected"); // empty: refused, file untouched

    const char *ord = "radioButton_keyOrdinary", *reg = "radioButton_keyRegular";
    // The file holds "Ab ab\n12-34\n".
    QTest::newRow("替1, boxes untouched") << "Label_textReplaced" << ord << true << true << "ab" << "x" << QByteArray("Ab x\n12-34\n");
    QTest::newRow("替1, case unchecked") << "Label_textReplaced" << ord << false << true << "ab" << "x" << QByteArray("x x\n12-34\n");
    QTest::newRow("替1, regular") << "Label_textReplaced" << reg << true << true << "(\\d+)-(\\d+)" << "\\2-\\1" << QByteArray("Ab ab\n34-12\n");
    QTest::newRow("替1, regular lazy") << "Label_textReplaced" << reg << true << false << "A.*b" << "" << QByteArray(" ab\n12-34\n");
    QTest::newRow("替1, invalid regular") << "Label_textReplaced" << reg << true << true << "(" << "x" << QByteArray();
    QTest::newRow("删") << "Label_textDelete" << ord << true << true << "b,-" << "" << QByteArray("A a\n1234\n");
    QTest::newRow("留") << "Label_textRetain" << reg << true << true << "\\d+" << "" << QByteArray("12\n34");
    QTest::newRow("留, empty") << "Label_textRetain" << reg << true << true << "" << "" << QByteArray();
    QTest::newRow("段留") << "Label_textBlockRetain" << ord << true << true << "a,b" << "" << QByteArray("Ab ab\n");
    QTest::newRow("段删") << "Label_textBlockDelete" << ord << true << true << "-" << "" << QByteArray("Ab ab\n");
    QTest::newRow("段删, invalid regular") << "Label_textBlockDelete" << reg << true << true << "[" << "" << QByteArray();
}

// Each keys-page operation over the current list: the options as set on
// the page, or the refusal (-6, 0) with the file untouched.
void TestReworkerFrame::keysStarts()
{
    QFETCH(QString, label);
    QFETCH(QString, mode);
    QFETCH(bool, caseSensitive);
    QFETCH(bool, greedy);
    QFETCH(QString, keys);
    QFETCH(QString, replacements);
    QFETCH(QByteArray, expected);
    const QByteArray original("Ab ab\n12-34\n");
    put(QStringLiteral("a.txt"), original);

    click(label);
    click(QStringLiteral("label_rangeList"));
    keysWidget<QRadioButton>(qPrintable(mode))->setChecked(true);
    keysWidget<QCheckBox>("checkBox_keyCase")->setChecked(caseSensitive);
    keysWidget<QCheckBox>("checkBox_keyIsGreedy")->setChecked(greedy);
    keysWidget<QPlainTextEdit>("plainTextEdit_replacedKey")->setPlainText(keys);
    keysWidget<QPlainTextEdit>("plainTextEdit_replaceWith")->setPlainText(replacements);
    start();
    if (expected.isEmpty()) {
        QCOMPARE(m_plugin.host->tipsWith(-6, 0).size(), 1);
        QVERIFY(m_plugin.host->taskCounts.isEmpty());
        QCOMPARE(bytesOf(QStringLiteral("a.txt")), original);
    } else {
        QCOMPARE(m_plugin.host->tipsWith(-4, 0).size(), 1);
        QCOMPARE(bytesOf(QStringLiteral("a.txt")), expected);
    }
}

// 替2 over two lists: one column per file of all lists, headed by its
// name; each file is replaced from its own column.
void TestReworkerFrame::replace2Table()
{
    put(QStringLiteral("a.txt"), "k k\n");
    put(QStringLiteral("b.txt"), "k\n");
    m_plugin.host->setLists({{m_folder.path("a.txt")}, {m_folder.path("b.txt"), m_folder.path("a.txt")}}, 1);
    click(QStringLiteral("Label_textReplaced_2"));
    click(QStringLiteral("label_rangeAll"));
    auto *table = keysWidget<QTableWidget>("tableWidget_replaced2");
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), QStringLiteral("关键字"));
    QCOMPARE(table->horizontalHeaderItem(2)->text(), QStringLiteral("b.txt"));

    table->item(0, 0)->setText(QStringLiteral("k"));
    QCOMPARE(table->rowCount(), 2); // typing into the last row adds a new one
    table->setItem(0, 1, new QTableWidgetItem(QStringLiteral("A")));
    table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("B")));
    // A replacement below an empty key row is refused with a warning.
    table->item(1, 1)->setText(QStringLiteral("x"));
    table->item(1, 0)->setText(QString());
    table->setItem(2, 1, new QTableWidgetItem(QStringLiteral("y")));
    QCOMPARE(m_plugin.host->tipsWith(-7, 0).size(), 1);
    QVERIFY(table->item(2, 1)->text().isEmpty());

    start();
    QCOMPARE(bytesOf(QStringLiteral("a.txt")), QByteArray("A A\n"));
    QCOMPARE(bytesOf(QStringLiteral("b.txt")), QByteArray("B\n"));
}

QTEST_MAIN(TestReworkerFrame)
#include "tst_reworkerframe.moc"
