#ifndef NEWJOB_H
#define NEWJOB_H

#include <QByteArray>
#include <QString>

#include "textbasenew.h"

class BufferedWriter;

// A generation job: streams its output through a buffered writer into a
// temporary file beside its target, so no file's text is ever held whole
// in memory, and renames it over the target only when complete (a failed
// job leaves any older file of that name as it was). Run by a batch, the
// file is made durable by the batch's one sync at the end; alone, it is
// synced before the rename. Tips: (0, 4) when written,
// (0, 0) when the file cannot be created, (0, 2) when a write fails, and
// (-4, 0) when done.
class NewJob : public TextBaseNew
{
    Q_OBJECT
public:
    // listTitle: the list name a produced file is handed to the host with.
    NewJob(const QString &fileName, const OptionRecord *options, const QString &listTitle,
           QObject *parent = nullptr);

    void run() override;
    // The whole output as text (small outputs and tests).
    QString processText() override;
    // The whole output as the bytes written to the file.
    QByteArray bytes() const;

    QString listTitle() const { return m_listTitle; }
    // The file, once written.
    QStringList producedFiles() const override { return succeeded() ? QStringList(m_fileName) : QStringList(); }

protected:
    // Writes the job's output; the writer reports failures itself.
    virtual void generate(BufferedWriter &out) const = 0;

private:
    QString m_listTitle;
};

#endif // NEWJOB_H
