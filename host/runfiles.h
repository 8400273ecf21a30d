#ifndef RUNFILES_H
#define RUNFILES_H

#include <QString>
#include <QStringList>

// The files a run from the command line works on: the files named, and
// the files of the folders named (with their subfolders when recursive),
// those of a folder filtered by glob patterns on their names. Hidden
// files and folders inside a folder are left out, and symbolic links to
// folders are not followed, so a run never wanders into a version
// control folder or around a loop. Files that look binary are skipped and
// counted (ReadWriteTxt::looksBinary: a NUL byte in the first 8 KiB).
class RunFiles
{
public:
    struct Request
    {
        QStringList paths;
        bool recursive = false;
        QStringList include; // a folder's file must match one of these, when any
        QStringList exclude; // and none of these
    };
    struct Result
    {
        QStringList files;     // in the order named, a folder's sorted by path
        int binarySkipped = 0; // named or found, looked binary
    };

    static Result collect(const Request &request);
};

#endif // RUNFILES_H
