#ifndef OPTION_H
#define OPTION_H

#include <QStringList>
#include <QWidget>

#include "textformat.h"

namespace Ui {
class Option;
}

// The window "选项": shows the settings of "./configure.ini", the filter
// lines of "suffix.ini" and the plug-in states of "plus.ini", and writes
// them all back when "保存" is pressed. Closing it any other way discards
// the changes.
class Option : public QWidget
{
    Q_OBJECT
public:
    // knownPlugins: the keys of the plug-ins the host loaded; one that
    // "plus.ini" does not list is shown unchecked after its lines.
    explicit Option(const QStringList &knownPlugins = QStringList(), QWidget *parent = nullptr);
    ~Option() override;

    // The filters shown while "suffix.ini" is empty or missing.
    static QString defaultSuffixText();
    // The largest number of lists created at start-up.
    static int maxListNumber() { return 100; }

private slots:
    void on_pushButton_save_clicked();

private:
    void load(const QStringList &knownPlugins);
    // Reads a text file of the working directory through the shared
    // reader/writer; a missing file reads as empty without a message.
    QString readFile(const QString &fileName, TextFormat &format) const;

    Ui::Option *ui;
    TextFormat m_suffixFormat;
    TextFormat m_plusFormat;
};

#endif // OPTION_H
