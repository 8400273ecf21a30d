#include "foldertestcase.h"

#include <QtTest>

#include "fakehost.h"

void FolderTestCase::initTestCase()
{
    TestFolder::prepareProcess();
}

void FolderTestCase::cleanupTestCase()
{
    joinPoolThreads();
}

void FolderTestCase::init()
{
    QVERIFY(m_folder.enter());
}

void FolderTestCase::cleanup()
{
    m_folder.leave();
}
