#ifndef HOSTTESTCASE_H
#define HOSTTESTCASE_H

#include <QObject>

#include "hostdriver.h"
#include "testfolder.h"

// The frame of a test class that drives the real main window: the process
// made ready once, every test in a fresh working folder of its own, and
// after it the window stopped and the folder removed. A class that has
// more to prepare declares its own init() and enters m_folder itself.
class HostTestCase : public QObject
{
    Q_OBJECT
protected slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

protected:
    TestFolder m_folder;
    HostDriver m_host;
};

#endif // HOSTTESTCASE_H
