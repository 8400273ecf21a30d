#include "previewwindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

#include "codesetting.h"
#include "linediff.h"
#include "previewstore.h"
#include "readwritetxt.h"
#include "tiptable.h"

namespace {

enum Column { TickColumn, FileColumn, OutcomeColumn, LinesColumn, BeforeColumn, AfterColumn, ColumnCount };

// The record's place among the window's records, on the file cell.
const int recordRole = Qt::UserRole;
// What a cell sorts by when that is not its text (numbers, check state).
const int sortRole = Qt::UserRole + 1;

class SortItem : public QTableWidgetItem
{
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem &other) const override
    {
        const QVariant mine = data(sortRole);
        const QVariant theirs = other.data(sortRole);
        if (mine.isValid() && theirs.isValid())
            return mine.toLongLong() < theirs.toLongLong();
        return QTableWidgetItem::operator<(other);
    }
};

QString sizeText(qint64 bytes)
{
    if (bytes < 0)
        return QStringLiteral("—");
    // Grouped by thousands, whatever the locale.
    QString digits = QString::number(bytes);
    for (int at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return digits;
}

// Where each line of a text starts (lines split at "\n", a last empty
// line kept, as LineDiff splits them).
class Lines
{
public:
    explicit Lines(const QString &text)
        : m_text(text)
    {
        m_starts.push_back(0);
        const QChar *data = text.constData();
        const int n = text.size();
        for (int i = 0; i < n; ++i) {
            if (data[i] == QLatin1Char('\n'))
                m_starts.push_back(i + 1);
        }
    }
    int count() const { return int(m_starts.size()); }
    int start(int k) const { return m_starts[size_t(k)]; }
    QString line(int k) const
    {
        const int from = m_starts[size_t(k)];
        const int to = k + 1 < count() ? m_starts[size_t(k + 1)] - 1 : m_text.size();
        return m_text.mid(from, to - from);
    }

private:
    const QString &m_text;
    std::vector<int> m_starts;
};

// The marks of a line (those starting in it), at the line's own units.
QVector<PreviewMark> marksOfLine(const QVector<PreviewMark> &marks, int lineStart, int lineLength)
{
    QVector<PreviewMark> inLine;
    auto it = std::lower_bound(marks.begin(), marks.end(), lineStart,
                               [](const PreviewMark &mark, int at) { return mark.at < at; });
    for (; it != marks.end() && it->at <= lineStart + lineLength; ++it) {
        if (it->at == lineStart + lineLength)
            break; // the line break, or the next line
        PreviewMark mark = *it;
        mark.at -= lineStart;
        inLine << mark;
    }
    return inLine;
}

// What the marks of a file are, above its diff.
QString markNote(int count)
{
    return QStringLiteral("有 %1 个可对应多个字形的字没有词语确定,由单字表选定,请核对:"
                          "已加波浪线标出,其后 [ ] 内为可选的字形。")
        .arg(count);
}

// "[發/髮]": a mark's forms, one per code point.
QString candidatesText(const QStringList &candidates)
{
    return QLatin1Char('[') + candidates.join(QLatin1Char('/')) + QLatin1Char(']');
}

QStringList codePoints(const QString &text)
{
    QStringList points;
    for (int i = 0; i < text.size();) {
        const int n = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate() ? 2 : 1;
        points << text.mid(i, n);
        i += n;
    }
    return points;
}

struct Hunk
{
    int first = 0; // blocks [first, last]
    int last = 0;
};

QVector<Hunk> hunksOf(const QVector<LineDiff::Block> &blocks)
{
    QVector<Hunk> hunks;
    for (int i = 0; i < blocks.size(); ++i) {
        if (!hunks.isEmpty()) {
            const LineDiff::Block &previous = blocks.at(hunks.last().last);
            const int gap = blocks.at(i).oldStart - (previous.oldStart + previous.oldCount);
            if (gap <= 2 * PreviewWindow::contextLines) {
                hunks.last().last = i;
                continue;
            }
        }
        hunks << Hunk{i, i};
    }
    return hunks;
}

// Writes the document's lines: the first into the block the cursor is in
// when that block is still empty, each further one into a new block.
class DiffWriter
{
public:
    explicit DiffWriter(QTextCursor &cursor)
        : m_cursor(cursor)
    {
        m_plain.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        m_first = m_cursor.block().length() <= 1;
    }

    void note(const QString &text, const QColor &colour = QColor(0x60, 0x60, 0x60))
    {
        QTextCharFormat format = m_plain;
        format.setForeground(colour);
        begin(QTextBlockFormat());
        m_cursor.insertText(text, format);
    }

    void header(const QString &text)
    {
        QTextCharFormat format = m_plain;
        format.setForeground(QColor(0x00, 0x55, 0xAA));
        QTextBlockFormat block;
        block.setBackground(QColor(0xEE, 0xF3, 0xFA));
        begin(block);
        m_cursor.insertText(text, format);
    }

    // One line with its sign; runs (in line's units) get the highlight.
    // Marks (in line's units, in order) are underlined with a wave on
    // their own background, their forms written a little smaller after
    // them and told by a tooltip; returns how many of them the line shows.
    int line(QChar sign, const QString &text, const QVector<LineDiff::Run> &runs, const QColor &lineColour,
             const QColor &runColour, const QVector<PreviewMark> &marks = QVector<PreviewMark>())
    {
        QTextBlockFormat block;
        if (lineColour.isValid())
            block.setBackground(lineColour);
        begin(block);
        m_cursor.insertText(QString(sign) + QLatin1Char(' '), m_plain);
        const int shown = std::min(text.size(), PreviewWindow::maxLineLength);
        QTextCharFormat marked = m_plain;
        marked.setBackground(runColour);
        int shownMarks = 0;
        if (marks.isEmpty()) {
            int at = 0;
            for (const LineDiff::Run &run : runs) {
                const int from = std::min(run.from, shown);
                const int to = std::min(run.to, shown);
                if (from > at)
                    m_cursor.insertText(text.mid(at, from - at), m_plain);
                if (to > from)
                    m_cursor.insertText(text.mid(from, to - from), marked);
                at = std::max(at, to);
            }
            if (shown > at)
                m_cursor.insertText(text.mid(at, shown - at), m_plain);
        } else {
            shownMarks = markedText(text, shown, runs, marked, marks);
        }
        if (text.size() > shown) {
            QTextCharFormat format = m_plain;
            format.setForeground(QColor(0x60, 0x60, 0x60));
            m_cursor.insertText(QStringLiteral(" …(本行还有 %1 个字符未显示)").arg(text.size() - shown), format);
        }
        return shownMarks;
    }

private:
    // The shown units of a line with its runs and marks; marks that
    // overlap are one place with the forms of both.
    int markedText(const QString &text, int shown, const QVector<LineDiff::Run> &runs, const QTextCharFormat &marked,
                   const QVector<PreviewMark> &marks)
    {
        struct Place
        {
            int from;
            int to;
            QStringList candidates;
        };
        QVector<Place> places;
        int count = 0;
        for (const PreviewMark &mark : marks) {
            const int from = mark.at;
            const int to = std::min({mark.at + mark.length, shown});
            if (from < 0 || from >= to)
                continue;
            ++count;
            const QStringList forms = codePoints(mark.candidates);
            if (!places.isEmpty() && from < places.last().to) {
                Place &last = places.last();
                last.to = std::max(last.to, to);
                for (const QString &form : forms) {
                    if (!last.candidates.contains(form))
                        last.candidates << form;
                }
            } else {
                places << Place{from, to, forms};
            }
        }
        std::vector<char> inRun(size_t(shown), 0);
        for (const LineDiff::Run &run : runs) {
            for (int k = std::max(0, run.from); k < std::min(run.to, shown); ++k)
                inRun[size_t(k)] = 1;
        }
        std::vector<int> placeOf(size_t(shown), -1);
        for (int p = 0; p < places.size(); ++p) {
            for (int k = places.at(p).from; k < places.at(p).to; ++k)
                placeOf[size_t(k)] = p;
        }
        for (int at = 0; at < shown;) {
            int end = at + 1;
            while (end < shown && inRun[size_t(end)] == inRun[size_t(at)] && placeOf[size_t(end)] == placeOf[size_t(at)])
                ++end;
            const int p = placeOf[size_t(at)];
            QTextCharFormat format = inRun[size_t(at)] ? marked : m_plain;
            if (p < 0) {
                m_cursor.insertText(text.mid(at, end - at), format);
            } else {
                const QString tip = QStringLiteral("由单字表选定,没有词语确定;可选字形:%1")
                                        .arg(places.at(p).candidates.join(QStringLiteral("、")));
                format.setBackground(PreviewWindow::markedChars());
                format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
                format.setUnderlineColor(PreviewWindow::markColour());
                format.setToolTip(tip);
                m_cursor.insertText(text.mid(at, end - at), format);
                if (end == shown || placeOf[size_t(end)] != p) {
                    QTextCharFormat forms = m_plain;
                    forms.setForeground(PreviewWindow::markColour());
                    // A little smaller than the text, still legible for
                    // Chinese (a superscript is too small for that).
                    QFont font = m_plain.font();
                    if (font.pointSizeF() > 0)
                        font.setPointSizeF(font.pointSizeF() * 0.9);
                    else if (font.pixelSize() > 0)
                        font.setPixelSize(std::max(9, font.pixelSize() * 9 / 10));
                    forms.setFont(font);
                    forms.setToolTip(tip);
                    m_cursor.insertText(candidatesText(places.at(p).candidates), forms);
                }
            }
            at = end;
        }
        return count;
    }

    void begin(const QTextBlockFormat &block)
    {
        if (m_first) {
            m_cursor.setBlockFormat(block);
            m_first = false;
        } else {
            m_cursor.insertBlock(block);
        }
    }

    QTextCursor &m_cursor;
    QTextCharFormat m_plain;
    bool m_first = true;
};

} // namespace

QColor PreviewWindow::removedLine()
{
    return QColor(0xFF, 0xEB, 0xE9);
}

QColor PreviewWindow::addedLine()
{
    return QColor(0xE6, 0xFF, 0xEC);
}

QColor PreviewWindow::removedChars()
{
    return QColor(0xFF, 0xB3, 0xAD);
}

QColor PreviewWindow::addedChars()
{
    return QColor(0x99, 0xEE, 0xAA);
}

QColor PreviewWindow::markedChars()
{
    return QColor(0xFF, 0xDD, 0x88);
}

QColor PreviewWindow::markColour()
{
    return QColor(0xB0, 0x40, 0x00);
}

int PreviewWindow::writeDiff(QTextCursor &cursor, const QString &oldText, const QString &newText,
                             const QVector<PreviewMark> &marks, int *shownMarks)
{
    int marksShown = 0;
    if (shownMarks)
        *shownMarks = 0;
    DiffWriter out(cursor);
    const QVector<LineDiff::Block> blocks = LineDiff::blocks(oldText, newText);
    if (blocks.isEmpty()) {
        out.note(QStringLiteral("内容无变化。"));
        return 0;
    }
    const Lines a(oldText);
    const Lines b(newText);
    // The marks of line k of the new text.
    const auto marksOf = [&](int k) {
        return marks.isEmpty() ? QVector<PreviewMark>() : marksOfLine(marks, b.start(k), b.line(k).size());
    };
    const QVector<Hunk> hunks = hunksOf(blocks);
    int shownLines = 0;
    int shownHunks = 0;
    const QVector<LineDiff::Run> none;
    for (const Hunk &hunk : hunks) {
        if (shownHunks >= maxHunks || shownLines >= maxShownLines)
            break;
        const LineDiff::Block &first = blocks.at(hunk.first);
        const LineDiff::Block &last = blocks.at(hunk.last);
        const int before = std::min({contextLines, first.oldStart, first.newStart});
        const int after = std::min(contextLines, a.count() - (last.oldStart + last.oldCount));
        const int oldFrom = first.oldStart - before;
        const int newFrom = first.newStart - before;
        const int oldCount = last.oldStart + last.oldCount + after - oldFrom;
        const int newCount = last.newStart + last.newCount + after - newFrom;
        out.header(QStringLiteral("@@ -%1,%2 +%3,%4 @@").arg(oldFrom + 1).arg(oldCount).arg(newFrom + 1).arg(newCount));
        ++shownHunks;
        int oldAt = oldFrom;
        int newAt = newFrom; // the new text's line of a context line
        bool cut = false;
        int left = 0; // lines of the hunk not shown once it is cut
        const auto room = [&shownLines] { return shownLines < maxShownLines; };
        for (int k = hunk.first; k <= hunk.last && !cut; ++k) {
            const LineDiff::Block &block = blocks.at(k);
            for (; oldAt < block.oldStart; ++oldAt, ++newAt) {
                if (!room()) {
                    cut = true;
                    break;
                }
                marksShown += out.line(QLatin1Char(' '), a.line(oldAt), none, QColor(), QColor(), marksOf(newAt));
                ++shownLines;
            }
            if (cut)
                break;
            // A line edited in place is paired with its counterpart, so
            // the characters that changed stand out in both.
            // Only the lines that can still be shown are compared.
            const int paired = std::min({block.oldCount, block.newCount, std::max(0, maxShownLines - shownLines)});
            QVector<QVector<LineDiff::Run>> oldRuns(block.oldCount), newRuns(block.newCount);
            for (int i = 0; i < paired; ++i)
                LineDiff::characterRuns(a.line(block.oldStart + i), b.line(block.newStart + i), oldRuns[i], newRuns[i]);
            for (int i = 0; i < block.oldCount; ++i) {
                if (!room()) {
                    cut = true;
                    left += block.oldCount - i;
                    break;
                }
                out.line(QLatin1Char('-'), a.line(block.oldStart + i), oldRuns.at(i), removedLine(), removedChars());
                ++shownLines;
            }
            for (int i = 0; i < block.newCount; ++i) {
                if (!room()) {
                    cut = true;
                    left += block.newCount - i;
                    break;
                }
                marksShown += out.line(QLatin1Char('+'), b.line(block.newStart + i), newRuns.at(i), addedLine(),
                                       addedChars(), marksOf(block.newStart + i));
                ++shownLines;
            }
            oldAt = block.oldStart + block.oldCount;
            newAt = block.newStart + block.newCount;
        }
        if (cut) {
            for (int k = hunk.first; k <= hunk.last; ++k) {
                const LineDiff::Block &block = blocks.at(k);
                if (block.oldStart >= oldAt)
                    left += block.oldCount + block.newCount;
            }
            out.note(QStringLiteral("…(本处改动还有约 %1 行未显示)").arg(left));
            break;
        }
        for (int i = 0; i < after && room(); ++i, ++oldAt, ++newAt) {
            marksShown += out.line(QLatin1Char(' '), a.line(oldAt), none, QColor(), QColor(), marksOf(newAt));
            ++shownLines;
        }
    }
    if (shownHunks < hunks.size())
        out.note(QStringLiteral("还有 %1 处改动未显示(共 %2 处)。").arg(hunks.size() - shownHunks).arg(hunks.size()));
    if (shownMarks)
        *shownMarks = marksShown;
    return hunks.size();
}

PreviewWindow::PreviewWindow(const std::shared_ptr<PreviewStore> &store, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_store(store)
{
    setObjectName(QStringLiteral("PreviewWindow"));
    setWindowTitle(QStringLiteral("预览"));
    resize(900, 580);

    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("label_previewSummary"));
    top->addWidget(m_summary, 1);
    m_changedOnly = new QCheckBox(QStringLiteral("只显示将修改的文件"), this);
    m_changedOnly->setObjectName(QStringLiteral("checkBox_previewChangedOnly"));
    top->addWidget(m_changedOnly);
    layout->addLayout(top);

    auto *splitter = new QSplitter(Qt::Vertical, this);
    m_table = new QTableWidget(0, ColumnCount, splitter);
    m_table->setObjectName(QStringLiteral("tableWidget_preview"));
    m_table->setHorizontalHeaderLabels({QStringLiteral("应用"), QStringLiteral("文件"), QStringLiteral("结果"),
                                        QStringLiteral("改动行数"), QStringLiteral("原大小(字节)"),
                                        QStringLiteral("新大小(字节)")});
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->setWordWrap(false);
    QHeaderView *header = m_table->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(FileColumn, QHeaderView::Stretch);
    m_diff = new QTextBrowser(splitter);
    m_diff->setObjectName(QStringLiteral("textBrowser_diff"));
    m_diff->setLineWrapMode(QTextEdit::NoWrap);
    m_diff->setOpenLinks(false);
    splitter->addWidget(m_table);
    splitter->addWidget(m_diff);
    splitter->setStretchFactor(0, 2);
    splitter->setStretchFactor(1, 3);
    layout->addWidget(splitter, 1);

    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    m_apply = new QPushButton(QStringLiteral("应用"), this);
    m_apply->setObjectName(QStringLiteral("pushButton_apply"));
    m_apply->setToolTip(QStringLiteral("写入打勾的文件的预览结果(可撤销),然后关闭预览"));
    bottom->addWidget(m_apply);
    layout->addLayout(bottom);

    if (m_store)
        m_records = m_store->records();
    fillTable();
    updateSummary();

    connect(m_changedOnly, &QCheckBox::toggled, this, &PreviewWindow::updateFilter);
    connect(m_table, &QTableWidget::itemSelectionChanged, this, &PreviewWindow::rowSelected);
    connect(m_table, &QTableWidget::cellChanged, this, &PreviewWindow::itemChanged);
    connect(m_apply, &QPushButton::clicked, this, &PreviewWindow::apply);

    // The first file that would change is shown at once (the only one
    // for the current document).
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int index = m_table->item(row, FileColumn)->data(recordRole).toInt();
        if (m_records.at(index).willWrite() || m_records.size() == 1) {
            m_table->selectRow(row);
            break;
        }
    }
}

PreviewWindow::~PreviewWindow() = default;

QString PreviewWindow::outcomeText(const PreviewRecord &record) const
{
    const QString check = record.marks > 0 ? QStringLiteral("(待核对 %1 字)").arg(record.marks) : QString();
    switch (record.outcome) {
    case PreviewRecord::Changed:
        return QStringLiteral("将修改") + check;
    case PreviewRecord::Created:
        return QStringLiteral("将新建") + check;
    case PreviewRecord::Unchanged:
        return QStringLiteral("无变化");
    case PreviewRecord::Failed:
        break;
    }
    return TipTable::words(record.failure.var1, record.failure.var2).trimmed();
}

void PreviewWindow::fillTable()
{
    m_table->setSortingEnabled(false);
    m_table->setRowCount(m_records.size());
    for (int i = 0; i < m_records.size(); ++i) {
        const PreviewRecord &record = m_records.at(i);
        auto *tick = new SortItem;
        if (record.willWrite()) {
            tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            tick->setCheckState(Qt::Checked);
            tick->setData(sortRole, 1);
        } else {
            tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            tick->setData(sortRole, 0);
        }
        m_table->setItem(i, TickColumn, tick);
        auto *file = new QTableWidgetItem(record.fileName);
        file->setData(recordRole, i);
        file->setToolTip(record.fileName);
        m_table->setItem(i, FileColumn, file);
        auto *outcome = new QTableWidgetItem(outcomeText(record));
        if (record.outcome == PreviewRecord::Failed)
            outcome->setForeground(TipTable::failureColour());
        outcome->setToolTip(outcome->text());
        m_table->setItem(i, OutcomeColumn, outcome);
        const auto number = [](qint64 value, const QString &text) {
            auto *item = new SortItem(text);
            item->setData(sortRole, value);
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            return item;
        };
        const bool counted = record.willWrite();
        m_table->setItem(i, LinesColumn,
                         number(counted ? record.changedLines : 0,
                                counted ? QString::number(record.changedLines) : QStringLiteral("0")));
        m_table->setItem(i, BeforeColumn, number(record.sizeBefore, sizeText(record.sizeBefore)));
        m_table->setItem(i, AfterColumn, number(record.sizeAfter, sizeText(record.sizeAfter)));
    }
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(-1, Qt::AscendingOrder); // the preview's order until a header is clicked
}

void PreviewWindow::updateSummary()
{
    int changed = 0, created = 0, unchanged = 0, failed = 0;
    int marks = 0, marked = 0;
    for (const PreviewRecord &record : qAsConst(m_records)) {
        if (record.willWrite() && record.marks > 0) {
            marks += record.marks;
            ++marked;
        }
        switch (record.outcome) {
        case PreviewRecord::Changed: ++changed; break;
        case PreviewRecord::Created: ++created; break;
        case PreviewRecord::Unchanged: ++unchanged; break;
        case PreviewRecord::Failed: ++failed; break;
        }
    }
    QString text = QStringLiteral("将修改 %1 个, 无变化 %2 个, 失败 %3 个").arg(changed + created).arg(unchanged).arg(failed);
    if (created > 0)
        text += QStringLiteral("(其中新建 %1 个)").arg(created);
    text += QStringLiteral("。尚未写入任何文件。");
    if (marks > 0)
        text += QStringLiteral("%1 个文件中共有 %2 个字由单字表选定,待核对。").arg(marked).arg(marks);
    m_summary->setText(text);
    m_apply->setEnabled(!tickedPositions().isEmpty());
}

void PreviewWindow::updateFilter()
{
    const bool only = m_changedOnly->isChecked();
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const int index = m_table->item(row, FileColumn)->data(recordRole).toInt();
        m_table->setRowHidden(row, only && !m_records.at(index).willWrite());
    }
}

QList<int> PreviewWindow::tickedPositions() const
{
    QList<int> positions;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        const QTableWidgetItem *tick = m_table->item(row, TickColumn);
        if (!tick || !(tick->flags() & Qt::ItemIsUserCheckable) || tick->checkState() != Qt::Checked)
            continue;
        const int position = m_records.at(m_table->item(row, FileColumn)->data(recordRole).toInt()).position;
        positions << position;
    }
    // Rows of one position (the files one job makes) count once.
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    return positions;
}

void PreviewWindow::itemChanged(int row, int column)
{
    if (column != TickColumn || m_syncing)
        return;
    QTableWidgetItem *tick = m_table->item(row, TickColumn);
    const QTableWidgetItem *file = m_table->item(row, FileColumn);
    if (!tick || !file)
        return;
    // The files one job makes are applied together (they share its
    // position): ticking one ticks them all.
    m_syncing = true;
    const Qt::CheckState state = tick->checkState();
    tick->setData(sortRole, state == Qt::Checked ? 1 : 0);
    const int position = m_records.at(file->data(recordRole).toInt()).position;
    for (int other = 0; other < m_table->rowCount(); ++other) {
        QTableWidgetItem *otherTick = m_table->item(other, TickColumn);
        const int index = m_table->item(other, FileColumn)->data(recordRole).toInt();
        if (other != row && (otherTick->flags() & Qt::ItemIsUserCheckable) && m_records.at(index).position == position) {
            otherTick->setCheckState(state);
            otherTick->setData(sortRole, state == Qt::Checked ? 1 : 0);
        }
    }
    m_syncing = false;
    m_apply->setEnabled(!tickedPositions().isEmpty());
}

void PreviewWindow::rowSelected()
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    for (const QTableWidgetItem *item : selected) {
        if (item->column() == FileColumn) {
            showRecord(item->data(recordRole).toInt());
            return;
        }
    }
}

void PreviewWindow::showRecord(int index)
{
    m_diff->clear();
    if (index < 0 || index >= m_records.size())
        return;
    const PreviewRecord &record = m_records.at(index);
    QTextDocument *document = m_diff->document();
    QTextCursor cursor(document);
    // One edit for the whole diff: the view lays the document out once,
    // not again after each of its thousands of insertions.
    struct EditBlock
    {
        QTextCursor &cursor;
        explicit EditBlock(QTextCursor &c) : cursor(c) { cursor.beginEditBlock(); }
        ~EditBlock() { cursor.endEditBlock(); }
    } edit(cursor);
    DiffWriter out(cursor);
    const int mode = CodeSetting::current();
    switch (record.outcome) {
    case PreviewRecord::Failed:
        out.header(record.fileName);
        out.note(outcomeText(record), TipTable::failureColour());
        return;
    case PreviewRecord::Unchanged:
        out.header(record.fileName);
        out.note(QStringLiteral("内容无变化,不会改写。"));
        return;
    case PreviewRecord::Created: {
        QByteArray bytes;
        QString text;
        out.header(QStringLiteral("+++ %1 (将新建)").arg(record.fileName));
        if (!m_store || !m_store->keptBytes(record, bytes) || !ReadWriteTxt::decode(bytes, mode, text)) {
            out.note(QStringLiteral("预览结果无法读取。"), TipTable::failureColour());
            return;
        }
        const Lines lines(text);
        const int total = text.endsWith(QLatin1Char('\n')) ? lines.count() - 1 : lines.count();
        const int shown = std::min(total, createdLines);
        const QVector<LineDiff::Run> none;
        const QVector<PreviewMark> marks = m_store->keptMarks(record);
        if (!marks.isEmpty())
            out.note(markNote(marks.size()), markColour());
        for (int k = 0; k < shown; ++k) {
            out.line(QLatin1Char('+'), lines.line(k), none, addedLine(), addedChars(),
                     marksOfLine(marks, lines.start(k), lines.line(k).size()));
        }
        if (total > shown)
            out.note(QStringLiteral("…(共 %1 行,只显示前 %2 行)").arg(total).arg(shown));
        return;
    }
    case PreviewRecord::Changed:
        break;
    }
    out.header(QStringLiteral("--- %1 (现在)").arg(record.fileName));
    out.header(QStringLiteral("+++ %1 (应用后)").arg(record.fileName));
    PreviewStore::Source now;
    QByteArray oldBytes;
    QByteArray newBytes;
    QString oldText;
    QString newText;
    if (!PreviewStore::sourceOf(record.fileName, now, &oldBytes)) {
        out.note(QStringLiteral("该文件现在无法读取,应用时将保持原样。"), TipTable::failureColour());
        return;
    }
    if (now.digest != record.sourceDigest) {
        out.note(TipTable::words(Tips::ChangedSincePreview.var1, Tips::ChangedSincePreview.var2).trimmed(),
                 TipTable::failureColour());
        return;
    }
    if (!m_store || !m_store->keptBytes(record, newBytes) || !ReadWriteTxt::decode(oldBytes, mode, oldText)
        || !ReadWriteTxt::decode(newBytes, mode, newText)) {
        out.note(QStringLiteral("预览结果无法读取。"), TipTable::failureColour());
        return;
    }
    oldBytes.clear();
    newBytes.clear();
    const QVector<PreviewMark> marks = m_store->keptMarks(record);
    if (!marks.isEmpty())
        out.note(markNote(marks.size()), markColour());
    cursor.movePosition(QTextCursor::End);
    int shown = 0;
    writeDiff(cursor, oldText, newText, marks, &shown);
    if (shown < marks.size()) {
        cursor.movePosition(QTextCursor::End);
        DiffWriter(cursor).note(QStringLiteral("另有 %1 个待核对的字在以上未显示的行中。").arg(marks.size() - shown),
                                markColour());
    }
    m_diff->moveCursor(QTextCursor::Start);
}

void PreviewWindow::apply()
{
    const QList<int> positions = tickedPositions();
    if (positions.isEmpty())
        return;
    m_apply->setEnabled(false);
    emit applySignal(m_store, positions);
    close();
}

void PreviewWindow::closeEvent(QCloseEvent *event)
{
    // The kept results go with the last holder of the store.
    m_store.reset();
    QWidget::closeEvent(event);
}
