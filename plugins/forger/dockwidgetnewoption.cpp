#include "dockwidgetnewoption.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ini.h"
#include "newoptions.h"

namespace {

QLineEdit *lineEdit(const char *name, const QString &text = QString())
{
    auto *edit = new QLineEdit(text);
    if (name)
        edit->setObjectName(QLatin1String(name));
    return edit;
}

int decimal(const QString &text)
{
    return text.trimmed().toInt();
}

// "固定长度" / "长度范围" with their line edits.
QGroupBox *lengthGroup()
{
    auto *group = new QGroupBox(QStringLiteral("长度"));
    auto *grid = new QGridLayout(group);
    grid->addWidget(new QRadioButton(QStringLiteral("固定长度")), 0, 0);
    grid->addWidget(lineEdit(nullptr), 0, 1, 1, 4);
    grid->addWidget(new QRadioButton(QStringLiteral("长度范围")), 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("最短：")), 1, 1);
    grid->addWidget(lineEdit(nullptr), 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("最长：")), 1, 3);
    grid->addWidget(lineEdit(nullptr), 1, 4);
    return group;
}

// A group of check boxes captioned with one character each.
QGroupBox *charGroup(const QString &title, const QString &chars, int columns)
{
    auto *group = new QGroupBox(title);
    auto *grid = new QGridLayout(group);
    grid->setSpacing(2);
    for (int i = 0; i < chars.size(); ++i)
        grid->addWidget(new QCheckBox(chars.mid(i, 1)), i / columns, i % columns);
    return group;
}

} // namespace

DockWidgetNewOption::DockWidgetNewOption(OperationTable *table, QWidget *parent)
    : DockWidgetOptionBase(table, parent)
{
    setObjectName(QStringLiteral("DockWidgetNewOption"));
    setFloating(true);
    setMinimumSize(420, 360);
    auto *contents = new QWidget;
    auto *layout = new QVBoxLayout(contents);
    auto *pages = new QStackedWidget;
    pages->setObjectName(QStringLiteral("stackedWidget"));
    pages->addWidget(numberPage());
    pages->addWidget(userPwdPage());
    pages->addWidget(dictionaryPage());
    pages->addWidget(variableIntPage());
    pages->addWidget(new QWidget); // text variables: nothing to set
    pages->addWidget(explainPage());
    pages->setCurrentIndex(5);
    layout->addWidget(pages);
    setWidget(contents);
    setupPages(pages, m_explain);
}

QWidget *DockWidgetNewOption::numberPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *form = new QFormLayout;
    m_split = lineEdit("lineEdit_newNumberSplit", QStringLiteral(","));
    form->addRow(QStringLiteral("每组数字间隔符："), m_split);
    layout->addLayout(form);

    auto *range = new QGroupBox(QStringLiteral("数字范围"));
    auto *rangeForm = new QFormLayout(range);
    m_min = lineEdit("lineEdit_newNumberMin", QStringLiteral("1"));
    m_max = lineEdit("lineEdit_newNumberMax", QStringLiteral("5"));
    rangeForm->addRow(QStringLiteral("最小数："), m_min);
    rangeForm->addRow(QStringLiteral("最大数："), m_max);
    layout->addWidget(range);

    auto *countForm = new QFormLayout;
    m_length = lineEdit("lineEdit_newNumberLength", QStringLiteral("3"));
    countForm->addRow(QStringLiteral("每组数字数量："), m_length);
    layout->addLayout(countForm);

    m_sort = new QCheckBox(QStringLiteral("从小到大排序"));
    m_sort->setObjectName(QStringLiteral("checkBox_newNumberIsSort"));
    m_repeat = new QCheckBox(QStringLiteral("同一组号允许包含相同的数"));
    m_repeat->setObjectName(QStringLiteral("checkBox_newNumberIsRepeatNum"));
    auto *all = new QCheckBox(QStringLiteral("枚举所有"));
    all->setObjectName(QStringLiteral("checkBox_181"));
    layout->addWidget(m_sort);
    layout->addWidget(m_repeat);
    layout->addWidget(all);
    layout->addWidget(new QLabel(QStringLiteral("支持最小值：0      支持最大值：9999")));
    layout->addStretch();
    return page;
}

QWidget *DockWidgetNewOption::userPwdPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto *account = new QGroupBox(QStringLiteral("账号"));
    auto *accountLayout = new QVBoxLayout(account);
    accountLayout->addWidget(new QCheckBox(QStringLiteral("首位不为数字")));
    accountLayout->addWidget(lengthGroup());
    layout->addWidget(account);

    auto *separator = new QFormLayout;
    separator->addRow(QStringLiteral("间隔符："), lineEdit(nullptr));
    layout->addLayout(separator);

    auto *password = new QGroupBox(QStringLiteral("密码"));
    auto *passwordLayout = new QVBoxLayout(password);
    passwordLayout->addWidget(new QCheckBox(QStringLiteral("首位不为数字")));
    QGroupBox *length = lengthGroup();
    auto *grid = static_cast<QGridLayout *>(length->layout());
    grid->addWidget(new QRadioButton(QStringLiteral("固定内容")), 2, 0);
    grid->addWidget(lineEdit(nullptr), 2, 1, 1, 4);
    passwordLayout->addWidget(length);
    layout->addWidget(password);
    layout->addStretch();
    return page;
}

QWidget *DockWidgetNewOption::dictionaryPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    auto *length = new QGroupBox(QStringLiteral("字典长度"));
    auto *lengthForm = new QFormLayout(length);
    lengthForm->addRow(QStringLiteral("最小长度："), lineEdit(nullptr));
    lengthForm->addRow(QStringLiteral("最大长度："), lineEdit(nullptr));
    layout->addWidget(length);

    auto *contains = new QGroupBox(QStringLiteral("包含"));
    auto *containsLayout = new QVBoxLayout(contains);
    containsLayout->addWidget(charGroup(QStringLiteral("大写字母"), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), 13));
    containsLayout->addWidget(charGroup(QStringLiteral("符号"), QStringLiteral("!]\\?#/)^(|[,>@.%*<$_"), 10));
    containsLayout->addWidget(charGroup(QStringLiteral("数字"), QStringLiteral("1234567890"), 10));
    containsLayout->addWidget(charGroup(QStringLiteral("小写字母"), QStringLiteral("abcdefghijklmnopqrstuvwxyz"), 13));
    layout->addWidget(contains);
    layout->addStretch();
    return page;
}

QWidget *DockWidgetNewOption::variableIntPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);

    m_table = new QTableWidget(1, 4);
    m_table->setObjectName(QStringLiteral("tableWidget_newVariableInt"));
    m_table->setHorizontalHeaderLabels(
        { QStringLiteral("变量名"), QStringLiteral("起始值"), QStringLiteral("补齐内容"), QStringLiteral("补齐长度") });
    m_table->setShowGrid(true);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setVisible(true);
    m_table->verticalHeader()->setVisible(true);
    setEntryRow(0);
    connect(m_table, &QTableWidget::itemChanged, this, &DockWidgetNewOption::on_tableWidget_newVariableInt_itemChanged);
    layout->addWidget(m_table);

    auto *note = new QLabel(QStringLiteral(
        "当最后一行【起始值列】不为空时，将最后自动添加一行，最后一行仅方便添加变量数据使用，不参与操作处理。"));
    note->setWordWrap(true);
    layout->addWidget(note);

    layout->addWidget(new QLabel(QStringLiteral("模板文本：")));
    m_model = new QPlainTextEdit(QString(27, QLatin1Char('\'')) + QStringLiteral("{@%0}"));
    m_model->setObjectName(QStringLiteral("plainTextEdit_newVariableIntModel"));
    layout->addWidget(m_model);

    auto *clear = new QPushButton(QStringLiteral("清空表格"));
    clear->setObjectName(QStringLiteral("pushButton_newVariableIntClear"));
    clear->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    connect(clear, &QPushButton::clicked, this, &DockWidgetNewOption::on_pushButton_newVariableIntClear_clicked);
    layout->addWidget(clear);

    auto *form = new QFormLayout;
    m_itemCount = lineEdit("lineEdit_itemCount", QStringLiteral("10"));
    m_branchNumber = lineEdit("lineEdit_branchNumber",
                              readIni(configureIni(), QStringLiteral("new"), QStringLiteral("branchNumber"),
                                      QStringLiteral("100000")));
    // The controller reads the count from the settings file, so what the
    // field shows is what a start uses.
    connect(m_branchNumber, &QLineEdit::textEdited, this, [](const QString &text) {
        writeIni(configureIni(), QStringLiteral("new"), QStringLiteral("branchNumber"), text.trimmed());
    });
    form->addRow(QStringLiteral("生成条目数量："), m_itemCount);
    form->addRow(QStringLiteral("单个文件条目数量："), m_branchNumber);
    layout->addLayout(form);
    return page;
}

QWidget *DockWidgetNewOption::explainPage()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    auto *scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    m_explain = new QLabel;
    m_explain->setObjectName(QStringLiteral("label_explain"));
    m_explain->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(m_explain);
    layout->addWidget(scroll);
    return page;
}

void DockWidgetNewOption::setEntryRow(int row)
{
    m_table->setItem(row, 0, new QTableWidgetItem(QStringLiteral("{@%") + QString::number(row) + QLatin1Char('}')));
    m_table->setItem(row, 1, new QTableWidgetItem(QString()));
    m_table->setItem(row, 2, new QTableWidgetItem(QString()));
    m_table->setItem(row, 3, new QTableWidgetItem(QStringLiteral("0")));
}

void DockWidgetNewOption::on_tableWidget_newVariableInt_itemChanged(QTableWidgetItem *item)
{
    if (m_resetting || !item)
        return;
    const int rows = m_table->rowCount();
    if (item->row() != rows - 1 || item->column() != 1 || item->text().isEmpty())
        return;
    m_resetting = true; // the new row's own cells are no edits
    m_table->insertRow(rows);
    setEntryRow(rows);
    m_resetting = false;
}

void DockWidgetNewOption::on_pushButton_newVariableIntClear_clicked()
{
    m_resetting = true;
    m_table->setRowCount(1);
    setEntryRow(0);
    m_resetting = false;
}

NewNumberOptions *DockWidgetNewOption::numberOptions() const
{
    auto *options = new NewNumberOptions;
    options->min = decimal(m_min->text());
    options->max = decimal(m_max->text());
    options->count = decimal(m_length->text());
    options->isSort = m_sort->isChecked();
    options->isRepeat = m_repeat->isChecked();
    options->separator = m_split->text();
    return options;
}

NewVariableOptions *DockWidgetNewOption::variableOptions() const
{
    const int rows = m_table->rowCount() - 1; // the entry row is not a variable
    if (rows < 1)
        return nullptr;
    auto *options = new NewVariableOptions;
    options->model = m_model->toPlainText();
    auto cell = [this](int row, int column) {
        const QTableWidgetItem *item = m_table->item(row, column);
        return item ? item->text() : QString();
    };
    for (int row = 0; row < rows; ++row) {
        NewVariable variable;
        variable.name = cell(row, 0);
        variable.startValue = decimal(cell(row, 1));
        variable.padContent = cell(row, 2);
        variable.padLength = decimal(cell(row, 3));
        options->variables << variable;
    }
    return options;
}

qint64 DockWidgetNewOption::itemCount() const
{
    return m_itemCount->text().trimmed().toLongLong();
}
