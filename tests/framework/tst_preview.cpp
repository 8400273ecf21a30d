#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

#include "deleteoptions.h"
#include "deletepatterns.h"
#include "deleteregular.h"
#include "fakehost.h"
#include "foldertestcase.h"
#include "jobbatch.h"
#include "previewstore.h"
#include "replace.h"
#include "testfolder.h"
#include "textjob.h"
#include "textspace.h"

namespace {

using ReplaceJob = TextJob<ReplaceOptions, Replace::apply>;
using SpaceJob = CheckedTextJob<SpaceOptions, &TextSpace::process, Tips::FileTooLarge>;

// The operations the preview is compared with, by name.
OptionRecord *optionsFor(const QString &operation)
{
    if (operation == QLatin1String("replace")) {
        auto *o = new ReplaceOptions;
        o->pairs = {{"apple", "orange"}, {"苹果", "橙子"}, {"2024", "2025"}};
        return o;
    }
    if (operation == QLatin1String("regex")) {
        auto *o = new ReplaceOptions;
        o->pattern = Pattern::Regular;
        o->pairs = {{"([a-z]+)@([0-9]+)", "\\2#\\1"}};
        return o;
    }
    if (operation == QLatin1String("spaces")) {
        auto *o = new SpaceOptions;
        o->index = SpaceOptions::All;
        o->implement = SpaceOptions::Delete;
        return o;
    }
    auto *o = new DeleteOptions;
    o->index = operation == QLatin1String("digits") ? int(DeletePatterns::ArabicNumber) : int(DeletePatterns::Chinese);
    return o;
}

TextBase *jobFor(const QString &operation, const QString &file, const OptionRecord *options)
{
    if (operation == QLatin1String("replace") || operation == QLatin1String("regex"))
        return new ReplaceJob(file, options);
    if (operation == QLatin1String("spaces"))
        return new SpaceJob(file, options);
    return new DeleteRegular(file, options);
}

// Runs one batch of operation over files (a preview when store is given)
// and waits for its end.
bool runBatch(const QString &operation, const QStringList &files, const std::shared_ptr<PreviewStore> &store)
{
    JobBatch batch;
    OptionRecord *options = optionsFor(operation);
    batch.adopt(options);
    for (const QString &file : files)
        batch.add(jobFor(operation, file, options));
    if (store)
        batch.keepResults(store);
    QSignalSpy finished(&batch, &JobBatch::finishedSignal);
    batch.start();
    return finished.count() > 0 || finished.wait(20000);
}

struct Status
{
    ino_t inode;
    qint64 mtimeNs;
    QByteArray bytes;
    bool operator==(const Status &o) const { return inode == o.inode && mtimeNs == o.mtimeNs && bytes == o.bytes; }
};

QMap<QString, Status> statusOf(const QString &folder)
{
    QMap<QString, Status> result;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
        struct stat st;
        const QString path = dir.absoluteFilePath(name);
        ::lstat(QFile::encodeName(path).constData(), &st);
        result.insert(name, Status{st.st_ino, qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec,
                                   TestFolder::bytesOf(path)});
    }
    return result;
}

} // namespace

// The kept-results mode of a batch: what a preview keeps is what the job
// then writes, and a preview writes nothing.
class TestPreview : public FolderTestCase
{
    Q_OBJECT
private slots:
    void previewEqualsTheJob_data();
    void previewEqualsTheJob();
    void storeGoesWithItsLastHolder();

private:
    QString path(const QString &name) const { return m_folder.path(name); }
};

void TestPreview::previewEqualsTheJob_data()
{
    QTest::addColumn<QString>("operation");
    QTest::newRow("text: three ordinary keys") << "replace";
    QTest::newRow("text: regular expression") << "regex";
    QTest::newRow("text: delete every space") << "spaces";
    QTest::newRow("delete: digits") << "digits";
    QTest::newRow("delete: Chinese") << "chinese";
}

void TestPreview::previewEqualsTheJob()
{
    QFETCH(QString, operation);
    const QString in = path(QStringLiteral("in"));
    // Keys of every operation, plain UTF-8, GB18030 with CRLF, a byte-order
    // mark, text without any key, bytes that are no text, a read-only file.
    const QMap<QString, QByteArray> files = {
        {"a.txt", "apple 苹果 2024 user@42\nno key here\n  spaced  line 7\n"},
        {"b.txt", QByteArray("\xb9\xfb apple 2024 abc@7\r\n\xd6\xd0\xce\xc4 x \r\n")},
        {"c.txt", "\xEF\xBB\xBF" "苹果 and apple@1\nlast line without end 9"},
        {"d.txt", "nothing"},
        {"e.txt", QByteArray("\x80\x80 apple 2024 \xff\n")},
        {"f.txt", "apple 苹果 2024 x@1 readonly\n"},
    };
    QStringList paths;
    for (auto it = files.cbegin(); it != files.cend(); ++it) {
        QVERIFY(TestFolder::put(in + QLatin1Char('/') + it.key(), it.value()));
        paths << in + QLatin1Char('/') + it.key();
    }
    QVERIFY(QFile::setPermissions(in + QStringLiteral("/f.txt"), QFile::ReadOwner));
    const QMap<QString, Status> before = statusOf(in);

    auto store = std::make_shared<PreviewStore>();
    QVERIFY(store->isValid());
    QVERIFY(runBatch(operation, paths, store));
    // Nothing under the input folder changed: same names, inodes, times, bytes.
    QCOMPARE(statusOf(in).keys(), before.keys());
    QVERIFY(statusOf(in) == before);

    const QList<PreviewRecord> records = store->records();
    QCOMPARE(records.size(), paths.size());
    for (int i = 0; i < records.size(); ++i) {
        QCOMPARE(records.at(i).position, i);
        QCOMPARE(records.at(i).fileName, paths.at(i));
    }
    QCOMPARE(records.at(0).outcome, PreviewRecord::Changed);
    QCOMPARE(records.at(4).outcome, PreviewRecord::Failed);
    QCOMPARE(records.at(4).failure, Tips::EncodingMismatch);

    QVERIFY(runBatch(operation, paths, nullptr));
    const QMap<QString, Status> after = statusOf(in);
    for (const PreviewRecord &record : records) {
        const QString name = QFileInfo(record.fileName).fileName();
        const Status was = before.value(name);
        const Status now = after.value(name);
        if (record.willWrite()) {
            QByteArray kept;
            QVERIFY(store->keptBytes(record, kept));
            QVERIFY2(kept == now.bytes, qPrintable(name));
            QCOMPARE(record.sizeAfter, qint64(now.bytes.size()));
            QCOMPARE(record.sizeBefore, qint64(was.bytes.size()));
            QCOMPARE(record.sourceDigest, PreviewStore::digestOf(was.bytes));
            QVERIFY(record.changedLines > 0);
        } else {
            // Left as it is by the job too: not even touched.
            QVERIFY2(now == was, qPrintable(name));
        }
    }
    // The read-only file is refused by both, as the writer refuses it.
    QCOMPARE(records.at(5).outcome, PreviewRecord::Failed);
    QCOMPARE(records.at(5).failure, Tips::FileUnwritable);
    QCOMPARE(records.at(3).outcome, PreviewRecord::Unchanged);
}

void TestPreview::storeGoesWithItsLastHolder()
{
    QString folder;
    {
        auto store = std::make_shared<PreviewStore>();
        folder = store->folder();
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(TestFolder::put(path("x.txt"), "apple\n"));
        QVERIFY(runBatch(QStringLiteral("replace"), {path("x.txt")}, store));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2); // the result and the records
    }
    QVERIFY(!QFileInfo::exists(folder));

    // A folder whose program is gone is removed at the next start; a live
    // one stays.
    const QString root = PreviewStore::defaultRoot();
    QVERIFY(QDir().mkpath(root + QStringLiteral("/20200101-000000-000-999999999-0")));
    PreviewStore live;
    PreviewStore::removeStale(root);
    QCOMPARE(QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot), QStringList(QFileInfo(live.folder()).fileName()));
}

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
