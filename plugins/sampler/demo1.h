#ifndef DEMO1_H
#define DEMO1_H

#include "textbase.h"

// The sample worker: reads its file, "transforms" it into an empty text
// and reports completion. It never writes: writing its empty result back
// would wipe the file.
class Demo1 : public TextBase
{
    Q_OBJECT
public:
    Demo1(const QString &fileName, const OptionRecord *options, QObject *parent = nullptr);

    void run() override;
    QString processText() override;
};

#endif // DEMO1_H
