#ifndef MYTABLEMODEL_H
#define MYTABLEMODEL_H

#include <QList>
#include <QStandardItemModel>
#include <QStringList>

#include "filetype.h"

// The two columns of a file list, "文件名" (the name without folder) and
// "路径" (the absolute folder), one row per entry. Rows dragged inside the
// table travel as formats "0", "1", ... holding their row numbers; a drop
// hands them to the list as changeSignal instead of moving items itself.
//
// The rows are the entries' paths, nothing more: the two cells are made
// from a path when a view asks for them (only the rows on screen), so a
// list of a hundred thousand files costs one shared string per row here
// instead of two item objects with their own copies.
class MyTableModel : public QStandardItemModel
{
    Q_OBJECT
public:
    explicit MyTableModel(QObject *parent = nullptr);

    // Replaces all rows by one row per entry, in one reset of the views.
    void setEntries(const QList<FileType *> &entries);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex &child) const override;
    using QObject::parent;
    bool hasChildren(const QModelIndex &parent = QModelIndex()) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // The two column titles; rows are numbered from 1.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    // Column 0: the file name, column 1: the absolute folder; every
    // cell's tooltip is its entry's full path (the name column shows no
    // folder, and a long folder is cut off).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    // The cells are not editable, nor cleared by a view after a move.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    bool setItemData(const QModelIndex &index, const QMap<int, QVariant> &roles) override;
    // Rows change only through the list (setEntries).
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

signals:
    void changeSignal(QList<int> rows, int to);

private:
    QStringList m_paths;
};

#endif // MYTABLEMODEL_H
