#ifndef TEXTINDEX_H
#define TEXTINDEX_H

// The operations of the text plug-in (values fixed; the gaps carry no
// operation): character operations 1-10, paragraph operations 33-39 and
// the multi-file operations above 64.
enum Enum_TextIndex {
    textNone = 0,
    textReplaced = 1,
    textReplaced2 = 2,
    textRetain = 3,
    textDelete = 4,
    textTo = 5,
    textCode = 6,
    textChar = 7,
    textSpace = 8,
    textAdd = 9,
    textSubtract = 10,
    textBlockRetain = 33,
    textBlockDelete = 34,
    textEnter = 35,
    textRepeat = 36,
    textNumber = 37,
    textDiscombobulated = 38,
    textExtraction = 39,
    textMerge = 65,
    textMultiple = 66
};

// The positions of the option pages in the option dock's stacked widget.
enum Enum_TextPage {
    pageKeys = 0,            // page_1: 1, 2, 3, 4, 33, 34
    pageTo = 1,              // page_8: 5
    pageCode = 2,            // page_11: 6
    pageNumber = 3,          // page_12: 37
    pageSpace = 4,           // page_13: 8
    pageEnter = 5,           // page_14: 35
    pageChar = 6,            // page_15: 7
    pageAdd = 7,             // page_16: 9
    pageExtraction = 8,      // page_17: 39
    pageDiscombobulated = 9, // page_18: 38
    pageRepeat = 10,         // page_19: 36 and 66
    pageMerge = 11,          // page_20: 65
    pageExplain = 12,        // page_9: the explanations
    pageCount = 13
};

#endif // TEXTINDEX_H
