#include "codeeditor.h"

#include "linenumberarea.h"

CodeEditor::CodeEditor(QWidget *parent)
    : LineNumberedEdit(parent)
    , lineNumberArea(new LineNumberArea(this))
{
    setLineNumberArea(lineNumberArea);
}
