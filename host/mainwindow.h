#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QList>
#include <QMainWindow>
#include <QPoint>

#include "scrivelface.h"

namespace Ui {
class MainWindow;
}
class QLabel;
class DockWidgetTips;
class PluginHost;

// The host's top-level window: the MDI area of editors, the file lists,
// the message dock, the status labels and the menus. Also the host side of
// the plug-in interface.
class MainWindow : public QMainWindow, public ScrivelFace
{
    Q_OBJECT
    Q_INTERFACES(ScrivelFace)
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    DockWidgetTips *tipsDock() const { return m_tipsDock; }
    QLabel *pluginLabel() const { return m_pluginLabel; }
    QLabel *listLabel() const { return m_listLabel; }
    QLabel *documentLabel() const { return m_documentLabel; }
    PluginHost *pluginHost() const { return m_pluginHost; }

signals:
    void tipSignal(int var1, int var2, const QString &fileName);
    void explainSignal(const QString &explain);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyLocaleCodec();

    Ui::MainWindow *ui;
    int m_listCounter = 0;
    int m_fileIdCounter = 0;
    QPoint m_nextListPos {260, 350};
    QPoint m_nextDockPos {20, 80};
    DockWidgetTips *m_tipsDock = nullptr;
    QLabel *m_pluginLabel = nullptr;
    QLabel *m_listLabel = nullptr;
    QLabel *m_documentLabel = nullptr;
    bool m_firstShow = true;
    PluginHost *m_pluginHost = nullptr;
};

#endif // MAINWINDOW_H
