#ifndef FOLDERTESTCASE_H
#define FOLDERTESTCASE_H

#include <QObject>

#include "testfolder.h"

// The frame of a test class whose tests work on real files: the process
// made ready once, every test in a fresh working folder of its own that
// goes after it, and the pool's threads joined at the end. A class that
// has more to prepare declares its own init() and enters m_folder itself.
class FolderTestCase : public QObject
{
    Q_OBJECT
protected slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

protected:
    TestFolder m_folder;
};

#endif // FOLDERTESTCASE_H
