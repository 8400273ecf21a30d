#ifndef CODEEDITOR_H
#define CODEEDITOR_H

#include "linenumberededit.h"

// A plain-text editor with a line-number gutter and a highlighted current
// line. Not bound to any file.
class CodeEditor : public LineNumberedEdit
{
    Q_OBJECT
public:
    explicit CodeEditor(QWidget *parent = nullptr);
};

#endif // CODEEDITOR_H
