#include <QDateTime>
#include <QDir>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QPlainTextEdit>
#include <QTextBrowser>
#include <QtTest>

#include "dockwidgettips.h"
#include "loghandler.h"
#include "readwritetxt.h"
#include "tiptable.h"

class TestMessages : public QObject
{
    Q_OBJECT
private slots:
    void rows_data();
    void rows();
    void everyOutcomeHasARow();
    void unknownCodes_data();
    void unknownCodes();
    void linePrefix_data();
    void linePrefix();
    void oneBlankBeforeTheWords_data();
    void oneBlankBeforeTheWords();
    void dockShowsNewestFirstAndEscapes();
    void completionCounting_data();
    void completionCounting();
    void explainReplacesPane();
    void failuresReachTheLog();
    void summaryLineCounts();
    void burstShownInBatches();
    void longBatchFoldsKeepingFailures_data();
    void longBatchFoldsKeepingFailures();
    void logLine_data();
    void logLine();
    void launchStamp_data();
    void launchStamp();
};

// Each row of the table, as the dock and the log read it: a failure row and
// only a failure row is coloured, every line is closed, and the plain words
// are the HTML's without markup.
void TestMessages::rows_data()
{
    QTest::addColumn<int>("var1");
    QTest::addColumn<int>("var2");
    for (const TipTable::Row &row : TipTable::rows())
        QTest::newRow(row.name) << row.code.var1 << (row.code.var2 == TipCode::Counted ? 3 : row.code.var2);
}

void TestMessages::rows()
{
    QFETCH(int, var1);
    QFETCH(int, var2);
    const TipTable::Row *row = TipTable::row(var1, var2);
    QVERIFY(row);
    const QString html = TipTable::message(var1, var2, 1, 2);
    const bool coloured = html.contains(TipTable::failureColour().name(), Qt::CaseInsensitive);
    QCOMPARE(coloured, row->severity == TipSeverity::Failure);
    QCOMPARE(TipTable::isFailure(var1, var2), row->severity == TipSeverity::Failure);
    if (Tips::FreeText.is(var1, var2)) {
        QVERIFY(html.isEmpty());
    } else {
        QVERIFY(html.endsWith(QLatin1String("</p>")));
        QVERIFY(!TipTable::words(var1, var2).trimmed().isEmpty());
    }
    const QString words = TipTable::words(var1, var2, 1, 2);
    QVERIFY2(!words.contains(QLatin1Char('<')) && !words.contains(QLatin1Char('>')), qPrintable(words));
    QCOMPARE(words, TipTable::plainText(html));
    // No other row has this pair or this name.
    int same = 0;
    for (const TipTable::Row &other : TipTable::rows())
        same += (other.code == row->code) + (qstrcmp(other.name, row->name) == 0);
    QCOMPARE(same, 2);
    if (row->code.var2 == TipCode::Counted)
        QVERIFY(words.contains(QLatin1String(" 3 ")));
}

// Every outcome of the reader/writer is a file's own tip with a row.
void TestMessages::everyOutcomeHasARow()
{
    QSet<int> codes;
    for (int outcome = ReadWriteTxt::NotFound; outcome <= ReadWriteTxt::NotKept; ++outcome) {
        const TipCode tip = ReadWriteTxt::tipOf(outcome);
        QVERIFY2(TipTable::row(tip.var1, tip.var2), qPrintable(QString::number(outcome)));
        QCOMPARE(tip.var1, 0);
        codes << tip.var2;
    }
    QCOMPARE(codes.size(), ReadWriteTxt::NotKept - ReadWriteTxt::NotFound + 1);
}

// Pairs without a row are failures named by their group.
void TestMessages::unknownCodes_data()
{
    QTest::addColumn<int>("var1");
    QTest::addColumn<int>("var2");
    QTest::addColumn<QString>("words");
    QTest::newRow("file group") << 0 << 99 << "未知错误代码0!";
    QTest::newRow("any -5") << -5 << 0 << "未知错误代码5!";
    QTest::newRow("11,14 reports code 7") << 11 << 14 << "未知错误代码7!";
    QTest::newRow("undo group") << 12 << 12 << "未知错误代码12!";
    QTest::newRow("no count") << -11 << 0 << "未知错误代码11!";
    QTest::newRow("99,1") << 99 << 1 << "未知错误代码00";
    QTest::newRow("-8,0 unknown group") << -8 << 0 << "未知错误代码00";
}

void TestMessages::unknownCodes()
{
    QFETCH(int, var1);
    QFETCH(int, var2);
    QFETCH(QString, words);
    QVERIFY(!TipTable::row(var1, var2));
    QVERIFY(TipTable::isFailure(var1, var2));
    QCOMPARE(TipTable::words(var1, var2), words);
    QVERIFY(TipTable::message(var1, var2).contains(TipTable::failureColour().name(), Qt::CaseInsensitive));
}

void TestMessages::linePrefix_data()
{
    QTest::addColumn<int>("var1");
    QTest::addColumn<int>("var2");
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QString>("expected");
    QTest::newRow("saved") << 0 << 4 << "a.txt" << QStringLiteral("09:05:03  04 a.txt 文件保存<b>成功</b>!</p>");
    QTest::newRow("done counter") << -4 << 0 << "b.txt" << QStringLiteral("09:05:03  -40 b.txt 文件处理<b>完毕</b>! 1/2</p>");
    QTest::newRow("opened") << 11 << 12 << "Demo V0.0.0.1" << QStringLiteral("09:05:03  1112 Demo V0.0.0.1 插件打开!</p>");
    QTest::newRow("markup in a file name is escaped")
        << 0 << 0 << "<b>x</b>.txt"
        << QStringLiteral("09:05:03  00 &lt;b&gt;x&lt;/b&gt;.txt <b><font color='#FF0000'>没有发现</font></b>该文件!</p>");
    QTest::newRow("free text is escaped") << 99 << 99 << "<i>&" << QStringLiteral("09:05:03  9999 &lt;i&gt;&amp;");
}

void TestMessages::linePrefix()
{
    QFETCH(int, var1);
    QFETCH(int, var2);
    QFETCH(QString, fileName);
    QFETCH(QString, expected);
    QCOMPARE(TipTable::line(QTime(9, 5, 3), var1, var2, fileName, 1, 2), expected);
    QCOMPARE(TipTable::plainLine(QTime(9, 5, 3), var1, var2, fileName, 1, 2), TipTable::plainText(expected));
}

// However a row's words begin, a line has exactly one blank between the
// file name (or, without one, the code) and the words: in the plain line,
// in the dock and in the log. Every row, and a pair without one.
void TestMessages::oneBlankBeforeTheWords_data()
{
    QTest::addColumn<int>("var1");
    QTest::addColumn<int>("var2");
    QTest::addColumn<QString>("fileName");
    QList<TipCode> codes;
    for (const TipTable::Row &row : TipTable::rows()) {
        if (row.code != Tips::FreeText)
            codes << (row.code.var2 == TipCode::Counted ? row.code.withCount(3) : row.code);
    }
    codes << TipCode{0, 99} << TipCode{-8, 0};
    for (const TipCode &code : qAsConst(codes)) {
        const QByteArray pair = QByteArray::number(code.var1) + ',' + QByteArray::number(code.var2);
        QTest::newRow(pair + " file") << code.var1 << code.var2 << "/tmp/a b.txt";
        QTest::newRow(pair + " none") << code.var1 << code.var2 << "";
    }
}

void TestMessages::oneBlankBeforeTheWords()
{
    QFETCH(int, var1);
    QFETCH(int, var2);
    QFETCH(QString, fileName);
    const QString code = QString::number(var1) + QString::number(var2);
    const QString before = fileName.isEmpty() ? code : code + QLatin1Char(' ') + fileName;
    const QRegularExpression apart(QStringLiteral("%1 \\S").arg(QRegularExpression::escape(before)));
    const QString plain = TipTable::plainLine(QTime(9, 5, 3), var1, var2, fileName, 1, 2);
    QVERIFY2(apart.match(plain).hasMatch(), qPrintable(plain));

    DockWidgetTips dock;
    dock.setExpected(2);
    dock.tip(var1, var2, fileName);
    const QString shown = dock.messageText();
    QVERIFY2(apart.match(shown).hasMatch(), qPrintable(shown));
}

void TestMessages::dockShowsNewestFirstAndEscapes()
{
    DockWidgetTips dock;
    QCOMPARE(dock.windowTitle(), QStringLiteral("提示"));
    QCOMPARE(dock.allowedAreas(), Qt::BottomDockWidgetArea);
    dock.tip(0, 4, QStringLiteral("first.txt"));
    dock.tip(0, 0, QStringLiteral("<b>x</b>.txt"));
    dock.tip(99, 99, QStringLiteral("free <i>text</i>"));
    const QStringList lines = dock.messageText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines[0].endsWith(QStringLiteral("9999 free <i>text</i>")));
    QVERIFY(lines[1].contains(QStringLiteral("00 <b>x</b>.txt 没有发现该文件!")));
    QVERIFY(lines[2].contains(QStringLiteral("04 first.txt 文件保存成功!")));
    QVERIFY(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d +04 ")).match(lines[2]).hasMatch());
}

void TestMessages::completionCounting_data()
{
    QTest::addColumn<int>("expected");
    QTest::addColumn<int>("tips");
    QTest::addColumn<int>("finishes");
    QTest::addColumn<QString>("lastShown");
    QTest::newRow("the last of two shows the final count") << 2 << 2 << 1 << "2/2";
    QTest::newRow("one of two") << 2 << 1 << 0 << "1/2";
    QTest::newRow("next job after the first") << 1 << 3 << 1 << "2/0";
    QTest::newRow("zero expected never finishes") << 0 << 5 << 0 << "5/0";
}

void TestMessages::completionCounting()
{
    QFETCH(int, expected);
    QFETCH(int, tips);
    QFETCH(int, finishes);
    QFETCH(QString, lastShown);
    DockWidgetTips dock;
    QSignalSpy spy(&dock, &DockWidgetTips::finish);
    dock.setExpected(expected);
    for (int i = 0; i < tips; ++i)
        dock.tip(-4, 0, QStringLiteral("f.txt"));
    QCOMPARE(spy.count(), finishes);
    const QString newest = dock.messageText().section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(newest.endsWith(QStringLiteral("文件处理完毕! ") + lastShown), qPrintable(newest));
}

void TestMessages::explainReplacesPane()
{
    DockWidgetTips dock;
    dock.explain(QStringLiteral("<b>one</b>"));
    dock.explain(QStringLiteral("<b>two</b>"));
    QVERIFY(dock.explainHtml().contains(QStringLiteral("two")));
    QVERIFY(!dock.explainHtml().contains(QStringLiteral("one")));
}

void TestMessages::failuresReachTheLog()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    LogHandler::install(QStringLiteral("t"));
    {
        DockWidgetTips dock;
        dock.tip(0, 4, QStringLiteral("fine.txt"));
        dock.tip(0, 2, QStringLiteral("<b>&locked.txt"));
        dock.tip(-6, 0, QString());
    }
    qInstallMessageHandler(nullptr);
    QFile log(LogHandler::logFileName());
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QDir::setCurrent(previous);
    QCOMPARE(lines.size(), 2);
    QVERIFY2(lines[0].startsWith(QStringLiteral("<font color=#FF0000>")) && lines[0].contains(QStringLiteral("W::")), qPrintable(lines[0]));
    QVERIFY2(lines[0].contains(QStringLiteral("02 &lt;b&gt;&amp;locked.txt 该文件不可写!")), qPrintable(lines[0]));
    QVERIFY2(lines[1].contains(QStringLiteral("操作取消!参数设置有误")), qPrintable(lines[1]));
}

void TestMessages::summaryLineCounts()
{
    DockWidgetTips dock;
    dock.setExpected(4);
    const QList<QPair<int, int>> tips = { {0, 4}, {-4, 0}, {0, 5}, {-4, 0}, {0, 5}, {-4, 0}, {0, 2}, {-4, 2} };
    for (const auto &tip : tips)
        dock.tip(tip.first, tip.second, tip.first == -4 && tip.second == 2 ? QString() : QStringLiteral("f.txt"));
    const QString newest = dock.messageText().section(QLatin1Char('\n'), 0, 0);
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d +-42 +所有线程处理全部完毕! 完成 3 个文件\\(其中无变化 2 个\\), 失败 1 个, 用时 \\d+\\.\\d\\d 秒$"))
                 .match(newest).hasMatch(), qPrintable(newest));
    // The next job counts from zero.
    dock.setExpected(1);
    dock.tip(-4, 0, QStringLiteral("g.txt"));
    dock.tip(-4, 2, QString());
    QVERIFY(dock.messageText().section(QLatin1Char('\n'), 0, 0).contains(QStringLiteral("完成 1 个文件(其中无变化 0 个), 失败 0 个")));
}

// Tips faster than one screen update wait and go in together: same lines,
// newest first, same counters and colours, and the job's end is still seen.
void TestMessages::burstShownInBatches()
{
    DockWidgetTips dock;
    QSignalSpy finished(&dock, &DockWidgetTips::finish);
    const int files = 300;
    dock.setExpected(files);
    dock.tip(11, 11, QStringLiteral("first")); // shown at once after a quiet spell
    const int updatesBefore = dock.updates();
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        dock.tip(0, i % 10 == 0 ? 2 : 4, name);
        if (i % 10 != 0)
            dock.tip(-4, 0, name);
    }
    QVERIFY(dock.pendingLines() > 0);
    // Each flushLines waiting lines go in at once, however fast they come.
    QVERIFY(2 * files - files / 10 > DockWidgetTips::flushLines);
    QVERIFY(dock.pendingLines() < DockWidgetTips::flushLines);
    QCOMPARE(dock.updates() - updatesBefore, 1);
    QCOMPARE(finished.count(), 0);
    QTRY_COMPARE(dock.pendingLines(), 0); // the next update comes by itself
    for (int i = 0; i < files; i += 10)
        dock.tip(-4, 0, QStringLiteral("f%1.txt").arg(i));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(dock.pendingLines(), 0); // a finished job shows everything at once

    const QStringList lines = dock.messageText().split(QLatin1Char('\n'));
    QCOMPARE(lines.size(), 1 + files + files);
    QVERIFY(lines.last().contains(QStringLiteral("1111 first")));
    QVERIFY(lines.first().endsWith(QStringLiteral("-40 f290.txt 文件处理完毕! 300/300")));
    QVERIFY(lines.at(1).endsWith(QStringLiteral("-40 f280.txt 文件处理完毕! 299/300")));
    // Oldest tips of the burst at the bottom, in arrival order.
    QVERIFY(lines.at(lines.size() - 2).endsWith(QStringLiteral("02 f0.txt 该文件不可写!")));
    QVERIFY(lines.at(lines.size() - 3).endsWith(QStringLiteral("04 f1.txt 文件保存成功!")));
    QVERIFY(lines.at(lines.size() - 4).endsWith(QStringLiteral("-40 f1.txt 文件处理完毕! 1/300")));

    // Colours kept: the failure text red, the success text not.
    QTextDocument *document = dock.findChild<QPlainTextEdit *>(QStringLiteral("textBrowser_message"))->document();
    const QTextCursor failure = document->find(QStringLiteral("不可写"));
    const QTextCursor success = document->find(QStringLiteral("成功"));
    QVERIFY(!failure.isNull() && !success.isNull());
    QCOMPARE(failure.charFormat().foreground().color(), QColor(0xFF, 0, 0));
    QVERIFY(success.charFormat().foreground().color() != QColor(0xFF, 0, 0));
    QVERIFY(success.charFormat().fontWeight() == QFont::Bold);
}

// A batch far longer than the pane's window: the latest ordinary lines and
// every failure stay, newest first; the note says how many were folded, and
// the log got every folded line.
void TestMessages::longBatchFoldsKeepingFailures_data()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<int>("failEvery"); // 0: no failures
    QTest::addColumn<bool>("failuresFirst");
    QTest::newRow("failures spread") << 6000 << 7 << false;
    QTest::newRow("failures all early") << 5000 << 1 << true;
    QTest::newRow("no failures") << 4000 << 0 << false;
    QTest::newRow("short batch") << 1500 << 5 << false;
}

void TestMessages::longBatchFoldsKeepingFailures()
{
    QFETCH(int, files);
    QFETCH(int, failEvery);
    QFETCH(bool, failuresFirst);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    LogHandler::install(QStringLiteral("fold"));

    DockWidgetTips dock;
    QStringList failures; // oldest first
    int ordinary = 0;
    int firstOrdinary = -1;
    for (int i = 0; i < files; ++i) {
        const QString name = QStringLiteral("f%1.txt").arg(i);
        const bool fails = failEvery > 0 && (failuresFirst ? i < 300 : i % failEvery == 0);
        if (fails) {
            dock.tip(0, 2, name);
            failures << name;
        } else {
            dock.tip(0, 4, name);
            if (ordinary++ == 0)
                firstOrdinary = i;
        }
        if (i % 97 == 0)
            dock.flush(); // screen updates in between, as a running batch has
    }
    const QStringList lines = dock.messageText().split(QLatin1Char('\n'));
    qInstallMessageHandler(nullptr);
    QFile logFile(LogHandler::logFileName());
    const QString log = logFile.open(QIODevice::ReadOnly) ? QString::fromUtf8(logFile.readAll()) : QString();
    QDir::setCurrent(previous);

    QStringList shownFailures;
    int shownOrdinary = 0;
    for (const QString &line : lines) {
        if (line.contains(QStringLiteral("不可写")))
            shownFailures.prepend(line.section(QLatin1Char(' '), 2, 2));
        else if (line.contains(QStringLiteral("成功")))
            ++shownOrdinary;
    }
    QCOMPARE(shownFailures, failures);
    const int kept = DockWidgetTips::keptLines;
    QVERIFY2(shownOrdinary >= qMin(ordinary, kept) && shownOrdinary <= kept + DockWidgetTips::foldStep,
             qPrintable(QString::number(shownOrdinary)));
    QCOMPARE(lines.size(), shownOrdinary + failures.size());
    QCOMPARE(dock.foldedLines(), ordinary - shownOrdinary);
    // Newest first, and the newest ordinary lines are the ones kept.
    QVERIFY(lines.first().contains(QStringLiteral(" f%1.txt ").arg(files - 1)));
    if (dock.foldedLines() == 0) {
        QVERIFY(dock.foldedNote().isEmpty());
        return;
    }
    QVERIFY(dock.foldedNote().contains(QString::number(dock.foldedLines())));
    QVERIFY(dock.foldedNote().contains(QStringLiteral("日志")));
    // Every folded line reached the log once, the oldest first.
    QCOMPARE(log.count(QStringLiteral("文件保存成功")), dock.foldedLines());
    const QString firstSaved = log.section(QStringLiteral("文件保存成功"), 0, 0);
    QVERIFY2(firstSaved.endsWith(QStringLiteral(" f%1.txt ").arg(firstOrdinary)), qPrintable(firstSaved.right(80)));
}

void TestMessages::logLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("expected");
    QTest::newRow("debug") << int(QtDebugMsg) << "readTxt m_fileName: a.txt"
        << "<font color=#000000>26_12_08 09:05:03.007 D::readTxt m_fileName: a.txt, main.cpp, run, 42</font><p>";
    QTest::newRow("warning") << int(QtWarningMsg) << "w"
        << "<font color=#FF0000>26_12_08 09:05:03.007 W::w, main.cpp, run, 42</font><p>";
    QTest::newRow("critical") << int(QtCriticalMsg) << "c"
        << "<font color=#0000FF>26_12_08 09:05:03.007 C::c, main.cpp, run, 42</font><p>";
    QTest::newRow("info") << int(QtInfoMsg) << "i"
        << "<font color=#00FF00>26_12_08 09:05:03.007 I::i, main.cpp, run, 42</font><p>";
    QTest::newRow("markup and placeholders stay literal") << int(QtDebugMsg) << "<b>%1</b>"
        << "<font color=#000000>26_12_08 09:05:03.007 D::&lt;b&gt;%1&lt;/b&gt;, main.cpp, run, 42</font><p>";
    QTest::newRow("fatal writes nothing") << int(QtFatalMsg) << "f" << "";
}

void TestMessages::logLine()
{
    QFETCH(int, type);
    QFETCH(QString, message);
    QFETCH(QString, expected);
    const QDateTime when(QDate(2026, 12, 8), QTime(9, 5, 3, 7));
    QCOMPARE(LogHandler::formatLine(QtMsgType(type), when, message, "main.cpp", "run", 42), expected);
}

void TestMessages::launchStamp_data()
{
    QTest::addColumn<QDateTime>("start");
    QTest::addColumn<QString>("stamp");
    QTest::newRow("5 March 09:07") << QDateTime(QDate(2026, 3, 5), QTime(9, 7)) << "3597";
    QTest::newRow("31 December 23:59") << QDateTime(QDate(2026, 12, 31), QTime(23, 59)) << "12312359";
    QTest::newRow("1 January 00:00") << QDateTime(QDate(2026, 1, 1), QTime(0, 0)) << "1100";
}

void TestMessages::launchStamp()
{
    QFETCH(QDateTime, start);
    QFETCH(QString, stamp);
    QCOMPARE(LogHandler::launchStamp(start), stamp);
}

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
