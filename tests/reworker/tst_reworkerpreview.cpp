#include <QDockWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTextBrowser>
#include <QtTest>

#include "fakehost.h"
#include "hostdriver.h"
#include "hosttestcase.h"
#include "mainwindow.h"
#include "previewstore.h"
#include "testfolder.h"

namespace {

const QString key = QStringLiteral("Text V0.0.0.1");
const QString listDock = QStringLiteral("Text");

// The open preview window. It is the plug-in library's own class (each
// library links the framework statically), so it is found by name.
QWidget *openPreview()
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("PreviewWindow") && widget->isVisible())
            return widget;
    }
    return nullptr;
}

} // namespace

// The real host with the real text plug-in: 替1 previewed over a list,
// one file unticked, 应用.
class TestReworkerPreview : public HostTestCase
{
    Q_OBJECT
private slots:
    void previewUntickApply();
};

// Choose 替1, type keys, press 预览: the window lists the files, shows the
// first one's diff and nothing is written; one file is unticked and 应用
// pressed: the window goes with its kept results and hands over the
// ticked files only, and the kept results are removed.
void TestReworkerPreview::previewUntickApply()
{
    const QString a = m_folder.path(QStringLiteral("a.txt"));
    const QString b = m_folder.path(QStringLiteral("b.txt"));
    const QString c = m_folder.path(QStringLiteral("c.txt"));
    QVERIFY(HostDriver::put(a, QByteArray("苹果 apple\n")));
    QVERIFY(HostDriver::put(b, QByteArray("apple pie\n")));
    QVERIFY(HostDriver::put(c, QByteArray("pear\n")));
    QVERIFY(HostDriver::put(QStringLiteral("plus.ini"), (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
    MainWindow *window = m_host.window();
    window->newList(QStringLiteral("A"));
    for (const QString &file : {a, b, c})
        window->addFileToList(file, QStringLiteral("A"));

    QVERIFY(m_host.click(listDock, QStringLiteral("Label_textReplaced")));
    window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit_replacedKey"))->setPlainText(QStringLiteral("apple\n苹果"));
    window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit_replaceWith"))->setPlainText(QStringLiteral("fruit\n水果"));
    QVERIFY(m_host.click(listDock, QStringLiteral("label_rangeList")));
    QVERIFY(m_host.click(listDock, QStringLiteral("pushButton_preview")));

    QWidget *preview = nullptr;
    QTRY_VERIFY2((preview = openPreview()) != nullptr, qPrintable(m_host.messages()));
    QTRY_VERIFY(window->isUiEnabled() && m_host.dock(listDock)->isEnabled());
    auto *table = preview->findChild<QTableWidget *>(QStringLiteral("tableWidget_preview"));
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(table->item(0, 2)->text(), QStringLiteral("将修改"));
    QCOMPARE(table->item(2, 2)->text(), QStringLiteral("无变化"));
    QVERIFY(preview->findChild<QTextBrowser *>(QStringLiteral("textBrowser_diff"))->toPlainText().contains(QStringLiteral("+ 水果 fruit")));
    QCOMPARE(HostDriver::bytesOf(a), QByteArray("苹果 apple\n"));
    QCOMPARE(HostDriver::bytesOf(b), QByteArray("apple pie\n"));
    const QStringList kept = QDir(PreviewStore::defaultRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QCOMPARE(kept.size(), 1);

    table->item(1, 0)->setCheckState(Qt::Unchecked);
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("pushButton_apply")), Qt::LeftButton);
    QTRY_VERIFY(!openPreview());
    // Closed: the kept results go once the apply is done with them.
    QTRY_VERIFY(QDir(PreviewStore::defaultRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

QTEST_MAIN(TestReworkerPreview)
#include "tst_reworkerpreview.moc"
