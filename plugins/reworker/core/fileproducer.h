#ifndef FILEPRODUCER_H
#define FILEPRODUCER_H

#include <QString>
#include <QStringList>

// A job that writes files of its own; once it has ended, the plug-in hands
// them to the host's list listName().
class FileProducer
{
public:
    virtual ~FileProducer() = default;
    // The files the job has written, in order.
    virtual QStringList producedFiles() const = 0;
    virtual QString listName() const = 0;
};

#endif // FILEPRODUCER_H
