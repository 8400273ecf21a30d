// Cost of the job machinery: one start over N files of 4 KiB (default
// 5,000) in one list, each job upper-casing its file through the shared
// reader/writer, every tip shown in the message dock. Printed against the
// same reads, transformations and writes done one after another on the
// GUI thread, without jobs or tips.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QTextStream>
#include <QThreadPool>

#include "dockwidgettips.h"
#include "filetype.h"
#include "pluginbase.h"
#include "readwritetxt.h"
#include "textbase.h"

namespace {

class UpperJob : public TextBase
{
public:
    using TextBase::TextBase;
    QString processText() override { return m_text.toUpper(); }
};

// The host side: one list, tips into a real message dock.
class BenchHost : public ScrivelFace
{
public:
    explicit BenchHost(const QStringList &files)
    {
        for (const QString &file : files)
            m_entries << new FileType{int(m_entries.size()) + 1, file};
    }
    ~BenchHost() override { qDeleteAll(m_entries); }
    void sendTip(int var1, int var2, const QString &fileName) override { dock.tip(var1, var2, fileName); }
    void setTaskCount(int count) override { dock.setExpected(count); }
    int listCount() override { return 1; }
    int currentListId() override { return 1; }
    int currentListFileCount() override { return m_entries.size(); }
    QList<FileType *> currentListFiles() override { return m_entries; }
    DockWidgetTips dock;

private:
    QList<FileType *> m_entries;
};

class BenchPlugin : public PluginBase
{
public:
    BenchPlugin()
        : PluginBase(QStringLiteral("Bench"), QStringLiteral("V0"), QStringLiteral("bench_"), QStringLiteral("bench"))
    {
        OperationRow none;
        OperationRow upper;
        upper.index = 1;
        upper.start = OperationRow::Jobs;
        setOperations({none, upper});
        state().currentIndex = 1;
        state().currentRange = currentList;
    }

protected:
    DockWidgetListBase *createListDock(QWidget *) override { return nullptr; }
    DockWidgetOptionBase *createOptionDock(QWidget *) override { return nullptr; }
    TextBase *createWorker(int, const QString &fileName, const OptionRecord *options, int) override
    {
        return new UpperJob(fileName, options);
    }
};

QStringList makeFiles(const QString &folder, int count)
{
    const QByteArray line = QByteArray("the quick brown fox jumps over the lazy dog 0123456789\n");
    QByteArray body;
    while (body.size() < 4096)
        body += line;
    body.truncate(4096);
    QStringList files;
    for (int i = 0; i < count; ++i) {
        const QString name = QDir(folder).filePath(QStringLiteral("f%1.txt").arg(i));
        QFile file(name);
        file.open(QIODevice::WriteOnly);
        file.write(body);
        files << name;
    }
    return files;
}

} // namespace

int main(int argc, char *argv[])
{
    // Offscreen where there is no display, as in a terminal session.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")
        && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    // The workers' debug lines would drown the figures.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg)
            QTextStream(stderr) << message << "\n";
    });
    const int count = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 5000;

    QTemporaryDir dir;
    const QStringList files = makeFiles(dir.path(), count);

    QElapsedTimer timer;
    timer.start();
    for (const QString &file : files) {
        QString text;
        TextFormat format;
        if (ReadWriteTxt::readFile(file, text, &format) == ReadWriteTxt::ReadOk)
            ReadWriteTxt::writeFile(file, text.toUpper(), &format);
    }
    const qint64 sequentialMs = timer.elapsed();

    BenchHost host(files);
    BenchPlugin plugin;
    plugin.setHost(&host);
    QEventLoop loop;
    int succeeded = 0;
    QObject::connect(&plugin, &PluginBase::jobsFinishedSignal, &loop, [&](int ok, int) {
        succeeded = ok;
        loop.quit();
    });
    timer.restart();
    plugin.startSlot();
    if (plugin.isRunning())
        loop.exec();
    const qint64 jobsMs = timer.elapsed();

    QTextStream out(stdout);
    out << "files: " << count << " of 4 KiB, pool threads: " << QThreadPool::globalInstance()->maxThreadCount() << "\n"
        << "sequential read/transform/write: " << sequentialMs << " ms\n"
        << "one start through the framework:  " << jobsMs << " ms (" << succeeded << " jobs done, "
        << count * 2 << " tips shown)\n"
        << "per file:                         " << QString::number(jobsMs * 1000.0 / qMax(1, count), 'f', 1)
        << " us\n";
    return succeeded == count ? 0 : 1;
}
