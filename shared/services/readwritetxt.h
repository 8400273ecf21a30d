#ifndef READWRITETXT_H
#define READWRITETXT_H

#include <QObject>
#include <QString>

#include "textformat.h"

// Whole-file text reading and writing with outcome tips (var1 0):
//   0 the file did not open, 1 not readable or not decodable,
//   2 not writable (the write or its commit failed), 4 written.
//
// Reading refuses bytes that are not valid in the encoding in force, so a
// damaged text can never be written back over the original. Writing goes
// through a temporary file that replaces the target only when complete, so
// a failed write leaves the previous content intact. A TextFormat record
// taken from a read can be handed to the write to keep the file's own
// byte-order mark, encoding and line-ending style.
class ReadWriteTxt : public QObject
{
    Q_OBJECT
public:
    enum Outcome { NotFound = 0, NotReadable = 1, NotWritable = 2, SaveFailed = 3, Saved = 4, ReadOk = -1 };

    explicit ReadWriteTxt(QObject *parent = nullptr);

    // The host's instance, created on first use; GUI thread only.
    static ReadWriteTxt *shared();

    bool readText(const QString &fileName, QString &text, TextFormat *format = nullptr);
    bool writeText(const QString &fileName, const QString &text, const TextFormat *format = nullptr);

    // Signal-free cores, safe on any thread; they return the outcome code
    // (ReadOk for a successful read).
    static int readFile(const QString &fileName, QString &text, TextFormat *format = nullptr);
    static int writeFile(const QString &fileName, const QString &text, const TextFormat *format = nullptr);

    // Pure conversions between file bytes and text.
    static bool decode(const QByteArray &bytes, QString &text, TextFormat *format = nullptr);
    static bool encode(const QString &text, const TextFormat &format, QByteArray &bytes);

signals:
    void tipSignal(int var1, int var2, const QString &fileName);
};

#endif // READWRITETXT_H
