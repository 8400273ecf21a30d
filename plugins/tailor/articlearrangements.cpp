#include "articlearrangements.h"

#include <QFileInfo>

qint64 ArticleArrangements::fileCount(int size, int count)
{
    if (count < 0 || count > size)
        return 0;
    qint64 files = 1;
    for (int i = 0; i < count; ++i) {
        files *= size - i;
        if (files > MaxFiles)
            return MaxFiles + 1;
    }
    return files;
}

bool ArticleArrangements::acceptable(int size, int count)
{
    return size >= 1 && size <= MaxDocuments && count >= 0 && count <= size
        && fileCount(size, count) <= MaxFiles;
}

QVector<int> ArticleArrangements::first(int count)
{
    QVector<int> chosen(qMax(0, count));
    for (int i = 0; i < chosen.size(); ++i)
        chosen[i] = i;
    return chosen;
}

bool ArticleArrangements::next(QVector<int> &chosen, int size)
{
    const int count = chosen.size();
    QVector<bool> used(size, false);
    for (int d : chosen)
        used[d] = true;
    // The rightmost position that can take a larger unused document; the
    // positions after it get the smallest unused ones, in increasing order.
    for (int i = count - 1; i >= 0; --i) {
        used[chosen[i]] = false;
        int d = chosen[i] + 1;
        while (d < size && used[d])
            ++d;
        if (d == size)
            continue;
        chosen[i] = d;
        used[d] = true;
        int free = 0;
        for (int j = i + 1; j < count; ++j) {
            while (used[free])
                ++free;
            chosen[j] = free;
            used[free] = true;
        }
        return true;
    }
    return false;
}

QString ArticleArrangements::compose(const QString &head, const QStringList &documents, const QVector<int> &chosen,
                                     const QString &tail)
{
    QString text = head;
    for (int d : chosen)
        text += documents.at(d);
    text += tail;
    return text;
}

QString ArticleArrangements::fileName(const QString &folder, qint64 n)
{
    return folder + QLatin1Char('/') + QString::number(n) + QStringLiteral(".txt");
}

int ArticleArrangements::overwritten(const QStringList &documents, const QString &folder, qint64 files)
{
    const QString target = QFileInfo(folder).absoluteFilePath();
    for (int i = 0; i < documents.size(); ++i) {
        const QFileInfo info(documents.at(i));
        if (info.absolutePath() != target || info.suffix() != QLatin1String("txt"))
            continue;
        bool number = false;
        const qint64 n = info.completeBaseName().toLongLong(&number);
        if (number && n >= 1 && n <= files && info.fileName() == fileName(QString(), n).mid(1))
            return i;
    }
    return -1;
}
