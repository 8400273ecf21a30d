#include "mytablemodel.h"

#include <QDebug>
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
    beginResetModel();
    QStringList paths;
    paths.reserve(entries.size());
    for (const FileType *entry : entries)
        paths << entry->fileName; // shared with the entry, not copied
    m_paths = paths;
    endResetModel();
}

int MyTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_paths.size();
}

int MyTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

QModelIndex MyTableModel::index(int row, int column, const QModelIndex &parent) const
{
    if (parent.isValid() || row < 0 || row >= m_paths.size() || column < 0 || column > 1)
        return QModelIndex();
    return createIndex(row, column);
}

QModelIndex MyTableModel::parent(const QModelIndex &child) const
{
    Q_UNUSED(child)
    return QModelIndex();
}

bool MyTableModel::hasChildren(const QModelIndex &parent) const
{
    return !parent.isValid() && !m_paths.isEmpty();
}

QVariant MyTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal)
        return QStandardItemModel::headerData(section, orientation, role);
    return QAbstractItemModel::headerData(section, orientation, role);
}

Qt::ItemFlags MyTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
}

QVariant MyTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_paths.size())
        return QVariant();
    const QString &path = m_paths.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return index.column() == 0 ? QFileInfo(path).fileName() : QFileInfo(path).absolutePath();
    case Qt::ToolTipRole:
        return QFileInfo(path).absoluteFilePath();
    default:
        return QVariant();
    }
}

QMap<int, QVariant> MyTableModel::itemData(const QModelIndex &index) const
{
    QMap<int, QVariant> roles;
    const QVariant display = data(index, Qt::DisplayRole);
    if (display.isValid())
        roles.insert(Qt::DisplayRole, display);
    return roles;
}

bool MyTableModel::setData(const QModelIndex &, const QVariant &, int)
{
    return false;
}

bool MyTableModel::setItemData(const QModelIndex &, const QMap<int, QVariant> &)
{
    return false;
}

bool MyTableModel::removeRows(int, int, const QModelIndex &)
{
    return false;
}

bool MyTableModel::insertRows(int, int, const QModelIndex &)
{
    return false;
}

QMimeData *MyTableModel::mimeData(const QModelIndexList &indexes) const
{
    // The cells' texts in the usual item-list format, for any other
    // reader of the drag.
    QMimeData *data = QAbstractItemModel::mimeData(indexes);
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
