#include <QAction>
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

// What the open preview kept: the bytes it would write, by file.
QHash<QString, QByteArray> keptResults()
{
    QHash<QString, QByteArray> kept;
    const QDir root(PreviewStore::defaultRoot());
    const QStringList folders = root.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    if (folders.size() != 1)
        return kept;
    const QDir folder(root.filePath(folders.first()));
    QFile records(folder.filePath(QStringLiteral("records.tsv")));
    if (!records.open(QIODevice::ReadOnly))
        return kept;
    while (!records.atEnd()) {
        PreviewRecord record;
        if (PreviewRecord::fromLine(records.readLine().trimmed(), record) && record.willWrite())
            kept.insert(record.fileName, HostDriver::bytesOf(folder.filePath(record.keptName)));
    }
    return kept;
}

} // namespace

// The real host with the real text plug-in: an operation previewed over a
// list, one file unticked, one edited behind the preview's back, 应用, undo.
class TestReworkerPreview : public HostTestCase
{
    Q_OBJECT
private slots:
    void previewUntickApplyUndo_data();
    void previewUntickApplyUndo();
};

void TestReworkerPreview::previewUntickApplyUndo_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("keys"); // 替1's keys and replacements; none for other operations
    QTest::addColumn<QString>("with");
    QTest::addColumn<QString>("shownInDiff");
    QTest::addColumn<QByteArray>("expectedA"); // what a.txt becomes; empty: what was previewed, unknown before
    QTest::newRow("替1") << "Label_textReplaced" << "apple\n苹果" << "fruit\n水果" << "+ 水果 fruit 1"
                        << QByteArray("水果 fruit 1\n水果 fruit 2\n水果 fruit 3\n水果 fruit 4\n水果 fruit 5\n水果 fruit 6\n"
                                      "水果 fruit 7\n水果 fruit 8\n水果 fruit 9\n水果 fruit 10\n水果 fruit 11\n水果 fruit 12\n");
    // A new draw at 应用 would differ from the previewed one but once in 12!.
    QTest::newRow("乱") << "Label_textDiscombobulated" << QString() << QString() << "@@ -" << QByteArray();
}

// Choose an operation, press 预览: the window lists the files with their
// outcomes, shows the first one's diff, and nothing is written. One file is
// unticked, another edited on disk, 应用 pressed: the ticked files get
// exactly the previewed bytes, the unticked and unchanged ones stay, the
// edited one is left as it is and named in the message dock, and the kept
// results go. One undo gives the applied files their bytes back.
void TestReworkerPreview::previewUntickApplyUndo()
{
    QFETCH(QString, operation);
    QFETCH(QString, keys);
    QFETCH(QString, with);
    QFETCH(QString, shownInDiff);
    QFETCH(QByteArray, expectedA);
    QByteArray twelve[3];
    for (int k = 1; k <= 12; ++k) {
        twelve[0] += "苹果 apple " + QByteArray::number(k) + '\n';
        twelve[1] += "apple pie " + QByteArray::number(k) + '\n';
        twelve[2] += "apple " + QByteArray::number(k) + '\n';
    }
    // In list order: a and e are applied, b unticked, c stays as it is
    // under both operations, d is edited after the preview.
    const QStringList names{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"};
    const QList<QByteArray> before{twelve[0], twelve[1], "pear\n", twelve[2], twelve[1] + twelve[2]};
    QStringList files;
    for (int i = 0; i < names.size(); ++i) {
        files << m_folder.path(names.at(i));
        QVERIFY(HostDriver::put(files.last(), before.at(i)));
    }
    QVERIFY(HostDriver::put(QStringLiteral("plus.ini"), (key + ",2").toUtf8()));
    QVERIFY(m_host.start());
    QVERIFY(m_host.dock(listDock));
    MainWindow *window = m_host.window();
    window->newList(QStringLiteral("A"));
    for (const QString &file : qAsConst(files))
        window->addFileToList(file, QStringLiteral("A"));

    QVERIFY(m_host.click(listDock, operation));
    if (!keys.isEmpty()) {
        window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit_replacedKey"))->setPlainText(keys);
        window->findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit_replaceWith"))->setPlainText(with);
    }
    QVERIFY(m_host.click(listDock, QStringLiteral("label_rangeList")));
    QVERIFY(m_host.click(listDock, QStringLiteral("pushButton_preview")));

    QWidget *preview = nullptr;
    QTRY_VERIFY2((preview = openPreview()) != nullptr, qPrintable(m_host.messages()));
    QTRY_VERIFY(window->isUiEnabled() && m_host.dock(listDock)->isEnabled());
    auto *table = preview->findChild<QTableWidget *>(QStringLiteral("tableWidget_preview"));
    QCOMPARE(table->rowCount(), names.size());
    QHash<QString, int> rowOf;
    for (int row = 0; row < table->rowCount(); ++row)
        rowOf.insert(table->item(row, 1)->text(), row);
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(table->item(rowOf.value(files.at(i), -1), 2)->text(), i == 2 ? QStringLiteral("无变化") : QStringLiteral("将修改"));
    const QString diff = preview->findChild<QTextBrowser *>(QStringLiteral("textBrowser_diff"))->toPlainText();
    QVERIFY2(diff.contains(shownInDiff), qPrintable(diff));
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(HostDriver::bytesOf(files.at(i)), before.at(i));
    const QHash<QString, QByteArray> kept = keptResults();
    QCOMPARE(kept.size(), 4);
    if (!expectedA.isEmpty())
        QCOMPARE(kept.value(files.at(0)), expectedA);

    table->item(rowOf.value(files.at(1)), 0)->setCheckState(Qt::Unchecked);
    const QByteArray edited = before.at(3) + "edited\n";
    QVERIFY(HostDriver::put(files.at(3), edited));
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("pushButton_apply")), Qt::LeftButton);
    QTRY_VERIFY(!openPreview());
    const QString leftAlone = QStringLiteral("已被修改");
    QTRY_VERIFY2(window->isUiEnabled() && m_host.messages().contains(leftAlone), qPrintable(m_host.messages()));
    QCOMPARE(HostDriver::bytesOf(files.at(0)), kept.value(files.at(0)));
    QCOMPARE(HostDriver::bytesOf(files.at(4)), kept.value(files.at(4)));
    QCOMPARE(HostDriver::bytesOf(files.at(1)), before.at(1));
    QCOMPARE(HostDriver::bytesOf(files.at(2)), before.at(2));
    QCOMPARE(HostDriver::bytesOf(files.at(3)), edited);
    const QStringList skipped = m_host.messages().split(QLatin1Char('\n')).filter(leftAlone);
    QVERIFY2(skipped.size() == 1 && skipped.first().contains(files.at(3)), qPrintable(m_host.messages()));
    // The kept results go once the apply is done with them.
    QTRY_VERIFY(QDir(PreviewStore::defaultRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());

    window->findChild<QAction *>(QStringLiteral("action_undo"))->trigger();
    for (int i = 0; i < names.size(); ++i)
        QCOMPARE(HostDriver::bytesOf(files.at(i)), i == 3 ? edited : before.at(i));
}

QTEST_MAIN(TestReworkerPreview)
#include "tst_reworkerpreview.moc"
