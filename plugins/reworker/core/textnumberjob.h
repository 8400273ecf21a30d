#ifndef TEXTNUMBERJOB_H
#define TEXTNUMBERJOB_H

#include "textbase.h"
#include "textnumber.h"
#include "tipcodes.h"

// The numbering worker: hands the file's text over to be numbered in its
// own memory, so a large file is not held twice. A file whose labels would
// not fit in one text is left as it is and reported as too large.
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
        const int before = text.size();
        if (!TextNumber::processInPlace(text, *options<NumberOptions>()))
            refuse(Tips::FileTooLarge);
        // Labels only add or only remove characters: the same length is the
        // same text, which the base then leaves unwritten.
        if (text.size() == before)
            m_text = text;
        return text;
    }
};

#endif // TEXTNUMBERJOB_H
