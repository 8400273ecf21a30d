#ifndef TEXTPAGE_H
#define TEXTPAGE_H

#include <QStringList>
#include <QWidget>

// The base of the text plug-in's option pages. A page reads its own option
// record (a const method per record); the option dock calls the hooks
// below when an operation of the page is chosen and when the files of the
// current range change, and passes the page's tips on to the host.
class TextPage : public QWidget
{
    Q_OBJECT
public:
    explicit TextPage(QWidget *parent = nullptr);

    // Shows, hides and presets the page's widgets for the operation index,
    // which has just been chosen and shows this page. Does nothing by default.
    virtual void presetSlot(int index);
    // The files of the current range (without repeats), handed over when
    // they may have changed. Does nothing by default.
    virtual void rangeFilesSlot(const QStringList &files);

    // A digits-only validator on a line edit or editable combo box, so
    // negative numbers cannot be typed; an empty input reads as 0.
    static void setDigitsOnly(QWidget *input);
    // The number typed in a digits-only input; 0 when empty or too large.
    static int numberOf(const QString &digits);

signals:
    void tipSignal(int var1, int var2, const QString &fileName = QString());
};

#endif // TEXTPAGE_H
