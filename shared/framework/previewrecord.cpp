#include "previewrecord.h"

#include <QList>

namespace {

const int fieldCount = 14;

} // namespace

QByteArray PreviewRecord::toLine() const
{
    QList<QByteArray> fields;
    fields << QByteArray::number(position) << QByteArray::number(int(outcome)) << QByteArray::number(failure.var1)
           << QByteArray::number(failure.var2) << QByteArray::number(changedLines) << QByteArray::number(sizeBefore)
           << QByteArray::number(sizeAfter) << (sourceDigest.isEmpty() ? QByteArray("-") : sourceDigest)
           << QByteArray::number(sourceModified) << (resultDigest.isEmpty() ? QByteArray("-") : resultDigest)
           << (keptName.isEmpty() ? QByteArray("-") : keptName.toUtf8())
           << QByteArray::number(marks) << QByteArray("v2") << fileName.toUtf8().toPercentEncoding("/");
    return fields.join('\t') + '\n';
}

bool PreviewRecord::fromLine(const QByteArray &line, PreviewRecord &record)
{
    const QList<QByteArray> fields = line.trimmed().split('\t');
    if (fields.size() != fieldCount || fields.at(12) != "v2")
        return false;
    bool ok = true;
    const auto number = [&ok](const QByteArray &field) {
        bool fine = false;
        const qint64 n = field.toLongLong(&fine);
        ok = ok && fine;
        return n;
    };
    const auto text = [](const QByteArray &field) { return field == "-" ? QByteArray() : field; };
    PreviewRecord r;
    r.position = int(number(fields.at(0)));
    const qint64 outcome = number(fields.at(1));
    if (outcome < Changed || outcome > Created)
        return false;
    r.outcome = Outcome(outcome);
    r.failure = TipCode{int(number(fields.at(2))), int(number(fields.at(3)))};
    r.changedLines = int(number(fields.at(4)));
    r.sizeBefore = number(fields.at(5));
    r.sizeAfter = number(fields.at(6));
    r.sourceDigest = text(fields.at(7));
    r.sourceModified = number(fields.at(8));
    r.resultDigest = text(fields.at(9));
    r.keptName = QString::fromUtf8(text(fields.at(10)));
    r.marks = int(number(fields.at(11)));
    r.fileName = QString::fromUtf8(QByteArray::fromPercentEncoding(fields.at(13)));
    if (!ok)
        return false;
    record = r;
    return true;
}
