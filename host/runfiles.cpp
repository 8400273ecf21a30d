#include "runfiles.h"

#include "readwritetxt.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

QList<QRegularExpression> patterns(const QStringList &globs)
{
    QList<QRegularExpression> list;
    for (const QString &glob : globs)
        list << QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob));
    return list;
}

bool matchesAny(const QList<QRegularExpression> &list, const QString &name)
{
    for (const QRegularExpression &re : list) {
        if (re.match(name).hasMatch())
            return true;
    }
    return false;
}

} // namespace

RunFiles::Result RunFiles::collect(const Request &request)
{
    Result result;
    const QList<QRegularExpression> include = patterns(request.include);
    const QList<QRegularExpression> exclude = patterns(request.exclude);
    for (const QString &path : request.paths) {
        const QFileInfo info(path);
        if (!info.isDir()) {
            // Named files are taken as named; one that is missing or not
            // readable is reported by the job.
            if (ReadWriteTxt::looksBinary(path))
                ++result.binarySkipped;
            else
                result.files << path;
            continue;
        }
        QStringList found;
        QDirIterator it(path, QDir::Files | QDir::NoDotAndDotDot,
                        request.recursive ? QDirIterator::Subdirectories : QDirIterator::NoIteratorFlags);
        while (it.hasNext()) {
            const QString file = it.next();
            const QString name = it.fileName();
            if (!include.isEmpty() && !matchesAny(include, name))
                continue;
            if (matchesAny(exclude, name))
                continue;
            found << file;
        }
        std::sort(found.begin(), found.end());
        for (const QString &file : qAsConst(found)) {
            if (ReadWriteTxt::looksBinary(file))
                ++result.binarySkipped;
            else
                result.files << file;
        }
    }
    return result;
}
