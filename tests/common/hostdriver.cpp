#include "hostdriver.h"

#include <QAbstractButton>
#include <QAction>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QtTest>

#include "dockwidgettips.h"
#include "mainwindow.h"
#include "testfolder.h"

HostDriver::~HostDriver()
{
    stop();
}

bool HostDriver::start()
{
    stop();
    m_window = new MainWindow;
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window);
}

void HostDriver::stop()
{
    delete m_window;
    m_window = nullptr;
}

QMenu *HostDriver::pluginMenu() const
{
    for (QMenu *menu : m_window->findChildren<QMenu *>()) {
        if (menu->title() == QStringLiteral("插件(&P)"))
            return menu;
    }
    return nullptr;
}

QAction *HostDriver::pluginAction(const QString &key) const
{
    QMenu *menu = pluginMenu();
    if (!menu)
        return nullptr;
    for (QAction *action : menu->actions()) {
        if (action->text() == key)
            return action;
    }
    return nullptr;
}

QDockWidget *HostDriver::dock(const QString &title) const
{
    for (QDockWidget *dock : m_window->findChildren<QDockWidget *>()) {
        if (dock->windowTitle() == title)
            return dock;
    }
    return nullptr;
}

QString HostDriver::messages() const
{
    return m_window->tipsDock()->messageText();
}

bool HostDriver::click(const QString &dockTitle, const QString &objectName) const
{
    QDockWidget *d = dock(dockTitle);
    if (!d)
        return false;
    if (QLabel *label = d->findChild<QLabel *>(objectName)) {
        QTest::mouseClick(label, Qt::LeftButton);
        return true;
    }
    if (QAbstractButton *button = d->findChild<QAbstractButton *>(objectName)) {
        QTest::mouseClick(button, Qt::LeftButton);
        return true;
    }
    return false;
}

QByteArray HostDriver::bytesOf(const QString &path)
{
    return TestFolder::bytesOf(path);
}

bool HostDriver::put(const QString &path, const QByteArray &bytes)
{
    return TestFolder::put(path, bytes);
}
