#include "codeeditor.h"

CodeEditor::CodeEditor(QWidget *parent)
    : LineNumberedEdit(parent)
{
}
