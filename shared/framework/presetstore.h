#ifndef PRESETSTORE_H
#define PRESETSTORE_H

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// A saved operation with its options: which plug-in (its key, name and
// version), which operation (the object name of its label in the list
// dock) and the state of the operation's option page, widget by widget
// (see PresetPage). One JSON file per preset in the data folder's
// "presets" folder, named after the preset:
//   {"plugin": "Delete V0.0.0.1", "operation": "Label_arabicNumber",
//    "options": {"radioButton_keyRegular": true, ...}}
// The range is not part of a preset: it is chosen where the preset runs.
struct Preset
{
    QString plugin;
    QString operation;
    QJsonObject options;
};

class PresetStore
{
public:
    // "data/presets" in the working folder.
    static QString folder();
    // The file of a preset named name in folder.
    static QString pathOf(const QString &name, const QString &folder = PresetStore::folder());
    // Whether name can name a preset file: not empty, no folder separator,
    // not "." or "..", no control characters.
    static bool isValidName(const QString &name);
    // The preset name of a preset file: its file name without ".json".
    static QString nameOf(const QString &path);

    // A preset given where it runs: an existing file as named, otherwise
    // the preset of that name in folder.
    static QString resolve(const QString &nameOrPath, const QString &folder = PresetStore::folder());

    static QByteArray toJson(const Preset &preset);
    // False (error says why, in words) for anything but an object with a
    // text "plugin", a text "operation" and, when present, an object
    // "options".
    static bool fromJson(const QByteArray &json, Preset *preset, QString *error);

    // Reads or writes a preset file; writing replaces it whole or not at
    // all, creating its folder.
    static bool load(const QString &path, Preset *preset, QString *error);
    static bool save(const QString &path, const Preset &preset, QString *error);

    struct Entry
    {
        QString name;
        QString path;
        QString plugin;
        QString operation;
    };
    // The readable presets in folder, by name; of one plug-in only when
    // plugin is given.
    static QList<Entry> list(const QString &plugin = QString(), const QString &folder = PresetStore::folder());
};

#endif // PRESETSTORE_H
