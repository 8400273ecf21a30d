#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

#include "dockwidgetoptionbase.h"
#include "fakehost.h"
#include "presetcontrol.h"
#include "presetpage.h"
#include "presetstore.h"
#include "testdocks.h"
#include "testplugin.h"
#include "tipcodes.h"

namespace {

// A page holding one option widget of kind, at its default, and beside it
// a radio button of the same group (so a radio's false can be seen).
QWidget *pageWith(const QString &kind, QWidget *parent = nullptr)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    QWidget *w = nullptr;
    if (kind == "line")
        w = new QLineEdit(QStringLiteral("default"), page);
    else if (kind == "plain")
        w = new QPlainTextEdit(QStringLiteral("default"), page);
    else if (kind == "combo" || kind == "editable") {
        auto *combo = new QComboBox(page);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        combo->setEditable(kind == "editable");
        w = combo;
    } else if (kind == "check")
        w = new QCheckBox(page);
    else if (kind == "radio") {
        w = new QRadioButton(page);
        auto *other = new QRadioButton(page);
        other->setObjectName(QStringLiteral("radioButton_other"));
        other->setChecked(true);
        layout->addWidget(other);
    } else if (kind == "spin") {
        auto *spin = new QSpinBox(page);
        spin->setRange(-5, 500);
        w = spin;
    } else if (kind == "double") {
        auto *spin = new QDoubleSpinBox(page);
        spin->setRange(0, 10);
        w = spin;
    } else if (kind == "table") {
        auto *table = new QTableWidget(1, 3, page);
        w = table;
    }
    w->setObjectName(QStringLiteral("option"));
    layout->addWidget(w);
    return page;
}

} // namespace

// Presets: the state of any option page saved and set again by widget
// name, and the buttons and preset files of a plug-in on the framework.
class TestPresets : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { quietOffscreenWarnings(); }
    void roundTrip_data();
    void roundTrip();
    void unfitKeysIgnored();
    void pluginSavesAndLoads();
};

void TestPresets::roundTrip_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QJsonValue>("value"); // a state other than the default
    QTest::newRow("line edit") << "line" << QJsonValue("a,b\tc 中文");
    QTest::newRow("plain-text edit") << "plain" << QJsonValue("one\ntwo\n");
    QTest::newRow("editable combo: text") << "editable" << QJsonValue("typed");
    QTest::newRow("combo: index") << "combo" << QJsonValue(2);
    QTest::newRow("check box") << "check" << QJsonValue(true);
    QTest::newRow("radio button") << "radio" << QJsonValue(true);
    QTest::newRow("spin box") << "spin" << QJsonValue(-3);
    QTest::newRow("double spin box") << "double" << QJsonValue(2.5);
    QTest::newRow("table: rows of cells")
        << "table" << QJsonValue(QJsonArray{QJsonArray{"x", "A", "B"}, QJsonArray{"y", "", "C"}});
}

void TestPresets::roundTrip()
{
    QFETCH(QString, kind);
    QFETCH(QJsonValue, value);
    std::unique_ptr<QWidget> page(pageWith(kind));
    const QJsonObject defaults = PresetPage::capture(page.get());
    QVERIFY(defaults.contains("option"));
    QVERIFY(defaults.value("option") != value);

    const PresetPage::Outcome set = PresetPage::apply(page.get(), QJsonObject{{"option", value}});
    QVERIFY(set.unknown.isEmpty() && set.badValue.isEmpty());
    Preset preset{QStringLiteral("P V1"), QStringLiteral("Label_x"), PresetPage::capture(page.get())};
    QCOMPARE(preset.options.value("option"), value);

    // Through the file format and into a page at its defaults.
    Preset read;
    QString error;
    QVERIFY2(PresetStore::fromJson(PresetStore::toJson(preset), &read, &error), qPrintable(error));
    std::unique_ptr<QWidget> fresh(pageWith(kind));
    PresetPage::apply(fresh.get(), read.options);
    QCOMPARE(PresetPage::capture(fresh.get()), preset.options);
    if (kind == "radio") // the group's other button gave way
        QCOMPARE(PresetPage::capture(fresh.get()).value("radioButton_other"), QJsonValue(false));
}

void TestPresets::unfitKeysIgnored()
{
    std::unique_ptr<QWidget> page(new QWidget);
    auto *layout = new QVBoxLayout(page.get());
    auto *spin = new QSpinBox(page.get());
    spin->setObjectName("spinBox_n");
    spin->setRange(0, 9);
    auto *combo = new QComboBox(page.get());
    combo->setObjectName("comboBox_i");
    combo->addItems({"a", "b"});
    auto *line = new QLineEdit("kept", page.get());
    line->setObjectName("lineEdit_t");
    layout->addWidget(spin);
    layout->addWidget(combo);
    layout->addWidget(line);
    // The spin box's own line edit is a part of it, not an option.
    QCOMPARE(PresetPage::capture(page.get()).keys(), QStringList({"comboBox_i", "lineEdit_t", "spinBox_n"}));

    const PresetPage::Outcome outcome = PresetPage::apply(
        page.get(), QJsonObject{{"nothing_here", 1}, {"spinBox_n", 10}, {"comboBox_i", 5}, {"lineEdit_t", true},
                                {"qt_spinbox_lineedit", "7"}});
    QCOMPARE(outcome.unknown, QStringList({"nothing_here", "qt_spinbox_lineedit"}));
    QCOMPARE(outcome.badValue, QStringList({"spinBox_n", "comboBox_i", "lineEdit_t"}));
    QCOMPARE(spin->value(), 0);
    QCOMPARE(combo->currentIndex(), 0);
    QCOMPARE(line->text(), QString("kept"));
}

void TestPresets::pluginSavesAndLoads()
{
    QTemporaryDir dir;
    QVERIFY(QDir::setCurrent(dir.path()));
    FakeHost host;
    TestPlugin plugin;
    plugin.setHost(&host);
    plugin.openPlugin(0, 0);
    auto *option = static_cast<TestOptionDock *>(plugin.optionDock());
    auto *suffix = new QLineEdit(option->stack->widget(1));
    suffix->setObjectName("lineEdit_suffix");
    QVERIFY(option->findChild<QPushButton *>("pushButton_loadPreset"));

    // Nothing chosen: nothing to save.
    PresetControl::setNameQuestion([](QWidget *, const QStringList &) { return QStringLiteral("upper"); });
    QTest::mouseClick(option->findChild<QPushButton *>("pushButton_savePreset"), Qt::LeftButton);
    QCOMPARE(host.tipsWith(Tips::NoOperation.var1, Tips::NoOperation.var2).size(), 1);

    plugin.listDock()->selectOperation(TestPlugin::Upper);
    suffix->setText(".new");
    QTest::mouseClick(option->findChild<QPushButton *>("pushButton_savePreset"), Qt::LeftButton);
    const QString path = PresetStore::pathOf("upper");
    QCOMPARE(host.tipsWith(Tips::PresetSaved.var1, Tips::PresetSaved.var2).size(), 1);
    Preset saved;
    QVERIFY(PresetStore::load(path, &saved, nullptr));
    QCOMPARE(saved.plugin, plugin.pluginKey());
    QCOMPARE(saved.operation, QString("Label_upper"));
    QCOMPARE(saved.options, QJsonObject({{"lineEdit_suffix", ".new"}}));
    QCOMPARE(PresetStore::list(plugin.pluginKey()).size(), 1);

    // Another operation chosen and the text changed; loading brings both
    // back, and a key of no widget is reported by name and ignored.
    saved.options.insert("lineEdit_gone", "x");
    QVERIFY(PresetStore::save(path, saved, nullptr));
    plugin.listDock()->selectOperation(TestPlugin::Table);
    suffix->setText("");
    PresetControl::setChoiceQuestion([](QWidget *, const QStringList &names) { return names.value(0); });
    QTest::mouseClick(option->findChild<QPushButton *>("pushButton_loadPreset"), Qt::LeftButton);
    QCOMPARE(plugin.state().currentIndex, int(TestPlugin::Upper));
    QCOMPARE(option->stack->currentIndex(), 1);
    QCOMPARE(suffix->text(), QString(".new"));
    const QList<Tip> unknown = host.tipsWith(Tips::PresetUnknownKey.var1, Tips::PresetUnknownKey.var2);
    QCOMPARE(unknown.size(), 1);
    QCOMPARE(unknown.first().fileName, QString("upper: lineEdit_gone"));

    // Another plug-in's preset, or a file that is not one, is refused.
    saved.plugin = "Other V9";
    QVERIFY(PresetStore::save(PresetStore::pathOf("other"), saved, nullptr));
    QVERIFY(!plugin.applyPreset(PresetStore::pathOf("other")));
    QFile broken(PresetStore::pathOf("broken"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write("{\"plugin\": 3");
    broken.close();
    QVERIFY(!plugin.applyPreset(broken.fileName()));
    QCOMPARE(host.tipsWith(Tips::PresetNotHere.var1, Tips::PresetNotHere.var2).size(), 1);
    QCOMPARE(host.tipsWith(Tips::PresetUnreadable.var1, Tips::PresetUnreadable.var2).size(), 1);
    PresetControl::setNameQuestion({});
    PresetControl::setChoiceQuestion({});
    QDir::setCurrent(QDir::tempPath());
}

QTEST_MAIN(TestPresets)
#include "tst_presets.moc"
