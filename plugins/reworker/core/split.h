#ifndef SPLIT_H
#define SPLIT_H

#include <QString>
#include <QStringList>

#include "optionrecord.h"
#include "textbase.h"

// The options of splitting a file: into parts of a fixed number of lines,
// or at every line that equals a dividing text.
struct SplitOptions : OptionRecord
{
    enum Mode { ByCount = 0, ByLine = 1 };

    Mode mode = ByCount;
    int count = 0;
    QString splitText;
};

namespace Split {

// Whether the options can be used: a count above 0, or a dividing text.
bool isUsable(const SplitOptions &options);

// The parts of text. The dividing lines are dropped, and so are parts
// without lines; each part's lines end with a line break, except the last
// part's, which ends as the text does.
QStringList parts(const QString &text, const SplitOptions &options);

// "<base>_<n>.<suffix>" beside source (n from 1; no dot without a suffix).
QString partName(const QString &source, int n);

} // namespace Split

// The split job of one file: writes its parts beside it, in its own
// encoding and line-ending style; the file itself is never changed.
class TextSplit : public TextBase
{
    Q_OBJECT
public:
    TextSplit(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr);

    void run() override;
    QString processText() override { return m_text; }

    QStringList producedFiles() const override { return m_parts; }

private:
    QStringList m_parts;
};

#endif // SPLIT_H
