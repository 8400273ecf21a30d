#include "hosttestcase.h"

void HostTestCase::cleanup()
{
    m_host.stop();
    FolderTestCase::cleanup();
}
