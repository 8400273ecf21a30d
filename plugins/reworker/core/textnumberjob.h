#ifndef TEXTNUMBERJOB_H
#define TEXTNUMBERJOB_H

#include "textbase.h"
#include "textnumber.h"
#include "tipcodes.h"

// The numbering worker: hands the file's text over to be numbered in its
// own memory, so a large file is not held twice. A file whose labels would
// not fit in one text is left as it is and reported as not writable.
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
        if (!TextNumber::processInPlace(text, *options<NumberOptions>()))
            refuse(Tips::FileUnwritable.var1, Tips::FileUnwritable.var2);
        return text;
    }
};

#endif // TEXTNUMBERJOB_H
