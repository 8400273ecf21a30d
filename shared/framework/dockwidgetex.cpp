#include "dockwidgetex.h"

#include <QCloseEvent>
#include <QEvent>
#include <QMoveEvent>

DockWidgetEx::DockWidgetEx(QWidget *parent)
    : QDockWidget(parent)
{
    setAllowedAreas(Qt::NoDockWidgetArea);
    setFloating(true);
}

bool DockWidgetEx::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        emit activateSignal();
    return QDockWidget::event(event);
}

void DockWidgetEx::mousePressEvent(QMouseEvent *event)
{
    QDockWidget::mousePressEvent(event);
    emit mousepressSignal();
}

void DockWidgetEx::moveEvent(QMoveEvent *event)
{
    QDockWidget::moveEvent(event);
    emit curPosSignal(event->pos());
}

void DockWidgetEx::closeEvent(QCloseEvent *event)
{
    QDockWidget::closeEvent(event);
    emit closedSignal();
}
