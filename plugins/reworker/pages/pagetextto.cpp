#include "pagetextto.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "codeeditorex2.h"
#include "conversiontables.h"
#include "dockwidgetoptionbase.h"
#include "ini.h"
#include "textto.h"
#include "tipcodes.h"

namespace {

const QStringList standardBases = {QStringLiteral("2"), QStringLiteral("8"), QStringLiteral("10"),
                                   QStringLiteral("16")};

template <class W>
W *named(W *widget, const char *objectName)
{
    widget->setObjectName(QLatin1String(objectName));
    return widget;
}

QRadioButton *radio(const char *objectName, const char *text, QWidget *parent)
{
    return named(new QRadioButton(QString::fromUtf8(text), parent), objectName);
}

QLabel *label(const char *text, QWidget *parent)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

QComboBox *baseCombo(const char *objectName, int index, QWidget *parent)
{
    QComboBox *combo = named(new QComboBox(parent), objectName);
    combo->addItems(standardBases);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    TextPage::setDigitsOnly(combo);
    combo->setCurrentIndex(index);
    return combo;
}

} // namespace

PageTextTo::PageTextTo(QWidget *parent)
    : TextPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *modes = new QButtonGroup(this);
    const char *const modeNames[5][2] = {
        {"radioButton_textToCase", "大小写转换"},
        {"radioButton_textToHalfFull", "全半角转换"},
        {"radioButton_textToBase", "进制转换"},
        {"radioButton_textToTradition", "繁简转换"},
        {"radioButton_textToCustom", "自定义转换（多关键字替换）"},
    };
    for (int i = 0; i < 5; ++i) {
        m_modes[i] = radio(modeNames[i][0], modeNames[i][1], this);
        modes->addButton(m_modes[i], i);
        layout->addWidget(m_modes[i]);
    }
    m_modes[TextToOption::Case]->setChecked(true);

    m_inner = named(new QStackedWidget(this), "stackedWidget_textTo");
    layout->addWidget(m_inner);
    layout->addStretch();

    // page_3: letter case.
    QWidget *casePage = named(new QWidget(m_inner), "page_3");
    auto *caseLayout = new QVBoxLayout(casePage);
    m_capital = radio("radioButton_textToCapital", "到大写", casePage);
    QRadioButton *lower = radio("radioButton_textToLowerCase", "到小写", casePage);
    m_capital->setChecked(true);
    m_caseWhich = named(new QComboBox(casePage), "comboBox_textToCase");
    m_caseWhich->addItems({QStringLiteral("全部"), QStringLiteral("段首字母"), QStringLiteral("单词首字母")});
    caseLayout->addWidget(m_capital);
    caseLayout->addWidget(lower);
    caseLayout->addWidget(m_caseWhich);
    caseLayout->addStretch();

    // page_4: half and full width.
    QWidget *widthPage = named(new QWidget(m_inner), "page_4");
    auto *widthLayout = new QVBoxLayout(widthPage);
    QRadioButton *full = radio("radioButton_textToFull", "到全角", widthPage);
    m_half = radio("radioButton_textToHalf", "到半角", widthPage);
    full->setChecked(true);
    widthLayout->addWidget(full);
    widthLayout->addWidget(m_half);
    widthLayout->addStretch();

    // page_5: number bases.
    QWidget *basePage = named(new QWidget(m_inner), "page_5");
    auto *baseLayout = new QGridLayout(basePage);
    m_baseBefore = baseCombo("comboBox_textToBaseBefore", 2, basePage);
    m_baseAfter = baseCombo("comboBox_textToBaseAfter", 0, basePage);
    QPushButton *swap = named(new QPushButton(QStringLiteral("↑↓"), basePage), "pushButton_textToBaseAB2BA");
    m_format1 = radio("radioButton_textToFormat1", "格式一：每行一条数据", basePage);
    QRadioButton *format2 = radio("radioButton_textToFormat2", "格式二：数据在文档中", basePage);
    m_format1->setChecked(true);
    baseLayout->addWidget(label("原文本进制：", basePage), 0, 0);
    baseLayout->addWidget(m_baseBefore, 0, 1);
    baseLayout->addWidget(swap, 0, 2, 2, 1);
    baseLayout->addWidget(label("转换为进制：", basePage), 1, 0);
    baseLayout->addWidget(m_baseAfter, 1, 1);
    baseLayout->addWidget(m_format1, 2, 0, 1, 3);
    baseLayout->addWidget(label("例：123\n    456\n    789", basePage), 3, 0, 1, 3);
    baseLayout->addWidget(format2, 4, 0, 1, 3);
    baseLayout->addWidget(label("例： 他花了1天的事件整理了99篇文档。", basePage), 5, 0, 1, 3);
    baseLayout->setRowStretch(6, 1);

    // page_6: script variants.
    QWidget *traditionPage = named(new QWidget(m_inner), "page_6");
    auto *traditionLayout = new QVBoxLayout(traditionPage);
    m_direction = named(new QComboBox(traditionPage), "comboBox_textToTradition");
    m_direction->addItems(ConversionTables::directionCaptions());
    traditionLayout->addWidget(m_direction);
    traditionLayout->addWidget(
        named(new QPushButton(QStringLiteral("编辑对应转换文档"), traditionPage), "pushButton_textToTradition"));
    traditionLayout->addStretch();

    // page_7: custom table.
    QWidget *customPage = named(new QWidget(m_inner), "page_7");
    auto *customLayout = new QVBoxLayout(customPage);
    auto *kinds = new QButtonGroup(customPage);
    auto *results = new QButtonGroup(customPage);
    m_one = radio("radioButton_textToOne", "单字替换", customPage);
    QRadioButton *many = radio("radioButton_textToMany", "词语替换", customPage);
    m_result1 = radio("radioButton_textToResult1", "结果一：  你你你", customPage);
    m_result2 = radio("radioButton_textToResult2", "结果二：  我他你", customPage);
    kinds->addButton(m_one);
    kinds->addButton(many);
    results->addButton(m_result1);
    results->addButton(m_result2);
    m_one->setChecked(true);
    m_result1->setChecked(true);
    customLayout->addWidget(m_one);
    customLayout->addWidget(many);
    customLayout->addWidget(label("例：你我他\n规则：你替换成我，我替换成他，他替换成你", customPage));
    customLayout->addWidget(m_result1);
    customLayout->addWidget(m_result2);
    customLayout->addWidget(label("<html><head/><body><p>(结果二暂仅支持 单字 模式)</p></body></html>", customPage));
    customLayout->addWidget(
        named(new QPushButton(QStringLiteral("编辑对应替换文档"), customPage), "pushButton_textToCustom"));
    customLayout->addStretch();

    for (QWidget *page : {casePage, widthPage, basePage, traditionPage, customPage})
        m_inner->addWidget(page);
    m_inner->setCurrentIndex(0);

    QMetaObject::connectSlotsByName(this);
}

QString PageTextTo::dataPath() const
{
    for (QWidget *w = parentWidget(); w; w = w->parentWidget()) {
        if (auto *dock = qobject_cast<DockWidgetOptionBase *>(w))
            return dock->dataPath();
    }
    return readIni(configureIni(), QStringLiteral("currency"), QStringLiteral("iniPath"),
                   QDir::currentPath() + QStringLiteral("/data/"));
}

void PageTextTo::on_radioButton_textToCase_clicked()
{
    m_inner->setCurrentIndex(TextToOption::Case);
}

void PageTextTo::on_radioButton_textToHalfFull_clicked()
{
    m_inner->setCurrentIndex(TextToOption::Half);
}

void PageTextTo::on_radioButton_textToBase_clicked()
{
    m_inner->setCurrentIndex(TextToOption::Base);
}

void PageTextTo::on_radioButton_textToTradition_clicked()
{
    m_inner->setCurrentIndex(TextToOption::Tradition);
    // Says which tables are in use (folder, entries), shipped ones written
    // first where missing.
    const QString folder = dataPath();
    ConversionTables::installMissing(folder);
    emit tipSignal(Tips::TablesInUse.var1, Tips::TablesInUse.var2,
                   ConversionTables::inUse(folder, m_direction->currentIndex()));
}

void PageTextTo::on_radioButton_textToCustom_clicked()
{
    m_inner->setCurrentIndex(TextToOption::Custom);
}

void PageTextTo::on_radioButton_textToFormat1_toggled(bool checked)
{
    // Numbers inside the text can only be of the four standard bases.
    if (!checked) {
        const int standard = m_baseBefore->findText(m_baseBefore->currentText());
        if (standard >= 0)
            m_baseBefore->setCurrentIndex(standard);
    }
    m_baseBefore->setEditable(checked);
    if (checked) {
        m_baseBefore->setInsertPolicy(QComboBox::NoInsert);
        setDigitsOnly(m_baseBefore);
    }
}

void PageTextTo::on_pushButton_textToBaseAB2BA_clicked()
{
    const QString before = m_baseBefore->currentText();
    const QString after = m_baseAfter->currentText();
    if (!standardBases.contains(after) && !m_baseBefore->isEditable()) {
        emit tipSignal(Tips::BaseSwapRefused.var1, Tips::BaseSwapRefused.var2);
        return;
    }
    if (m_baseBefore->isEditable())
        m_baseBefore->setCurrentText(after);
    else
        m_baseBefore->setCurrentIndex(m_baseBefore->findText(after));
    m_baseAfter->setCurrentText(before);
}

void PageTextTo::on_pushButton_textToTradition_clicked()
{
    const int direction = m_direction->currentIndex();
    const int source = ConversionTables::sourceTable(direction);
    const int target = ConversionTables::targetTable(direction);
    openPair(QStringLiteral("繁简转换"), ConversionTables::scriptTitle(source), source,
             ConversionTables::scriptTitle(target), target);
}

void PageTextTo::on_pushButton_textToCustom_clicked()
{
    openPair(QStringLiteral("自定义转换"), QStringLiteral("被替换"), ConversionTables::BeforeCustom,
             QStringLiteral("替换为"), ConversionTables::AfterCustom);
}

void PageTextTo::on_radioButton_textToOne_toggled(bool checked)
{
    // Result two maps single characters only.
    m_result2->setEnabled(checked);
    if (!checked)
        m_result1->setChecked(true);
}

void PageTextTo::openPair(const QString &title, const QString &leftLabel, int leftTable, const QString &rightLabel,
                          int rightTable)
{
    const QString folder = dataPath();
    ConversionTables::installMissing(folder);
    CodeEditorEx2 *editor = CodeEditorEx2::shared(this);
    connect(editor, &CodeEditorEx2::tipSignal, this, &PageTextTo::tipSignal, Qt::UniqueConnection);
    editor->setFiles(title, leftLabel, folder + ConversionTables::fileName(leftTable), rightLabel,
                     folder + ConversionTables::fileName(rightTable));
    editor->show();
    editor->raise();
    editor->activateWindow();
}

TextToOption *PageTextTo::readOptions()
{
    auto options = std::make_unique<TextToOption>();
    int mode = 0;
    while (mode < 4 && !m_modes[mode]->isChecked())
        ++mode;
    options->implement = mode;

    ConversionTables::Refusal refusal;
    bool refused = false;
    switch (mode) {
    case TextToOption::Case:
        options->caseTo = m_capital->isChecked() ? TextToOption::ToCapital : TextToOption::ToLowerCase;
        options->caseWhich = m_caseWhich->currentIndex();
        break;
    case TextToOption::Half:
        options->toHalf = m_half->isChecked();
        break;
    case TextToOption::Base:
        options->lineFormat = m_format1->isChecked();
        options->fromBase = numberOf(m_baseBefore->currentText());
        options->toBase = numberOf(m_baseAfter->currentText());
        if (!TextConvert::isValidBase(options->fromBase) || !TextConvert::isValidBase(options->toBase))
            return nullptr;
        break;
    case TextToOption::Tradition:
        ConversionTables::installMissing(dataPath());
        options->tradition = ConversionTables::loadTradition(dataPath(), m_direction->currentIndex(), &refusal);
        refused = !options->tradition;
        break;
    case TextToOption::Custom:
        ConversionTables::installMissing(dataPath());
        refused = !ConversionTables::loadCustom(dataPath(), &options->customFrom, &options->customTo, &refusal);
        options->sequential = m_result1->isChecked();
        break;
    }
    if (refused) {
        emit tipSignal(refusal.code.var1, refusal.code.var2, refusal.fileName);
        return nullptr;
    }
    return options.release();
}
