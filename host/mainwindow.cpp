#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QDir>
#include <QDockWidget>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTableView>
#include <QTextBrowser>
#include <QTextCodec>
#include <QTimer>
#include <QToolBar>

#include "batchbackup.h"
#include "codeeditorex.h"
#include "codesetting.h"
#include "dockwidgettips.h"
#include "emptyguide.h"
#include "ini.h"
#include "option.h"
#include "pluginhost.h"
#include "presetmenu.h"
#include "readwritetxt.h"
#include "tableviewwidget.h"
#include "tipcodes.h"
#include "undorun.h"
#include "windowlayout.h"
#include "windowplacer.h"

namespace {

// More empty lists than anybody can use would only stall the start.
const int maxStartLists = 100;

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    // The guide is built into the host library, whose resources a program
    // must register.
    Q_INIT_RESOURCE(guide);
    ui->setupUi(this);
    setupMdiArea();
    WindowPlacer::Windows windows;
    windows.workArea = [this] { return workArea(); };
    windows.lists = [this] {
        QList<QWidget *> lists;
        for (TableViewWidget *list : qAsConst(m_lists))
            lists << list;
        return lists;
    };
    windows.docks = [this] { return floatingDocks(); };
    m_placer.reset(new WindowPlacer(ui->mdiArea_text, windows));
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(windowTitleText());

    QDir().mkpath(QDir::currentPath() + QStringLiteral("/log"));
    QDir().mkpath(QDir::currentPath() + QStringLiteral("/data"));

    applyLocaleCodec();

    m_pluginLabel = new QLabel(this);
    m_listLabel = new QLabel(this);
    m_documentLabel = new QLabel(this);
    statusBar()->addWidget(m_pluginLabel);
    statusBar()->addWidget(m_listLabel);
    statusBar()->addWidget(m_documentLabel);
    m_codeLabel = new QLabel(this);
    statusBar()->addPermanentWidget(m_codeLabel);

    m_tipsDock = new DockWidgetTips(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_tipsDock);
    connect(this, &MainWindow::tipSignal, m_tipsDock, &DockWidgetTips::tip);
    connect(this, &MainWindow::explainSignal, m_tipsDock, &DockWidgetTips::explain);
    connect(m_tipsDock, &DockWidgetTips::finish, this, [this] { setUiEnabled(true); });
    resizeDocks({m_tipsDock}, {messageDockHeight()}, Qt::Vertical);

    connect(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal, m_tipsDock, &DockWidgetTips::tip);

    setupProgress();
    m_undoAction = new QAction(QStringLiteral("撤销上次批处理(&U)"), this);
    m_undoAction->setObjectName(QStringLiteral("action_undo"));
    m_undoAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    ui->menu_12->insertAction(ui->action_quit, m_undoAction);
    ui->menu_12->insertSeparator(ui->action_quit);
    connect(m_undoAction, &QAction::triggered, this, &MainWindow::undoLastBatch);

    m_emptyGuide = new EmptyGuide(ui->mdiArea_text);
    connect(m_emptyGuide, &EmptyGuide::stepSignal, this, [this](EmptyGuide::Step step) { followGuideStep(step); });
    m_emptyGuideTimer.setSingleShot(true);
    m_emptyGuideTimer.setInterval(0);
    connect(&m_emptyGuideTimer, &QTimer::timeout, this, [this] {
        m_emptyGuide->setVisible(m_lists.isEmpty() && m_editors.isEmpty() && dockPairs().isEmpty()
                                 && floatingDocks().isEmpty());
    });

    createStartLists();
    updateEmptyGuide();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    // Editors and lists die with the window's children, after the members
    // they report to: they must not reach back here any more.
    for (CodeEditorEx *editor : qAsConst(m_editors))
        disconnect(editor, nullptr, this, nullptr);
    const QList<TableViewWidget *> all = findChildren<TableViewWidget *>();
    for (TableViewWidget *list : all)
        disconnect(list, nullptr, this, nullptr);
    delete m_option; // windows of their own, not children
    delete m_guide;
    delete ui;
}

void MainWindow::setupMdiArea()
{
    QMdiArea *area = ui->mdiArea_text;
    area->setBackground(QBrush(QColor(200, 200, 200)));
    area->setActivationOrder(QMdiArea::CreationOrder);
    area->setViewMode(QMdiArea::SubWindowView);
    area->setDocumentMode(false);
    area->setTabsClosable(false);
    area->setTabsMovable(false);
    area->setTabShape(QTabWidget::Rounded);
    // Editors opened before the work area has its final size (files named
    // on the command line, while the window manager is still sizing the
    // window) are placed once it has it.
    area->viewport()->installEventFilter(this);
}

void MainWindow::updateEmptyGuide()
{
    m_emptyGuideTimer.start();
}

void MainWindow::followGuideStep(int step)
{
    switch (step) {
    case EmptyGuide::AddFiles:
        ui->action_add->trigger();
        break;
    case EmptyGuide::AddFolder:
        listForAdding()->addFolderByDialog();
        break;
    case EmptyGuide::OpenPlugin:
        // The menu itself drops down, where the plug-ins are listed.
        menuBar()->setActiveAction(ui->menu_p->menuAction());
        break;
    case EmptyGuide::ReadGuide:
        ui->action_guide->trigger();
        break;
    default:
        break;
    }
}

void MainWindow::createStartLists()
{
    int count = readIni(configureIni(), QStringLiteral("start"), QStringLiteral("listNumber"),
                        QStringLiteral("0")).toInt(nullptr, 10);
    if (count > maxStartLists) {
        qWarning() << "listNumber" << count << "limited to" << maxStartLists;
        count = maxStartLists;
    }
    m_placer->setStartLists(qMax(0, count));
    for (int i = 1; i <= count; ++i) {
        ++m_listCounter;
        createList(QStringLiteral("List"), m_listCounter);
    }
}

Option *MainWindow::optionWindow() const
{
    return m_option;
}

QTextBrowser *MainWindow::guideWindow() const
{
    return m_guide;
}

QMdiArea *MainWindow::mdiArea() const
{
    return ui->mdiArea_text;
}

void MainWindow::applyLocaleCodec()
{
    CodeSetting::apply(CodeSetting::setting());
}

void MainWindow::raiseToolWindows()
{
    for (TableViewWidget *list : qAsConst(m_lists)) {
        if (!list->isHidden())
            list->raise();
    }
    for (QDockWidget *dock : floatingDocks())
        dock->raise();
}

bool MainWindow::event(QEvent *event)
{
    // The lists and the plug-in docks are tool windows of this window: they
    // stay above it whenever it comes to the front (a shortcut, a closed
    // dialog), without taking the focus.
    if (event->type() == QEvent::WindowActivate)
        raiseToolWindows();
    return QMainWindow::event(event);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize && watched == ui->mdiArea_text->viewport())
        m_placer->viewportResized();
    // A window manager may raise this window over its tool windows when it
    // is clicked again while active; they are put back on top right after.
    if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this)
        QTimer::singleShot(0, this, &MainWindow::raiseToolWindows);
    // A plug-in's docks shown or closed: the work area may have become
    // empty, or not be any more.
    if ((event->type() == QEvent::Show || event->type() == QEvent::Hide) && watched->parent() == this
        && qobject_cast<QDockWidget *>(watched) && watched != m_tipsDock)
        updateEmptyGuide();
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    m_pluginHost = new PluginHost(this, ui->menu_p, &m_nextDockPos, this);
    connect(m_pluginHost, &PluginHost::aboutToOpen, this, [this] { m_placer->aboutToOpen(); });
    connect(m_pluginHost, &PluginHost::opened, this, [this] { m_placer->opened(); });
    m_placer->setLoadingPlugins(true);
    m_pluginHost->loadAll(PluginHost::pluginFolder(QCoreApplication::applicationDirPath()));
    m_placer->setLoadingPlugins(false);
    m_presetMenu = new PresetMenu(ui->menu_p, m_pluginHost, this);
    resizeDocks({m_tipsDock}, {messageDockHeight()}, Qt::Vertical);
    layoutWindows();
}

// ---- window placement --------------------------------------------------
// WindowPlacer places the windows; this window tells it the work area, the
// lists and the docks.

QRect MainWindow::layoutScreen() const
{
    if (m_layoutScreen.isValid())
        return m_layoutScreen;
    QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

int MainWindow::messageDockHeight() const
{
    return WindowLayout::messageDockHeight(layoutScreen());
}

QRect MainWindow::workArea() const
{
    int above = menuBar()->sizeHint().height();
    if (!ui->mainToolBar->isHidden())
        above += ui->mainToolBar->sizeHint().height();
    return WindowLayout::workArea(layoutScreen(), above, statusBar()->sizeHint().height() + messageDockHeight());
}

QRect MainWindow::freeArea() const
{
    return m_placer->freeArea();
}

QRect MainWindow::freeEditorArea() const
{
    return m_placer->freeEditorArea();
}

QList<QDockWidget *> MainWindow::floatingDocks() const
{
    QList<QDockWidget *> docks;
    const QList<QDockWidget *> all = findChildren<QDockWidget *>(QString(), Qt::FindDirectChildrenOnly);
    for (QDockWidget *dock : all) {
        if (dock != m_tipsDock && dock->isFloating() && !dock->isHidden())
            docks << dock;
    }
    return docks;
}

QList<QPair<QDockWidget *, QDockWidget *>> MainWindow::dockPairs() const
{
    return m_placer->dockPairs();
}

void MainWindow::layoutWindows()
{
    m_placer->layoutWindows();
}

// ---- lists and editors -------------------------------------------------

TableViewWidget *MainWindow::createList(const QString &prefix, int number)
{
    auto *list = new TableViewWidget(number, prefix + QString::number(number), &m_fileIdCounter, this);
    list->setAcceptDrops(true);
    list->setWindowFlags(Qt::Dialog);
    QHeaderView *header = list->view()->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setSectionResizeMode(0, QHeaderView::ResizeToContents);

    connect(list, &TableViewWidget::openFilesSignal, this, &MainWindow::openFiles);
    connect(list, &TableViewWidget::windowActivateSignal, this, [this, list] {
        // A list no longer kept (closed or dropped) cannot become current.
        if (m_lists.contains(list))
            setCurrentList(list);
    });
    connect(list, &TableViewWidget::fileCountSignal, this, [this, list](const QString &text) {
        if (m_lists.contains(list))
            m_listLabel->setText(text);
    });
    connect(list->view(), &QTableView::doubleClicked, this, [this, list](const QModelIndex &index) {
        if (index.row() >= 0 && index.row() < list->fileCount())
            openFiles(list->tableID(), { list->entries().at(index.row()) });
    });
    connect(list, &TableViewWidget::saveSignal, this, &MainWindow::saveListEditors);
    connect(list, &TableViewWidget::closeSelectSignal, this, &MainWindow::closeSelected);
    connect(list, &TableViewWidget::closeSignal, this, &MainWindow::closeListEditors);
    connect(list, &TableViewWidget::destroySignal, this, &MainWindow::listDestroyed);
    connect(list, &TableViewWidget::tipSignal, m_tipsDock, &DockWidgetTips::tip);

    m_lists.append(list);
    updateEmptyGuide();
    m_placer->placeList(list, true);
    list->show();
    m_currentList = list;
    return list;
}

TableViewWidget *MainWindow::listForAdding()
{
    if (!m_currentList) {
        if (!m_lists.isEmpty()) {
            m_currentList = m_lists.first();
        } else {
            ++m_listCounter;
            createList(QStringLiteral("List"), m_listCounter);
        }
    }
    return m_currentList;
}

namespace {

MainWindow::ManyEditorsQuestion &manyEditorsQuestion()
{
    static MainWindow::ManyEditorsQuestion question;
    return question;
}

} // namespace

void MainWindow::setManyEditorsQuestion(const ManyEditorsQuestion &question)
{
    manyEditorsQuestion() = question;
}

int MainWindow::newEditorCount(int tableID, const QList<FileType *> &entries) const
{
    int count = 0;
    for (const FileType *entry : entries) {
        if (entry && !findEditor(tableID, entry->fileName))
            ++count;
    }
    return count;
}

int MainWindow::editorsAllowed(int count)
{
    if (count <= manyEditors)
        return count;
    ManyEditorsAnswer answer = OpenNone;
    if (manyEditorsQuestion()) {
        answer = manyEditorsQuestion()(this, count);
    } else {
        QMessageBox box(QMessageBox::Question, QStringLiteral("打开文件"),
                        QStringLiteral("要为 %1 个文件各打开一个编辑器吗？\n文件都已在列表中，"
                                       "以后也可以双击列表中的文件打开它。").arg(count),
                        QMessageBox::NoButton, this);
        QPushButton *all = box.addButton(QStringLiteral("全部打开"), QMessageBox::AcceptRole);
        QPushButton *first = box.addButton(QStringLiteral("只打开前 %1 个").arg(manyEditors), QMessageBox::AcceptRole);
        QPushButton *none = box.addButton(QStringLiteral("不打开"), QMessageBox::RejectRole);
        box.setWindowModality(Qt::ApplicationModal); // the lists keep their entries meanwhile
        box.setDefaultButton(first);
        box.setEscapeButton(none);
        box.exec();
        answer = box.clickedButton() == all ? OpenAll : box.clickedButton() == first ? OpenFirst : OpenNone;
    }
    switch (answer) {
    case OpenAll: return count;
    case OpenFirst: return manyEditors;
    case OpenNone: break;
    }
    return 0;
}

void MainWindow::openFiles(int tableID, const QList<FileType *> &entries)
{
    openEntries(tableID, entries, editorsAllowed(newEditorCount(tableID, entries)));
}

int MainWindow::openEntries(int tableID, const QList<FileType *> &entries, int allowed)
{
    int opened = 0;
    for (const FileType *entry : entries) {
        if (!entry)
            continue;
        // Matched against the list the entries come from, so opening a
        // file twice never gives two editors writing the same file.
        if (CodeEditorEx *open = findEditor(tableID, entry->fileName)) {
            if (QMdiSubWindow *sub = subWindowOf(open)) {
                sub->setWindowFlags(sub->windowFlags() | Qt::WindowStaysOnTopHint);
                sub->show();
                ui->mdiArea_text->setActiveSubWindow(sub);
            }
            setCurrentEditor(open);
            continue;
        }
        if (opened >= allowed)
            continue;
        qDebug() << tableID << entry->id << entry->fileName;
        newEditor(tableID, entry->id, entry->fileName);
        ++opened;
    }
    return opened;
}

CodeEditorEx *MainWindow::newEditor(int tableID, int id, const QString &fileName)
{
    qDebug() << "newCodeEditorEx  tableID:" << tableID << "  CodeEditorExID:" << id;
    auto *editor = new CodeEditorEx(tableID, id, fileName);
    connect(editor, &CodeEditorEx::destroySignal, this, [this, editor] { editorDestroyed(editor); });
    connect(editor, &CodeEditorEx::tipSignal, m_tipsDock, &DockWidgetTips::tip);
    connect(editor, &CodeEditorEx::addToListSignal, this, &MainWindow::addToList);
    connect(editor, &CodeEditorEx::windowActivateSignal, this, [this, editor] { setCurrentEditor(editor); });
    connect(editor, &CodeEditorEx::formatSignal, this, [this, editor] {
        if (editor == m_currentEditor)
            showEditorCode();
    });
    m_editors.append(editor);
    updateEmptyGuide();
    setCurrentEditor(editor);
    QMdiSubWindow *sub = ui->mdiArea_text->addSubWindow(editor);
    m_placer->placeEditor(sub);
    sub->show();
    if (editor->loadFailed())
        editor->reportLoadFailure();
    return editor;
}

void MainWindow::openCommandLineFiles(const QStringList &paths)
{
    QStringList files;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isFile())
            files << info.absoluteFilePath();
    }
    if (files.isEmpty())
        return;
    TableViewWidget *list = m_lists.isEmpty() ? listForAdding() : m_lists.first();
    list->addFiles(files);
    QList<FileType *> entries;
    for (FileType *entry : list->entries()) {
        if (files.contains(entry->fileName))
            entries << entry;
    }
    openFiles(list->tableID(), entries);
}

int MainWindow::currentTableIdArgument() const
{
    return m_currentList ? m_currentList->tableID() : -1;
}

TableViewWidget *MainWindow::findList(int tableID) const
{
    for (TableViewWidget *list : m_lists) {
        if (list->tableID() == tableID)
            return list;
    }
    return nullptr;
}

CodeEditorEx *MainWindow::findEditor(int tableID, const QString &fileName) const
{
    for (CodeEditorEx *editor : m_editors) {
        if (editor->tableID() == tableID && editor->fileName() == fileName)
            return editor;
    }
    return nullptr;
}

QMdiSubWindow *MainWindow::subWindowOf(CodeEditorEx *editor) const
{
    return qobject_cast<QMdiSubWindow *>(editor->parentWidget());
}

void MainWindow::setCurrentEditor(CodeEditorEx *editor)
{
    m_currentEditor = editor;
    m_documentLabel->setText(editor ? editor->fileName() : QString());
    showEditorCode();
}

void MainWindow::showEditorCode()
{
    // Nothing is known of a file that could not be read.
    const bool known = m_currentEditor && !m_currentEditor->loadFailed();
    m_codeLabel->setText(known ? CodeSetting::describe(m_currentEditor->textFormat()) : QString());
}

void MainWindow::setCurrentList(TableViewWidget *list)
{
    m_currentList = list;
}

void MainWindow::makeFirstEditorCurrent()
{
    if (m_editors.isEmpty()) {
        setCurrentEditor(nullptr);
        return;
    }
    CodeEditorEx *first = m_editors.first();
    setCurrentEditor(first);
    if (QMdiSubWindow *sub = subWindowOf(first))
        ui->mdiArea_text->setActiveSubWindow(sub);
}

void MainWindow::activateFirstList(bool makeCurrent)
{
    if (m_lists.isEmpty()) {
        m_currentList = nullptr;
        m_listLabel->clear();
        return;
    }
    TableViewWidget *first = m_lists.first();
    if (makeCurrent)
        setCurrentList(first);
    first->activateWindow();
}

void MainWindow::closeEditor(CodeEditorEx *editor)
{
    if (QMdiSubWindow *sub = subWindowOf(editor))
        delete sub;
    else
        delete editor;
}

bool MainWindow::saveForClose(CodeEditorEx *editor, int tableID)
{
    return editor->settleBeforeClose(tableID, true);
}

bool MainWindow::closeListEditor(CodeEditorEx *editor)
{
    // A document never saved belongs to no list's files: it just closes.
    if (!editor->fileName().isEmpty()) {
        m_savingToClose = true;
        const bool settled = editor->settleBeforeClose(-1, false);
        m_savingToClose = false;
        if (!settled)
            return false;
    }
    closeEditor(editor);
    return true;
}

void MainWindow::editorDestroyed(CodeEditorEx *editor)
{
    m_editors.removeAll(editor);
    updateEmptyGuide();
    if (m_currentEditor == editor)
        setCurrentEditor(nullptr);
}

void MainWindow::addToList(int tableID, int id, const QString &fileName)
{
    const bool toList = readIni(configureIni(), QStringLiteral("text"), QStringLiteral("firstSaveToList"),
                                QStringLiteral("1")).toInt(nullptr, 10) != 0;
    qDebug() << "isSaveToList:" << toList;
    if (!toList || tableID < 1 || m_savingToClose)
        return;
    if (TableViewWidget *list = findList(tableID)) {
        list->addFile(fileName, id);
        list->refresh();
        setCurrentList(list);
        list->activateWindow();
        return;
    }
    TableViewWidget *list = createList(QStringLiteral("List"), tableID);
    list->addFile(fileName, id);
    list->refresh();
}

void MainWindow::saveListEditors(int tableID)
{
    const QList<CodeEditorEx *> editors = m_editors;
    for (CodeEditorEx *editor : editors) {
        if (m_editors.contains(editor) && editor->tableID() == tableID)
            editor->save(-1);
    }
}

void MainWindow::closeSelected(int tableID, const QList<FileType *> &entries)
{
    const QList<CodeEditorEx *> editors = m_editors;
    for (int i = editors.size() - 1; i >= 0; --i) {
        CodeEditorEx *editor = editors.at(i);
        if (!m_editors.contains(editor) || editor->tableID() != tableID)
            continue;
        for (const FileType *entry : entries) {
            if (entry->id == editor->codeID() && entry->fileName == editor->fileName()) {
                closeListEditor(editor);
                break;
            }
        }
    }
    activateFirstList(true);
}

void MainWindow::closeListEditors(int tableID)
{
    const QList<CodeEditorEx *> editors = m_editors;
    for (int i = editors.size() - 1; i >= 0; --i) {
        CodeEditorEx *editor = editors.at(i);
        if (m_editors.contains(editor) && editor->tableID() == tableID)
            closeListEditor(editor);
    }
    makeFirstEditorCurrent();
    if (!m_lists.isEmpty())
        m_lists.first()->activateWindow();
}

void MainWindow::listDestroyed(int tableID)
{
    const QList<CodeEditorEx *> editors = m_editors;
    for (int i = editors.size() - 1; i >= 0; --i) {
        CodeEditorEx *editor = editors.at(i);
        if (m_editors.contains(editor) && editor->tableID() == tableID)
            closeListEditor(editor);
    }
    if (m_editors.isEmpty())
        setCurrentEditor(nullptr);
    else
        setCurrentEditor(m_editors.first());

    for (int i = m_lists.size() - 1; i >= 0; --i) {
        if (m_lists.at(i)->tableID() == tableID)
            m_lists.removeAt(i);
    }
    activateFirstList(true);
    updateEmptyGuide();
}

// ---- menu commands -----------------------------------------------------

void MainWindow::on_action_add_triggered()
{
    listForAdding()->addFilesByDialog();
}

void MainWindow::on_action_open_triggered()
{
    if (m_currentList)
        m_currentList->openSelected();
}

void MainWindow::on_action_openAll_triggered()
{
    // The walk ends at the first empty list; one question for all of it.
    QList<TableViewWidget *> lists;
    int count = 0;
    for (TableViewWidget *list : qAsConst(m_lists)) {
        if (list->fileCount() == 0)
            break;
        lists << list;
        count += newEditorCount(list->tableID(), list->entries());
    }
    int allowed = editorsAllowed(count);
    for (TableViewWidget *list : qAsConst(lists)) {
        if (m_lists.contains(list))
            allowed -= openEntries(list->tableID(), list->entries(), allowed);
    }
}

void MainWindow::on_action_save_triggered()
{
    if (m_currentEditor)
        m_currentEditor->save(currentTableIdArgument());
}

void MainWindow::on_action_saveAll_triggered()
{
    const int tableID = currentTableIdArgument();
    const QList<CodeEditorEx *> editors = m_editors;
    for (CodeEditorEx *editor : editors) {
        if (m_editors.contains(editor))
            editor->save(tableID);
    }
}

void MainWindow::on_action_close_triggered()
{
    // Closes the current editor itself, which is the one just saved, even
    // when another sub-window happens to be active.
    CodeEditorEx *editor = m_currentEditor;
    if (!editor || !saveForClose(editor, currentTableIdArgument()))
        return;
    closeEditor(editor);
    makeFirstEditorCurrent();
}

void MainWindow::on_action_closeAll_triggered()
{
    const QList<CodeEditorEx *> editors = m_editors;
    for (int i = editors.size() - 1; i >= 0; --i) {
        CodeEditorEx *editor = editors.at(i);
        if (m_editors.contains(editor) && saveForClose(editor, -1))
            closeEditor(editor);
    }
    makeFirstEditorCurrent();
}

void MainWindow::on_action_del_triggered()
{
    if (m_currentList)
        m_currentList->closeEntries(true);
}

void MainWindow::on_action_delAll_triggered()
{
    const QList<TableViewWidget *> lists = m_lists;
    for (TableViewWidget *list : lists)
        list->removeAll();
    setCurrentEditor(nullptr);
}

void MainWindow::on_action_quit_triggered()
{
    cancelJob();
    QCoreApplication::exit(0);
}

void MainWindow::on_action_new_triggered()
{
    ++m_listCounter;
    ++m_fileIdCounter;
    newEditor(m_listCounter, m_fileIdCounter, QString());
}

void MainWindow::on_action_guide_triggered()
{
    // A window of its own beside the work, not modal; asked for again, the
    // open one comes forward.
    if (!m_guide) {
        m_guide = new QTextBrowser;
        m_guide->setAttribute(Qt::WA_DeleteOnClose);
        m_guide->setObjectName(QStringLiteral("textBrowser_guide"));
        m_guide->setWindowTitle(QStringLiteral("使用说明"));
        m_guide->setOpenExternalLinks(true);
        m_guide->setSource(QUrl(QStringLiteral("qrc:/guide/guide.html")));
        m_guide->resize(760, qMin(640, layoutScreen().height() - 80));
        m_guide->move(layoutScreen().center() - m_guide->rect().center());
    }
    m_guide->show();
    m_guide->raise();
    m_guide->activateWindow();
}

QString MainWindow::aboutText()
{
    return QStringLiteral(
               "<h3>%1</h3>"
               "<p>批量处理纯文本文件：文件列表、带行号的编辑器与五个插件（文本处理、文本生成、删除、定制任务、示例）。</p>"
               "<p>许可：Apache License 2.0。基于 Qt %2（LGPL v3）。</p>"
               "<p>转换数据的来源：</p><ul>"
               "<li>繁简转换表：由 OpenCC 的词典数据生成（Copyright 2010-2022 BYVoid 等，Apache License 2.0）；</li>"
               "<li>分词词库：由 jieba 的词典生成（Copyright 2012-2017 Sun Junyi，MIT 许可），"
               "并附有 OpenCC 转换出的繁体、香港与台湾写法。</li></ul>"
               "<p>撤销日志的摘要使用 xxHash（BSD-2-Clause）；正则表达式替换使用 PCRE2（BSD-3-Clause）。</p>")
        .arg(windowTitleText(), QString::fromLatin1(qVersion()));
}

QString MainWindow::windowTitleText()
{
    return QStringLiteral("Scrivel纯文本批量处理工具 V") + QApplication::applicationVersion();
}

void MainWindow::on_action_about_triggered()
{
    QMessageBox::about(this, QStringLiteral("关于 ") + windowTitleText(), aboutText());
}

void MainWindow::on_action_option_triggered()
{
    // A window of its own, not modal; asked for again while it is open,
    // the same window comes forward with what the user has entered.
    if (!m_option) {
        m_option = new Option(m_pluginHost ? m_pluginHost->keys() : QStringList());
        m_option->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_option->show();
    m_option->raise();
    m_option->activateWindow();
}

void MainWindow::on_action_newList_triggered()
{
    ++m_listCounter;
    createList(QStringLiteral("List"), m_listCounter);
}

void MainWindow::on_action_delAllList_triggered()
{
    // Deleted directly: no close handling runs, so the editors stay open.
    const QList<TableViewWidget *> lists = m_lists;
    m_lists.clear();
    m_currentList = nullptr;
    m_listLabel->clear();
    qDeleteAll(lists);
    updateEmptyGuide();
}

void MainWindow::on_action_triggered()
{
    ui->mdiArea_text->cascadeSubWindows();
}

void MainWindow::on_action_2_triggered()
{
    ui->mdiArea_text->tileSubWindows();
}

void MainWindow::on_action_tab_triggered()
{
    ui->mdiArea_text->setViewMode(QMdiArea::TabbedView);
}

void MainWindow::on_action_4_triggered()
{
    ui->mdiArea_text->setViewMode(QMdiArea::SubWindowView);
}

void MainWindow::on_action_zoomOut_triggered()
{
    for (CodeEditorEx *editor : qAsConst(m_editors))
        editor->zoomOut(1);
}

void MainWindow::on_action_zoomIn_triggered()
{
    for (CodeEditorEx *editor : qAsConst(m_editors))
        editor->zoomIn(1);
}

void MainWindow::on_action_closeCurrent_triggered()
{
    // Closes the current list as if its window were closed by hand: its
    // editors close (unsaved changes saved first) and the list is
    // forgotten, so no hidden list lingers that commands cannot reach.
    if (m_currentList)
        m_currentList->close();
}

void MainWindow::on_action_closeOther_triggered()
{
    if (!m_currentList)
        return;
    const QList<TableViewWidget *> lists = m_lists;
    for (TableViewWidget *list : lists) {
        if (list == m_currentList)
            continue;
        m_lists.removeAll(list);
        list->deleteLater();
    }
}

// ---- host side of the plug-in interface -------------------------------

void MainWindow::setupProgress()
{
    m_progress = new QProgressBar(this);
    m_progress->setFormat(QStringLiteral("%v/%m"));
    m_progress->setMaximumWidth(220);
    m_progressFile = new QLabel(this);
    m_progressFile->setMaximumWidth(360);
    m_cancelButton = new QPushButton(QStringLiteral("取消"), this);
    m_cancelButton->setToolTip(QStringLiteral("停止当前处理(Esc):未开始的文件不再处理,正在写入的文件写完"));
    statusBar()->addPermanentWidget(m_progressFile);
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_cancelButton);
    m_progress->hide();
    m_progressFile->hide();
    m_cancelButton->hide();
    connect(m_cancelButton, &QPushButton::clicked, this, &MainWindow::cancelJob);
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::ApplicationShortcut);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &MainWindow::cancelJob);
    m_progressTimer.setInterval(200);
    connect(&m_progressTimer, &QTimer::timeout, this, &MainWindow::showProgress);
}

void MainWindow::showProgress()
{
    m_progress->setMaximum(qMax(1, m_progressTotal));
    m_progress->setValue(qMin(m_progressDone, m_progress->maximum()));
    const QString name = QFileInfo(m_progressName).fileName();
    m_progressFile->setText(name);
    m_progressFile->setToolTip(m_progressName);
}

void MainWindow::cancelJob()
{
    if (m_uiEnabled || !m_pluginHost)
        return;
    m_pluginHost->cancelAll();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // The job stops like a cancel: no file is left half-written, and the
    // process does not linger invisibly to finish the batch.
    if (!m_uiEnabled)
        cancelJob();
    QMainWindow::closeEvent(event);
}

void MainWindow::undoLastBatch()
{
    if (!m_uiEnabled)
        return;
    const QList<UndoRun::Tip> tips = UndoRun::run(BatchBackup::defaultRoot());
    for (const UndoRun::Tip &tip : tips)
        emit tipSignal(tip.code.var1, tip.code.var2, tip.fileName);
    followEditorFiles();
}

void MainWindow::setUiEnabled(bool enabled)
{
    // Everything but the status bar, which holds the progress and the
    // cancel button while a job runs.
    if (!enabled && m_uiEnabled) {
        const QList<QWidget *> children = findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *child : children) {
            if (child == statusBar() || !child->isEnabled())
                continue;
            child->setEnabled(false);
            m_disabledByJob << child;
        }
        for (QAction *action : ui->menuBar->actions())
            action->setEnabled(false);
        m_escape->setEnabled(true);
    } else if (enabled && !m_uiEnabled) {
        for (const QPointer<QWidget> &child : qAsConst(m_disabledByJob)) {
            if (child)
                child->setEnabled(true);
        }
        m_disabledByJob.clear();
        for (QAction *action : ui->menuBar->actions())
            action->setEnabled(true);
        m_escape->setEnabled(false);
        m_progressTimer.stop();
        m_progress->hide();
        m_progressFile->hide();
        m_cancelButton->hide();
    }
    const bool jobEnded = enabled && !m_uiEnabled;
    m_uiEnabled = enabled;
    if (jobEnded)
        followEditorFiles();
}

void MainWindow::followEditorFiles()
{
    // A job may have rewritten files that are open: no editor is left
    // showing text that is no longer its file's, whenever the watcher's
    // news would have come.
    const QList<CodeEditorEx *> editors = m_editors;
    for (CodeEditorEx *editor : editors) {
        if (m_editors.contains(editor))
            editor->followDisk();
    }
}

QWidget *MainWindow::mainWidget()
{
    return this;
}

void MainWindow::newList(const QString &name)
{
    ++m_listCounter;
    createList(name, m_listCounter);
}

void MainWindow::sendTip(int var1, int var2, const QString &fileName)
{
    if (Tips::AllDone.is(var1, var2))
        setUiEnabled(true);
    if (m_pluginHost)
        m_pluginHost->noteTip(var1, var2, fileName);
    emit tipSignal(var1, var2, fileName);
}

void MainWindow::setStatusText(const QString &text)
{
    m_pluginLabel->setText(text);
}

QString MainWindow::currentDocumentFileName()
{
    return m_currentEditor ? m_currentEditor->fileName() : QString();
}

int MainWindow::currentDocumentId()
{
    return m_currentEditor ? m_currentEditor->codeID() : -1;
}

int MainWindow::currentListId()
{
    return m_currentList ? m_currentList->tableID() : -1;
}

int MainWindow::currentListFileCount()
{
    return m_currentList ? m_currentList->fileCount() : -1;
}

QList<FileType *> MainWindow::currentListFiles()
{
    return m_currentList ? m_currentList->entries() : QList<FileType *>();
}

void MainWindow::addFileToList(const QString &fileName, const QString &listName)
{
    if (!m_currentList)
        newList(listName);
    ++m_fileIdCounter;
    m_currentList->addFile(fileName, m_fileIdCounter);
    // Jobs hand back one file at a time; one refresh per burst keeps a
    // large list quick.
    m_currentList->requestRefresh();
}

int MainWindow::listId(int index)
{
    return index >= 0 && index < m_lists.size() ? m_lists.at(index)->tableID() : -1;
}

QString MainWindow::listTitle(int index)
{
    return index >= 0 && index < m_lists.size() ? m_lists.at(index)->windowTitle() : QString();
}

int MainWindow::listFileCount(int index)
{
    return index >= 0 && index < m_lists.size() ? m_lists.at(index)->fileCount() : -1;
}

QList<FileType *> MainWindow::listFiles(int index)
{
    return index >= 0 && index < m_lists.size() ? m_lists.at(index)->entries() : QList<FileType *>();
}

int MainWindow::listCount()
{
    return m_lists.size();
}

void MainWindow::setTaskCount(int count)
{
    m_tipsDock->setExpected(count);
    m_progressDone = 0;
    m_progressTotal = count;
    m_progressName.clear();
    showProgress();
    m_progress->show();
    m_progressFile->show();
    m_cancelButton->show();
    m_progressTimer.start();
}

void MainWindow::jobProgress(int done, int total, const QString &fileName)
{
    // Only noted here; the timer shows it, so thousands of files a second
    // cost a few repaints.
    m_progressDone = done;
    m_progressTotal = total;
    m_progressName = fileName;
}

void MainWindow::setExplain(const QString &explain)
{
    emit explainSignal(explain);
}
