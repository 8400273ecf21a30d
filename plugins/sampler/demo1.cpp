#include "demo1.h"

Demo1::Demo1(const QString &fileName, const OptionRecord *options, QObject *parent)
    : TextBase(fileName, options, parent)
{
}

void Demo1::run()
{
    if (!readTxt(m_fileName, m_text))
        return;
    m_text = processText();
    finish();
}

QString Demo1::processText()
{
    return QString();
}
