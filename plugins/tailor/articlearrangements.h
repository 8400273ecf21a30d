#ifndef ARTICLEARRANGEMENTS_H
#define ARTICLEARRANGEMENTS_H

#include <QString>
#include <QStringList>
#include <QVector>

// The arrangements of the Article job: every ordered choice of count
// different documents out of size, in lexicographic order of their index
// sequences, each written as one file holding the head, the chosen
// documents' texts in order and the tail, with no separators.
class ArticleArrangements
{
public:
    static const int MaxDocuments = 28; // the most documents one list may hold
    static const int MaxFiles = 100000; // the most files one start may write

    // P(size, count), the number of files; 0 for a count below 0 or above
    // size. Counts above MaxFiles are given as MaxFiles + 1.
    static qint64 fileCount(int size, int count);
    // Whether a start with these numbers is acceptable: at most MaxDocuments
    // documents, at least one, 0 <= count <= size, at most MaxFiles files.
    static bool acceptable(int size, int count);

    // The first arrangement: 0, 1, ..., count - 1.
    static QVector<int> first(int count);
    // Moves chosen to the next arrangement of size documents; false (and
    // chosen unspecified) after the last one.
    static bool next(QVector<int> &chosen, int size);

    // Head, the texts of the chosen documents, tail.
    static QString compose(const QString &head, const QStringList &documents, const QVector<int> &chosen,
                           const QString &tail);

    // The name of the n-th file (from 1) in folder: folder + "/" + n + ".txt".
    static QString fileName(const QString &folder, qint64 n);
    // The position of the first document that the files 1 .. files in
    // folder would overwrite; -1 when none.
    static int overwritten(const QStringList &documents, const QString &folder, qint64 files);
};

#endif // ARTICLEARRANGEMENTS_H
