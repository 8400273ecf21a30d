#ifndef TABLEVIEWWIDGET_H
#define TABLEVIEWWIDGET_H

#include <QFutureWatcher>
#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include "filetype.h"

class MyTableModel;
class QMenu;
class QMimeData;
class QTableView;

// A file list: a small top-level window with an ordered set of files, one
// path at most once. Files come by dialog, folder scan or drag and drop;
// rows are reordered by dragging them inside the table. Owns its entries.
class TableViewWidget : public QWidget
{
    Q_OBJECT
public:
    // fileIdCounter: the host's running file ID, shared by all lists.
    TableViewWidget(int tableID, const QString &title, int *fileIdCounter, QWidget *parent = nullptr);
    ~TableViewWidget() override;

    int tableID() const { return m_tableID; }
    QTableView *view() const { return m_view; }
    MyTableModel *model() const { return m_model; }
    QMenu *contextMenu() const { return m_menu; }

    const QList<FileType *> &entries() const { return m_entries; }
    int fileCount() const { return m_entries.size(); }
    bool contains(const QString &path) const { return m_paths.contains(path); }
    // windowTitle + "(" + count + ")", as shown in the host's list label.
    QString countLabel() const;

    // Appends an entry unless the path is in the list already; no refresh.
    bool addFile(const QString &path, int id);
    // Each path gets the next file ID and is added; refreshes when paths
    // is not empty. Returns the number of entries added.
    int addFiles(const QStringList &paths);
    // What a folder scan found: the text files to add, in order, and per
    // scanned folder the number of files skipped because they look binary.
    struct ScanResult
    {
        QStringList paths;
        QList<QPair<QString, int>> skipped; // (folder, count), counts above 0
    };
    // Scans every folder (see scanFolder); safe on any thread.
    static ScanResult scanFolders(const QStringList &folders, bool recursive);

    // The files of every folder (with subfolders when recursive), added as
    // by addFiles; refreshes when folders is not empty. Files that look
    // binary are left out, and a tip per folder says how many.
    int addFolders(const QStringList &folders, bool recursive);
    // The same with the scan on a pool thread, so a large tree does not
    // hold the window; the files are added when it ends (scanDoneSignal).
    void addFoldersInBackground(const QStringList &folders, bool recursive);
    bool isScanning() const { return m_scan.isRunning(); }
    // The local text files among urls, added as by addFiles, then refresh.
    int addDroppedUrls(const QList<QUrl> &urls);

    // The files named exactly "*.txt" in folder, depth first in the order
    // the folder lists them; subfolders only when recursive. A folder met
    // twice (through a link) is scanned once. Files that look binary
    // (ReadWriteTxt::looksBinary) are left out and counted in skipped.
    static QStringList scanFolder(const QString &folder, bool recursive, int *skipped = nullptr);
    // Whether a drag from outside carries something the list may take.
    static bool acceptsDrag(const QMimeData *data);
    // The file-dialog filters: "suffix.ini", else the default text.
    static QString openFilter();

    // Selected rows, each once, ascending.
    QList<int> selectedRows() const;
    // The folders holding the selected entries, each once, in row order.
    QList<QUrl> selectedFolderUrls() const;

    void addFilesByDialog();
    void addFolderByDialog();
    void openSelected();
    void openAll();
    void openFolders();
    void closeEntries(bool remove);
    void removeAll();

    // Refreshes once the events now waiting have been handled, so many
    // single additions in a row cost one refresh.
    void requestRefresh();

public slots:
    void rowsMove(QList<int> rows, int to);
    void refresh();

signals:
    void openFilesSignal(int tableID, QList<FileType *> filelist);
    void windowActivateSignal();
    void saveSignal(int tableID);
    void destroySignal(int tableID);
    void fileCountSignal(const QString &listNameCount);
    void closeSelectSignal(int tableID, QList<FileType *> list);
    void closeSignal(int tableID);
    // A tip of the list (a folder scan's skipped files).
    void tipSignal(int var1, int var2, const QString &fileName);
    // A background folder scan has ended; added: the entries it added.
    void scanDoneSignal(int added);

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenu();
    int addScanned(const ScanResult &result);
    // refresh(), looking up only the entries before checked: those after
    // it are known to be files.
    void refreshFrom(int checked);
    QList<FileType *> selectedEntries() const;

    int m_tableID;
    int *m_fileIdCounter;
    QTableView *m_view;
    MyTableModel *m_model;
    QMenu *m_menu;
    QList<FileType *> m_entries;
    QSet<QString> m_paths;
    QTimer m_refreshTimer;
    QFutureWatcher<ScanResult> m_scan;
};

#endif // TABLEVIEWWIDGET_H
