#ifndef DELETEREGULAR_H
#define DELETEREGULAR_H

#include "textbase.h"

// The deletion job of one file: read it, remove every match of the start's
// pattern, write it back (only once the new content is complete, keeping
// its encoding, byte-order mark and line ends), then the completion tip.
class DeleteRegular : public TextBase
{
    Q_OBJECT
public:
    // options: a DeleteOptions record that outlives the job.
    DeleteRegular(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr);

    QString processText() override;
};

#endif // DELETEREGULAR_H
