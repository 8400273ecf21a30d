#ifndef HOSTDRIVER_H
#define HOSTDRIVER_H

#include <QByteArray>
#include <QString>

class MainWindow;
class QAction;
class QDockWidget;
class QMenu;

// Drives the real main window for end-to-end tests: starts it (which loads
// the real plug-ins from <build>/bin/plugins), finds its menus and the
// plug-ins' docks, clicks their labels and buttons and reads the message
// pane. The tests run in a temporary working directory of their own.
class HostDriver
{
public:
    HostDriver() = default;
    ~HostDriver();
    HostDriver(const HostDriver &) = delete;
    HostDriver &operator=(const HostDriver &) = delete;

    // Creates and shows the window; false when it was not exposed.
    bool start();
    // Closes the window and frees it.
    void stop();

    MainWindow *window() const { return m_window; }
    QMenu *pluginMenu() const;
    // The plug-in menu's action captioned key ("<name> <version>").
    QAction *pluginAction(const QString &key) const;
    // The first dock of the window whose title is title.
    QDockWidget *dock(const QString &title) const;
    // The message pane, newest line first.
    QString messages() const;

    // Left click on the label or button objectName of the dock titled
    // dockTitle; false when either is missing.
    bool click(const QString &dockTitle, const QString &objectName) const;

    static QByteArray bytesOf(const QString &path);
    static bool put(const QString &path, const QByteArray &bytes);

private:
    MainWindow *m_window = nullptr;
};

#endif // HOSTDRIVER_H
