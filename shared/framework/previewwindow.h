#ifndef PREVIEWWINDOW_H
#define PREVIEWWINDOW_H

#include <QColor>
#include <QList>
#include <QVector>
#include <QWidget>

#include <memory>

#include "previewrecord.h"

class QCheckBox;
class QCloseEvent;
class QLabel;
class QPushButton;
class QTableWidget;
class QTextBrowser;
class QTextCursor;
class PreviewStore;

// The window that shows what a preview found: one row per file (ticked
// by default when the job would write it), a summary, and the selected
// file's line diff with its changed characters marked, and the places of
// the result a person should check (PreviewMark) marked with their forms. 应用 hands the
// ticked files' positions over (applySignal) and closes the window.
//
// The window holds the store: once it is closed and freed, and nobody
// else holds the store, the kept results are removed.
class PreviewWindow : public QWidget
{
    Q_OBJECT
public:
    explicit PreviewWindow(const std::shared_ptr<PreviewStore> &store, QWidget *parent = nullptr);
    ~PreviewWindow() override;

    std::shared_ptr<PreviewStore> store() const { return m_store; }

    // The positions of the ticked rows, in the order of the preview.
    QList<int> tickedPositions() const;
    // Shows the diff of the record at index of the store's records.
    void showRecord(int index);

    // Lines of context around a change, hunks shown at most, lines of a
    // diff shown at most, and characters shown of one line.
    static constexpr int contextLines = 3;
    static constexpr int maxHunks = 40;
    static constexpr int maxShownLines = 4000;
    static constexpr int maxLineLength = 2000;
    // Lines a file that would be created shows.
    static constexpr int createdLines = 40;

    // The colours of the diff: removed and added lines, and the changed
    // characters inside them.
    static QColor removedLine();
    static QColor addedLine();
    static QColor removedChars();
    static QColor addedChars();
    // The background of a marked place (PreviewMark), and the colour of
    // its wave and of the forms written after it.
    static QColor markedChars();
    static QColor markColour();

    // Writes the unified diff of oldText against newText into the
    // document at cursor: hunk headers, context, removed and added lines
    // coloured, changed characters highlighted; beyond maxHunks hunks (or
    // maxShownLines lines) it says how many hunks are left out. Marks of
    // newText (in order) are marked where its lines are shown, added and
    // context lines alike, their forms written after them ("[發/髮]");
    // shownMarks receives how many were shown. Returns the number of
    // hunks.
    static int writeDiff(QTextCursor &cursor, const QString &oldText, const QString &newText,
                         const QVector<PreviewMark> &marks = QVector<PreviewMark>(), int *shownMarks = nullptr);

signals:
    // 应用 was pressed with the ticked positions (none ticked: nothing).
    void applySignal(const std::shared_ptr<PreviewStore> &store, const QList<int> &positions);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void fillTable();
    void updateSummary();
    void updateFilter();
    void rowSelected();
    void itemChanged(int row, int column);
    void apply();
    QString outcomeText(const PreviewRecord &record) const;

    std::shared_ptr<PreviewStore> m_store;
    QList<PreviewRecord> m_records;
    QTableWidget *m_table = nullptr;
    QCheckBox *m_changedOnly = nullptr;
    QLabel *m_summary = nullptr;
    QTextBrowser *m_diff = nullptr;
    QPushButton *m_apply = nullptr;
    bool m_syncing = false; // ticking the rows of one position together
};

#endif // PREVIEWWINDOW_H
