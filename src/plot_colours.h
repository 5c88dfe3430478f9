#ifndef PLOT_COLOURS_H
#define PLOT_COLOURS_H

#include <QColor>

class QPalette;

// The colours of a plot. Under a light palette the plot area keeps its
// gray with white axes and a blue curve; under a dark one (text lighter
// than the window) the palette decides them all.
struct PlotColours {
    QColor margin;     // around the plot area, behind the numbers
    QColor text;       // the numbers of the scales
    QColor background; // the plot area
    QColor grid;
    QColor axis;       // axes, tick dots and the area's border
    QColor curve;
    QColor root;       // root marks and their multiplicities

    static PlotColours of(const QPalette &palette);
};

#endif
