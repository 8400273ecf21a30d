#ifndef HOSTTESTCASE_H
#define HOSTTESTCASE_H

#include "foldertestcase.h"
#include "hostdriver.h"

// The frame of a test class that drives the real main window: that of
// FolderTestCase, and after each test the window stopped before its
// folder goes.
class HostTestCase : public FolderTestCase
{
    Q_OBJECT
protected slots:
    void cleanup();

protected:
    HostDriver m_host;
};

#endif // HOSTTESTCASE_H
