#ifndef MERGE_H
#define MERGE_H

#include <QList>
#include <QString>
#include <QStringList>

#include "optionrecord.h"
#include "textbasenew.h"

// The options of a merge: the text put between two files, with the
// variables [i], [N], [S] and [P] of the file that follows.
struct MergeOptions : OptionRecord
{
    QString separator;
};

// One input of a merge: its path, its number in its list (from 1) and
// its text.
struct MergeInput
{
    QString path;
    int number = 0;
    QString text;
};

namespace Merge {

// separator with [i] = number, [N] = the file name without folder and
// suffix, [S] = the suffix, [P] = the full path; anything else as it is.
QString expand(const QString &separator, int number, const QString &path);

// The texts one after another. A text that does not end with a line break
// gets one before the next text or the separator; a non-empty separator
// (expanded for the file that follows) stands on a line of its own.
QString join(const QList<MergeInput> &inputs, const QString &separator);

// "merge" + list id + ".txt" in folder.
QString outputName(const QString &folder, int listId);

} // namespace Merge

// The merge job of one list: reads its files (an unreadable one is
// reported and left out; the output file itself is never an input), joins
// them and writes the result, in one piece, to the output file, with
// "\r\n" line ends when every input had them.
class TextMerge : public TextBaseNew
{
    Q_OBJECT
public:
    TextMerge(const QString &outputName, const QStringList &inputs, const OptionRecord *options,
              QObject *parent = nullptr);

    QString processText() override;

    QStringList producedFiles() const override;

private:
    QStringList m_inputs;
};

#endif // MERGE_H
