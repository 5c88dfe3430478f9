#include "plot_frame.h"
#include "plot_scale.h"

bool PlotRange::operator==(const PlotRange &other) const
{
    return x0 == other.x0 && x1 == other.x1 && y0 == other.y0 && y1 == other.y1;
}

double PlotFrame::column(double x) const
{
    return area.left() + (x - range.x0) * area.width() / range.width();
}

double PlotFrame::row(double value) const
{
    return rowOfAxis(signedLogY ? plotscale::signedLog(value) : value);
}

double PlotFrame::rowOfAxis(double at) const
{
    return area.top() + (range.y1 - at) * area.height() / range.height();
}

double PlotFrame::x(double column) const
{
    return range.x0 + (column - area.left()) * range.width() / area.width();
}

double PlotFrame::axisY(double row) const
{
    return range.y1 - (row - area.top()) * range.height() / area.height();
}

double PlotFrame::value(double row) const
{
    const double at = axisY(row);
    return signedLogY ? plotscale::signedPow(at) : at;
}
