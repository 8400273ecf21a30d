#ifndef EMPTYGUIDE_H
#define EMPTYGUIDE_H

#include <QFrame>

class QLabel;

// The few lines the work area shows while it is empty (no list, no
// plug-in, no editor): how to get from nothing to a first batch, three
// steps, each with a link that does it. Lies over the middle of the widget
// it is made for and follows its size.
class EmptyGuide : public QFrame
{
    Q_OBJECT
public:
    // What a link asks for.
    enum Step { AddFiles, AddFolder, OpenPlugin, ReadGuide };

    explicit EmptyGuide(QWidget *area);

    // The link text of a step, as the guide's HTML holds it ("#add" ...).
    static QString href(Step step);
    QLabel *label() const { return m_label; }

signals:
    void stepSignal(EmptyGuide::Step step);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QLabel *m_label = nullptr;
};

#endif // EMPTYGUIDE_H
