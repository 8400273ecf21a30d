#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QtTest>

#include "linediff.h"
#include "previewstore.h"
#include "previewwindow.h"
#include "readwritetxt.h"
#include "tiptable.h"

// The preview window over a store made by hand: its rows, filter and
// summary, and the diff it shows with coloured lines and characters.
class TestPreviewWindow : public QObject
{
    Q_OBJECT
private slots:
    void tableFilterAndSummary();
    void diffColoursLinesAndCharacters();
    void longDiffSaysWhatIsLeftOut_data();
    void longDiffSaysWhatIsLeftOut();
    void lineBlocks_data();
    void lineBlocks();

private:
    // A store with a changed, an unchanged and a failed file under dir.
    std::shared_ptr<PreviewStore> makeStore(const QTemporaryDir &dir);
};

namespace {

const QString oldText = QStringLiteral("第一行\n苹果很甜 apple\n第三行\n");
const QString newText = QStringLiteral("第一行\n橙子很甜 kiwi\n第三行\n");

// The blocks of a document whose text starts with prefix.
QList<QTextBlock> blocksStarting(QTextDocument *document, const QString &prefix)
{
    QList<QTextBlock> found;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        if (block.text().startsWith(prefix))
            found << block;
    }
    return found;
}

// The text of a block's fragments whose background is colour.
QString marked(const QTextBlock &block, const QColor &colour)
{
    QString text;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().charFormat().background().color() == colour)
            text += it.fragment().text();
    }
    return text;
}

} // namespace

std::shared_ptr<PreviewStore> TestPreviewWindow::makeStore(const QTemporaryDir &dir)
{
    auto store = std::make_shared<PreviewStore>(dir.filePath(QStringLiteral("preview")));
    const QString changed = dir.filePath(QStringLiteral("changed.txt"));
    const QString same = dir.filePath(QStringLiteral("same.txt"));
    const QString bad = dir.filePath(QStringLiteral("bad.txt"));
    TextFormat format;
    for (const QString &name : {changed, same}) {
        QFile file(name);
        if (!file.open(QIODevice::WriteOnly) || file.write(oldText.toUtf8()) < 0)
            return nullptr;
    }
    PreviewRecord record;
    PreviewStore::Source source;
    if (!PreviewStore::sourceOf(changed, source))
        return nullptr;
    record.position = 0;
    record.fileName = changed;
    record.sourceDigest = source.digest;
    record.sizeBefore = source.size;
    if (store->keep(newText, format, record) != ReadWriteTxt::Saved)
        return nullptr;
    record.outcome = PreviewRecord::Changed;
    record.changedLines = 1;
    store->addRecord(record);
    PreviewRecord unchanged;
    unchanged.position = 1;
    unchanged.fileName = same;
    unchanged.outcome = PreviewRecord::Unchanged;
    unchanged.sizeBefore = unchanged.sizeAfter = source.size;
    store->addRecord(unchanged);
    PreviewRecord failed;
    failed.position = 2;
    failed.fileName = bad;
    failed.outcome = PreviewRecord::Failed;
    failed.failure = Tips::EncodingMismatch;
    store->addRecord(failed);
    return store;
}

void TestPreviewWindow::tableFilterAndSummary()
{
    QTemporaryDir dir;
    const std::shared_ptr<PreviewStore> store = makeStore(dir);
    QVERIFY(store);
    // The counts the preview's closing line takes, kept as records are added.
    QCOMPARE(store->writeCount(), 1);
    QCOMPARE(store->unchangedCount(), 1);
    QCOMPARE(store->failedCount(), 1);
    PreviewWindow window(store);
    QCOMPARE(window.windowTitle(), QStringLiteral("预览"));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("tableWidget_preview"));
    auto *only = window.findChild<QCheckBox *>(QStringLiteral("checkBox_previewChangedOnly"));
    auto *summary = window.findChild<QLabel *>(QStringLiteral("label_previewSummary"));
    auto *apply = window.findChild<QPushButton *>(QStringLiteral("pushButton_apply"));
    QVERIFY(table && only && summary && apply);
    QCOMPARE(only->text(), QStringLiteral("只显示将修改的文件"));
    QCOMPARE(table->rowCount(), 3);
    const QStringList outcomes{QStringLiteral("将修改"), QStringLiteral("无变化"),
                               TipTable::words(0, 6).trimmed()};
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(table->item(row, 2)->text(), outcomes.at(row));
        const bool checkable = table->item(row, 0)->flags() & Qt::ItemIsUserCheckable;
        QCOMPARE(checkable, row == 0);
    }
    QCOMPARE(table->item(0, 0)->checkState(), Qt::Checked);
    QCOMPARE(table->item(0, 3)->text(), QStringLiteral("1"));
    QVERIFY2(summary->text().startsWith(QStringLiteral("将修改 1 个, 无变化 1 个, 失败 1 个")), qPrintable(summary->text()));
    QCOMPARE(window.tickedPositions(), QList<int>{0});

    only->setChecked(true);
    QVERIFY(!table->isRowHidden(0) && table->isRowHidden(1) && table->isRowHidden(2));
    only->setChecked(false);
    QVERIFY(!table->isRowHidden(1) && !table->isRowHidden(2));

    // Sorting by size after keeps each row's own cells and record.
    table->sortByColumn(5, Qt::DescendingOrder);
    table->item(table->row(table->findItems(QStringLiteral("将修改"), Qt::MatchExactly).first()), 0)
        ->setCheckState(Qt::Unchecked);
    QVERIFY(window.tickedPositions().isEmpty());
    QVERIFY(!apply->isEnabled());
    table->item(table->row(table->findItems(QStringLiteral("将修改"), Qt::MatchExactly).first()), 0)
        ->setCheckState(Qt::Checked);
    QList<int> applied{-1};
    connect(&window, &PreviewWindow::applySignal, this,
            [&applied](const std::shared_ptr<PreviewStore> &, const QList<int> &positions) { applied = positions; });
    QVERIFY(apply->isEnabled());
    apply->click();
    QCOMPARE(applied, QList<int>{0});
    QVERIFY(!window.store()); // closed: the kept results are let go
}

void TestPreviewWindow::diffColoursLinesAndCharacters()
{
    QTemporaryDir dir;
    const std::shared_ptr<PreviewStore> store = makeStore(dir);
    QVERIFY(store);
    PreviewWindow window(store);
    auto *diff = window.findChild<QTextBrowser *>(QStringLiteral("textBrowser_diff"));
    QVERIFY(diff);
    // The changed file is shown at once.
    QTextDocument *document = diff->document();
    QVERIFY2(document->toPlainText().contains(QStringLiteral("@@ -1,4 +1,4 @@")), qPrintable(document->toPlainText()));
    const QList<QTextBlock> removed = blocksStarting(document, QStringLiteral("- "));
    const QList<QTextBlock> added = blocksStarting(document, QStringLiteral("+ "));
    QCOMPARE(removed.size(), 1);
    QCOMPARE(added.size(), 1);
    QCOMPARE(removed.first().text(), QStringLiteral("- 苹果很甜 apple"));
    QCOMPARE(removed.first().blockFormat().background().color(), PreviewWindow::removedLine());
    QCOMPARE(added.first().blockFormat().background().color(), PreviewWindow::addedLine());
    QCOMPARE(marked(removed.first(), PreviewWindow::removedChars()), QStringLiteral("苹果apple"));
    QCOMPARE(marked(added.first(), PreviewWindow::addedChars()), QStringLiteral("橙子kiwi"));
    // Context lines are plain, the lines on both sides of the change.
    QCOMPARE(blocksStarting(document, QStringLiteral("  第")).size(), 2);

    window.showRecord(1);
    QVERIFY(document->toPlainText().contains(QStringLiteral("无变化")));
    window.showRecord(2);
    QVERIFY(document->toPlainText().contains(TipTable::words(0, 6).trimmed()));
}

void TestPreviewWindow::longDiffSaysWhatIsLeftOut_data()
{
    QTest::addColumn<int>("changes");
    QTest::addColumn<QString>("note");
    QTest::newRow("few") << 5 << QString();
    QTest::newRow("many") << 100 << QStringLiteral("还有 60 处改动未显示(共 100 处)。");
}

// Changes ten lines apart are hunks of their own; beyond the first ones
// the diff says how many are left out.
void TestPreviewWindow::longDiffSaysWhatIsLeftOut()
{
    QFETCH(int, changes);
    QFETCH(QString, note);
    QStringList a, b;
    for (int i = 0; i < changes * 10; ++i) {
        a << QStringLiteral("line %1").arg(i);
        b << (i % 10 == 5 ? QStringLiteral("changed %1").arg(i) : a.last());
    }
    QTextDocument document;
    QTextCursor cursor(&document);
    QCOMPARE(PreviewWindow::writeDiff(cursor, a.join('\n'), b.join('\n')), changes);
    const QString text = document.toPlainText();
    QCOMPARE(text.count(QStringLiteral("@@ -")), std::min(changes, PreviewWindow::maxHunks));
    if (note.isEmpty())
        QVERIFY(!text.contains(QStringLiteral("未显示")));
    else
        QVERIFY2(text.endsWith(note), qPrintable(text.right(80)));
}

void TestPreviewWindow::lineBlocks_data()
{
    QTest::addColumn<QStringList>("oldLines");
    QTest::addColumn<QStringList>("newLines");
    QTest::addColumn<int>("changed");
    QStringList many, others;
    for (int i = 0; i < LineDiff::window * 5 / 2; ++i) {
        many << QStringLiteral("line %1").arg(i);
        others << QStringLiteral("other %1").arg(i);
    }
    QTest::newRow("lines of one side only between common ones")
        << QStringList{"a", "x1", "b", "x2", "c"} << QStringList{"a", "y1", "b", "c", "y2"} << 3;
    QTest::newRow("a repeated line moved") << QStringList{"p", "q", "p", "r"} << QStringList{"q", "p", "r", "p"} << 2;
    QTest::newRow("every line changed, windows over") << many << others << many.size();
    QTest::newRow("one side shorter than a window, nothing common") << QStringList{"x"} << many << many.size();
}

// The blocks turn the old lines into the new ones, with the lines between
// blocks equal on both sides, and as few changed lines as stated.
void TestPreviewWindow::lineBlocks()
{
    QFETCH(QStringList, oldLines);
    QFETCH(QStringList, newLines);
    QFETCH(int, changed);
    const QVector<LineDiff::Block> blocks = LineDiff::blocks(oldLines.join('\n'), newLines.join('\n'));
    QStringList rebuilt;
    int oldAt = 0;
    for (const LineDiff::Block &block : blocks) {
        QVERIFY(block.oldStart >= oldAt && block.newStart - rebuilt.size() == block.oldStart - oldAt);
        rebuilt += oldLines.mid(oldAt, block.oldStart - oldAt);
        rebuilt += newLines.mid(block.newStart, block.newCount);
        oldAt = block.oldStart + block.oldCount;
    }
    rebuilt += oldLines.mid(oldAt);
    QCOMPARE(rebuilt, newLines);
    QCOMPARE(LineDiff::changedLines(blocks), changed);
}

QTEST_MAIN(TestPreviewWindow)
#include "tst_previewwindow.moc"
