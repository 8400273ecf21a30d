#ifndef DOCKWIDGETEX_H
#define DOCKWIDGETEX_H

#include <QDockWidget>
#include <QPoint>

// The base of every plug-in dock: it always floats (it can never be docked
// into the main window) and reports activation, clicks, moves and closing
// as signals.
class DockWidgetEx : public QDockWidget
{
    Q_OBJECT
public:
    explicit DockWidgetEx(QWidget *parent = nullptr);

signals:
    void closedSignal();
    void curPosSignal(const QPoint &pos);
    void mousepressSignal();
    void activateSignal();

protected:
    bool event(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
};

#endif // DOCKWIDGETEX_H
