#include "option.h"
#include "ui_option.h"

#include <QFileInfo>
#include <QListWidgetItem>
#include <QRegularExpressionValidator>

#include "ini.h"
#include "pluginhost.h"
#include "readwritetxt.h"
#include "codesetting.h"

namespace {

const QString suffixFile = QStringLiteral("suffix.ini");

QString setting(const QString &group, const QString &key, const QString &defaultValue)
{
    return readIni(configureIni(), group, key, defaultValue);
}

bool isOn(const QString &group, const QString &key)
{
    return setting(group, key, QStringLiteral("1")).toInt(nullptr, 10) != 0;
}

} // namespace

Option::Option(const QStringList &knownPlugins, QWidget *parent)
    : QWidget(parent)
    , ui(new Ui::Option)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("选项"));
    // Digits only, up to the number of lists the host creates at most.
    ui->lineEdit_listNumber->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("100|[1-9]?[0-9]")), this));
    ui->comboBox_code->addItems(CodeSetting::names());
    load(knownPlugins);
}

Option::~Option()
{
    delete ui;
}

QString Option::defaultSuffixText()
{
    return QStringLiteral("txt(*.txt)\njson(*.json)\nhtml(*.html  *.css *.js)\n"
                          "source(*.h *.cpp *.hpp *.py)\ncsv(*.csv)\nsvg(*.svg)\nAll(*.*)");
}

QString Option::readFile(const QString &fileName, TextFormat &format) const
{
    QString text;
    if (QFileInfo::exists(fileName) && !ReadWriteTxt::shared()->readText(fileName, text, &format))
        text.clear();
    return text;
}

void Option::load(const QStringList &knownPlugins)
{
    // A number outside 0...100 (or none) is shown as the host reads it.
    const int lists = setting(QStringLiteral("start"), QStringLiteral("listNumber"), QStringLiteral("0"))
                          .toInt(nullptr, 10);
    ui->lineEdit_listNumber->setText(QString::number(qBound(0, lists, maxListNumber())));

    const int close = setting(QStringLiteral("currency"), QStringLiteral("close"), QStringLiteral("0")).toInt(nullptr, 10);
    ui->comboBox_close->setCurrentIndex(close >= 0 && close < ui->comboBox_close->count() ? close : 0);
    ui->lineEdit_iniPath->setText(setting(QStringLiteral("currency"), QStringLiteral("iniPath"), QStringLiteral("/data/")));

    // A name set by hand that is not among the choices stays selectable,
    // so saving without touching it keeps it.
    const QString code = CodeSetting::setting();
    if (ui->comboBox_code->findText(code) < 0)
        ui->comboBox_code->addItem(code);
    ui->comboBox_code->setCurrentText(code);

    const QString suffix = readFile(suffixFile, m_suffixFormat);
    ui->plainTextEdit_suffix->setPlainText(suffix.isEmpty() ? defaultSuffixText() : suffix);

    ui->checkBox_firstSaveToList->setChecked(isOn(QStringLiteral("text"), QStringLiteral("firstSaveToList")));
    ui->checkBox_add->setChecked(isOn(QStringLiteral("new"), QStringLiteral("add")));

    QStringList listed;
    const QString plus = readFile(PluginHost::stateFileName(), m_plusFormat);
    const QStringList lines = plus.split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        const QStringList parts = line.split(QLatin1Char(','));
        auto *item = new QListWidgetItem(parts.first(), ui->listWidget);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(parts.size() > 1 && parts.at(1) == QLatin1String("2") ? Qt::Checked : Qt::Unchecked);
        listed << parts.first();
    }
    for (const QString &key : knownPlugins) {
        if (listed.contains(key))
            continue;
        auto *item = new QListWidgetItem(key, ui->listWidget);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        listed << key;
    }
}

void Option::on_pushButton_save_clicked()
{
    ReadWriteTxt *io = ReadWriteTxt::shared();
    const QString ini = configureIni();
    bool saved = true;

    const QString lists = ui->lineEdit_listNumber->text();
    saved &= writeIni(ini, QStringLiteral("start"), QStringLiteral("listNumber"),
                      lists.isEmpty() ? QStringLiteral("0") : lists);
    saved &= writeIni(ini, QStringLiteral("currency"), QStringLiteral("close"),
                      QString::number(ui->comboBox_close->currentIndex()));
    saved &= writeIni(ini, QStringLiteral("currency"), QStringLiteral("iniPath"), ui->lineEdit_iniPath->text());
    const QString code = ui->comboBox_code->currentText();
    saved &= writeIni(ini, QStringLiteral("text"), QStringLiteral("code"), code);
    CodeSetting::apply(code);
    saved &= io->writeText(suffixFile, ui->plainTextEdit_suffix->toPlainText(), &m_suffixFormat);
    saved &= writeIni(ini, QStringLiteral("text"), QStringLiteral("firstSaveToList"),
                      ui->checkBox_firstSaveToList->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    saved &= writeIni(ini, QStringLiteral("new"), QStringLiteral("add"),
                      ui->checkBox_add->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));

    QStringList plus;
    for (int i = 0; i < ui->listWidget->count(); ++i) {
        const QListWidgetItem *item = ui->listWidget->item(i);
        plus << item->text() + (item->checkState() == Qt::Checked ? QLatin1String(",2") : QLatin1String(",0"));
    }
    saved &= io->writeText(PluginHost::stateFileName(), PluginHost::stateText(plus), &m_plusFormat);

    // A file that could not be written keeps the window open with what the
    // user entered; its tip tells which one.
    if (saved)
        close();
}
