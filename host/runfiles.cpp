#include "runfiles.h"

#include "readwritetxt.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtConcurrent>

#include <algorithm>
#include <functional>

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
    const QList<QRegularExpression> include = patterns(request.include);
    const QList<QRegularExpression> exclude = patterns(request.exclude);
    QStringList candidates;
    for (const QString &path : request.paths) {
        // Named files are taken as named; one that is missing or not
        // readable is reported by the job.
        if (!QFileInfo(path).isDir()) {
            candidates << path;
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
        candidates += found;
    }
    // The first bytes of every file are read on all pool threads at once;
    // the order of the files stays as it was.
    const std::function<bool(const QString &)> sniff = [](const QString &file) {
        return ReadWriteTxt::looksBinary(file);
    };
    const QList<bool> binary = QtConcurrent::blockingMapped<QList<bool>>(candidates, sniff);
    Result result;
    result.files.reserve(candidates.size());
    for (int i = 0; i < candidates.size(); ++i) {
        if (binary.at(i))
            ++result.binarySkipped;
        else
            result.files << candidates.at(i);
    }
    return result;
}
