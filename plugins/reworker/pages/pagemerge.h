#ifndef PAGEMERGE_H
#define PAGEMERGE_H

#include "merge.h"
#include "textpage.h"

class QPlainTextEdit;

// page_20, merge (合并): the text put between two merged files, and the
// list of its variables.
class PageMerge : public TextPage
{
    Q_OBJECT
public:
    explicit PageMerge(QWidget *parent = nullptr);

    MergeOptions mergeOptions() const;

private:
    QPlainTextEdit *m_separator;
};

#endif // PAGEMERGE_H
