#ifndef MYTABLEMODEL_H
#define MYTABLEMODEL_H

#include <QList>
#include <QStandardItemModel>

#include "filetype.h"

// The two columns of a file list, "文件名" (the name without folder) and
// "路径" (the absolute folder), one row per entry. Rows dragged inside the
// table travel as formats "0", "1", ... holding their row numbers; a drop
// hands them to the list as changeSignal instead of moving items itself.
class MyTableModel : public QStandardItemModel
{
    Q_OBJECT
public:
    explicit MyTableModel(QObject *parent = nullptr);

    // Replaces all rows by one row per entry, in one reset of the views
    // (cheap for tens of thousands of entries).
    void setEntries(const QList<FileType *> &entries);

    // Every cell's tooltip is its entry's full path (the name column shows
    // no folder, and a long folder is cut off).
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;

signals:
    void changeSignal(QList<int> rows, int to);
};

#endif // MYTABLEMODEL_H
