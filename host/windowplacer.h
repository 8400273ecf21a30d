#ifndef WINDOWPLACER_H
#define WINDOWPLACER_H

#include <QList>
#include <QPair>
#include <QPointer>
#include <QRect>

#include <functional>

#include "windowlayout.h"

class QDockWidget;
class QMdiArea;
class QMdiSubWindow;
class QWidget;

// Puts the host's windows where WindowLayout says: the file lists in their
// column, the plug-ins' dock pairs around them and each new editor in the
// part of the editor area they leave free. It reads the windows through
// the callbacks it is given, so it needs no main window of its own.
class WindowPlacer
{
public:
    struct Windows
    {
        // The work area, in screen coordinates.
        std::function<QRect()> workArea;
        // The file lists, in the order they were made.
        std::function<QList<QWidget *>()> lists;
        // The plug-in docks shown floating.
        std::function<QList<QDockWidget *>()> docks;
    };
    WindowPlacer(QMdiArea *editors, const Windows &windows);

    // How many lists share the column evenly (WindowLayout::setStartLists).
    void setStartLists(int count) { m_layout.setStartLists(count); }

    // Places list, the last of the lists, clear of the other lists and,
    // clearOfDocks, of the docks.
    void placeList(QWidget *list, bool clearOfDocks);
    // Places every list and every open dock pair afresh, as at start-up.
    void layoutWindows();

    // A plug-in is about to open its docks, and has opened them: the new
    // docks become a pair (operation list, option dock), placed clear of
    // every window already open unless plug-ins are being loaded (the
    // start-up lays them all out together).
    void aboutToOpen();
    void opened();
    void setLoadingPlugins(bool loading) { m_loadingPlugins = loading; }
    // The dock pairs opened, by pair (operation list, option dock).
    QList<QPair<QDockWidget *, QDockWidget *>> dockPairs() const;

    // The largest part of the work area that no list and no dock covers,
    // in screen coordinates and in the editor area viewport's, clipped to it.
    QRect freeArea() const;
    QRect freeEditorArea() const;
    // Puts a new editor's window where no dock or list covers it.
    void placeEditor(QMdiSubWindow *sub);
    // The editor area's viewport got a new size: editors that found no
    // room before are placed now.
    void viewportResized();

private:
    struct DockPair
    {
        QPointer<QDockWidget> list;
        QPointer<QDockWidget> option;
    };
    // The frames of the shown lists among lists and, withDocks, of the
    // docks: where a window placed now must not go. Those in except are
    // left out.
    QList<QRect> occupiedFrames(const QList<QWidget *> &lists, const QList<const QWidget *> &except,
                                bool withDocks) const;
    // Places list as the listCount-th list, clear of occupied.
    void placeListAt(QWidget *list, int listCount, const QList<QRect> &occupied);
    static WindowLayout::Pair layoutPair(const DockPair &pair);
    static void applyPair(const DockPair &pair, const WindowLayout::PairPlace &place);

    QMdiArea *m_editors;
    Windows m_windows;
    WindowLayout m_layout;
    QList<DockPair> m_pairs;
    QList<QDockWidget *> m_docksBefore;
    bool m_loadingPlugins = false;
    // Editors still to be placed once the work area has its size.
    QList<QPointer<QMdiSubWindow>> m_pendingPlacement;
};

#endif // WINDOWPLACER_H
