#include "unifieddiff.h"

#include <QStringList>

#include <dtl/dtl.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

// Lines without their ends; a final line end starts no line of its own.
std::vector<std::string> linesOf(const QString &text)
{
    QStringList parts = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        parts.removeLast();
    std::vector<std::string> lines;
    lines.reserve(size_t(parts.size()));
    for (const QString &part : qAsConst(parts))
        lines.push_back(part.toStdString());
    return lines;
}

} // namespace

QString UnifiedDiff::of(const QString &oldText, const QString &newText, const QString &oldName,
                        const QString &newName)
{
    const std::vector<std::string> a = linesOf(oldText);
    const std::vector<std::string> b = linesOf(newText);
    dtl::Diff<std::string> diff(a, b);
    diff.compose();
    if (diff.getEditDistance() == 0)
        return QString();
    diff.composeUnifiedHunks();
    std::ostringstream out;
    diff.printUnifiedFormat(out);
    return QStringLiteral("--- %1\n+++ %2\n").arg(oldName, newName) + QString::fromStdString(out.str());
}
