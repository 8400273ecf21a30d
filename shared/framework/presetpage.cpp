#include "presetpage.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHash>
#include <QJsonArray>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QTableWidget>
#include <QTextEdit>

#include <cmath>

namespace {

bool isKnownKind(const QWidget *w)
{
    if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w)
        || qobject_cast<const QComboBox *>(w) || qobject_cast<const QCheckBox *>(w)
        || qobject_cast<const QRadioButton *>(w) || qobject_cast<const QSpinBox *>(w)
        || qobject_cast<const QDoubleSpinBox *>(w) || qobject_cast<const QTableWidget *>(w))
        return true;
    // A read-only text edit only shows something (a browser, a preview).
    const auto *text = qobject_cast<const QTextEdit *>(w);
    return text && !text->isReadOnly();
}

// The option widgets of page in creation order (the order of the form),
// each name once.
QList<QWidget *> optionWidgets(const QWidget *page)
{
    QList<QWidget *> widgets;
    QSet<QString> names;
    for (QWidget *w : page->findChildren<QWidget *>()) {
        if (PresetPage::isOption(w, page) && !names.contains(w->objectName())) {
            names.insert(w->objectName());
            widgets << w;
        }
    }
    return widgets;
}

QJsonValue valueOf(const QWidget *w)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(w))
        return line->text();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(w))
        return plain->toPlainText();
    if (const auto *text = qobject_cast<const QTextEdit *>(w))
        return text->toPlainText();
    if (const auto *combo = qobject_cast<const QComboBox *>(w))
        return combo->isEditable() ? QJsonValue(combo->currentText()) : QJsonValue(combo->currentIndex());
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->isChecked();
    if (const auto *spin = qobject_cast<const QSpinBox *>(w))
        return spin->value();
    if (const auto *spin = qobject_cast<const QDoubleSpinBox *>(w))
        return spin->value();
    if (const auto *table = qobject_cast<const QTableWidget *>(w)) {
        QJsonArray rows;
        for (int r = 0; r < table->rowCount(); ++r) {
            QJsonArray cells;
            for (int c = 0; c < table->columnCount(); ++c) {
                const QTableWidgetItem *item = table->item(r, c);
                cells << (item ? item->text() : QString());
            }
            rows << cells;
        }
        return rows;
    }
    return QJsonValue();
}

// Whether value is a whole number (JSON numbers are doubles).
bool isWhole(const QJsonValue &value)
{
    if (!value.isDouble())
        return false;
    const double d = value.toDouble();
    return std::isfinite(d) && d == std::floor(d) && std::fabs(d) < 2147483648.0;
}

// Sets w to value; false when the value does not fit the widget.
bool setValue(QWidget *w, const QJsonValue &value)
{
    if (auto *line = qobject_cast<QLineEdit *>(w)) {
        if (!value.isString())
            return false;
        if (line->text() != value.toString())
            line->setText(value.toString());
        return true;
    }
    if (auto *plain = qobject_cast<QPlainTextEdit *>(w)) {
        if (!value.isString())
            return false;
        if (plain->toPlainText() != value.toString())
            plain->setPlainText(value.toString());
        return true;
    }
    if (auto *text = qobject_cast<QTextEdit *>(w)) {
        if (!value.isString())
            return false;
        if (text->toPlainText() != value.toString())
            text->setPlainText(value.toString());
        return true;
    }
    if (auto *combo = qobject_cast<QComboBox *>(w)) {
        if (combo->isEditable()) {
            if (!value.isString())
                return false;
            combo->setCurrentText(value.toString());
            return true;
        }
        if (!isWhole(value) || value.toInt() < 0 || value.toInt() >= combo->count())
            return false;
        combo->setCurrentIndex(value.toInt());
        return true;
    }
    if (auto *button = qobject_cast<QAbstractButton *>(w)) {
        if (!value.isBool())
            return false;
        button->setChecked(value.toBool());
        return true;
    }
    if (auto *spin = qobject_cast<QSpinBox *>(w)) {
        if (!isWhole(value) || value.toInt() < spin->minimum() || value.toInt() > spin->maximum())
            return false;
        spin->setValue(value.toInt());
        return true;
    }
    if (auto *spin = qobject_cast<QDoubleSpinBox *>(w)) {
        if (!value.isDouble() || value.toDouble() < spin->minimum() || value.toDouble() > spin->maximum())
            return false;
        spin->setValue(value.toDouble());
        return true;
    }
    if (auto *table = qobject_cast<QTableWidget *>(w)) {
        if (!value.isArray())
            return false;
        const QJsonArray rows = value.toArray();
        for (const QJsonValue &row : rows) {
            if (!row.isArray())
                return false;
            for (const QJsonValue &cell : row.toArray()) {
                if (!cell.isString())
                    return false;
            }
        }
        table->setRowCount(rows.size());
        for (int r = 0; r < rows.size(); ++r) {
            const QJsonArray cells = rows.at(r).toArray();
            for (int c = 0; c < table->columnCount(); ++c) {
                const QString cell = c < cells.size() ? cells.at(c).toString() : QString();
                if (QTableWidgetItem *item = table->item(r, c))
                    item->setText(cell);
                else
                    table->setItem(r, c, new QTableWidgetItem(cell));
            }
        }
        return true;
    }
    return false;
}

} // namespace

bool PresetPage::isOption(const QWidget *widget, const QWidget *page)
{
    const QString name = widget->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")) || !isKnownKind(widget))
        return false;
    // The line edit inside a combo or spin box, the editors of a table:
    // parts of another option, not options of their own.
    for (const QWidget *up = widget->parentWidget(); up && up != page; up = up->parentWidget()) {
        if (qobject_cast<const QComboBox *>(up) || qobject_cast<const QAbstractSpinBox *>(up)
            || qobject_cast<const QAbstractItemView *>(up))
            return false;
    }
    return true;
}

QJsonObject PresetPage::capture(const QWidget *page)
{
    QJsonObject options;
    if (!page)
        return options;
    for (const QWidget *w : optionWidgets(page))
        options.insert(w->objectName(), valueOf(w));
    return options;
}

PresetPage::Outcome PresetPage::apply(QWidget *page, const QJsonObject &options)
{
    Outcome outcome;
    QHash<QString, QWidget *> byName;
    QList<QWidget *> widgets;
    if (page)
        widgets = optionWidgets(page);
    for (QWidget *w : widgets)
        byName.insert(w->objectName(), w);
    for (auto it = options.begin(); it != options.end(); ++it) {
        if (!byName.contains(it.key()))
            outcome.unknown << it.key();
    }
    // In the order of the form, twice: a widget that another one fills or
    // resets when it changes (a combo box whose choices follow another's)
    // gets its value after that one has changed.
    QSet<QString> bad;
    for (int pass = 0; pass < 2; ++pass) {
        for (QWidget *w : qAsConst(widgets)) {
            const auto it = options.constFind(w->objectName());
            if (it == options.constEnd() || bad.contains(it.key()))
                continue;
            if (!setValue(w, it.value()))
                bad.insert(it.key());
        }
    }
    for (QWidget *w : qAsConst(widgets)) {
        if (bad.contains(w->objectName()))
            outcome.badValue << w->objectName();
    }
    return outcome;
}
