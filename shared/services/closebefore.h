#ifndef CLOSEBEFORE_H
#define CLOSEBEFORE_H

#include "ini.h"

// What happens to unsaved changes of an editor that closes ([currency]
// close, the index of the options window's choice): saved without a
// question, asked about (save, discard or cancel), or discarded.
enum class CloseBefore { Save = 0, Inquiry = 1, Ignore = 2 };

// [currency] close of "./configure.ini"; a value out of range saves.
inline CloseBefore closeBeforeSetting()
{
    const int value = readIni(configureIni(), QStringLiteral("currency"), QStringLiteral("close"),
                              QStringLiteral("0")).toInt(nullptr, 10);
    return value == 1 ? CloseBefore::Inquiry : value == 2 ? CloseBefore::Ignore : CloseBefore::Save;
}

#endif // CLOSEBEFORE_H
