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

    // Halves the stretch from a to b while its middle strays more than half
    // a device pixel from the straight line, unless all of it is off the
    // same side of the area.
    void refine(QPointF a, QPointF b, int depth)
    {
        const QPointF m = sample((a.x() + b.x()) / 2);
        const bool bends = std::fabs(m.y() - (a.y() + b.y()) / 2) > tolerance;
        if (depth > 0 && bends && !outsideTogether(a, m, b)) {
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

void drawTraced(QPainter &painter, const std::vector<QPointF> &points)
{
    size_t begin = 0;
    for (size_t i = 0; i <= points.size(); ++i) {
        if (i < points.size() && !std::isnan(points[i].y()))
            continue;
        if (i - begin > 1)
            painter.drawPolyline(points.data() + begin, static_cast<int>(i - begin));
        begin = i + 1;
    }
}
