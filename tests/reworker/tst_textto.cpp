#include <QTemporaryDir>
#include <QtTest>

#include "conversioncases.h"
#include "conversiontables.h"
#include "lexicon.h"
#include "readwritetxt.h"
#include "testfolder.h"
#include "textlines.h"
#include "textto.h"
#include "traditionconverter.h"

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QStringList lines(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char('\n'));
}

void writeTable(const QString &folder, int table, const QString &text)
{
    QFile file(folder + ConversionTables::fileName(table));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

QStringList tableLines(const QString &folder, int table)
{
    QString text;
    ReadWriteTxt::readFile(folder + ConversionTables::fileName(table), text);
    return TextLines::split(text).lines;
}

// The shipped tables in a folder of their own.
QString shippedFolder(const QTemporaryDir &dir)
{
    const QString folder = dir.path() + QStringLiteral("/data/");
    ConversionTables::installMissing(folder);
    return folder;
}

} // namespace

// The pure conversions of the text plug-in and their tables.
class TstTextTo : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { TestFolder::prepareProcess(); }

    void letterCase_data();
    void letterCase();
    void width_data();
    void width();
    void baseLines_data();
    void baseLines();
    void baseRuns_data();
    void baseRuns();
    void custom_data();
    void custom();
    void longestMatch_data();
    void longestMatch();
    void reverseCharacters();
    void refusedTables_data();
    void refusedTables();
    void shippedTables_data();
    void shippedTables();
    void installKeepsEditedTables();
    void userPhrase_data();
    void userPhrase();
    void undecided_data();
    void undecided();
    void quality();
};

void TstTextTo::letterCase_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("caseTo");
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("expected");
    QTest::newRow("paragraph first") << "  abc\n def ghi" << 0 << 1 << "  Abc\n Def ghi";
    QTest::newRow("word first") << "  abc\n def ghi" << 0 << 2 << "  Abc\n Def Ghi";
    QTest::newRow("word after punctuation") << "hello-world" << 0 << 2 << "Hello-world";
    QTest::newRow("not ASCII untouched") << QString::fromUtf8("é b") << 0 << 2 << QString::fromUtf8("é B");
    QTest::newRow("all uses Unicode") << QString::fromUtf8("é b") << 0 << 0 << QString::fromUtf8("É B");
    QTest::newRow("lower word first") << "ABC DEF\nGHI" << 1 << 2 << "aBC dEF\ngHI";
    QTest::newRow("lower paragraph") << "ABC DEF\n\n GHI" << 1 << 1 << "aBC DEF\n\n gHI";
}

void TstTextTo::letterCase()
{
    QFETCH(QString, text);
    QFETCH(int, caseTo);
    QFETCH(int, which);
    QFETCH(QString, expected);
    QCOMPARE(TextConvert::convertCase(text, caseTo, which), expected);
}

void TstTextTo::width_data()
{
    QTest::addColumn<QString>("half");
    QTest::addColumn<QString>("full");
    QTest::newRow("grave and middle dot") << "a`b" << QString::fromUtf8("ａ·ｂ");
    QTest::newRow("space stays") << "A 1~!" << QString::fromUtf8("Ａ １～！");
    QTest::newRow("CJK untouched") << QString::fromUtf8("中文,x") << QString::fromUtf8("中文，ｘ");
}

void TstTextTo::width()
{
    QFETCH(QString, half);
    QFETCH(QString, full);
    QCOMPARE(TextConvert::convertWidth(half, false), full);
    QCOMPARE(TextConvert::convertWidth(full, true), half);
}

void TstTextTo::baseLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<std::optional<QString>>("expected");
    QTest::newRow("10 to 2") << "123\n456" << 10 << 2 << std::optional<QString>("1111011\n111001000");
    QTest::newRow("final break kept") << "123\n456\n" << 10 << 2 << std::optional<QString>("1111011\n111001000\n");
    QTest::newRow("empty line inside") << "123\n\n456" << 10 << 2 << std::optional<QString>();
    QTest::newRow("not a number") << "12x" << 10 << 16 << std::optional<QString>();
    QTest::newRow("signs and blanks") << " -255\n+10" << 10 << 16 << std::optional<QString>("-ff\na");
    QTest::newRow("base 36") << "zz" << 36 << 10 << std::optional<QString>("1295");
    QTest::newRow("empty text") << "" << 10 << 2 << std::optional<QString>("");
}

void TstTextTo::baseLines()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(std::optional<QString>, expected);
    TextToOption options;
    options.implement = TextToOption::Base;
    options.lineFormat = true;
    options.fromBase = from;
    options.toBase = to;
    QCOMPARE(TextConvert::convert(text, options), expected);
}

void TstTextTo::baseRuns_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("expected");
    QTest::newRow("10 to 2") << QString::fromUtf8("他花了1天的事件整理了99篇文档。") << 10 << 2
                             << QString::fromUtf8("他花了1天的事件整理了1100011篇文档。");
    QTest::newRow("16 inside words") << "xcafey 10" << 16 << 10 << "x51966y 16";
    QTest::newRow("2 runs only") << "1021" << 2 << 10 << "221";
    QTest::newRow("8 skips 8 and 9") << "a17b98" << 8 << 10 << "a15b98";
    QTest::newRow("too large becomes 0") << "x99999999999999999999y" << 10 << 16 << "x0y";
}

void TstTextTo::baseRuns()
{
    QFETCH(QString, text);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, expected);
    QCOMPARE(TextConvert::convertBaseRuns(text, from, to), expected);
}

void TstTextTo::custom_data()
{
    QTest::addColumn<QStringList>("from");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<bool>("sequential");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    const QStringList from = lines("你\n我\n他");
    const QStringList to = lines("我\n他\n你");
    QTest::newRow("result one") << from << to << true << QString::fromUtf8("你我他") << QString::fromUtf8("你你你");
    QTest::newRow("result two") << from << to << false << QString::fromUtf8("你我他") << QString::fromUtf8("我他你");
    QTest::newRow("two continues after value") << lines("你\n们") << lines("你们\nX") << false
                                               << QString::fromUtf8("你们") << QString::fromUtf8("你们X");
    QTest::newRow("two first rule wins") << lines("a\na") << lines("1\n2") << false << "aa" << "11";
    QTest::newRow("empty key no effect") << lines("\nb") << lines("\nc") << true << "ab" << "ac";
}

void TstTextTo::custom()
{
    QFETCH(QStringList, from);
    QFETCH(QStringList, to);
    QFETCH(bool, sequential);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(TextConvert::convertCustom(text, from, to, sequential), expected);
}

void TstTextTo::longestMatch_data()
{
    QTest::addColumn<QStringList>("phraseFrom");
    QTest::addColumn<QStringList>("phraseTo");
    QTest::addColumn<QStringList>("charFrom");
    QTest::addColumn<QStringList>("charTo");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("phrase beats its first character") << lines("AB") << lines("xy") << lines("A\nB\nx") << lines("1\n2\nX")
                                                      << "ABAx" << "xy1X";
    QTest::newRow("longest phrase wins") << lines("AB\nABC") << lines("1\n2") << QStringList() << QStringList()
                                         << "ABCAB" << "21";
    QTest::newRow("output never converted again") << QStringList() << QStringList() << lines("A\nB") << lines("B\nC")
                                                   << "AB" << "BC";
    QTest::newRow("first of equal keys") << lines("AB\nAB") << lines("1\n2") << QStringList() << QStringList()
                                         << "AB" << "1";
    QTest::newRow("key of 64 units and more") << QStringList{QString(70, 'a'), "aa"} << lines("L\n2") << QStringList()
                                              << QStringList() << QString(73, 'a') << "L2a";
    QTest::newRow("surrogate pairs") << QStringList() << QStringList() << lines("𱊜") << lines("𪈼")
                                     << QString::fromUtf8("a𱊜b") << QString::fromUtf8("a𪈼b");
}

void TstTextTo::longestMatch()
{
    QFETCH(QStringList, phraseFrom);
    QFETCH(QStringList, phraseTo);
    QFETCH(QStringList, charFrom);
    QFETCH(QStringList, charTo);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    TraditionConverter converter;
    converter.addPhrases(phraseFrom, phraseTo);
    converter.addCharacters(charFrom, charTo);
    QCOMPARE(converter.convert(text), expected);
}

void TstTextTo::reverseCharacters()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    writeTable(folder, ConversionTables::NewOne, QString::fromUtf8("发\n头"));
    writeTable(folder, ConversionTables::OldOne, QString::fromUtf8("發\n頭"));
    for (int t = ConversionTables::NewMainland; t <= ConversionTables::OldTaiwan; ++t)
        writeTable(folder, t, QStringLiteral("x"));
    const auto toTraditional = ConversionTables::loadTradition(folder, 0, nullptr);
    const auto fromHongKong = ConversionTables::loadTradition(folder, 6, nullptr);
    QVERIFY(toTraditional && fromHongKong);
    QCOMPARE(toTraditional->convert(QString::fromUtf8("头发")), QString::fromUtf8("頭發"));
    QCOMPARE(fromHongKong->convert(QString::fromUtf8("頭發")), QString::fromUtf8("头发"));
}

void TstTextTo::refusedTables_data()
{
    QTest::addColumn<int>("table");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("var1");
    QTest::addColumn<int>("var2");
    QTest::newRow("characters unequal") << int(ConversionTables::OldOne) << "a\nb\nc\nd" << 0 << -1 << 1;
    QTest::newRow("characters empty") << int(ConversionTables::NewOne) << "" << 0 << -1 << 3;
    QTest::newRow("phrases unequal") << int(ConversionTables::OldTaiwan) << "a" << 2 << -1 << 1;
    QTest::newRow("phrase source empty") << int(ConversionTables::OldHongKong) << "" << 7 << -1 << 3;
    QTest::newRow("unused table not read") << int(ConversionTables::NewOne) << "" << 4 << 0 << 0;
    QTest::newRow("custom unequal") << int(ConversionTables::AfterCustom) << "a" << -1 << -1 << 2;
    QTest::newRow("custom empty") << int(ConversionTables::AfterCustom) << "" << -1 << -1 << 4;
}

void TstTextTo::refusedTables()
{
    QFETCH(int, table);
    QFETCH(QString, text);
    QFETCH(int, direction);
    QFETCH(int, var1);
    QFETCH(int, var2);
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    for (int t = 0; t < ConversionTables::TableCount; ++t)
        writeTable(folder, t, QStringLiteral("a\nb\nc\n"));
    writeTable(folder, table, text);
    ConversionTables::Refusal refusal;
    bool loaded;
    if (direction < 0) {
        QStringList from, to;
        loaded = ConversionTables::loadCustom(folder, &from, &to, &refusal);
    } else {
        loaded = bool(ConversionTables::loadTradition(folder, direction, &refusal));
    }
    QCOMPARE(loaded, var1 == 0);
    if (!loaded) {
        QCOMPARE(refusal.code.var1, var1);
        QCOMPARE(refusal.code.var2, var2);
    }
}

void TstTextTo::shippedTables_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("to traditional") << 0 << QString::fromUtf8("头发和软件") << QString::fromUtf8("頭髮和軟件");
    QTest::newRow("to Hong Kong") << 1 << QString::fromUtf8("软件") << QString::fromUtf8("軟件");
    QTest::newRow("to Taiwan") << 2 << QString::fromUtf8("软件") << QString::fromUtf8("軟體");
    QTest::newRow("back to simplified") << 3 << QString::fromUtf8("頭髮理髮發展") << QString::fromUtf8("头发理发发展");
    QTest::newRow("Taiwan to simplified") << 9 << QString::fromUtf8("軟體") << QString::fromUtf8("软件");
    QTest::newRow("Taiwan to literal keeps 台") << 10 << QString::fromUtf8("台北的軟體") << QString::fromUtf8("台北的軟件");
    // Where the longest phrase straddles two words.
    QTest::newRow("前头|发生") << 0 << QString::fromUtf8("他在前头发生了意外") << QString::fromUtf8("他在前頭發生了意外");
    QTest::newRow("一个|中年 to Hong Kong") << 1 << QString::fromUtf8("一个中年人") << QString::fromUtf8("一個中年人");
    QTest::newRow("方面|条件 to Taiwan") << 2 << QString::fromUtf8("这方面条件") << QString::fromUtf8("這方面條件");
    QTest::newRow("皇后|来 and 后来") << 0 << QString::fromUtf8("皇后来了，后来走了")
                                   << QString::fromUtf8("皇后來了，後來走了");
    QTest::newRow("back: 乾隆 and 乾燥") << 3 << QString::fromUtf8("乾隆年間天氣乾燥") << QString::fromUtf8("乾隆年间天气干燥");
    QTest::newRow("Hong Kong back: 頭髮") << 6 << QString::fromUtf8("前頭髮型") << QString::fromUtf8("前头发型");
    QTest::newRow("astral characters") << 0 << QString::fromUtf8("鳙𫍤原") << QString::fromUtf8("鱅譑原");
    QTest::newRow("no Chinese") << 0 << QString::fromUtf8("abc 123\n") << QString::fromUtf8("abc 123\n");
}

void TstTextTo::shippedTables()
{
    QFETCH(int, direction);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/data/");
    QCOMPARE(ConversionTables::installMissing(folder).size(), int(ConversionTables::TableCount));
    ConversionTables::Refusal refusal;
    const auto converter = ConversionTables::loadTradition(folder, direction, &refusal);
    QVERIFY2(converter, qPrintable(QString::number(refusal.code.var1) + QString::number(refusal.code.var2)));
    QVERIFY(converter->phraseCount() > 10000);
    QCOMPARE(converter->convert(text), expected);
}

void TstTextTo::installKeepsEditedTables()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    writeTable(folder, ConversionTables::NewOne, QStringLiteral("edited"));
    QCOMPARE(ConversionTables::installMissing(folder).size(), ConversionTables::TableCount - 1);
    QString text;
    QCOMPARE(ReadWriteTxt::readFile(folder + ConversionTables::fileName(ConversionTables::NewOne), text),
             int(ReadWriteTxt::ReadOk));
    QCOMPARE(text, QStringLiteral("edited"));
    QVERIFY(ConversionTables::installMissing(folder).isEmpty());
}

void TstTextTo::userPhrase_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    // Added by the user: wins by longest match wherever it starts, across
    // the words the lexicon would cut (前头|发生).
    QTest::newRow("new phrase across words") << "头发生" << "XYZ" << "前头发生" << QString::fromUtf8("前XYZ");
    QTest::newRow("new phrase of other letters") << "ab" << "cd" << "xab头发" << QString::fromUtf8("xcd頭髮");
    // A shipped phrase the user wrote another conversion for.
    QTest::newRow("edited conversion") << "头发" << "TF" << "她的头发" << QString::fromUtf8("她的TF");
}

void TstTextTo::userPhrase()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString folder = shippedFolder(dir);
    // The user's line comes first, so it is the one of its key that counts.
    for (int t : {int(ConversionTables::NewMainland), int(ConversionTables::OldMainland)}) {
        QString table;
        QCOMPARE(ReadWriteTxt::readFile(folder + ConversionTables::fileName(t), table), int(ReadWriteTxt::ReadOk));
        writeTable(folder, t, (t == ConversionTables::NewMainland ? from : to) + QLatin1Char('\n') + table);
    }
    const auto converter = ConversionTables::loadTradition(folder, 0, nullptr);
    QVERIFY(converter && converter->segments());
    QCOMPARE(converter->convert(text), expected);
}

void TstTextTo::undecided_data()
{
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    // Where each undecided character lies in the output, with its forms.
    QTest::addColumn<QStringList>("marks");
    QTest::newRow("decided by phrases") << 0 << QString::fromUtf8("前头发生的头发") << 0 << QStringList();
    QTest::newRow("alone: 发 面 只") << 0 << QString::fromUtf8("发，面，只") << 3
                                 << lines("0 發髮\n2 面麪\n4 只隻祇");
    QTest::newRow("among decided words") << 0 << QString::fromUtf8("头发的发，前头发生") << 1 << lines("3 發髮");
    // 𫍤 (two units) becomes 譑 (one): the marks are where the output has them.
    QTest::newRow("after shorter forms") << 0 << QString::fromUtf8("𫍤𫍤发") << 1 << lines("2 發髮");
    QTest::newRow("no ambiguous characters") << 0 << QString::fromUtf8("我们是学生") << 0 << QStringList();
    QTest::newRow("back: 乾 alone") << 3 << QString::fromUtf8("乾。") << 1 << lines("0 干乾");
    QTest::newRow("back: 乾燥") << 3 << QString::fromUtf8("乾燥") << 0 << QStringList();
    QTest::newRow("between traditional scripts") << 4 << QString::fromUtf8("乾") << 0 << QStringList();
}

void TstTextTo::undecided()
{
    QFETCH(int, direction);
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(QStringList, marks);
    QTemporaryDir dir;
    const auto converter = ConversionTables::loadTradition(shippedFolder(dir), direction, nullptr);
    QVERIFY(converter);
    int undecided = -1;
    const QString output = converter->convert(text, &undecided);
    QCOMPARE(undecided, count);

    // Collecting the marks changes neither the output nor the count; each
    // mark covers what its character became, one of its forms.
    std::vector<TraditionConverter::Undecided> found;
    undecided = -1;
    QCOMPARE(converter->convert(text, &undecided, &found), output);
    QCOMPARE(undecided, count);
    QStringList placed;
    for (const TraditionConverter::Undecided &u : found) {
        placed << QString::number(u.at) + QLatin1Char(' ') + u.candidates;
        QVERIFY2(u.candidates.contains(output.mid(u.at, u.length)), qPrintable(placed.last()));
    }
    QCOMPARE(placed, marks);

    // The job of a file names it with the count, when there is one.
    TextToOption options;
    options.implement = TextToOption::Tradition;
    options.tradition = converter;
    const QString file = dir.path() + QStringLiteral("/a.txt");
    QVERIFY(TestFolder::put(file, text.toUtf8()));
    TextTo job(file, &options);
    QSignalSpy tips(&job, &TextBase::tipSignal);
    job.run();
    QList<int> named;
    for (const QList<QVariant> &tip : tips) {
        if (tip.at(0).toInt() == Tips::UndecidedCharacters.var1)
            named << tip.at(1).toInt();
    }
    QCOMPARE(named, count ? QList<int>{count} : QList<int>());
}

// The known hard cases with the shipped tables, cut by the lexicon and by
// longest match alone: the share right, and no case that longest match
// gets right lost.
void TstTextTo::quality()
{
    QTemporaryDir dir;
    const QString folder = shippedFolder(dir);
    int right = 0;
    int rightLongest = 0;
    QStringList lost;
    for (int d : {0, 3}) {
        const auto segmenting = ConversionTables::loadTradition(folder, d, nullptr);
        QVERIFY(segmenting && segmenting->segments());
        TraditionConverter longest;
        longest.addCharacters(tableLines(folder, d == 0 ? ConversionTables::NewOne : ConversionTables::OldOne),
                              tableLines(folder, d == 0 ? ConversionTables::OldOne : ConversionTables::NewOne));
        longest.addPhrases(tableLines(folder, ConversionTables::sourceTable(d)),
                           tableLines(folder, ConversionTables::targetTable(d)));
        for (const ConversionCase &c : conversionCases) {
            if (c.direction != d)
                continue;
            const QString text = QString::fromUtf8(c.text);
            const QString expected = QString::fromUtf8(c.expected);
            const bool ok = segmenting->convert(text) == expected;
            const bool okLongest = longest.convert(text) == expected;
            right += ok;
            rightLongest += okLongest;
            if (!ok)
                qInfo("wrong: %s gives %s, not %s", c.text, qPrintable(segmenting->convert(text)), c.expected);
            if (okLongest && !ok)
                lost << text;
        }
    }
    qInfo("segmented %d of %d right (%.1f%%), longest match %d (%.1f%%)", right, conversionCaseCount,
          100.0 * right / conversionCaseCount, rightLongest, 100.0 * rightLongest / conversionCaseCount);
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join(QLatin1Char(' '))));
    QVERIFY(right * 10 >= conversionCaseCount * 9);
}

QTEST_GUILESS_MAIN(TstTextTo)
#include "tst_textto.moc"
