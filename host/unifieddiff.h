#ifndef UNIFIEDDIFF_H
#define UNIFIEDDIFF_H

#include <QString>

// A unified diff of two texts by lines (three lines of context), with the
// "---"/"+++" header naming oldName and newName; empty when the texts have
// the same lines.
class UnifiedDiff
{
public:
    static QString of(const QString &oldText, const QString &newText, const QString &oldName,
                      const QString &newName);
};

#endif // UNIFIEDDIFF_H
