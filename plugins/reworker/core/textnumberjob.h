#ifndef TEXTNUMBERJOB_H
#define TEXTNUMBERJOB_H

#include "textbase.h"
#include "textnumber.h"

// The numbering worker: hands the file's text over to be numbered in its
// own memory, so a large file is not held twice.
class TextNumberJob : public TextBase
{
public:
    TextNumberJob(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr)
        : TextBase(fileName, options, parent)
    {
    }

    QString processText() override
    {
        QString text = std::move(m_text);
        TextNumber::processInPlace(text, *options<NumberOptions>());
        return text;
    }
};

#endif // TEXTNUMBERJOB_H
