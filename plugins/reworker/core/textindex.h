#ifndef TEXTINDEX_H
#define TEXTINDEX_H

// The operations of the text plug-in (values fixed, as stored and named
// elsewhere; the gaps carry no operation). What an operation works on and
// where its label and page go are said by its row.
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

// The groups of labels in the list dock, in order: 字符, 段落, 多文件.
enum Enum_TextGroup {
    groupCharacters = 0,
    groupParagraphs = 1,
    groupFiles = 2
};

// The positions of the option pages in the option dock's stacked widget;
// the rows say which page each operation shows and how it is made.
enum Enum_TextPage {
    pageKeys = 0,
    pageTo = 1,
    pageCode = 2,
    pageNumber = 3,
    pageSpace = 4,
    pageEnter = 5,
    pageChar = 6,
    pageAdd = 7,
    pageExtraction = 8,
    pageDiscombobulated = 9,
    pageRepeat = 10,
    pageMerge = 11,
    pageExplain = 12 // the explanations
};

#endif // TEXTINDEX_H
