#include <QLabel>
#include <QSignalSpy>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

#include "conversiontables.h"
#include "fakehost.h"
#include "foldertestcase.h"
#include "jobbatch.h"
#include "previewstore.h"
#include "previewwindow.h"
#include "testfolder.h"
#include "textto.h"
#include "traditionconverter.h"

// A script conversion previewed: the characters only the character table
// chose are kept with the result and marked, with their forms, in the
// preview's diff.
class TestConversionPreview : public FolderTestCase
{
    Q_OBJECT
private slots:
    void marksReachTheDiff();
};

void TestConversionPreview::marksReachTheDiff()
{
    // CRLF line ends and a byte-order mark: the marks are places in the
    // text, not in the bytes.
    const QString file = m_folder.path(QStringLiteral("a.txt"));
    QVERIFY(TestFolder::put(file, QString::fromUtf8("\xEF\xBB\xBF前头发生。\r\n是发，面\r\n").toUtf8()));
    const QByteArray before = TestFolder::bytesOf(file);

    auto *options = new TextToOption;
    options->implement = TextToOption::Tradition;
    const QString tables = m_folder.path(QStringLiteral("tables/"));
    ConversionTables::installMissing(tables);
    options->tradition = ConversionTables::loadTradition(tables, 0, nullptr);
    QVERIFY(options->tradition && options->tradition->segments());
    auto store = std::make_shared<PreviewStore>();
    {
        JobBatch batch;
        batch.adopt(options);
        batch.add(new TextTo(file, options));
        batch.keepResults(store);
        QSignalSpy finished(&batch, &JobBatch::finishedSignal);
        batch.start();
        QVERIFY(finished.count() > 0 || finished.wait(20000));
    }
    QCOMPARE(TestFolder::bytesOf(file), before);

    const QList<PreviewRecord> records = store->records();
    QCOMPARE(records.size(), 1);
    QCOMPARE(records.at(0).outcome, PreviewRecord::Changed);
    QCOMPARE(records.at(0).marks, 2);
    const QVector<PreviewMark> marks = store->keptMarks(records.at(0));
    QCOMPARE(marks.size(), 2);
    // 前頭發生。\n是發，面: 發 at 7, 面 (kept as it is) at 9.
    QCOMPARE(marks.at(0).at, 7);
    QCOMPARE(marks.at(0).candidates, QString::fromUtf8("發髮"));
    QCOMPARE(marks.at(1).at, 9);
    QCOMPARE(marks.at(1).candidates, QString::fromUtf8("面麪"));

    PreviewWindow window(store);
    const QString html = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser_diff"))->toHtml();
    QVERIFY2(html.contains(QString::fromUtf8("有 2 个可对应多个字形的字")), qPrintable(html));
    // Each mark once, after its character on the added line.
    QCOMPARE(html.count(QString::fromUtf8("[發/髮]")), 1);
    QCOMPARE(html.count(QString::fromUtf8("[面/麪]")), 1);
    QVERIFY(html.indexOf(QString::fromUtf8("[發/髮]")) < html.indexOf(QString::fromUtf8("[面/麪]")));
    // Hovering over a marked character tells its forms.
    QStringList tips;
    const QTextDocument *document = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser_diff"))->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.underlineStyle() == QTextCharFormat::WaveUnderline)
                tips << it.fragment().text() + QLatin1Char(' ') + format.toolTip();
        }
    }
    QCOMPARE(tips, QStringList({QString::fromUtf8("發 由单字表选定,没有词语确定;可选字形:發、髮"),
                                QString::fromUtf8("面 由单字表选定,没有词语确定;可选字形:面、麪")}));
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("label_previewSummary"))->text().contains(
        QString::fromUtf8("1 个文件中共有 2 个字由单字表选定")));
}

QTEST_MAIN(TestConversionPreview)
#include "tst_conversionpreview.moc"
