#ifndef CUSTOMIZEDARTICLE_H
#define CUSTOMIZEDARTICLE_H

#include "textbase.h"

// The Article job, one per start: reads each document once, then writes
// one file per arrangement (ArticleArrangements) into the folder of the
// first document, 1.txt, 2.txt, ..., each through the shared writer and
// named in one outcome tip, a written one then in its completion tip
// (-4, 0). A document that cannot be read is named in a tip and adds
// nothing; a file that cannot be written uses up its number.
class CustomizedArticle : public TextBase
{
    Q_OBJECT
public:
    // options: an ArticleOptions record that outlives the job.
    CustomizedArticle(const OptionRecord *options, QObject *parent = nullptr);

    void run() override;
    QString processText() override { return m_text; }

    // Files written by the last run.
    qint64 written() const { return m_written; }

private:
    qint64 m_written = 0;
};

#endif // CUSTOMIZEDARTICLE_H
