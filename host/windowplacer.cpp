#include "windowplacer.h"

#include <QDockWidget>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

WindowPlacer::WindowPlacer(QMdiArea *editors, const Windows &windows)
    : m_editors(editors)
    , m_windows(windows)
{
}

QList<QRect> WindowPlacer::occupiedFrames(const QList<QWidget *> &lists, const QList<const QWidget *> &except,
                                          bool withDocks) const
{
    QList<QRect> occupied;
    for (QWidget *list : lists) {
        if (!list->isHidden() && !except.contains(list))
            occupied << list->frameGeometry();
    }
    if (withDocks) {
        for (QDockWidget *dock : m_windows.docks()) {
            if (!except.contains(dock))
                occupied << dock->frameGeometry();
        }
    }
    return occupied;
}

QRect WindowPlacer::freeArea() const
{
    return WindowLayout::freeArea(m_windows.workArea(), occupiedFrames(m_windows.lists(), {}, true));
}

QRect WindowPlacer::freeEditorArea() const
{
    QWidget *viewport = m_editors->viewport();
    const QRect free = freeArea();
    if (free.isNull())
        return QRect();
    const QRect local(viewport->mapFromGlobal(free.topLeft()), free.size());
    return local.intersected(viewport->rect());
}

void WindowPlacer::placeEditor(QMdiSubWindow *sub)
{
    // In the part of the work area no list or plug-in dock covers, each
    // new editor a step down and right of the one before, starting again
    // at the top left when the next step would leave that part.
    if (m_editors->viewMode() != QMdiArea::SubWindowView)
        return;
    const QRect place = WindowLayout::editorPlace(freeEditorArea(), m_editors->subWindowList().indexOf(sub));
    if (place.isNull()) {
        // Covered all over: Qt's own placement; but while the work area
        // is not yet on screen at its size, the place is chosen once it is.
        if (!freeArea().isNull() && !m_pendingPlacement.contains(sub))
            m_pendingPlacement << sub;
        return;
    }
    m_pendingPlacement.removeAll(sub);
    sub->setGeometry(place);
}

void WindowPlacer::viewportResized()
{
    const QList<QPointer<QMdiSubWindow>> pending = m_pendingPlacement;
    m_pendingPlacement.clear();
    for (const QPointer<QMdiSubWindow> &sub : pending) {
        if (sub)
            placeEditor(sub);
    }
}

QList<QPair<QDockWidget *, QDockWidget *>> WindowPlacer::dockPairs() const
{
    QList<QPair<QDockWidget *, QDockWidget *>> pairs;
    for (const DockPair &pair : m_pairs) {
        if (pair.list && !pair.list->isHidden())
            pairs << qMakePair(pair.list.data(), pair.option.data());
    }
    return pairs;
}

void WindowPlacer::aboutToOpen()
{
    m_docksBefore = m_windows.docks();
}

void WindowPlacer::opened()
{
    // The docks the plug-in just opened: its operation list, and its option
    // dock, which opens to the right of it.
    QList<QDockWidget *> opened;
    for (QDockWidget *dock : m_windows.docks()) {
        if (!m_docksBefore.contains(dock))
            opened << dock;
    }
    m_docksBefore.clear();
    if (opened.isEmpty())
        return;
    // The operation list is the framework's list dock; failing that, the
    // narrower one.
    std::sort(opened.begin(), opened.end(), [](QDockWidget *a, QDockWidget *b) {
        const bool aList = a->inherits("DockWidgetListBase");
        const bool bList = b->inherits("DockWidgetListBase");
        if (aList != bList)
            return aList;
        return a->width() < b->width();
    });
    DockPair pair;
    pair.list = opened.first();
    pair.option = opened.size() > 1 ? opened.at(1) : nullptr;
    for (int i = m_pairs.size() - 1; i >= 0; --i) {
        if (!m_pairs.at(i).list || m_pairs.at(i).list->isHidden())
            m_pairs.removeAt(i);
    }
    m_pairs << pair;
    if (m_loadingPlugins)
        return;

    // Opened later: clear of every window already open.
    const QList<QRect> occupied = occupiedFrames(m_windows.lists(), {pair.list.data(), pair.option.data()}, true);
    m_layout.setArea(m_windows.workArea());
    applyPair(pair, m_layout.placeNewPair(layoutPair(pair), occupied));
}

WindowLayout::Pair WindowPlacer::layoutPair(const DockPair &pair)
{
    WindowLayout::Pair sizes;
    // A window just shown may not have its final size yet; a fixed-size
    // dock's constraints already tell it.
    sizes.list = pair.list->frameGeometry().size().expandedTo(pair.list->minimumSize());
    sizes.hasOption = pair.option;
    // Whatever frame the platform puts around the dock comes on top.
    if (pair.option)
        sizes.optionFrame = pair.option->frameGeometry().size() - pair.option->size();
    sizes.minimumHeight = pair.list->minimumHeight();
    return sizes;
}

void WindowPlacer::applyPair(const DockPair &pair, const WindowLayout::PairPlace &place)
{
    pair.list->move(place.list);
    if (pair.option) {
        pair.option->resize(place.optionSize);
        pair.option->move(place.option);
    }
}

void WindowPlacer::placeListAt(QWidget *list, int listCount, const QList<QRect> &occupied)
{
    m_layout.setArea(m_windows.workArea());
    const QRect frame = m_layout.placeList(listCount, occupied);
    list->move(frame.topLeft());
    list->resize(WindowLayout::listWindowSize(frame));
}

void WindowPlacer::placeList(QWidget *list, bool clearOfDocks)
{
    const QList<QWidget *> lists = m_windows.lists();
    placeListAt(list, lists.size(), occupiedFrames(lists, {list}, clearOfDocks));
}

void WindowPlacer::layoutWindows()
{
    // Lists first, sharing their column, each clear of those placed before
    // it; then the dock pairs.
    m_layout.setArea(m_windows.workArea());
    const QList<QWidget *> lists = m_windows.lists();
    const int starting = m_layout.startLists();
    m_layout.setStartLists(qMax(starting, lists.size()));
    for (int i = 0; i < lists.size(); ++i)
        placeListAt(lists.at(i), i + 1, occupiedFrames(lists.mid(0, i + 1), {lists.at(i)}, false));
    m_layout.setStartLists(starting);

    QList<DockPair> shown;
    QList<WindowLayout::Pair> sizes;
    for (const DockPair &pair : qAsConst(m_pairs)) {
        if (pair.list && !pair.list->isHidden()) {
            shown << pair;
            sizes << layoutPair(pair);
        }
    }
    QList<QRect> listFrames;
    for (QWidget *list : lists) {
        if (!list->isHidden())
            listFrames << WindowLayout::listFrame(list->pos(), list->size());
    }
    const QList<WindowLayout::PairPlace> places = m_layout.placePairs(sizes, listFrames);
    for (int i = 0; i < shown.size(); ++i)
        applyPair(shown.at(i), places.at(i));
}
