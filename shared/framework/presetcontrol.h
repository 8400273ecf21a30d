#ifndef PRESETCONTROL_H
#define PRESETCONTROL_H

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <functional>

class DockWidgetOptionBase;
class PluginBase;
class QWidget;

// A plug-in's presets: the buttons "保存预设" and "载入预设" under its
// option dock's pages, saving the chosen operation with the state of its
// page and loading one back (the operation chosen in the list dock, then
// the page's widgets set). Works on any plug-in of the framework: what a
// page holds is read from its widgets (PresetPage).
class PresetControl : public QObject
{
    Q_OBJECT
public:
    explicit PresetControl(PluginBase *plugin);

    // Adds the two buttons to a freshly made option dock.
    void attach(DockWidgetOptionBase *dock);

    // Saves the chosen operation and its page as the preset name (a file
    // of that name is replaced). False, with a tip saying why, when no
    // operation is chosen or the file cannot be written.
    bool save(const QString &name);
    // Loads a preset file into the docks (which must be open). False, with
    // a tip, when it cannot be read or is not this plug-in's; keys that fit
    // no widget are reported one by one and ignored, and the preset still
    // counts as loaded.
    bool apply(const QString &path);

    // The questions the buttons ask, replaceable (empty restores the
    // dialogs): the name to save under (existing: this plug-in's presets),
    // and which preset to load. An empty answer cancels.
    using NameQuestion = std::function<QString(QWidget *parent, const QStringList &existing)>;
    using ChoiceQuestion = std::function<QString(QWidget *parent, const QStringList &names)>;
    static void setNameQuestion(const NameQuestion &question);
    static void setChoiceQuestion(const ChoiceQuestion &question);

private:
    void saveClicked();
    void loadClicked();

    PluginBase *m_plugin;
    QPointer<DockWidgetOptionBase> m_dock;
};

#endif // PRESETCONTROL_H
