#include "mainwindow.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTextCodec>

#include "dockwidgettips.h"
#include "ini.h"
#include "pluginhost.h"
#include "readwritetxt.h"

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setWindowState(windowState() | Qt::WindowMaximized);
    setWindowTitle(QStringLiteral("Scrivel纯文本批量处理工具 V") + QApplication::applicationVersion());

    QDir().mkpath(QDir::currentPath() + QStringLiteral("/log"));
    QDir().mkpath(QDir::currentPath() + QStringLiteral("/data"));

    applyLocaleCodec();

    m_pluginLabel = new QLabel(this);
    m_listLabel = new QLabel(this);
    m_documentLabel = new QLabel(this);
    statusBar()->addWidget(m_pluginLabel);
    statusBar()->addWidget(m_listLabel);
    statusBar()->addWidget(m_documentLabel);

    m_tipsDock = new DockWidgetTips(this);
    addDockWidget(Qt::BottomDockWidgetArea, m_tipsDock);
    connect(this, &MainWindow::tipSignal, m_tipsDock, &DockWidgetTips::tip);
    connect(this, &MainWindow::explainSignal, m_tipsDock, &DockWidgetTips::explain);
    connect(m_tipsDock, &DockWidgetTips::finish, this, [this] { setEnabled(true); });
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        m_tipsDock->setGeometry(QRect(QPoint(475, area.height() - 185),
                                      QPoint(area.width() - 6, area.height() - 66)));
    }

    connect(ReadWriteTxt::shared(), &ReadWriteTxt::tipSignal, m_tipsDock, &DockWidgetTips::tip);
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::applyLocaleCodec()
{
    // A name no codec has ("ANSI") sets nothing: the system's local 8-bit
    // encoding stays in force.
    const QByteArray name = readIni(configureIni(), QStringLiteral("text"), QStringLiteral("code"),
                                    QStringLiteral("UTF-8")).toLatin1();
    if (QTextCodec *codec = QTextCodec::codecForName(name))
        QTextCodec::setCodecForLocale(codec);
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    m_pluginHost = new PluginHost(this, ui->menu_p, &m_nextDockPos, this);
    m_pluginHost->loadAll(PluginHost::pluginFolder(QCoreApplication::applicationDirPath()));
}
