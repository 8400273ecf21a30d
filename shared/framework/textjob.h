#ifndef TEXTJOB_H
#define TEXTJOB_H

#include <QString>

#include <optional>

#include "operationrow.h"
#include "textbase.h"

// The worker of an operation that is one pure function of the text and its
// option record O: read the file, apply F, write the result back.
template <class O, QString (*F)(const QString &, const O &)>
class TextJob : public TextBase
{
public:
    TextJob(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr)
        : TextBase(fileName, options, parent)
    {
    }

    QString processText() override { return F(m_text, *options<O>()); }
};

// The same for a function that may refuse a text (std::nullopt): such a
// file is left untouched, gets the tip Refusal and its job counts as
// failed.
template <class O, std::optional<QString> (*F)(const QString &, const O &), const TipCode &Refusal>
class CheckedTextJob : public TextBase
{
public:
    CheckedTextJob(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr)
        : TextBase(fileName, options, parent)
    {
    }

    QString processText() override
    {
        std::optional<QString> result = F(m_text, *options<O>());
        if (!result) {
            refuse(Refusal);
            return m_text;
        }
        return *std::move(result);
    }
};

// The same for a function that rewrites the text in its own memory, so a
// large file is not held twice: F(text, options, changed) returns false to
// refuse (the file untouched, the tip Refusal) and says whether anything
// changed (nothing changed: the file is not written).
template <class O, bool (*F)(QString &, const O &, bool &), const TipCode &Refusal>
class InPlaceTextJob : public TextBase
{
public:
    InPlaceTextJob(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr)
        : TextBase(fileName, options, parent)
    {
    }

    QString processText() override
    {
        QString text = std::move(m_text);
        m_text = QString();
        bool changed = false;
        if (!F(text, *options<O>(), changed)) {
            refuse(Refusal);
            m_text = std::move(text);
            return m_text;
        }
        if (!changed)
            m_text = text; // the same text: the base leaves the file as it is
        return text;
    }
};

// The job maker of an operation table row for a worker class Job with the
// constructor (fileName, options).
template <class Job>
OperationRow::JobMaker jobMaker()
{
    return [](const QString &fileName, const OptionRecord *options, int) -> TextBase * {
        return new Job(fileName, options);
    };
}

#endif // TEXTJOB_H
