#ifndef FILEPRODUCER_H
#define FILEPRODUCER_H

#include <QString>
#include <QStringList>

#include <atomic>

// A job that writes files of its own; once it has ended, the plug-in hands
// them to the host's list listName(). Jobs end in any order on the pool;
// order() is the order they were made in, which is the order of the lists
// or files they work on, so the new list can follow it.
class FileProducer
{
public:
    FileProducer() : m_order(nextOrder()) {}
    virtual ~FileProducer() = default;
    // The files the job has written, in order.
    virtual QStringList producedFiles() const = 0;
    virtual QString listName() const = 0;
    quint64 order() const { return m_order; }

private:
    static quint64 nextOrder()
    {
        static std::atomic<quint64> counter{0};
        return ++counter;
    }
    quint64 m_order;
};

#endif // FILEPRODUCER_H
