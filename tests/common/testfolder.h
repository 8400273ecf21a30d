#ifndef TESTFOLDER_H
#define TESTFOLDER_H

#include <QByteArray>
#include <QString>

#include <memory>

class QTemporaryDir;

// A fresh temporary folder as the working directory of one test function,
// so the program's files ("plus.ini", logs, settings) never leak from one
// test into the next.
class TestFolder
{
public:
    TestFolder();
    ~TestFolder();

    // Creates the folder and makes it the working directory.
    bool enter();
    // Back to the system's temporary folder; the folder is removed.
    void leave();

    QString path() const;
    QString path(const QString &name) const;

    // Once per test program: UTF-8 as the locale's codec and the offscreen
    // platform's notes silenced.
    static void prepareProcess();

    // A file's bytes; "<missing>" when it cannot be read, so that a file
    // that is not there never passes for an empty one.
    static QByteArray bytesOf(const QString &path);
    // Writes bytes as the whole file, creating its folder; false when it
    // cannot.
    static bool put(const QString &path, const QByteArray &bytes);
    // Puts a file that is not a regular one at path, in place of whatever
    // is there: kind "pipe" (a named pipe), "socket", "device" (a link to
    // /dev/null) or "folder". False when it cannot.
    static bool putSpecial(const QString &path, const QString &kind);

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

#endif // TESTFOLDER_H
