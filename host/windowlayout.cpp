#include "windowlayout.h"

#include <algorithm>

namespace {

bool isFree(const QRect &candidate, const QList<QRect> &occupied)
{
    const QRect spaced = candidate.adjusted(-WindowLayout::gap + 1, -WindowLayout::gap + 1,
                                            WindowLayout::gap - 1, WindowLayout::gap - 1);
    for (const QRect &rect : occupied) {
        if (rect.intersects(spaced))
            return false;
    }
    return true;
}

} // namespace

QPoint WindowLayout::freePlace(const QRect &area, const QList<QRect> &occupied, const QSize &size,
                               bool *found)
{
    // Candidate corners: the area's own edges and the far edges of the
    // windows already there; a free place that exists at all is found at
    // one of them.
    QList<int> xs {area.left()};
    QList<int> ys {area.top()};
    for (const QRect &rect : occupied) {
        xs << rect.right() + 1 + gap;
        ys << rect.bottom() + 1 + gap;
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    for (int y : qAsConst(ys)) {
        for (int x : qAsConst(xs)) {
            const QRect candidate(QPoint(x, y), size);
            if (area.contains(candidate) && isFree(candidate, occupied)) {
                if (found)
                    *found = true;
                return candidate.topLeft();
            }
        }
    }
    if (found)
        *found = false;
    return area.topLeft();
}

QPoint WindowLayout::besideLast(const QRect &area, const QRect &last, const QSize &size)
{
    if (last.isNull())
        return area.topLeft();
    QPoint next(last.right() + 1 + gap, last.top());
    if (next.x() + size.width() > area.right() + 1)
        next = QPoint(area.left(), last.bottom() + 1 + gap);
    if (next.y() + size.height() > area.bottom() + 1)
        next.setY(qMax(area.top(), area.bottom() + 1 - size.height()));
    return next;
}

QRect WindowLayout::listColumn(const QRect &area)
{
    return QRect(area.right() + 1 - listWidth, area.top(), listWidth, area.height());
}

QRect WindowLayout::pluginArea(const QRect &area)
{
    QRect rest = area;
    rest.setRight(area.right() - listWidth - gap);
    return rest;
}

int WindowLayout::stackedListHeight(const QRect &area, int count)
{
    if (count <= 0)
        return listHeight;
    const int each = (area.height() - gap * (count - 1)) / count;
    return qBound(minListHeight, each, listHeight);
}

QList<QSize> WindowLayout::optionSizes(const QRect &area, const QSize &listSize)
{
    // Roomy where the screen allows it; compact as tall as the operation
    // list (never less than a few option rows) when space is short.
    const int roomyHeight = qMax(listSize.height(), qMin(400, area.height() * 45 / 100));
    return {QSize(360, roomyHeight), QSize(280, qMax(listSize.height(), 160))};
}

bool WindowLayout::anyOverlap(const QList<QRect> &rects)
{
    for (int i = 0; i < rects.size(); ++i) {
        for (int j = i + 1; j < rects.size(); ++j) {
            if (rects.at(i).intersects(rects.at(j)))
                return true;
        }
    }
    return false;
}
