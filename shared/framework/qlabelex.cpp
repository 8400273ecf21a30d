#include "qlabelex.h"

#include <QMouseEvent>
#include <QPalette>

QLabelEx::QLabelEx(QWidget *parent)
    : QLabel(parent)
{
    setStyleSheet(normalStyle());
    // Qt's disabled text grey is barely visible on the highlight colour: a
    // disabled label (a range that does not apply) stays readable.
    QPalette pal = palette();
    pal.setColor(QPalette::Disabled, QPalette::WindowText, QColor(100, 100, 100));
    setPalette(pal);
}

void QLabelEx::setSelected(bool selected)
{
    m_selected = selected;
    setStyleSheet(selected ? highlightStyle() : normalStyle());
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
    if (hoverHighlight && !m_selected)
        setStyleSheet(normalStyle());
    emit leaved(event);
}
