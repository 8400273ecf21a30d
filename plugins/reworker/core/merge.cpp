#include "merge.h"

#include <QDir>
#include <QFileInfo>

namespace Merge {

QString expand(const QString &separator, int number, const QString &path)
{
    if (!separator.contains(QLatin1Char('[')))
        return separator;
    const QFileInfo info(path);
    QString result;
    for (int i = 0; i < separator.size(); ++i) {
        if (separator.at(i) == QLatin1Char('[') && i + 2 < separator.size() && separator.at(i + 2) == QLatin1Char(']')) {
            const QChar name = separator.at(i + 1);
            QString value;
            bool known = true;
            if (name == QLatin1Char('i'))
                value = QString::number(number);
            else if (name == QLatin1Char('N'))
                value = info.completeBaseName();
            else if (name == QLatin1Char('S'))
                value = info.suffix();
            else if (name == QLatin1Char('P'))
                value = path;
            else
                known = false;
            if (known) {
                result += value;
                i += 2;
                continue;
            }
        }
        result += separator.at(i);
    }
    return result;
}

QString join(const QList<MergeInput> &inputs, const QString &separator)
{
    QString result;
    for (int k = 0; k < inputs.size(); ++k) {
        const MergeInput &input = inputs.at(k);
        if (k > 0) {
            if (!result.endsWith(QLatin1Char('\n')))
                result += QLatin1Char('\n');
            if (!separator.isEmpty())
                result += expand(separator, input.number, input.path) + QLatin1Char('\n');
        }
        result += input.text;
    }
    return result;
}

QString outputName(const QString &folder, int listId)
{
    return QDir(folder).filePath(QStringLiteral("merge%1.txt").arg(listId));
}

} // namespace Merge

TextMerge::TextMerge(const QString &outputName, const QStringList &inputs, const OptionRecord *options,
                     QObject *parent)
    : TextBaseNew(outputName, options, parent)
    , m_inputs(inputs)
{
}

QString TextMerge::processText()
{
    const QString output = QFileInfo(m_fileName).absoluteFilePath();
    QList<MergeInput> read;
    int crlf = 0;
    for (int i = 0; i < m_inputs.size(); ++i) {
        const QString &path = m_inputs.at(i);
        if (QFileInfo(path).absoluteFilePath() == output)
            continue;
        MergeInput input{path, i + 1, QString()};
        if (!readTxt(path, input.text))
            continue;
        if (m_format.crlf)
            ++crlf;
        read << input;
    }
    // The output is a new file; its line ends follow the inputs when they
    // all agree.
    m_format = TextFormat();
    m_format.crlf = !read.isEmpty() && crlf == read.size();
    return Merge::join(read, options<MergeOptions>()->separator);
}

QStringList TextMerge::producedFiles() const
{
    return succeeded() ? QStringList(m_fileName) : QStringList();
}
