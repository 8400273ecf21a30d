#include "split.h"

#include <QDir>
#include <QFileInfo>

#include "textlines.h"

namespace Split {

bool isUsable(const SplitOptions &options)
{
    return options.mode == SplitOptions::ByCount ? options.count > 0 : !options.splitText.isEmpty();
}

QStringList parts(const QString &text, const SplitOptions &options)
{
    const TextLines lines = TextLines::split(text);
    QList<QStringList> groups;
    QStringList current;
    for (const QString &line : lines.lines) {
        if (options.mode == SplitOptions::ByLine && line == options.splitText) {
            if (!current.isEmpty())
                groups << current;
            current.clear();
            continue;
        }
        current << line;
        if (options.mode == SplitOptions::ByCount && current.size() >= options.count) {
            groups << current;
            current.clear();
        }
    }
    if (!current.isEmpty())
        groups << current;

    QStringList result;
    for (int i = 0; i < groups.size(); ++i) {
        QString part = groups.at(i).join(QLatin1Char('\n'));
        if (i + 1 < groups.size() || lines.finalBreak)
            part += QLatin1Char('\n');
        result << part;
    }
    return result;
}

QString partName(const QString &source, int n)
{
    const QFileInfo info(source);
    QString name = info.completeBaseName() + QLatin1Char('_') + QString::number(n);
    if (!info.suffix().isEmpty())
        name += QLatin1Char('.') + info.suffix();
    return info.dir().filePath(name);
}

} // namespace Split

TextSplit::TextSplit(const QString &fileName, const OptionRecord *options, QObject *parent)
    : TextBase(fileName, options, parent)
{
}

void TextSplit::run()
{
    m_parts.clear();
    if (!readTxt(m_fileName, m_text))
        return;
    const QStringList parts = Split::parts(m_text, *options<SplitOptions>());
    for (int i = 0; i < parts.size(); ++i) {
        const QString name = Split::partName(m_fileName, i + 1);
        if (!writeTxt(name, parts.at(i)))
            return;
        m_parts << name;
    }
    finish();
}
