#include "qlabelex.h"

#include <QMouseEvent>

QLabelEx::QLabelEx(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(normalStyle());
}

void QLabelEx::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseLeftPressd(event);
    else if (event->button() == Qt::RightButton)
        emit mouseRightPressd(event);
}

void QLabelEx::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseLeftReleased(event);
    else if (event->button() == Qt::RightButton)
        emit mouseRightReleased(event);
}

void QLabelEx::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit mouseLeftDoubled(event);
    else if (event->button() == Qt::RightButton)
        emit mouseRightDoubled(event);
}

void QLabelEx::mouseMoveEvent(QMouseEvent *event)
{
    emit moved(event);
}

void QLabelEx::enterEvent(QEvent *event)
{
    if (hoverHighlight)
        setStyleSheet(highlightStyle());
    emit entered(event);
}

void QLabelEx::leaveEvent(QEvent *event)
{
    if (hoverHighlight)
        setStyleSheet(normalStyle());
    emit leaved(event);
}
