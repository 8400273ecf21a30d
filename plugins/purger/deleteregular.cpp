#include "deleteregular.h"

#include "deleteoptions.h"
#include "deletepatterns.h"

DeleteRegular::DeleteRegular(const QString &fileName, const OptionRecord *options, QObject *parent)
    : TextBase(fileName, options, parent)
{
}

QString DeleteRegular::processText()
{
    const DeleteOptions *o = options<DeleteOptions>();
    return DeletePatterns::apply(m_text, o->index, o->pattern);
}
