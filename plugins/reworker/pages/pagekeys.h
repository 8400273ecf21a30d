#ifndef PAGEKEYS_H
#define PAGEKEYS_H

#include <optional>

#include "blocks.h"
#include "replace.h"
#include "textpage.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTableWidget;
class QTableWidgetItem;

// The keys page (page_1), shared by replace (替1), per-file replace (替2),
// retain (留), delete (删) and keep/delete lines (段留, 段删): the find
// mode, the case and greediness boxes, the keys and replacements as two
// text boxes or, for 替2, as a table with one column per file of the range.
// Each operation's options are read by one method; nullopt when they are
// unusable (an expression that does not compile, nothing to look for).
class PageKeys : public TextPage
{
    Q_OBJECT
public:
    explicit PageKeys(QWidget *parent = nullptr);

    std::optional<ReplaceOptions> replaceOptions() const;
    std::optional<Replace2Options> replace2Options(const QStringList &files) const;
    std::optional<RetainOptions> retainOptions() const;
    std::optional<BlockOptions> blockRetainOptions() const { return blockOptions(BlockOptions::Retain); }
    std::optional<BlockOptions> blockDeleteOptions() const { return blockOptions(BlockOptions::Delete); }

    void presetSlot(int index) override;
    // Rebuilds the table's columns: "关键字" and one per file, headed by its
    // name; the table's contents stay.
    void rangeFilesSlot(const QStringList &files) override;

    Pattern pattern() const;
    // The data rows of the table (the last row, kept empty for new input,
    // is left out), each as its cells' texts.
    QList<QStringList> tableRows() const;

private:
    std::optional<BlockOptions> blockOptions(BlockOptions::Implement implement) const;
    void showListToTableWidget();
    void modeChanged();
    void tableItemChanged(QTableWidgetItem *item);
    void tableCellEntered(int row, int column);
    void clearSlot();
    void appendTableRow();
    int columnOf(const QString &fileName) const;

    QRadioButton *m_ordinary;
    QRadioButton *m_extend;
    QRadioButton *m_regular;
    QCheckBox *m_greedy;
    QCheckBox *m_full;
    QCheckBox *m_case;
    QStackedWidget *m_inner;
    QLabel *m_keysCaption;
    QLabel *m_replaceCaption;
    QPlainTextEdit *m_keys;
    QPlainTextEdit *m_replaceWith;
    QTableWidget *m_table;
    QLabel *m_separatorCaption;
    QLineEdit *m_separator;
    QPushButton *m_clear;
    QStringList m_files; // the files of the table's columns 1, 2, ...
};

#endif // PAGEKEYS_H
