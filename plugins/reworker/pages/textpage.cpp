#include "textpage.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

TextPage::TextPage(QWidget *parent)
    : QWidget(parent)
{
}

void TextPage::presetSlot(int index)
{
    Q_UNUSED(index)
}

void TextPage::rangeFilesSlot(const QStringList &files)
{
    Q_UNUSED(files)
}

void TextPage::setDigitsOnly(QWidget *input)
{
    auto *validator = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d*")), input);
    if (auto *edit = qobject_cast<QLineEdit *>(input))
        edit->setValidator(validator);
    else if (auto *combo = qobject_cast<QComboBox *>(input))
        combo->setValidator(validator);
}

int TextPage::numberOf(const QString &digits)
{
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok && n > 0 ? n : 0;
}
