#ifndef FILETYPE_H
#define FILETYPE_H

#include <QString>

// One entry of a file list: the host-wide file ID given when the entry was
// added, and the full path. Owned by the list that holds it.
struct FileType
{
    int id = 0;
    QString fileName;
};

#endif // FILETYPE_H
