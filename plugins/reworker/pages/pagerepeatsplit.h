#ifndef PAGEREPEATSPLIT_H
#define PAGEREPEATSPLIT_H

#include <optional>

#include "split.h"
#include "textpage.h"
#include "textrepeat.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

// page_19, shared by the repeated-line removal (重复) and splitting (拆分):
// each operation shows only its own inputs.
class PageRepeatSplit : public TextPage
{
    Q_OBJECT
public:
    explicit PageRepeatSplit(QWidget *parent = nullptr);

    RepeatOptions repeatOptions() const;
    // Splitting's options; nullopt for a count of 0 or an empty dividing text.
    std::optional<SplitOptions> splitOptions() const;

    void presetSlot(int index) override;

private:
    QCheckBox *m_ignoreOuterSpace;
    // Splitting: a fixed number of blocks, or at a dividing text.
    QRadioButton *m_fixBlockNum;
    QLineEdit *m_blockNum;
    QRadioButton *m_splitChar;
    QLineEdit *m_splitStr;
};

#endif // PAGEREPEATSPLIT_H
