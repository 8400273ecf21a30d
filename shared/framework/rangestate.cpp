#include "rangestate.h"

QString RangeState::caption(int range)
{
    switch (range) {
    case allLists: return QStringLiteral("所有列表");
    case currentList: return QStringLiteral("当前列表");
    case currentDocument: return QStringLiteral("当前文档");
    default: return QString();
    }
}
