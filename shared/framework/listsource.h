#ifndef LISTSOURCE_H
#define LISTSOURCE_H

#include <QString>
#include <QStringList>

// One file list as a multi-file operation receives it at start: where it
// stands among the host's lists (-1 for the current list), its identifier,
// title and file paths in list order.
struct ListSource
{
    int position = -1;
    int id = -1;
    QString title;
    QStringList files;
};

#endif // LISTSOURCE_H
