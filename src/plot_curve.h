#ifndef PLOT_CURVE_H
#define PLOT_CURVE_H

// The graph of a function as polylines a painter can draw, whatever its
// values: sampled at the screen's resolution and clipped to the plot area.
#include "plot_frame.h"

#include <QPointF>

#include <functional>
#include <vector>

class QPainter;

// The curve y = f(x) across the frame's x range, in its pixel coordinates:
// a sample at every device pixel column, more where the curve bends within
// one, clipped to just outside the plot area. A point that is not a number
// ends one piece of the curve and starts the next; every other point is
// finite and near the area, so no coordinate overflows.
void traceCurve(const std::function<double(double)> &f, const PlotFrame &frame,
                double devicePixelRatio, std::vector<QPointF> &points);

// Draws the pieces of a traced curve with the painter's pen.
void drawTraced(QPainter &painter, const std::vector<QPointF> &points);

#endif
