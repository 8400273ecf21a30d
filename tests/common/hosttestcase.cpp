#include "hosttestcase.h"

#include <QtTest>

#include "fakehost.h"

void HostTestCase::initTestCase()
{
    TestFolder::prepareProcess();
}

void HostTestCase::cleanupTestCase()
{
    joinPoolThreads();
}

void HostTestCase::init()
{
    QVERIFY(m_folder.enter());
}

void HostTestCase::cleanup()
{
    m_host.stop();
    m_folder.leave();
}
