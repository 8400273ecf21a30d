#ifndef PAGETEXTTO_H
#define PAGETEXTTO_H

#include "textpage.h"

class QButtonGroup;
class QComboBox;
class QPushButton;
class QRadioButton;
class QStackedWidget;
struct TextToOption;

// The conversion page (page_8): five modes, each with its own inner page
// of stackedWidget_textTo (case, width, bases, script variants, custom
// table). The script and custom modes convert by table files in the
// tables folder of the settings; their edit buttons open both files of the
// pair in the two-pane editor.
class PageTextTo : public TextPage
{
    Q_OBJECT
public:
    explicit PageTextTo(QWidget *parent = nullptr);

    // The record of the chosen mode; for the table modes the tables are
    // read, checked and built here, before any file is touched. Null when
    // the options cannot be used (a tip says why, unless the base is out
    // of range, which the start's own refusal reports).
    TextToOption *readOptions();

    // The tables folder, as the option dock read it from the settings.
    QString dataPath() const;

public slots:
    void on_radioButton_textToCase_clicked();
    void on_radioButton_textToHalfFull_clicked();
    void on_radioButton_textToBase_clicked();
    void on_radioButton_textToTradition_clicked();
    void on_radioButton_textToCustom_clicked();
    void on_radioButton_textToFormat1_toggled(bool checked);
    void on_pushButton_textToBaseAB2BA_clicked();
    void on_pushButton_textToTradition_clicked();
    void on_pushButton_textToCustom_clicked();
    void on_radioButton_textToOne_toggled(bool checked);

private:
    void openPair(const QString &title, const QString &leftLabel, int leftTable, const QString &rightLabel,
                  int rightTable);

    QRadioButton *m_modes[5];
    QStackedWidget *m_inner;
    QRadioButton *m_capital;
    QComboBox *m_caseWhich;
    QRadioButton *m_half;
    QComboBox *m_baseBefore;
    QComboBox *m_baseAfter;
    QRadioButton *m_format1;
    QComboBox *m_direction;
    QRadioButton *m_one;
    QRadioButton *m_result1;
    QRadioButton *m_result2;
};

#endif // PAGETEXTTO_H
