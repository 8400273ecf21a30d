#ifndef NEWVARIABLEINT_H
#define NEWVARIABLEINT_H

#include <QByteArray>

#include "newjob.h"
#include "newoptions.h"

// Template generation: one copy of the template per item, in which every
// variable's name is replaced, variable by variable in table order, by
// the item's number g + startValue - 1 in decimal, padded on the left
// with padContent repeated (padLength - its length) times. The copies are
// joined with "\n" (none after the last). A job writes the items
// first .. last (1-based, inclusive, as numbered over the whole start).
class NewVariableInt : public NewJob
{
    Q_OBJECT
public:
    NewVariableInt(const QString &fileName, const NewVariableOptions *options, qint64 first, qint64 last,
                   QObject *parent = nullptr);

    // At least one variable, no empty name, and a template and pads the
    // output encoding can hold; fills the encoded form of the options.
    static bool prepare(NewVariableOptions &options);

    // Bytes of items first .. last; saturates at the largest quint64.
    static quint64 byteCount(const NewVariableOptions &options, qint64 first, qint64 last);

    // One variable's text for item g.
    static QString value(const NewVariable &variable, qint64 g);

    static void write(const NewVariableOptions &options, qint64 first, qint64 last, BufferedWriter &out);
    static QByteArray text(const NewVariableOptions &options, qint64 first, qint64 last);

protected:
    void generate(BufferedWriter &out) const override;

private:
    qint64 m_first;
    qint64 m_last;
};

#endif // NEWVARIABLEINT_H
