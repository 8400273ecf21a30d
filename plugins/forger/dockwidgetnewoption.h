#ifndef DOCKWIDGETNEWOPTION_H
#define DOCKWIDGETNEWOPTION_H

#include "dockwidgetoptionbase.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
struct NewNumberOptions;
struct NewVariableOptions;

// The generation plug-in's option pane, six pages: numbers (0), account
// and password (1), dictionary (2), integer variables (3), text variables
// (4, empty) and the explanation (5).
//
// The variable table's last row is the entry row, not part of a job: a
// start value typed into it turns it into a variable and appends a new
// entry row "{@%n}". The per-file count shown on page 3 is [new]
// branchNumber of "./configure.ini", written back as the user edits it.
class DockWidgetNewOption : public DockWidgetOptionBase
{
    Q_OBJECT
public:
    DockWidgetNewOption(OperationTable *table, QWidget *parent = nullptr);

    // The number options as shown; the caller owns the record.
    NewNumberOptions *numberOptions() const;
    // The variables of every row but the entry row and the template; null
    // when there is no variable. The caller owns the record.
    NewVariableOptions *variableOptions() const;
    // "生成条目数量：" as a number; empty or not a number reads 0.
    qint64 itemCount() const;

    QTableWidget *variableTable() const { return m_table; }

public slots:
    void on_tableWidget_newVariableInt_itemChanged(QTableWidgetItem *item);
    void on_pushButton_newVariableIntClear_clicked();

private:
    QWidget *numberPage();
    QWidget *userPwdPage();
    QWidget *dictionaryPage();
    QWidget *variableIntPage();
    QWidget *explainPage();
    // Sets the row's four cells to the entry row's defaults.
    void setEntryRow(int row);

    QLineEdit *m_split = nullptr;
    QLineEdit *m_min = nullptr;
    QLineEdit *m_max = nullptr;
    QLineEdit *m_length = nullptr;
    QCheckBox *m_sort = nullptr;
    QCheckBox *m_repeat = nullptr;
    QTableWidget *m_table = nullptr;
    QPlainTextEdit *m_model = nullptr;
    QLineEdit *m_itemCount = nullptr;
    QLineEdit *m_branchNumber = nullptr;
    QLabel *m_explain = nullptr;
    bool m_resetting = false;
};

#endif // DOCKWIDGETNEWOPTION_H
