#include "conversiontables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <future>

#include "readwritetxt.h"
#include "textformat.h"
#include "textlines.h"
#include "tipcodes.h"
#include "lexicon.h"
#include "traditionconverter.h"

static void initTableResources()
{
    Q_INIT_RESOURCE(texttotables);
}

namespace {

const char *const names[ConversionTables::TableCount] = {
    "textTo_newOne.txt", "textTo_oldOne.txt",
    "textTo_newMainland.txt", "textTo_oldMainland.txt", "textTo_oldHongKong.txt", "textTo_oldTaiwan.txt",
    "textTo_beforeCustom.txt", "textTo_afterCustom.txt",
};

QString pathOf(const QString &folder, int table)
{
    // The folder string of the settings with the name appended directly.
    return folder + ConversionTables::fileName(table);
}

void refuse(ConversionTables::Refusal *refusal, TipCode code, const QString &fileName = QString())
{
    if (refusal)
        *refusal = ConversionTables::Refusal{code, fileName};
}

// A table as it ships in the plug-in.
bool shippedText(const QString &name, QString *text)
{
    QFile file(QStringLiteral(":/texttotables/") + name);
    return file.open(QIODevice::ReadOnly) && ReadWriteTxt::decode(file.readAll(), *text);
}

} // namespace

QString ConversionTables::fileName(int table)
{
    return table >= 0 && table < TableCount ? QString::fromLatin1(names[table]) : QString();
}

QString ConversionTables::scriptTitle(int table)
{
    switch (table) {
    case NewMainland: return QStringLiteral("简体");
    case OldMainland: return QStringLiteral("繁体(直译)");
    case OldHongKong: return QStringLiteral("繁体(香港)");
    case OldTaiwan: return QStringLiteral("繁体(台湾)");
    default: return QString();
    }
}

QStringList ConversionTables::directionCaptions()
{
    QStringList captions;
    for (int d = 0; d < DirectionCount; ++d)
        captions << scriptTitle(sourceTable(d)) + QStringLiteral("到") + scriptTitle(targetTable(d));
    return captions;
}

int ConversionTables::sourceTable(int direction)
{
    return NewMainland + direction / 3;
}

int ConversionTables::targetTable(int direction)
{
    const int source = direction / 3;
    const int other = direction % 3;
    return NewMainland + (other < source ? other : other + 1);
}

QStringList ConversionTables::installMissing(const QString &folder)
{
    initTableResources();
    QStringList written;
    for (int t = 0; t < TableCount; ++t) {
        const QString path = pathOf(folder, t);
        if (QFileInfo::exists(path))
            continue;
        QString text;
        if (!shippedText(fileName(t), &text))
            continue;
        QDir().mkpath(QFileInfo(path).absolutePath());
        TextFormat format;
        format.codecName = "UTF-8";
        format.bom = true; // read back as UTF-8 whatever the encoding setting
        if (ReadWriteTxt::writeFile(path, text, &format) == ReadWriteTxt::Saved)
            written << fileName(t);
    }
    return written;
}

bool ConversionTables::readLines(const QString &path, QStringList *lines, bool *empty, Refusal *refusal)
{
    QString text;
    const int outcome = ReadWriteTxt::readFile(path, text);
    if (outcome != ReadWriteTxt::ReadOk) {
        refuse(refusal, ReadWriteTxt::tipOf(outcome), path);
        return false;
    }
    *empty = text.isEmpty();
    *lines = TextLines::split(text).lines;
    return true;
}

std::shared_ptr<const TraditionConverter> ConversionTables::loadTradition(const QString &folder, int direction,
                                                                          Refusal *refusal)
{
    if (direction < 0 || direction >= DirectionCount) {
        refuse(refusal, Tips::Cancelled);
        return nullptr;
    }
    const int source = sourceTable(direction);
    const int target = targetTable(direction);
    // The lexicon and its words in the source script are read on another
    // core while this one reads the tables (the first time; then they are
    // there).
    std::future<std::shared_ptr<const Lexicon>> lexicon = std::async(std::launch::async, [source] {
        std::shared_ptr<const Lexicon> shipped = shippedLexicon();
        if (shipped)
            shipped->keys(source - NewMainland);
        return shipped;
    });
    auto converter = std::make_shared<TraditionConverter>();
    bool empty = false;

    // Between two traditional scripts the character table (simplified to
    // traditional) has nothing to do, and would turn characters that are
    // themselves traditional (台, 里) into other forms.
    if (source == NewMainland || target == NewMainland) {
        QStringList simplified;
        QStringList traditional;
        if (!readLines(pathOf(folder, NewOne), &simplified, &empty, refusal))
            return nullptr;
        if (empty) {
            refuse(refusal, Tips::TablesEmpty);
            return nullptr;
        }
        if (!readLines(pathOf(folder, OldOne), &traditional, &empty, refusal))
            return nullptr;
        if (simplified.size() != traditional.size()) {
            refuse(refusal, Tips::TablesUnequal);
            return nullptr;
        }
        if (target == NewMainland)
            converter->addCharacters(traditional, simplified);
        else
            converter->addCharacters(simplified, traditional);
    }

    QStringList from;
    QStringList to;
    if (!readLines(pathOf(folder, source), &from, &empty, refusal))
        return nullptr;
    if (empty) {
        refuse(refusal, Tips::TablesEmpty);
        return nullptr;
    }
    if (!readLines(pathOf(folder, target), &to, &empty, refusal))
        return nullptr;
    if (from.size() != to.size()) {
        refuse(refusal, Tips::TablesUnequal);
        return nullptr;
    }
    converter->addPhrases(from, to);
    converter->useLexicon(lexicon.get(), source - NewMainland, target - NewMainland);
    return converter;
}

std::shared_ptr<const Lexicon> ConversionTables::shippedLexicon()
{
    static const std::shared_ptr<const Lexicon> lexicon = [] {
        initTableResources();
        auto shipped = [](const QString &name) {
            QString text;
            shippedText(name, &text);
            return text;
        };
        return Lexicon::fromText(shipped(QStringLiteral("lexicon.txt")),
                                 TextLines::split(shipped(fileName(NewOne))).lines,
                                 TextLines::split(shipped(fileName(OldOne))).lines);
    }();
    return lexicon;
}

bool ConversionTables::loadCustom(const QString &folder, QStringList *from, QStringList *to, Refusal *refusal)
{
    bool fromEmpty = false;
    bool toEmpty = false;
    if (!readLines(pathOf(folder, BeforeCustom), from, &fromEmpty, refusal)
        || !readLines(pathOf(folder, AfterCustom), to, &toEmpty, refusal))
        return false;
    if (fromEmpty || toEmpty) {
        refuse(refusal, Tips::CustomEmpty);
        return false;
    }
    if (from->size() != to->size()) {
        refuse(refusal, Tips::CustomUnequal);
        return false;
    }
    return true;
}

QString ConversionTables::inUse(const QString &folder, int direction)
{
    auto count = [&](int table) {
        QString text;
        if (ReadWriteTxt::readFile(pathOf(folder, table), text) != ReadWriteTxt::ReadOk)
            return 0;
        return TextLines::split(text).lines.size();
    };
    const int source = sourceTable(direction);
    const int target = targetTable(direction);
    QString text = QDir::toNativeSeparators(folder);
    if (source == NewMainland || target == NewMainland)
        text += QStringLiteral(" 单字 %1 条").arg(count(NewOne));
    return text + QStringLiteral(" 词组 %1 条").arg(count(source));
}
