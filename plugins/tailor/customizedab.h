#ifndef CUSTOMIZEDAB_H
#define CUSTOMIZEDAB_H

#include "textbase.h"

// The AB job, one per start: reads every B file once and every A file once,
// looks all A lines up (AbSearch), writes the output file, then rewrites
// each A file through the shared writer (atomically, keeping its encoding,
// byte-order mark and line ends).
//
// Nothing is written when a B file cannot be read (a missing B file would
// mark found lines as not found), when no A file can be read, or when the
// output cannot be written.
// An A file that cannot be read is named in a tip and left out. Each A
// file gets one outcome tip: (0, 4) when rewritten or (0, 5) when its text
// stays as it was, each followed by (-4, 0), or the failure that kept it
// as it was.
class CustomizedAB : public TextBase
{
    Q_OBJECT
public:
    // options: an ABOptions record that outlives the job; the job's file is
    // the output file.
    CustomizedAB(const OptionRecord *options, QObject *parent = nullptr);

    void run() override;
    // The whole lookup runs in run(); this gives the output text.
    QString processText() override { return m_text; }

    // Whether the output file was written by the last run.
    bool outputWritten() const { return m_outputWritten; }
    QStringList producedFiles() const override { return m_outputWritten ? QStringList(m_fileName) : QStringList(); }

private:
    bool m_outputWritten = false;
};

#endif // CUSTOMIZEDAB_H
