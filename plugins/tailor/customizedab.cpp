#include "customizedab.h"

#include <QVector>

#include "aboptions.h"
#include "absearch.h"
#include "readwritetxt.h"
#include "tipcodes.h"

CustomizedAB::CustomizedAB(const OptionRecord *options, QObject *parent)
    : TextBase(static_cast<const ABOptions *>(options)->output, options, parent)
{
}

void CustomizedAB::run()
{
    m_outputWritten = false;
    const ABOptions *o = options<ABOptions>();

    QStringList bTexts;
    bool bRead = true;
    for (const QString &name : o->bFiles) {
        QString text;
        if (!readTxt(name, text))
            bRead = false;
        bTexts << text;
    }
    if (!bRead)
        return;

    QStringList aFiles;
    QStringList aTexts;
    QVector<TextFormat> aFormats;
    for (const QString &name : o->aFiles) {
        QString text;
        TextFormat format;
        const int outcome = ReadWriteTxt::readFile(name, text, &format);
        if (outcome != ReadWriteTxt::ReadOk) {
            emitTip(ReadWriteTxt::tipOf(outcome), name);
            continue;
        }
        aFiles << name;
        aTexts << text;
        aFormats << format;
    }

    // Nothing to look up: an earlier output stays as it was.
    if (aFiles.isEmpty())
        return;

    const AbSearch::Result result = AbSearch::run(aTexts, bTexts);
    m_text = result.output;
    // A brand-new file: the locale encoding, "\n" line ends.
    m_format = TextFormat();
    if (!writeTxt(m_fileName, m_text))
        return;
    m_outputWritten = true;

    for (int i = 0; i < aFiles.size(); ++i) {
        const QString &name = aFiles.at(i);
        if (result.aTexts.at(i) == aTexts.at(i)) {
            // Every line found, none empty, the last one ended: nothing to write.
            emitTip(Tips::Unchanged, name);
        } else {
            // Made durable at once: the A files may lie on other file
            // systems than the output, which the batch syncs. Their old
            // content is kept for undo like any rewritten file's.
            const int outcome = writeKeepingOld(name, result.aTexts.at(i), aFormats.at(i), false);
            emitTip(ReadWriteTxt::tipOf(outcome), name);
            if (outcome != ReadWriteTxt::Saved)
                continue;
        }
        emitTip(Tips::JobDone, name);
    }
}
