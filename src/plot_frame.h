#ifndef PLOT_FRAME_H
#define PLOT_FRAME_H

// Where data lie in a picture: the plot area inside the scales and the
// stretch of the data it shows.
#include <QPointF>
#include <QRectF>

// The stretch of the data shown; y in the axis's own coordinates (the
// signed logarithm of the value on a signed-log axis).
struct PlotRange {
    double x0 = 0;
    double x1 = 1;
    double y0 = 0;
    double y1 = 1;

    double width() const { return x1 - x0; }
    double height() const { return y1 - y0; }
    bool operator==(const PlotRange &other) const;
};

// Data and pixel positions of one picture, in logical pixels; y grows
// downwards on the screen and upwards in the data.
struct PlotFrame {
    QRectF area;
    PlotRange range;
    bool signedLogY = false;

    double column(double x) const;
    // The row of a value, through the signed logarithm where the axis has it.
    double row(double value) const;
    // The row of a position in the axis's own coordinates.
    double rowOfAxis(double at) const;
    QPointF pixel(double x, double value) const { return QPointF(column(x), row(value)); }

    double x(double column) const;
    double axisY(double row) const;
    double value(double row) const;

    // Data units per logical pixel.
    double xResolution() const { return range.width() / area.width(); }
    double yResolution() const { return range.height() / area.height(); }
};

#endif
