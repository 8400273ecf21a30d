#ifndef TEXTBASENEW_H
#define TEXTBASENEW_H

#include "textbase.h"

// A job that produces a file rather than transforming one: processText()
// builds the whole text from the options alone, and run() writes it to
// m_fileName (created or replaced) in the locale encoding with "\n" line
// ends, without reading anything first.
class TextBaseNew : public TextBase
{
    Q_OBJECT
public:
    TextBaseNew(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr);

    void run() override;
};

#endif // TEXTBASENEW_H
