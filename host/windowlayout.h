#ifndef WINDOWLAYOUT_H
#define WINDOWLAYOUT_H

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// Where the host's floating windows go. The file lists keep a column at the
// right of the work area (the part of the screen between the main window's
// tool bar and its message dock); the plug-ins' dock pairs (operation list
// with its option dock to the right) fill the rest, tallest first, each at
// the top-most, then left-most place where it covers no other window.
class WindowLayout
{
public:
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
};

#endif // WINDOWLAYOUT_H
