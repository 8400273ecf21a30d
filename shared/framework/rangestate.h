#ifndef RANGESTATE_H
#define RANGESTATE_H

#include <QString>

// Which files a start covers.
enum Enum_Range {
    allLists = 0,       // "所有列表"
    currentList = 1,    // "当前列表"
    currentDocument = 2 // "当前文档"
};

// A plug-in's selection: the chosen operation and the ranges in force for
// single-file and for multi-file operations. One per plug-in library; it
// outlives the docks (only the operation returns to 0 when they close).
struct RangeState
{
    int currentIndex = 0;
    int currentRange = currentDocument;
    int currentMultiRange = currentList;

    // "所有列表", "当前列表", "当前文档"; empty for any other value.
    static QString caption(int range);
};

#endif // RANGESTATE_H
