#ifndef OPERATIONROW_H
#define OPERATIONROW_H

#include <QString>
#include <QStringList>

#include <functional>

#include "listsource.h"

struct OptionRecord;
class DockWidgetOptionBase;
class QWidget;
class TextBase;

// One operation of a plug-in: what its label, option dock and explanation
// show, and what pressing start does with it. A plug-in describes itself
// by a table of these rows, index 0 being "no operation chosen".
struct OperationRow
{
    enum Start {
        NoJob,   // start sends the no-operation tip (-9, 9)
        Nothing, // start does nothing and sends no tip
        Jobs     // start runs the operation's workers
    };

    // What the jobs of a start work on.
    enum Scope {
        OneFile,       // one job per file of the single-file range
        PerList,       // one job per list of the multi-file range
        GeneratesFiles // jobs the plug-in plans itself, not from a range
    };

    // Reads the operation's options from the option dock, once per start on
    // the GUI thread, for the files the start covers; null when they are
    // unusable (the start is refused with (-6, 0) before any file is
    // touched). The start owns the record.
    using OptionsGetter = std::function<OptionRecord *(DockWidgetOptionBase *dock, const QStringList &files)>;
    // One worker for one file (position: its place among the start's files).
    using JobMaker = std::function<TextBase *(const QString &fileName, const OptionRecord *options, int position)>;
    // One worker for one whole list (operations of scope PerList).
    using ListJobMaker = std::function<TextBase *(const ListSource &list, const OptionRecord *options)>;
    // The operation's option page, made once by the option dock.
    using PageMaker = std::function<QWidget *(QWidget *parent)>;

    int index = 0;
    QString labelObject; // object name of the operation's QLabelEx; empty for 0
    QString caption;     // the label's text
    QString title;       // option dock title when chosen; empty leaves it as it was
    int page = -1;       // option dock page when chosen; -1 leaves it as it was
    // How to make that page and its object name, for docks that build their
    // pages from the rows (DockWidgetOptionBase::buildPages); rows sharing
    // a page name the same one.
    PageMaker makePage;
    QString pageObject;
    // The group of labels the list dock shows the operation's label in,
    // for docks that build their labels from the rows (0 the first).
    int group = 0;
    Scope scope = OneFile;
    QString explanation; // HTML; empty for 0 gives the others joined with "<br>"
    // The label's tooltip: the operation's full name and one sentence of
    // what it does (the caption is a character or two).
    QString toolTip;
    Start start = NoJob;
    // The option page shows the files of the current range (such a page is
    // refreshed with rep2RangeSignal whenever the range is chosen).
    bool rangeFiles = false;
    // Operations whose jobs make new files: the host list they go to, made
    // by the start once the options are usable (with listOnceWritten only
    // when a file has been made); empty for none.
    QString producedList;
    bool listOnceWritten = false;
    // Whether 预览 offers the operation (in docks that have the button):
    // off for operations whose result a preview cannot show as it is,
    // such as generators that make many new files.
    bool previewable = true;

    // Optional: when set they replace the plug-in's virtual readOptions,
    // createWorker and createListWorker for this row. Without options an
    // empty record is used.
    OptionsGetter options;
    JobMaker job;
    ListJobMaker listJob;

    // A row with what every operation shows: its label's object name (empty
    // for 0), caption and tooltip, the option dock's title and page when it
    // is chosen, and its explanation. It starts as start says until it is
    // given a job maker.
    static OperationRow describe(int index, const QString &labelObject, const QString &caption, const QString &title,
                                 int page, const QString &explanation, const QString &toolTip, Start start = NoJob);
    // The option getter and the per-file (or per-list) job maker; the row
    // itself, so that they can follow describe().
    OperationRow &withJob(OptionsGetter getter, JobMaker maker);
    // The same for a job per list; the row's scope becomes PerList.
    OperationRow &withListJob(OptionsGetter getter, ListJobMaker maker);
    // The option page: a Page made with the dock's stack as parent, named
    // objectName.
    template <class Page>
    OperationRow &withPage(const char *objectName)
    {
        makePage = [](QWidget *parent) -> QWidget * { return new Page(parent); };
        pageObject = QString::fromUtf8(objectName);
        return *this;
    }
    // Jobs the plug-in plans (scope GeneratesFiles) whose files go to the
    // host list list (made once a file is written, with onceWritten).
    OperationRow &generates(const QString &list, bool onceWritten = false);
    OperationRow &inGroup(int labelGroup)
    {
        group = labelGroup;
        return *this;
    }

    // What start does: Nothing stays nothing; a row with a job maker runs
    // jobs; otherwise as start says.
    Start startKind() const
    {
        if (start == Nothing)
            return Nothing;
        if (job || listJob)
            return Jobs;
        return start;
    }

    // Whether a start works on whole lists (the multi-file range applies).
    bool worksOnLists() const { return scope == PerList; }
};

#endif // OPERATIONROW_H
