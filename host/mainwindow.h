#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QList>
#include <QMainWindow>

#include <functional>
#include <memory>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QTimer>

#include "scrivelface.h"

namespace Ui {
class MainWindow;
}
class CodeEditorEx;
class DockWidgetTips;
class EmptyGuide;
class Option;
class PluginHost;
class PresetMenu;
class QDockWidget;
class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QShortcut;
class QTextBrowser;
class QMdiArea;
class QMdiSubWindow;
class TableViewWidget;
class WindowPlacer;

// The host's top-level window: the MDI area of editors, the file lists,
// the message dock, the status labels and the menus. Also the host side of
// the plug-in interface.
class MainWindow : public QMainWindow, public ScrivelFace
{
    Q_OBJECT
    Q_INTERFACES(ScrivelFace)
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    DockWidgetTips *tipsDock() const { return m_tipsDock; }
    QLabel *pluginLabel() const { return m_pluginLabel; }
    QLabel *listLabel() const { return m_listLabel; }
    QLabel *documentLabel() const { return m_documentLabel; }
    // The encoding of the current editor's file, at the right of the
    // status bar.
    QLabel *codeLabel() const { return m_codeLabel; }
    // The options window while it is open.
    Option *optionWindow() const;
    // The built-in guide ("使用说明") while it is open.
    QTextBrowser *guideWindow() const;
    // The three steps the work area shows while it is empty: no list, no
    // plug-in and no editor open.
    EmptyGuide *emptyGuide() const { return m_emptyGuide; }
    // What "关于" says: the program as the title bar names it, its
    // version, its licence and where its conversion data comes from.
    static QString aboutText();
    // "Scrivel纯文本批量处理工具 V" and the version.
    static QString windowTitleText();
    PluginHost *pluginHost() const { return m_pluginHost; }
    // The presets in the plug-in menu; null before the plug-ins are loaded.
    PresetMenu *presetMenu() const { return m_presetMenu; }
    QMdiArea *mdiArea() const;

    QList<TableViewWidget *> lists() const { return m_lists; }
    QList<CodeEditorEx *> editors() const { return m_editors; }
    TableViewWidget *currentList() const { return m_currentList; }
    CodeEditorEx *currentEditor() const { return m_currentEditor; }
    int listCounter() const { return m_listCounter; }
    int fileIdCounter() const { return m_fileIdCounter; }

    // A new list titled prefix + number, placed, shown and made current.
    // The list counter is left to the caller.
    TableViewWidget *createList(const QString &prefix, int number);
    // The list that "添加文件" fills: the current one, else the first,
    // else a new one.
    TableViewWidget *listForAdding();
    // Opens each entry in an editor of list tableID; an entry already open
    // there is brought forward instead. More than manyEditors new editors
    // at once are asked about first (the entries stay in their list
    // whatever the answer).
    void openFiles(int tableID, const QList<FileType *> &entries);
    static constexpr int manyEditors = 10;
    // The answers to "open that many editors?", and the question itself,
    // replaceable (nullptr restores the message box).
    enum ManyEditorsAnswer { OpenAll, OpenFirst, OpenNone };
    using ManyEditorsQuestion = std::function<ManyEditorsAnswer(QWidget *parent, int count)>;
    static void setManyEditorsQuestion(const ManyEditorsQuestion &question);
    CodeEditorEx *newEditor(int tableID, int id, const QString &fileName);
    // Files named on the command line (as a desktop's "open with" passes
    // them): added to the first list (created when there is none) and
    // opened in editors. Relative names are taken from the working folder;
    // folders and missing files are left out.
    void openCommandLineFiles(const QStringList &paths);

    // Window placement. The work area is the part of the screen between the
    // tool bar and the message dock of the maximised window; the lists keep
    // a column at its right and the plug-ins' dock pairs fill the rest
    // without covering each other (WindowPlacer).
    QRect layoutScreen() const;
    // Lays out for this screen rectangle instead of the primary screen's
    // (a null rectangle goes back to the screen).
    void setLayoutScreen(const QRect &screen) { m_layoutScreen = screen; }
    QRect workArea() const;
    // The largest part of the work area that no list and no plug-in dock
    // covers (screen coordinates), and the same in the coordinates of the
    // editor area's viewport, clipped to it: where an editor can be shown
    // in full. Null when every part is covered.
    QRect freeArea() const;
    QRect freeEditorArea() const;
    int messageDockHeight() const;
    // Places every list and every open dock pair afresh, as at start-up.
    void layoutWindows();
    // The plug-in docks opened, by pair (operation list, option dock).
    QList<QPair<QDockWidget *, QDockWidget *>> dockPairs() const;
    // Whether the window takes commands: false while a job runs. The
    // status bar stays usable then, for the progress and its cancel button.
    bool isUiEnabled() const { return m_uiEnabled; }
    QProgressBar *progressBar() const { return m_progress; }
    QPushButton *cancelButton() const { return m_cancelButton; }
    QLabel *progressFileLabel() const { return m_progressFile; }
    QAction *undoAction() const { return m_undoAction; }
    // Stops the running job ("取消" or Esc).
    void cancelJob();
    // Gives back the files of the last batch that rewrote files in place
    // ("撤销上次批处理").
    void undoLastBatch();

    // Host side of the plug-in interface.
    void setUiEnabled(bool enabled) override;
    QWidget *mainWidget() override;
    void newList(const QString &name) override;
    void sendTip(int var1, int var2, const QString &fileName) override;
    void setStatusText(const QString &text) override;
    QString currentDocumentFileName() override;
    int currentDocumentId() override;
    int currentListId() override;
    int currentListFileCount() override;
    QList<FileType *> currentListFiles() override;
    void addFileToList(const QString &fileName, const QString &listName) override;
    int listId(int index) override;
    QString listTitle(int index) override;
    int listFileCount(int index) override;
    QList<FileType *> listFiles(int index) override;
    int listCount() override;
    void setTaskCount(int count) override;
    void setExplain(const QString &explain) override;
    void jobProgress(int done, int total, const QString &fileName) override;

signals:
    void tipSignal(int var1, int var2, const QString &fileName);
    void explainSignal(const QString &explain);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Closing during a job cancels it first.
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_action_add_triggered();
    void on_action_open_triggered();
    void on_action_openAll_triggered();
    void on_action_save_triggered();
    void on_action_saveAll_triggered();
    void on_action_close_triggered();
    void on_action_closeAll_triggered();
    void on_action_del_triggered();
    void on_action_delAll_triggered();
    void on_action_quit_triggered();
    void on_action_new_triggered();
    void on_action_guide_triggered();
    void on_action_about_triggered();
    void on_action_option_triggered();
    void on_action_newList_triggered();
    void on_action_delAllList_triggered();
    void on_action_triggered();
    void on_action_2_triggered();
    void on_action_tab_triggered();
    void on_action_4_triggered();
    void on_action_zoomOut_triggered();
    void on_action_zoomIn_triggered();
    void on_action_closeCurrent_triggered();
    void on_action_closeOther_triggered();

private:
    void setupProgress();
    void showProgress();
    void applyLocaleCodec();
    void raiseToolWindows();
    QList<QDockWidget *> floatingDocks() const;
    void setupMdiArea();
    // Shows the empty work area's guide, or hides it, once the events now
    // waiting are handled (lists, editors and docks come and go in steps).
    void updateEmptyGuide();
    void followGuideStep(int step);
    void createStartLists();

    // tableID handed to saves: the current list's, or -1.
    int currentTableIdArgument() const;
    TableViewWidget *findList(int tableID) const;
    CodeEditorEx *findEditor(int tableID, const QString &fileName) const;
    QMdiSubWindow *subWindowOf(CodeEditorEx *editor) const;
    void setCurrentEditor(CodeEditorEx *editor);
    // How many of entries would get a new editor, and how many may, once
    // a count above manyEditors has been asked about.
    int newEditorCount(int tableID, const QList<FileType *> &entries) const;
    int editorsAllowed(int count);
    // Opens entries as openFiles does, at most allowed new editors;
    // returns how many it opened.
    int openEntries(int tableID, const QList<FileType *> &entries, int allowed);
    void showEditorCode();
    void setCurrentList(TableViewWidget *list);
    void makeFirstEditorCurrent();
    void activateFirstList(bool makeCurrent);

    // Deletes the editor's sub-window (and with it the editor).
    void closeEditor(CodeEditorEx *editor);
    // For the close commands: whether the editor may close, once its
    // changes are settled as [currency] close says (saved, even when
    // unchanged, under "保存"; asked about; or discarded). An editor whose
    // file could not be read holds nothing to save.
    bool saveForClose(CodeEditorEx *editor, int tableID);
    // For closes that a list asks for: unsaved changes are settled first;
    // an editor whose save fails or is cancelled stays open.
    bool closeListEditor(CodeEditorEx *editor);

    void editorDestroyed(CodeEditorEx *editor);
    // Every editor looks at its file after a job or an undo changed files.
    void followEditorFiles();
    void addToList(int tableID, int id, const QString &fileName);
    void saveListEditors(int tableID);
    void closeSelected(int tableID, const QList<FileType *> &entries);
    void closeListEditors(int tableID);
    void listDestroyed(int tableID);

    Ui::MainWindow *ui;
    int m_listCounter = 0;
    TableViewWidget *m_currentList = nullptr;
    int m_fileIdCounter = 0;
    CodeEditorEx *m_currentEditor = nullptr;
    QList<TableViewWidget *> m_lists;
    QList<CodeEditorEx *> m_editors;
    QPoint m_nextDockPos {20, 80};
    DockWidgetTips *m_tipsDock = nullptr;
    QLabel *m_pluginLabel = nullptr;
    QLabel *m_listLabel = nullptr;
    QLabel *m_documentLabel = nullptr;
    QLabel *m_codeLabel = nullptr;
    QPointer<Option> m_option;
    QPointer<QTextBrowser> m_guide;
    EmptyGuide *m_emptyGuide = nullptr;
    QTimer m_emptyGuideTimer;
    bool m_firstShow = true;
    // Set while a list closes its editors: their saves must not put the
    // files back into the list that is letting them go.
    bool m_savingToClose = false;
    PluginHost *m_pluginHost = nullptr;
    PresetMenu *m_presetMenu = nullptr;

    QRect m_layoutScreen;
    std::unique_ptr<WindowPlacer> m_placer;
    bool m_uiEnabled = true;
    // What setUiEnabled(false) disabled, to be enabled again.
    QList<QPointer<QWidget>> m_disabledByJob;
    QProgressBar *m_progress = nullptr;
    QLabel *m_progressFile = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QShortcut *m_escape = nullptr;
    QAction *m_undoAction = nullptr;
    // Progress as last reported; shown a few times a second at most.
    QTimer m_progressTimer;
    int m_progressDone = 0;
    int m_progressTotal = 0;
    QString m_progressName;
};

#endif // MAINWINDOW_H
