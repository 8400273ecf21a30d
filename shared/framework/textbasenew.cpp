#include "textbasenew.h"

TextBaseNew::TextBaseNew(const QString &fileName, const OptionRecord *options, QObject *parent)
    : TextBase(fileName, options, parent)
{
}

void TextBaseNew::run()
{
    m_text = processText();
    if (!writeTxt(m_fileName, m_text))
        return;
    finish();
}
