#ifndef WINDOWLAYOUT_H
#define WINDOWLAYOUT_H

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the host's floating windows go, worked out on plain rectangles (the
// main window applies the results to its lists and docks). The file lists
// keep a column at the right of the work area (the part of the screen
// between the main window's tool bar and its message dock); the plug-ins'
// dock pairs (operation list with its option dock to the right) fill the
// rest, tallest first, each at the top-most, then left-most place where it
// covers no other window.
class WindowLayout
{
public:
    // Room for a window manager's title bar and borders around a decorated
    // window (the main window, the lists); plug-in docks draw their own.
    static constexpr int frameTop = 28;
    static constexpr int frameSide = 2;

    // Pixels between two windows.
    static constexpr int gap = 4;
    // Width of a file list window, and its height when space allows.
    static constexpr int listWidth = 180;
    static constexpr int listHeight = 500;
    // A list is never made shorter than this to fit the column.
    static constexpr int minListHeight = 150;

    // The top-left corner of the first rectangle of size that lies inside
    // area and keeps gap pixels from every occupied rectangle, top-most
    // first, then left-most; found tells whether there was one.
    static QPoint freePlace(const QRect &area, const QList<QRect> &occupied, const QSize &size,
                            bool *found);

    // Where a dock pair goes when no free place is left: right of the last
    // one, or at the start of the next row when that leaves the area.
    static QPoint besideLast(const QRect &area, const QRect &last, const QSize &size);

    // The column of the file lists at the right of area, and the part
    // left of it for the plug-ins.
    static QRect listColumn(const QRect &area);
    static QRect pluginArea(const QRect &area);

    // Height of each of count lists stacked in the column of area.
    static int stackedListHeight(const QRect &area, int count);

    // Option dock sizes tried in turn for a pair whose operation list is
    // listSize: roomy first, then compact.
    static QList<QSize> optionSizes(const QRect &area, const QSize &listSize);

    // Whether any two of rects intersect.
    static bool anyOverlap(const QList<QRect> &rects);

    // The largest rectangle of area that keeps gap pixels from every
    // occupied rectangle (the room that no list or dock covers); null when
    // there is none.
    static QRect freeArea(const QRect &area, const QList<QRect> &occupied);

    // The height of the main window's message dock on a screen of the
    // given available rectangle.
    static int messageDockHeight(const QRect &screen);
    // The work area of a maximised main window on screen: below its title
    // bar and the bars above (menu and tool bar, barsAbove pixels), above
    // the bars below (message dock and status bar, barsBelow), gap pixels
    // in from every side.
    static QRect workArea(const QRect &screen, int barsAbove, int barsBelow);

    // An editor window in free (the part of the work area no list or dock
    // covers): two thirds of it, at the index-th step down and right from
    // its top left corner, starting again there once the next step would
    // leave free. Null when free is too small for an editor.
    static QRect editorPlace(const QRect &free, int index);

    // The work area the placements below use.
    void setArea(const QRect &area) { m_area = area; }
    QRect area() const { return m_area; }

    // How many lists share the column evenly (those made at start-up); a
    // list made later takes half of it.
    void setStartLists(int count) { m_startLists = count; }
    int startLists() const { return m_startLists; }

    // Where a list goes, its frame included, as the listCount-th list,
    // clear of occupied: the list column first, then anywhere free; with no
    // room left the lists cascade from the last one.
    QRect placeList(int listCount, const QList<QRect> &occupied);
    // The size to give a list window placed at frame (its frame taken off).
    static QSize listWindowSize(const QRect &frame) { return frame.size() - QSize(2 * frameSide, frameTop); }
    // The frame a list window at pos of size takes.
    static QRect listFrame(const QPoint &pos, const QSize &size)
    {
        return QRect(pos, size + QSize(2 * frameSide, frameTop));
    }

    // A plug-in's dock pair to place: the operation list's frame size, the
    // frame the platform puts around the option dock (on top of its size),
    // whether there is an option dock, and the list's minimum height (the
    // tallest pairs go first).
    struct Pair
    {
        QSize list;
        QSize optionFrame;
        bool hasOption = true;
        int minimumHeight = 0;
    };
    struct PairPlace
    {
        QPoint list;       // the operation list's top-left corner
        QPoint option;     // the option dock's, right of the list
        QSize optionSize;  // the option dock's size (frame excluded)
        bool found = true; // false: no free place, put beside the last pair
    };
    // One pair opened later, clear of occupied: roomy when it fits, else
    // compact.
    PairPlace placeNewPair(const Pair &pair, const QList<QRect> &occupied);
    // Every pair afresh beside the lists, tallest first; all take the roomy
    // option size when every one finds a free place so, else all the
    // compact one. The result is in the order of pairs.
    QList<PairPlace> placePairs(const QList<Pair> &pairs, const QList<QRect> &lists);

private:
    PairPlace placePair(const Pair &pair, QList<QRect> &occupied, int sizeChoice);

    QRect m_area;
    QPoint m_nextListPos {260, 350};
    QRect m_lastPair;
    int m_startLists = 0;
};

#endif // WINDOWLAYOUT_H
