#include "pagekeys.h"

#include <QCheckBox>
#include <QCursor>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "textindex.h"
#include "tipcodes.h"

namespace {

// What choosing an operation of this page shows and presets.
struct KeyPreset
{
    int index;
    const char *keysCaption; // null: as it was
    bool clearKeys;
    bool clearReplacements;
    bool replacements; // the replacement box and its caption shown
    int innerPage;     // 0 text boxes, 1 table
    bool modes;        // ordinary, extended, whole word and case shown
    Pattern checked;
};

const KeyPreset presets[] = {
    {textReplaced, "被替换关键字:", true, false, true, 0, true, Pattern::Ordinary},
    {textReplaced2, nullptr, false, false, true, 1, true, Pattern::Ordinary},
    {textRetain, "被保留内容的正则表达式:", true, true, false, 0, false, Pattern::Regular},
    {textDelete, "被删除关键字:", true, true, false, 0, true, Pattern::Ordinary},
    {textBlockRetain, "被保留段包含的关键字(分割：并且；行：或者):", true, true, false, 0, true, Pattern::Ordinary},
    {textBlockDelete, "被删除段包含的关键字(分割：并且；行：或者):", true, true, false, 0, true, Pattern::Ordinary},
};

template <class W>
W *named(W *widget, const char *name)
{
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QString cellText(const QTableWidget *table, int row, int column)
{
    const QTableWidgetItem *item = table->item(row, column);
    return item ? item->text() : QString();
}

} // namespace

PageKeys::PageKeys(QWidget *parent)
    : TextPage(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    auto *modes = new QHBoxLayout;
    m_ordinary = named(new QRadioButton(QStringLiteral("普通"), this), "radioButton_keyOrdinary");
    m_extend = named(new QRadioButton(QStringLiteral("扩展(\\n,\\r,\\t,\\0...)"), this), "radioButton_keyExtend");
    m_regular = named(new QRadioButton(QStringLiteral("正则表达式"), this), "radioButton_keyRegular");
    m_ordinary->setChecked(true);
    modes->addWidget(m_ordinary);
    modes->addWidget(m_extend);
    modes->addWidget(m_regular);
    layout->addLayout(modes);

    auto *boxes = new QHBoxLayout;
    m_greedy = named(new QCheckBox(QStringLiteral("贪婪模式"), this), "checkBox_keyIsGreedy");
    m_full = named(new QCheckBox(QStringLiteral("全词匹配"), this), "checkBox_keyFull");
    m_case = named(new QCheckBox(QStringLiteral("区分大小写"), this), "checkBox_keyCase");
    // Untouched, matching is case-sensitive and greedy.
    m_greedy->setChecked(true);
    m_case->setChecked(true);
    boxes->addWidget(m_greedy);
    boxes->addWidget(m_full);
    boxes->addWidget(m_case);
    layout->addLayout(boxes);

    m_inner = named(new QStackedWidget(this), "stackedWidget_replaced");
    auto *textBoxes = new QWidget(m_inner);
    auto *boxLayout = new QVBoxLayout(textBoxes);
    boxLayout->setContentsMargins(0, 0, 0, 0);
    m_keysCaption = named(new QLabel(QStringLiteral("被替换关键字:"), textBoxes), "label_41");
    m_keys = named(new QPlainTextEdit(textBoxes), "plainTextEdit_replacedKey");
    m_replaceCaption = named(new QLabel(QStringLiteral("欲替换为:"), textBoxes), "label_42");
    m_replaceWith = named(new QPlainTextEdit(textBoxes), "plainTextEdit_replaceWith");
    boxLayout->addWidget(m_keysCaption);
    boxLayout->addWidget(m_keys);
    boxLayout->addWidget(m_replaceCaption);
    boxLayout->addWidget(m_replaceWith);
    m_inner->addWidget(textBoxes);

    m_table = named(new QTableWidget(1, 1, m_inner), "tableWidget_replaced2");
    m_table->setHorizontalHeaderLabels({QStringLiteral("关键字")});
    m_table->setItem(0, 0, new QTableWidgetItem);
    m_table->setMouseTracking(true);
    m_inner->addWidget(m_table);
    layout->addWidget(m_inner, 1);

    auto *separatorRow = new QHBoxLayout;
    m_separatorCaption = named(new QLabel(QStringLiteral("关键字分隔符:"), this), "label_13");
    m_separator = named(new QLineEdit(QStringLiteral(","), this), "lineEdit_replacedSeparator");
    m_clear = named(new QPushButton(QStringLiteral("清空"), this), "pushButton_replacedClear");
    separatorRow->addWidget(m_separatorCaption);
    separatorRow->addWidget(m_separator);
    separatorRow->addStretch(1);
    separatorRow->addWidget(m_clear);
    layout->addLayout(separatorRow);

    connect(m_ordinary, &QRadioButton::toggled, this, &PageKeys::modeChanged);
    connect(m_extend, &QRadioButton::toggled, this, &PageKeys::modeChanged);
    connect(m_regular, &QRadioButton::toggled, this, &PageKeys::modeChanged);
    connect(m_table, &QTableWidget::itemChanged, this, &PageKeys::tableItemChanged);
    connect(m_table, &QTableWidget::cellEntered, this, &PageKeys::tableCellEntered);
    connect(m_clear, &QPushButton::clicked, this, &PageKeys::clearSlot);
    modeChanged();
}

void PageKeys::modeChanged()
{
    m_full->setEnabled(m_ordinary->isChecked());
    m_greedy->setEnabled(m_regular->isChecked());
}

void PageKeys::presetSlot(int index)
{
    for (const KeyPreset &p : presets) {
        if (p.index != index)
            continue;
        if (p.clearKeys)
            m_keys->clear();
        if (p.clearReplacements)
            m_replaceWith->clear();
        if (p.keysCaption)
            m_keysCaption->setText(QString::fromUtf8(p.keysCaption));
        m_replaceWith->setVisible(p.replacements);
        m_replaceCaption->setVisible(p.replacements);
        m_inner->setCurrentIndex(p.innerPage);
        m_ordinary->setVisible(p.modes);
        m_extend->setVisible(p.modes);
        m_extend->setEnabled(true);
        m_full->setVisible(p.modes);
        m_case->setVisible(p.modes);
        m_separatorCaption->setVisible(p.modes);
        m_separator->setVisible(p.modes);
        (p.checked == Pattern::Regular ? m_regular : m_ordinary)->setChecked(true);
        return;
    }
}

Pattern PageKeys::pattern() const
{
    if (m_ordinary->isChecked())
        return Pattern::Ordinary;
    if (m_extend->isChecked())
        return Pattern::Extend;
    return Pattern::Regular;
}

std::optional<ReplaceOptions> PageKeys::replaceOptions() const
{
    ReplaceOptions o;
    o.caseSensitive = m_case->isChecked();
    o.pattern = pattern();
    o.wholeWord = o.pattern == Pattern::Ordinary && m_full->isChecked();
    o.greedy = o.pattern != Pattern::Regular || m_greedy->isChecked();
    // The replacement box is hidden (and empty) for delete.
    const QString replacements = m_replaceWith->isVisibleTo(this) ? m_replaceWith->toPlainText() : QString();
    o.pairs = Replace::pairsOf(m_keys->toPlainText(), replacements, m_separator->text());
    if (!Replace::isUsable(o))
        return std::nullopt;
    return o;
}

std::optional<Replace2Options> PageKeys::replace2Options(const QStringList &files) const
{
    ReplaceOptions shared;
    shared.caseSensitive = m_case->isChecked();
    shared.pattern = pattern();
    shared.wholeWord = shared.pattern == Pattern::Ordinary && m_full->isChecked();
    shared.greedy = shared.pattern != Pattern::Regular || m_greedy->isChecked();

    const QList<QStringList> rows = tableRows();
    const QString separator = m_separator->text();
    Replace2Options result;
    result.none = shared;
    ReplaceOptions allKeys = shared;
    allKeys.pairs = Replace::tablePairs(rows, 0, separator);
    if (!Replace::isUsable(allKeys))
        return std::nullopt;
    for (const QString &file : files) {
        const int column = columnOf(file);
        if (column < 0)
            continue;
        ReplaceOptions own = shared;
        own.pairs = Replace::tablePairs(rows, column, separator);
        result.byFile.insert(file, own);
    }
    return result;
}

std::optional<RetainOptions> PageKeys::retainOptions() const
{
    RetainOptions o;
    o.patterns = m_keys->toPlainText();
    o.caseSensitive = m_case->isChecked();
    o.greedy = m_greedy->isChecked();
    if (!Blocks::isUsable(o))
        return std::nullopt;
    return o;
}

std::optional<BlockOptions> PageKeys::blockOptions(BlockOptions::Implement implement) const
{
    BlockOptions o;
    o.keywords = m_keys->toPlainText();
    o.caseSensitive = m_case->isChecked();
    o.separator = m_separator->text();
    o.pattern = pattern();
    o.greedy = o.pattern != Pattern::Regular || m_greedy->isChecked();
    o.implement = implement;
    if (!Blocks::isUsable(o))
        return std::nullopt;
    return o;
}

void PageKeys::rangeFilesSlot(const QStringList &files)
{
    m_files = files;
    showListToTableWidget();
}

void PageKeys::showListToTableWidget()
{
    QStringList headers{QStringLiteral("关键字")};
    for (const QString &file : m_files)
        headers << QFileInfo(file).fileName();
    const QSignalBlocker block(m_table);
    m_table->setColumnCount(headers.size());
    m_table->setHorizontalHeaderLabels(headers);
}

QList<QStringList> PageKeys::tableRows() const
{
    QList<QStringList> rows;
    for (int r = 0; r + 1 < m_table->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m_table->columnCount(); ++c)
            cells << cellText(m_table, r, c);
        rows << cells;
    }
    return rows;
}

int PageKeys::columnOf(const QString &fileName) const
{
    int i = m_files.indexOf(fileName);
    if (i < 0) {
        const QString canonical = QFileInfo(fileName).canonicalFilePath();
        for (int k = 0; k < m_files.size() && !canonical.isEmpty(); ++k) {
            if (QFileInfo(m_files.at(k)).canonicalFilePath() == canonical) {
                i = k;
                break;
            }
        }
    }
    return i < 0 ? -1 : i + 1;
}

void PageKeys::tableItemChanged(QTableWidgetItem *item)
{
    if (item->text().isEmpty())
        return;
    const int row = item->row();
    if (row > 0 && cellText(m_table, row - 1, 0).isEmpty()) {
        emit tipSignal(Tips::EmptyKeyRow.var1, Tips::EmptyKeyRow.var2);
        item->setText(QString());
        return;
    }
    if (row == m_table->rowCount() - 1)
        appendTableRow();
}

void PageKeys::appendTableRow()
{
    const QSignalBlocker block(m_table);
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    for (int c = 0; c < m_table->columnCount(); ++c)
        m_table->setItem(row, c, new QTableWidgetItem);
}

void PageKeys::tableCellEntered(int row, int column)
{
    Q_UNUSED(row)
    if (column >= 1 && column <= m_files.size())
        QToolTip::showText(QCursor::pos(), m_files.at(column - 1), m_table);
}

void PageKeys::clearSlot()
{
    if (m_inner->currentIndex() == 0) {
        m_keys->clear();
        m_replaceWith->clear();
        return;
    }
    // The columns of the range's files stay, so a start right after does
    // not find them missing; only the contents go.
    const QSignalBlocker block(m_table);
    m_table->clearContents();
    m_table->setRowCount(1);
    for (int c = 0; c < m_table->columnCount(); ++c)
        m_table->setItem(0, c, new QTableWidgetItem);
}
