#ifndef APPICON_H
#define APPICON_H

#include <QIcon>

// The program's icon, drawn with QPainter at the sizes window managers ask
// for: a stack of three text pages, the front one lined, and a pen across
// it (the picture the desktop entry's SVG shows). Drawn rather than loaded,
// so the windows have it without an SVG image plug-in.
class AppIcon
{
public:
    static QIcon icon();
};

#endif // APPICON_H
