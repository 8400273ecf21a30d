#include "presetstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>

#include <algorithm>

namespace {

const QString suffix = QStringLiteral(".json");
// A preset is a few options; anything much larger is not one.
const qint64 largestPreset = 16 << 20;

} // namespace

QString PresetStore::folder()
{
    return QDir::currentPath() + QStringLiteral("/data/presets");
}

QString PresetStore::pathOf(const QString &name, const QString &folder)
{
    return folder + QLatin1Char('/') + name + suffix;
}

bool PresetStore::isValidName(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed == QLatin1String(".") || trimmed == QLatin1String(".."))
        return false;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\') || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString PresetStore::nameOf(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    if (name.endsWith(suffix, Qt::CaseInsensitive))
        name.chop(suffix.size());
    return name;
}

QString PresetStore::resolve(const QString &nameOrPath, const QString &folder)
{
    if (QFileInfo(nameOrPath).isFile())
        return nameOrPath;
    if (nameOrPath.endsWith(suffix, Qt::CaseInsensitive) && QFileInfo::exists(folder + QLatin1Char('/') + nameOrPath))
        return folder + QLatin1Char('/') + nameOrPath;
    return pathOf(nameOrPath, folder);
}

QByteArray PresetStore::toJson(const Preset &preset)
{
    QJsonObject root;
    root.insert(QStringLiteral("plugin"), preset.plugin);
    root.insert(QStringLiteral("operation"), preset.operation);
    root.insert(QStringLiteral("options"), preset.options);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool PresetStore::fromJson(const QByteArray &json, Preset *preset, QString *error)
{
    QJsonParseError parse;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parse);
    if (parse.error != QJsonParseError::NoError) {
        if (error)
            *error = QStringLiteral("不是有效的 JSON(第 %1 个字节:%2)").arg(parse.offset).arg(parse.errorString());
        return false;
    }
    const QJsonObject root = document.object();
    const QJsonValue plugin = root.value(QStringLiteral("plugin"));
    const QJsonValue operation = root.value(QStringLiteral("operation"));
    const QJsonValue options = root.value(QStringLiteral("options"));
    if (!document.isObject() || !plugin.isString() || !operation.isString()
        || !(options.isObject() || options.isUndefined())) {
        if (error)
            *error = QStringLiteral("不是预设:需要文本 \"plugin\"、文本 \"operation\" 和对象 \"options\"");
        return false;
    }
    preset->plugin = plugin.toString();
    preset->operation = operation.toString();
    preset->options = options.toObject();
    return true;
}

bool PresetStore::load(const QString &path, Preset *preset, QString *error)
{
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("无法读取预设文件 %1").arg(path);
        return false;
    }
    if (file.size() > largestPreset) {
        if (error)
            *error = QStringLiteral("预设文件过大:%1").arg(path);
        return false;
    }
    return fromJson(file.readAll(), preset, error);
}

bool PresetStore::save(const QString &path, const Preset &preset, QString *error)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson(preset)) < 0 || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

QList<PresetStore::Entry> PresetStore::list(const QString &plugin, const QString &folder)
{
    QList<Entry> entries;
    const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.json")}, QDir::Files | QDir::Readable);
    for (const QFileInfo &info : files) {
        Preset preset;
        if (!load(info.filePath(), &preset, nullptr))
            continue;
        if (!plugin.isEmpty() && preset.plugin != plugin)
            continue;
        entries << Entry{nameOf(info.fileName()), info.filePath(), preset.plugin, preset.operation};
    }
    std::sort(entries.begin(), entries.end(),
              [](const Entry &a, const Entry &b) { return a.name.localeAwareCompare(b.name) < 0; });
    return entries;
}
