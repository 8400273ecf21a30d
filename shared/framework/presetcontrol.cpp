#include "presetcontrol.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "dockwidgetlistbase.h"
#include "dockwidgetoptionbase.h"
#include "pluginbase.h"
#include "presetpage.h"
#include "presetstore.h"
#include "tipcodes.h"

namespace {

PresetControl::NameQuestion &nameQuestion()
{
    static PresetControl::NameQuestion question;
    return question;
}

PresetControl::ChoiceQuestion &choiceQuestion()
{
    static PresetControl::ChoiceQuestion question;
    return question;
}

QStringList namesOf(const QList<PresetStore::Entry> &entries)
{
    QStringList names;
    for (const PresetStore::Entry &entry : entries)
        names << entry.name;
    return names;
}

} // namespace

void PresetControl::setNameQuestion(const NameQuestion &question)
{
    nameQuestion() = question;
}

void PresetControl::setChoiceQuestion(const ChoiceQuestion &question)
{
    choiceQuestion() = question;
}

PresetControl::PresetControl(PluginBase *plugin)
    : QObject(plugin)
    , m_plugin(plugin)
{
}

void PresetControl::attach(DockWidgetOptionBase *dock)
{
    m_dock = dock;
    // The buttons stay in view below the pages, whatever page is shown
    // and however far it is scrolled.
    auto *frame = new QWidget(dock);
    frame->setObjectName(QStringLiteral("widget_presetFrame"));
    auto *column = new QVBoxLayout(frame);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    if (QWidget *content = dock->widget())
        column->addWidget(content, 1);
    auto *row = new QHBoxLayout;
    row->setContentsMargins(4, 0, 4, 4);
    auto *save = new QPushButton(QStringLiteral("保存预设"), frame);
    save->setObjectName(QStringLiteral("pushButton_savePreset"));
    save->setToolTip(QStringLiteral("把所选操作和本页的选项保存为一个预设(数据文件夹的 presets 中)"));
    auto *load = new QPushButton(QStringLiteral("载入预设"), frame);
    load->setObjectName(QStringLiteral("pushButton_loadPreset"));
    load->setToolTip(QStringLiteral("选择一个已保存的预设:选中其操作并填好选项"));
    row->addWidget(save);
    row->addWidget(load);
    column->addLayout(row);
    dock->setWidget(frame);
    connect(save, &QPushButton::clicked, this, &PresetControl::saveClicked);
    connect(load, &QPushButton::clicked, this, &PresetControl::loadClicked);
}

void PresetControl::saveClicked()
{
    const OperationRow *row = m_plugin->operation(m_plugin->state().currentIndex);
    if (!row || row->index == 0 || row->labelObject.isEmpty()) {
        PluginBase::forwardTip(Tips::NoOperation);
        return;
    }
    const QStringList existing = namesOf(PresetStore::list(m_plugin->pluginKey()));
    QString name;
    if (nameQuestion()) {
        name = nameQuestion()(m_dock, existing);
    } else {
        bool ok = false;
        name = QInputDialog::getItem(m_dock, QStringLiteral("保存预设"),
                                     QStringLiteral("预设名称(已有的同名预设将被替换):"),
                                     existing, -1, true, &ok);
        if (!ok)
            name.clear();
    }
    name = name.trimmed();
    if (name.isEmpty())
        return;
    save(name);
}

void PresetControl::loadClicked()
{
    const QStringList names = namesOf(PresetStore::list(m_plugin->pluginKey()));
    if (names.isEmpty()) {
        PluginBase::forwardTip(Tips::FreeText, QStringLiteral("没有已保存的预设(%1)").arg(m_plugin->pluginKey()));
        return;
    }
    QString name;
    if (choiceQuestion()) {
        name = choiceQuestion()(m_dock, names);
    } else {
        bool ok = false;
        name = QInputDialog::getItem(m_dock, QStringLiteral("载入预设"), QStringLiteral("预设:"), names, 0, false, &ok);
        if (!ok)
            name.clear();
    }
    if (!name.isEmpty())
        apply(PresetStore::pathOf(name));
}

bool PresetControl::save(const QString &name)
{
    const OperationRow *row = m_plugin->operation(m_plugin->state().currentIndex);
    if (!row || row->index == 0 || row->labelObject.isEmpty()) {
        PluginBase::forwardTip(Tips::NoOperation);
        return false;
    }
    const QString path = PresetStore::pathOf(name);
    if (!PresetStore::isValidName(name)) {
        PluginBase::forwardTip(Tips::PresetSaveFailed, path);
        return false;
    }
    Preset preset;
    preset.plugin = m_plugin->pluginKey();
    preset.operation = row->labelObject;
    if (m_dock && m_dock->pages())
        preset.options = PresetPage::capture(m_dock->pages()->currentWidget());
    QString error;
    if (!PresetStore::save(path, preset, &error)) {
        PluginBase::forwardTip(Tips::PresetSaveFailed, path);
        return false;
    }
    PluginBase::forwardTip(Tips::PresetSaved, path);
    return true;
}

bool PresetControl::apply(const QString &path)
{
    Preset preset;
    QString error;
    if (!PresetStore::load(path, &preset, &error)) {
        PluginBase::forwardTip(Tips::PresetUnreadable, path);
        return false;
    }
    const OperationRow *found = nullptr;
    for (const OperationRow &row : m_plugin->operations()) {
        if (row.index != 0 && !row.labelObject.isEmpty() && row.labelObject == preset.operation)
            found = &row;
    }
    if (preset.plugin != m_plugin->pluginKey() || !found) {
        PluginBase::forwardTip(Tips::PresetNotHere, path);
        return false;
    }
    // Chosen as a click on its label would choose it, so the page is
    // shown and prepared as for the user.
    if (DockWidgetListBase *list = m_plugin->listDock())
        list->selectOperation(found->index);
    if (m_plugin->state().currentIndex != found->index) {
        m_plugin->state().currentIndex = found->index;
        if (m_dock)
            m_dock->curTextSlot(found->index);
    }
    QWidget *page = m_dock && m_dock->pages() ? m_dock->pages()->currentWidget() : nullptr;
    const PresetPage::Outcome outcome = PresetPage::apply(page, preset.options);
    const QString name = PresetStore::nameOf(path);
    for (const QString &key : outcome.unknown)
        PluginBase::forwardTip(Tips::PresetUnknownKey, name + QStringLiteral(": ") + key);
    for (const QString &key : outcome.badValue)
        PluginBase::forwardTip(Tips::PresetBadValue, name + QStringLiteral(": ") + key);
    PluginBase::forwardTip(Tips::PresetLoaded, path);
    return true;
}
