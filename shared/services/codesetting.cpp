#include "codesetting.h"

#include <QTextCodec>

#include "ini.h"
#include "textformat.h"

QStringList CodeSetting::names()
{
    return { automaticName(), utf8Name(), QStringLiteral("ANSI"), QStringLiteral("GB18030") };
}

CodeSetting::Mode CodeSetting::mode(const QString &name)
{
    if (name == utf8Name())
        return Utf8;
    if (name == QLatin1String("GB18030"))
        return Gb18030;
    if (name == automaticName())
        return Automatic;
    return Locale;
}

QString CodeSetting::setting()
{
    return readIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"), defaultName());
}

void CodeSetting::apply(const QString &name)
{
    const Mode chosen = mode(name);
    if (chosen == Gb18030 || chosen == Automatic)
        return;
    // A name no codec has ("ANSI") restores the system's encoding.
    QTextCodec::setCodecForLocale(QTextCodec::codecForName(name.toLatin1()));
}

QTextCodec *CodeSetting::codecFor(Mode mode)
{
    switch (mode) {
    case Utf8:
    case Automatic:
        return QTextCodec::codecForMib(106);
    case Gb18030:
        return QTextCodec::codecForName("GB18030");
    case Locale:
        break;
    }
    return QTextCodec::codecForLocale();
}

QString CodeSetting::describe(const TextFormat &format)
{
    QTextCodec *codec = format.codecName.isEmpty() ? nullptr : QTextCodec::codecForName(format.codecName);
    if (!codec)
        codec = codecFor(current());
    QString name = QString::fromLatin1(codec->name());
    if (format.bom)
        name += QStringLiteral(" BOM");
    return name;
}
