#include "mytablemodel.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QSet>

MyTableModel::MyTableModel(QObject *parent)
    : QStandardItemModel(0, 2, parent)
{
    setHorizontalHeaderLabels({ QStringLiteral("文件名"), QStringLiteral("路径") });
}

void MyTableModel::setEntries(const QList<FileType *> &entries)
{
    // Row-by-row signals would make every view relayout once per row; the
    // rows are built silently and the views told once.
    const bool blocked = blockSignals(true);
    removeRows(0, rowCount());
    setRowCount(entries.size());
    for (int j = 0; j < entries.size(); ++j) {
        const QFileInfo info(entries.at(j)->fileName);
        auto *name = new QStandardItem(info.fileName());
        auto *folder = new QStandardItem(info.absolutePath());
        name->setEditable(false);
        folder->setEditable(false);
        setItem(j, 0, name);
        setItem(j, 1, folder);
    }
    blockSignals(blocked);
    beginResetModel();
    endResetModel();
}

QVariant MyTableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::ToolTipRole || !index.isValid())
        return QStandardItemModel::data(index, role);
    // Made from the two columns when asked, so large lists keep no copy.
    const QStandardItem *name = item(index.row(), 0);
    const QStandardItem *folder = item(index.row(), 1);
    if (!name || !folder)
        return QVariant();
    return QDir(folder->text()).filePath(name->text());
}

QMimeData *MyTableModel::mimeData(const QModelIndexList &indexes) const
{
    QMimeData *data = QStandardItemModel::mimeData(indexes);
    if (!data)
        return nullptr;
    // Each dragged row once, in the order the rows were selected.
    QSet<int> seen;
    int k = 0;
    for (const QModelIndex &index : indexes) {
        if (seen.contains(index.row()))
            continue;
        seen.insert(index.row());
        data->setData(QString::number(k++), QByteArray::number(index.row()));
    }
    return data;
}

bool MyTableModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                                const QModelIndex &parent)
{
    Q_UNUSED(column)
    qDebug() << "Model: dropMimeData1";
    if (!data || action != Qt::MoveAction)
        return false;
    QList<int> rows;
    for (int k = 0;; ++k) {
        const QByteArray value = data->data(QString::number(k));
        if (value.isEmpty())
            break;
        bool ok = false;
        const int r = value.toInt(&ok);
        if (ok)
            rows.append(r);
    }
    qDebug() << "Model: dropMimeData2";
    // Dropped onto a row: before that row. Dropped between rows: at the
    // gap. Anywhere else (-1): at the end.
    const int to = parent.isValid() ? parent.row() : row;
    emit changeSignal(rows, to);
    return true;
}
