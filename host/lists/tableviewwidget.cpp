#include "tableviewwidget.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QMimeDatabase>
#include <QTableView>
#include <QTreeView>
#include <QtConcurrent>

#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <sys/stat.h>

#include "mytablemodel.h"
#include "readwritetxt.h"
#include "tipcodes.h"

namespace {

struct FolderId
{
    dev_t device;
    ino_t inode;
    bool operator==(const FolderId &other) const { return device == other.device && inode == other.inode; }
};

uint qHash(const FolderId &id, uint seed = 0)
{
    return ::qHash(quint64(id.inode), seed) ^ ::qHash(quint64(id.device), seed);
}

// What the walk of a tree found, before the first bytes of its files are
// looked at: the folders met, and per "*.txt" file its folder and name.
// Names stay as the bytes the folder gave, so that each file is opened
// relative to its open folder (one name to look up, not the whole path).
struct ScanTree
{
    struct Folder
    {
        QByteArray encoded; // the folder's path as the system takes it
        QString prefix; // the folder's path with a trailing '/'
    };
    struct File
    {
        int folder; // index into folders
        int name; // offset of the NUL-terminated name in names
        bool regular; // a regular file (links followed): its bytes are read
    };
    std::vector<Folder> folders;
    std::vector<File> files;
    QByteArray names;
};

// Lists folder with readdir: its entry types come with the names, so a
// tree of many thousand files costs no status call per file (only per
// link or where the file system gives no type).
void scanInto(const QString &folder, bool recursive, ScanTree &tree, QSet<FolderId> &visited)
{
    const QByteArray encoded = QFile::encodeName(folder);
    struct stat st;
    if (::stat(encoded.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
        return;
    const FolderId id{ st.st_dev, st.st_ino };
    if (visited.contains(id))
        return;
    visited.insert(id);
    DIR *dir = ::opendir(encoded.constData());
    if (!dir)
        return;
    const int index = int(tree.folders.size());
    const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    tree.folders.push_back({ encoded, prefix });
    while (const dirent *entry = ::readdir(dir)) {
        const char *name = entry->d_name;
        if (name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0)))
            continue;
        bool isDir = entry->d_type == DT_DIR;
        bool isFile = entry->d_type == DT_REG;
        bool regular = isFile;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            const QByteArray full = encoded + '/' + name;
            struct stat target;
            if (::stat(full.constData(), &target) == 0) {
                isDir = S_ISDIR(target.st_mode);
                isFile = !isDir;
                regular = S_ISREG(target.st_mode);
            }
        } else if (!isDir) {
            isFile = true; // a pipe or device named *.txt is refused by the jobs, as before
        }
        const size_t length = std::strlen(name);
        if (isDir) {
            if (recursive)
                scanInto(prefix + QFile::decodeName(name), recursive, tree, visited);
        } else if (isFile && length > 4 && std::memcmp(name + length - 4, ".txt", 4) == 0) {
            tree.files.push_back({ index, tree.names.size(), regular });
            tree.names.append(name, int(length) + 1);
        }
    }
    ::closedir(dir);
}

// Whether path names a file (links followed), with one status call and
// nothing else: refreshing a large list asks it for every entry.
bool isExistingFile(const QString &path)
{
    struct stat st;
    return !path.isEmpty() && ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

TableViewWidget::TableViewWidget(int tableID, const QString &title, int *fileIdCounter, QWidget *parent)
    : QWidget(parent)
    , m_tableID(tableID)
    , m_fileIdCounter(fileIdCounter)
    , m_view(new QTableView(this))
    , m_model(new MyTableModel(this))
    , m_menu(new QMenu(this))
{
    setWindowTitle(title);

    auto *layout = new QGridLayout(this);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 0, 0);

    m_view->setModel(m_model);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->setDragEnabled(true);
    m_view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_view->setDragDropMode(QAbstractItemView::InternalMove);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setDefaultDropAction(Qt::MoveAction);
    // Drops from outside reach the viewport first; the filter takes them
    // before the view's internal-move handling turns them away.
    m_view->viewport()->installEventFilter(this);

    connect(m_model, &MyTableModel::changeSignal, this, &TableViewWidget::rowsMove);

    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(0);
    connect(&m_refreshTimer, &QTimer::timeout, this, &TableViewWidget::refresh);

    buildMenu();
}

TableViewWidget::~TableViewWidget()
{
    qDeleteAll(m_entries);
}

void TableViewWidget::buildMenu()
{
    m_menu->addAction(QStringLiteral("添加文件"), this, &TableViewWidget::addFilesByDialog);
    m_menu->addAction(QStringLiteral("添加目录"), this, &TableViewWidget::addFolderByDialog);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("打开选中文件"), this, &TableViewWidget::openSelected);
    m_menu->addAction(QStringLiteral("打开全部文件"), this, &TableViewWidget::openAll);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("打开文件所在目录"), this, &TableViewWidget::openFolders);
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("保存所有归属文件"), this, [this] { emit saveSignal(m_tableID); });
    m_menu->addAction(QStringLiteral("关闭归属选中文件"), this, [this] { closeEntries(false); });
    m_menu->addAction(QStringLiteral("关闭归属所有文件"), this, [this] { emit closeSignal(m_tableID); });
    m_menu->addSeparator();
    m_menu->addAction(QStringLiteral("删除选中"), this, [this] { closeEntries(true); });
    m_menu->addAction(QStringLiteral("全部删除"), this, &TableViewWidget::removeAll);

    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { m_menu->popup(m_view->viewport()->mapToGlobal(pos)); });
}

QString TableViewWidget::countLabel() const
{
    return windowTitle() + QLatin1Char('(') + QString::number(m_entries.size()) + QLatin1Char(')');
}

bool TableViewWidget::addFile(const QString &path, int id)
{
    if (m_paths.contains(path))
        return false;
    auto *entry = new FileType;
    entry->id = id;
    entry->fileName = path;
    m_entries.append(entry);
    m_paths.insert(path);
    return true;
}

int TableViewWidget::addFiles(const QStringList &paths)
{
    int added = 0;
    for (const QString &path : paths) {
        ++*m_fileIdCounter;
        if (addFile(path, *m_fileIdCounter))
            ++added;
    }
    if (!paths.isEmpty())
        refresh();
    return added;
}

TableViewWidget::ScanResult TableViewWidget::scanFolders(const QStringList &folders, bool recursive)
{
    ScanResult result;
    for (const QString &folder : folders) {
        int skipped = 0;
        result.paths += scanFolder(folder, recursive, &skipped);
        if (skipped > 0)
            result.skipped.append(qMakePair(folder, skipped));
    }
    return result;
}

int TableViewWidget::addScanned(const ScanResult &result)
{
    const int known = m_entries.size();
    int added = 0;
    for (const QString &path : result.paths) {
        ++*m_fileIdCounter;
        if (addFile(path, *m_fileIdCounter))
            ++added;
    }
    // The scan has just found the new entries; only the others are looked
    // up again.
    refreshFrom(known);
    for (const auto &skipped : result.skipped)
        emit tipSignal(Tips::BinarySkipped.var1, skipped.second, skipped.first);
    return added;
}

int TableViewWidget::addFolders(const QStringList &folders, bool recursive)
{
    if (folders.isEmpty())
        return 0;
    return addScanned(scanFolders(folders, recursive));
}

void TableViewWidget::addFoldersInBackground(const QStringList &folders, bool recursive)
{
    if (folders.isEmpty() || m_scan.isRunning())
        return;
    // The task holds nothing of the list: a list closed meanwhile only
    // drops the result.
    disconnect(&m_scan, nullptr, this, nullptr);
    connect(&m_scan, &QFutureWatcher<ScanResult>::finished, this, [this] {
        emit scanDoneSignal(addScanned(m_scan.result()));
    });
    m_scan.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), &TableViewWidget::scanFolders, folders, recursive));
}

int TableViewWidget::addDroppedUrls(const QList<QUrl> &urls)
{
    const QMimeDatabase mimeDatabase;
    int added = 0;
    for (const QUrl &url : urls) {
        const QString path = url.toLocalFile();
        if (path.isEmpty())
            continue;
        if (!mimeDatabase.mimeTypeForFile(path).name().startsWith(QLatin1String("text/")))
            continue;
        ++*m_fileIdCounter;
        if (addFile(path, *m_fileIdCounter))
            ++added;
    }
    refresh();
    return added;
}

QStringList TableViewWidget::scanFolder(const QString &folder, bool recursive, int *skipped)
{
    ScanTree tree;
    QSet<FolderId> visited;
    scanInto(QFileInfo(folder).absoluteFilePath(), recursive, tree, visited);
    // Each file's first bytes are read, and its path made, on every pool
    // thread at once, in stretches of files of one folder; the order of
    // the paths stays as found. A path left empty is a file that looks
    // binary.
    const int count = int(tree.files.size());
    QVector<QString> found(count);
    QVector<QPair<int, int>> stretches; // [from, to) of files of one folder
    constexpr int stretch = 512;
    for (int from = 0; from < count;) {
        int to = from + 1;
        while (to < count && to - from < stretch && tree.files[size_t(to)].folder == tree.files[size_t(from)].folder)
            ++to;
        stretches.append(qMakePair(from, to));
        from = to;
    }
    QString *out = found.data(); // detached once, before the threads write
    QtConcurrent::blockingMap(stretches, [&tree, out](const QPair<int, int> &range) {
        const ScanTree::Folder &in = tree.folders[size_t(tree.files[size_t(range.first)].folder)];
        const int folderFd = ::open(in.encoded.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        bool noAtime = true;
        for (int i = range.first; i < range.second; ++i) {
            const ScanTree::File &file = tree.files[size_t(i)];
            const char *name = tree.names.constData() + file.name;
            if (!file.regular || folderFd < 0 || !ReadWriteTxt::looksBinaryAt(folderFd, name, &noAtime))
                out[i] = in.prefix + QFile::decodeName(name);
        }
        if (folderFd >= 0)
            ::close(folderFd);
    });
    QStringList text;
    text.reserve(count);
    for (QString &path : found) {
        if (!path.isEmpty())
            text.append(std::move(path));
    }
    if (skipped)
        *skipped = count - text.size();
    return text;
}

bool TableViewWidget::acceptsDrag(const QMimeData *data)
{
    return data && data->hasUrls() && data->hasFormat(QStringLiteral("text/uri-list"));
}

QString TableViewWidget::openFilter()
{
    QString text;
    const QString suffixFile = QStringLiteral("suffix.ini");
    if (QFile::exists(suffixFile))
        ReadWriteTxt::shared()->readText(suffixFile, text);
    if (text.trimmed().isEmpty())
        text = QStringLiteral("txt(*.txt)\njson(*.json)\nhtml(*.html  *.css *.js)\nsource(*.h *.cpp *.hpp *.py)\n"
                              "csv(*.csv)\nsvg(*.svg)\nAll(*.*)");
    return text.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(QLatin1String(";;"));
}

QList<int> TableViewWidget::selectedRows() const
{
    QSet<int> rows;
    const QModelIndexList indexes = m_view->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : indexes) {
        if (index.row() >= 0 && index.row() < m_entries.size())
            rows.insert(index.row());
    }
    QList<int> sorted = rows.values();
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

QList<FileType *> TableViewWidget::selectedEntries() const
{
    QList<FileType *> list;
    const QList<int> rows = selectedRows();
    for (int row : rows)
        list.append(m_entries.at(row));
    return list;
}

QList<QUrl> TableViewWidget::selectedFolderUrls() const
{
    QList<QUrl> urls;
    QSet<QString> seen;
    const QList<FileType *> list = selectedEntries();
    for (const FileType *entry : list) {
        const QString folder = QFileInfo(entry->fileName).absolutePath();
        if (seen.contains(folder))
            continue;
        seen.insert(folder);
        urls.append(QUrl::fromLocalFile(folder));
    }
    return urls;
}

void TableViewWidget::addFilesByDialog()
{
    const QStringList paths = QFileDialog::getOpenFileNames(this, QStringLiteral("请选择需要添加的TXT文本文档:"),
                                                            QStringLiteral("/"), openFilter());
    addFiles(paths);
}

void TableViewWidget::addFolderByDialog()
{
    QFileDialog dialog(this, QStringLiteral("选择文本文档所在目录:"), QStringLiteral("."));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    // Several folders at once, in both the list and the detail view.
    if (auto *listView = dialog.findChild<QListView *>(QStringLiteral("listView")))
        listView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    if (auto *treeView = dialog.findChild<QTreeView *>(QStringLiteral("treeView")))
        treeView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto *subfolders = new QCheckBox(QStringLiteral("包含子目录文件"), &dialog);
    subfolders->setChecked(true);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
        grid->addWidget(subfolders, 4, 0, 1, 5);
    if (dialog.exec() == QDialog::Accepted)
        addFoldersInBackground(dialog.selectedFiles(), subfolders->isChecked());
}

void TableViewWidget::openSelected()
{
    const QList<FileType *> list = selectedEntries();
    if (!list.isEmpty())
        emit openFilesSignal(m_tableID, list);
}

void TableViewWidget::openAll()
{
    emit openFilesSignal(m_tableID, m_entries);
}

void TableViewWidget::openFolders()
{
    // The folder, not the file: handing the file itself to the desktop
    // would open it in some other program.
    const QList<QUrl> urls = selectedFolderUrls();
    for (const QUrl &url : urls)
        QDesktopServices::openUrl(url);
}

void TableViewWidget::closeEntries(bool remove)
{
    const QList<FileType *> list = selectedEntries();
    if (remove) {
        const QSet<FileType *> gone(list.begin(), list.end());
        QList<FileType *> kept;
        kept.reserve(m_entries.size());
        for (FileType *entry : qAsConst(m_entries)) {
            if (gone.contains(entry))
                m_paths.remove(entry->fileName);
            else
                kept.append(entry);
        }
        m_entries = kept;
    }
    emit closeSelectSignal(m_tableID, list);
    if (remove)
        qDeleteAll(list);
    refresh();
}

void TableViewWidget::removeAll()
{
    emit closeSignal(m_tableID);
    qDeleteAll(m_entries);
    m_entries.clear();
    m_paths.clear();
    refresh();
}

void TableViewWidget::rowsMove(QList<int> rows, int to)
{
    const int count = m_entries.size();
    QList<int> moving;
    QSet<int> seen;
    for (int row : qAsConst(rows)) {
        if (row >= 0 && row < count && !seen.contains(row)) {
            seen.insert(row);
            moving.append(row);
        }
    }
    if (to < 0 || to > count)
        to = count;

    // The moved entries go in front of old position "to", in the order
    // they were dragged; the rest keep their order.
    QList<FileType *> reordered;
    reordered.reserve(count);
    for (int i = 0; i <= count; ++i) {
        if (i == to) {
            for (int row : qAsConst(moving))
                reordered.append(m_entries.at(row));
        }
        if (i < count && !seen.contains(i))
            reordered.append(m_entries.at(i));
    }
    m_entries = reordered;
    refresh();
}

void TableViewWidget::requestRefresh()
{
    if (!m_refreshTimer.isActive())
        m_refreshTimer.start();
}

void TableViewWidget::refresh()
{
    refreshFrom(m_entries.size());
}

void TableViewWidget::refreshFrom(int checked)
{
    m_refreshTimer.stop();
    QList<FileType *> kept;
    kept.reserve(m_entries.size());
    for (int i = 0; i < m_entries.size(); ++i) {
        FileType *entry = m_entries.at(i);
        if (i >= checked || isExistingFile(entry->fileName)) {
            kept.append(entry);
        } else {
            m_paths.remove(entry->fileName);
            delete entry;
        }
    }
    m_entries = kept;
    m_model->setEntries(m_entries);
    emit fileCountSignal(countLabel());
}

bool TableViewWidget::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate) {
        emit windowActivateSignal();
        emit fileCountSignal(countLabel());
    }
    return QWidget::event(event);
}

void TableViewWidget::closeEvent(QCloseEvent *event)
{
    // The host closes this list's editors and forgets the list; the
    // window itself is only hidden.
    emit destroySignal(m_tableID);
    event->accept();
}

void TableViewWidget::dragEnterEvent(QDragEnterEvent *event)
{
    if (acceptsDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TableViewWidget::dragMoveEvent(QDragMoveEvent *event)
{
    if (acceptsDrag(event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void TableViewWidget::dropEvent(QDropEvent *event)
{
    if (!acceptsDrag(event->mimeData())) {
        event->ignore();
        return;
    }
    addDroppedUrls(event->mimeData()->urls());
    event->acceptProposedAction();
}

bool TableViewWidget::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view->viewport()) {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto *drag = static_cast<QDragMoveEvent *>(event);
            if (drag->source() == m_view)
                break; // a row move inside the table
            if (event->type() == QEvent::DragEnter)
                dragEnterEvent(static_cast<QDragEnterEvent *>(event));
            else
                dragMoveEvent(drag);
            return true;
        }
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (drop->source() == m_view)
                break;
            dropEvent(drop);
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}
