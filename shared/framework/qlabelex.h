#ifndef QLABELEX_H
#define QLABELEX_H

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>

// A label that reports its mouse traffic as signals, so a plug-in's docks
// can use plain labels as buttons. Hovering colours it unless
// hoverHighlight is off (range labels show the selection by colour instead).
class QLabelEx : public QLabel
{
    Q_OBJECT
public:
    explicit QLabelEx(QWidget *parent = nullptr);

    static QString normalStyle() { return QStringLiteral("background-color: rgb(235, 235, 235);"); }
    static QString highlightStyle() { return QStringLiteral("background-color: rgb(195, 195, 195);"); }

    bool hoverHighlight = true;

    // A selected label keeps the highlight colour (hovering and leaving it
    // do not clear it) until it is deselected.
    void setSelected(bool selected);
    bool isSelected() const { return m_selected; }

signals:
    void mouseLeftPressd(QMouseEvent *event);
    void mouseRightPressd(QMouseEvent *event);
    void mouseLeftReleased(QMouseEvent *event);
    void mouseRightReleased(QMouseEvent *event);
    void mouseLeftDoubled(QMouseEvent *event);
    void mouseRightDoubled(QMouseEvent *event);
    void moved(QMouseEvent *event);
    void entered(QEvent *event);
    void leaved(QEvent *event);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    bool m_selected = false;
};

#endif // QLABELEX_H
