#include "plot_curve.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Halvings of one device pixel column at most, where the curve bends.
const int deepest = 8;

// Rows further off than this are as good as infinitely far for the clip,
// and keep the arithmetic of the clip finite.
const double farRows = 1e9;

const double notANumber = std::nan("");

// Points in one polyline drawn at a time.
const size_t runLength = 16;

class Tracer
{
public:
    Tracer(const std::function<double(double)> &f, const PlotFrame &frame, double devicePixelRatio,
           std::vector<QPointF> &points)
        : f(f), frame(frame), top(frame.area.top() - 1), bottom(frame.area.bottom() + 1),
          tolerance(0.5 / devicePixelRatio), points(points)
    {
    }

    void across(int columns)
    {
        const QRectF &area = frame.area;
        QPointF a = sample(area.left());
        for (int i = 1; i <= columns; ++i) {
            const QPointF b = sample(area.left() + area.width() * i / columns);
            refine(a, b, deepest);
            a = b;
        }
    }

private:
    QPointF sample(double column) const
    {
        const double row = frame.row(f(frame.x(column)));
        return QPointF(column, std::isnan(row) ? row : std::clamp(row, -farRows, farRows));
    }

    bool outsideTogether(QPointF a, QPointF m, QPointF b) const
    {
        return (a.y() < top && m.y() < top && b.y() < top)
               || (a.y() > bottom && m.y() > bottom && b.y() > bottom);
    }

    // Draws the stretch from a to b straight where its middle lies within
    // half a device pixel of the line, else halves it, unless all of it is
    // off the same side of the area.
    void refine(QPointF a, QPointF b, int depth)
    {
        const QPointF m = sample((a.x() + b.x()) / 2);
        if (std::fabs(m.y() - (a.y() + b.y()) / 2) <= tolerance)
            return segment(a, b);
        if (depth > 0 && !std::isnan(m.y()) && !outsideTogether(a, m, b)) {
            refine(a, m, depth - 1);
            refine(m, b, depth - 1);
        } else {
            segment(a, m);
            segment(m, b);
        }
    }

    // The part of the line from a to b between the top and bottom rows.
    void segment(QPointF a, QPointF b)
    {
        if (std::isnan(a.y()) || std::isnan(b.y()))
            return endPiece();
        double t0 = 0, t1 = 1;
        const double rise = b.y() - a.y();
        if (rise == 0) {
            if (a.y() < top || a.y() > bottom)
                return endPiece();
        } else {
            const double atTop = (top - a.y()) / rise, atBottom = (bottom - a.y()) / rise;
            t0 = std::max(t0, std::min(atTop, atBottom));
            t1 = std::min(t1, std::max(atTop, atBottom));
            if (t0 > t1)
                return endPiece();
        }
        if (!(open && t0 == 0)) {
            endPiece();
            points.push_back(t0 == 0 ? a : a + (b - a) * t0);
        }
        points.push_back(t1 == 1 ? b : a + (b - a) * t1);
        open = t1 == 1;
    }

    void endPiece()
    {
        if (!points.empty() && !std::isnan(points.back().y()))
            points.push_back(QPointF(notANumber, notANumber));
        open = false;
    }

    const std::function<double(double)> &f;
    const PlotFrame &frame;
    const double top;
    const double bottom;
    const double tolerance;
    std::vector<QPointF> &points;
    // Whether the last point ends a piece that the next segment continues.
    bool open = false;
};

} // namespace

void traceCurve(const std::function<double(double)> &f, const PlotFrame &frame,
                double devicePixelRatio, std::vector<QPointF> &points)
{
    points.clear();
    if (!(frame.area.width() > 0 && frame.area.height() > 0 && frame.range.width() > 0))
        return;
    const int columns = std::max(1, static_cast<int>(std::ceil(frame.area.width() * devicePixelRatio)));
    Tracer(f, frame, devicePixelRatio, points).across(columns);
}

// A pen wider than a device pixel is stroked as one outline per polyline,
// whose filling costs about its edges times its rows: a polyline with long
// steep stretches, as on a signed-log axis, takes many times a frame in
// one piece, and little in short runs that share their end points.
void drawTraced(QPainter &painter, const std::vector<QPointF> &points)
{
    size_t begin = 0;
    for (size_t i = 0; i <= points.size(); ++i) {
        if (i < points.size() && !std::isnan(points[i].y()))
            continue;
        for (size_t from = begin; from + 1 < i; from += runLength - 1)
            painter.drawPolyline(points.data() + from,
                                 static_cast<int>(std::min(runLength, i - from)));
        begin = i + 1;
    }
}
