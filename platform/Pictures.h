#pragma once
// The program's pictures and toolbar icons, drawn in code so that the
// program ships no image files.
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace platform {

enum class Picture {
    Product,      // the meter with a reading on its screen
    Download,     // the meter with an arrow into the computer
    Reports,      // a sheet with a chart
    Drop,         // a drop of blood on a test strip
    DataList,     // a table of rows
    StandardDay,  // readings scattered over a day
    LineGraph,    // a line between two limit lines
    Histogram,    // bars
    Home,
    Settings,
    MeterControl,
    Printer,
};

QPixmap drawPicture(Picture picture, QSize size);

// The picture at toolbar size.
QIcon pictureIcon(Picture picture);

// The product picture as the windows' icon, at the sizes of title bars,
// menu bars and task bars.
QIcon productIcon();

}  // namespace platform
