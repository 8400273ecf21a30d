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

QRect WindowLayout::freeArea(const QRect &area, const QList<QRect> &occupied)
{
    // The best rectangle has each edge on the area's edge or gap pixels off
    // a window's edge; the windows are few, so every choice is tried.
    QList<int> lefts {area.left()};
    QList<int> rights {area.right()};
    QList<int> tops {area.top()};
    QList<int> bottoms {area.bottom()};
    for (const QRect &rect : occupied) {
        lefts << rect.right() + gap;
        rights << rect.left() - gap;
        tops << rect.bottom() + gap;
        bottoms << rect.top() - gap;
    }
    QRect best;
    qint64 bestSize = 0;
    for (int left : qAsConst(lefts)) {
        for (int top : qAsConst(tops)) {
            for (int right : qAsConst(rights)) {
                if (right < left)
                    continue;
                for (int bottom : qAsConst(bottoms)) {
                    if (bottom < top)
                        continue;
                    const QRect candidate(QPoint(left, top), QPoint(right, bottom));
                    const qint64 size = qint64(candidate.width()) * candidate.height();
                    if (size <= bestSize || !area.contains(candidate) || !isFree(candidate, occupied))
                        continue;
                    best = candidate;
                    bestSize = size;
                }
            }
        }
    }
    return best;
}

int WindowLayout::messageDockHeight(const QRect &screen)
{
    return qBound(120, screen.height() * 18 / 100, 240);
}

QRect WindowLayout::workArea(const QRect &screen, int barsAbove, int barsBelow)
{
    const int top = screen.top() + frameTop + barsAbove;
    const int bottom = screen.bottom() - barsBelow;
    return QRect(QPoint(screen.left() + gap, top + gap), QPoint(screen.right() - gap, bottom - gap));
}

QRect WindowLayout::editorPlace(const QRect &free, int index)
{
    const QSize smallest(200, 120);
    if (free.width() < smallest.width() || free.height() < smallest.height())
        return QRect();
    const int step = 24;
    const QSize size(qMin(free.width(), qMax(smallest.width(), free.width() * 2 / 3)),
                     qMin(free.height(), qMax(smallest.height(), free.height() * 2 / 3)));
    const int steps = qMax(1, qMin((free.width() - size.width()) / step, (free.height() - size.height()) / step) + 1);
    const int n = qMax(0, index) % steps;
    return QRect(free.topLeft() + QPoint(n * step, n * step), size);
}

QRect WindowLayout::placeList(int listCount, const QList<QRect> &occupied)
{
    const int count = listCount <= m_startLists ? m_startLists : 2;
    const QSize slot(listWidth, stackedListHeight(m_area, count));
    bool found = false;
    QPoint at = freePlace(listColumn(m_area), occupied, slot, &found);
    if (!found)
        at = freePlace(m_area, occupied, slot, &found);
    if (!found) {
        if (listCount > 1)
            m_nextListPos += QPoint(60, 15);
        at = m_nextListPos;
    } else {
        m_nextListPos = at;
    }
    return QRect(at, slot);
}

WindowLayout::PairPlace WindowLayout::placePair(const Pair &pair, QList<QRect> &occupied, int sizeChoice)
{
    const QList<QSize> sizes = optionSizes(m_area, pair.list);
    PairPlace place;
    QSize optionFrame;
    if (pair.hasOption) {
        place.optionSize = sizes.value(sizeChoice);
        optionFrame = place.optionSize + pair.optionFrame;
    }
    const QSize size(pair.list.width() + optionFrame.width(), qMax(pair.list.height(), optionFrame.height()));

    QPoint at = freePlace(pluginArea(m_area), occupied, size, &place.found);
    if (!place.found)
        at = freePlace(m_area, occupied, size, &place.found);
    if (!place.found && sizeChoice + 1 < sizes.size())
        return place; // the caller tries the next size
    if (!place.found)
        at = besideLast(pluginArea(m_area), m_lastPair, size);
    place.list = at;
    place.option = at + QPoint(pair.list.width(), 0);
    m_lastPair = QRect(at, size);
    occupied << m_lastPair;
    return place;
}

WindowLayout::PairPlace WindowLayout::placeNewPair(const Pair &pair, const QList<QRect> &occupied)
{
    QList<QRect> taken = occupied;
    const PairPlace roomy = placePair(pair, taken, 0);
    return roomy.found ? roomy : placePair(pair, taken, 1);
}

QList<WindowLayout::PairPlace> WindowLayout::placePairs(const QList<Pair> &pairs, const QList<QRect> &lists)
{
    QList<int> order;
    for (int i = 0; i < pairs.size(); ++i)
        order << i;
    std::stable_sort(order.begin(), order.end(),
                     [&pairs](int a, int b) { return pairs.at(a).minimumHeight > pairs.at(b).minimumHeight; });
    QList<PairPlace> places;
    const int choices = 2;
    for (int choice = 0; choice < choices; ++choice) {
        QList<QRect> occupied = lists;
        m_lastPair = QRect();
        places.clear();
        for (int i = 0; i < pairs.size(); ++i)
            places << PairPlace();
        bool all = true;
        for (int i : qAsConst(order)) {
            places[i] = placePair(pairs.at(i), occupied, choice);
            if (!places.at(i).found) {
                all = false;
                if (choice + 1 < choices)
                    break;
            }
        }
        if (all)
            break;
    }
    return places;
}
