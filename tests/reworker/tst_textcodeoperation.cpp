#include <QComboBox>
#include <QDockWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QtTest>

#include "fakehost.h"
#include "hostdriver.h"
#include "hosttestcase.h"
#include "mainwindow.h"
#include "testfolder.h"
#include "textcode.h"

namespace {

const QString key = QStringLiteral("Text V0.0.0.1");
const QString listDock = QStringLiteral("Text");

const QString sample = QString::fromUtf8("第一段：中文与English，全角标点。\n\n第二段 😀 é\t制表\n");

} // namespace

// Encode/decode chosen from its page in the real program, over real files.
class TestTextCodeOperation : public HostTestCase
{
    Q_OBJECT
private slots:
    void passwordOnlyForAes();
    void roundTrip_data();
    void roundTrip();
    void refusals();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
    void startWith(const QStringList &files);
    // Chooses the operation and sets its page; entry is a combo position.
    void set(bool encode, bool perParagraph, int entry, const QString &password = QString());
    void run();
    template <class T>
    T *widget(const char *name) const { return m_host.window()->findChild<T *>(QLatin1String(name)); }
    int count(const QString &text) const;
};

int TestTextCodeOperation::count(const QString &text) const
{
    int n = 0;
    for (const QString &line : m_host.messages().split(QLatin1Char('\n'))) {
        if (line.contains(text))
            ++n;
    }
    return n;
}

void TestTextCodeOperation::startWith(const QStringList &files)
{
    QVERIFY(HostDriver::put("plus.ini", (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
    for (const QString &file : files)
        m_host.window()->addFileToList(file, QStringLiteral("List"));
    QVERIFY(m_host.click(listDock, QStringLiteral("label_rangeList")));
    QVERIFY(m_host.click(listDock, QStringLiteral("Label_textCode")));
}

void TestTextCodeOperation::set(bool encode, bool perParagraph, int entry, const QString &password)
{
    QVERIFY(m_host.click(listDock, QStringLiteral("Label_textCode")));
    widget<QRadioButton>(encode ? "radioButton_CodeCode" : "radioButton_45")->setChecked(true);
    widget<QRadioButton>(perParagraph ? "radioButton_CodeParagraph" : "radioButton_46")->setChecked(true);
    widget<QComboBox>("comboBox_CodeOption")->setCurrentIndex(entry);
    widget<QPlainTextEdit>("plainTextEdit_CodePassword")->setPlainText(password);
}

void TestTextCodeOperation::run()
{
    QVERIFY(m_host.click(listDock, QStringLiteral("pushButton_start")));
    QTRY_VERIFY2(m_host.window()->isUiEnabled(), qPrintable(m_host.messages()));
    QTRY_VERIFY(m_host.dock(listDock)->isEnabled());
}

void TestTextCodeOperation::passwordOnlyForAes()
{
    startWith({});
    auto *method = widget<QComboBox>("comboBox_CodeOption");
    auto *pages = widget<QStackedWidget>("stackedWidget_code");
    QVERIFY(method && pages);
    QCOMPARE(method->count(), 24);
    QCOMPARE(method->itemText(8), QStringLiteral("-"));
    QVERIFY(widget<QWidget>("page_11")->isAncestorOf(method));
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("page_space"));
    method->setCurrentIndex(TextCodeOption::AesComboIndex);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("page_password"));
    method->setCurrentIndex(3);
    QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("page_space"));
}

void TestTextCodeOperation::roundTrip_data()
{
    QTest::addColumn<int>("entry");
    QTest::addColumn<bool>("perParagraph");
    QTest::newRow("base64 per paragraph") << 0 << true;
    QTest::newRow("hex whole text") << 1 << false;
    QTest::newRow("aes per paragraph") << 2 << true;
    QTest::newRow("aes whole text") << 2 << false;
    QTest::newRow("sha256 per paragraph") << 21 << true;
    QTest::newRow("keccak_224 whole text") << 9 << false;
}

// Encoding writes what the pure function gives; decoding gives the files
// back byte for byte (digests have no way back).
void TestTextCodeOperation::roundTrip()
{
    QFETCH(int, entry);
    QFETCH(bool, perParagraph);
    const QStringList files = {path("a.txt"), path("b.txt")};
    const QByteArray original = sample.toUtf8();
    for (const QString &file : files)
        QVERIFY(HostDriver::put(file, original));
    startWith(files);

    const QString password = QString::fromUtf8("密码");
    set(true, perParagraph, entry, password);
    run();
    TextCodeOption o;
    o.option = TextCodeOption::optionAt(entry);
    o.perParagraph = perParagraph;
    o.password = password.toUtf8();
    const std::optional<QString> expected = codeText(sample, o);
    QVERIFY(expected);
    for (const QString &file : files)
        QCOMPARE(QString::fromUtf8(HostDriver::bytesOf(file)), *expected);

    if (o.option >= TextCodeOption::Keccak_224)
        return;
    set(false, perParagraph, entry, password);
    run();
    for (const QString &file : files)
        QCOMPARE(HostDriver::bytesOf(file), original);
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), 2 * files.size());
}

void TestTextCodeOperation::refusals()
{
    const QString good = path("good.txt");
    const QString bad = path("bad.txt");
    TextCodeOption o;
    o.option = TextCodeOption::AES_128;
    o.password = "pw";
    const QByteArray cipher = codeText(sample, o)->toUtf8();
    QVERIFY(HostDriver::put(good, cipher));
    QVERIFY(HostDriver::put(bad, "YWJj\n"));
    startWith({good, bad});

    // Methods without a transformation refuse the start.
    for (int entry : {3, 4, 8}) {
        set(true, true, entry);
        run();
    }
    set(false, true, 20); // decoding a digest
    run();
    QCOMPARE(count(QStringLiteral("操作取消!参数设置有误,请检查!")), 4);
    QCOMPARE(HostDriver::bytesOf(good), cipher);
    QCOMPARE(HostDriver::bytesOf(bad), QByteArray("YWJj\n"));

    // Cipher text of a partial block is left as it was, the good file decrypts.
    set(false, true, TextCodeOption::AesComboIndex, QStringLiteral("pw"));
    run();
    QCOMPARE(HostDriver::bytesOf(good), sample.toUtf8());
    QCOMPARE(HostDriver::bytesOf(bad), QByteArray("YWJj\n"));
    QCOMPARE(count(bad + QStringLiteral(" 解码失败")), 1);
    QCOMPARE(count(QStringLiteral("文件处理完毕!")), 1);
}

QTEST_MAIN(TestTextCodeOperation)
#include "tst_textcodeoperation.moc"
