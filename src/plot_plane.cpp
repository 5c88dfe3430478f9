#include "plot_plane.h"

#include <algorithm>
#include <cmath>

namespace {

// Room around the roots, as a share of the larger side of their box.
const double rootPad = 0.15;

} // namespace

PlaneView::PlaneView(std::vector<RootMark> roots, QPixmap *surface, QWidget *parent)
    : PlotView(surface, parent), roots(std::move(roots))
{
    setAccessibleName(tr("Roots in the complex plane"));
}

QString PlaneView::pictureName() const
{
    return QStringLiteral("complex-plane");
}

// The box of the roots with room around it, and the origin where it lies
// no further from the box than the box is wide, so that the axes help to
// read the picture; widened on one side to equal scales.
PlotRange PlaneView::startRange(QSizeF area) const
{
    double left = HUGE_VAL, right = -HUGE_VAL, bottom = HUGE_VAL, top = -HUGE_VAL;
    for (const RootMark &mark : roots) {
        const double re = static_cast<double>(mark.root.real());
        const double im = static_cast<double>(mark.root.imag());
        if (!std::isfinite(re) || !std::isfinite(im))
            continue;
        left = std::min(left, re);
        right = std::max(right, re);
        bottom = std::min(bottom, im);
        top = std::max(top, im);
    }
    if (left > right)
        left = right = bottom = top = 0;
    const double side = std::max(right - left, top - bottom);
    const double dx = std::max({left, -right, 0.0}), dy = std::max({bottom, -top, 0.0});
    if (std::hypot(dx, dy) <= side) {
        left = std::min(left, 0.0);
        right = std::max(right, 0.0);
        bottom = std::min(bottom, 0.0);
        top = std::max(top, 0.0);
    }
    double pad = rootPad * std::max(right - left, top - bottom);
    if (pad == 0) {
        const double magnitude = std::max({std::fabs(left), std::fabs(right), std::fabs(bottom),
                                           std::fabs(top)});
        pad = magnitude > 0 ? magnitude / 2 : 1;
    }
    const double perPixel = std::max((right - left + 2 * pad) / area.width(),
                                     (top - bottom + 2 * pad) / area.height());
    const double cx = (left + right) / 2, cy = (bottom + top) / 2;
    const double hx = perPixel * area.width() / 2, hy = perPixel * area.height() / 2;
    return {cx - hx, cx + hx, cy - hy, cy + hy};
}

void PlaneView::drawContent(QPainter &, const PlotFrame &, const PlotColours &, qreal)
{
    // The roots are the marks, which every view draws over its content.
}

std::vector<PlacedMark> PlaneView::placedMarks(const PlotFrame &frame) const
{
    std::vector<PlacedMark> placed;
    for (const RootMark &mark : roots)
        placed.push_back({frame.pixel(static_cast<double>(mark.root.real()),
                                      static_cast<double>(mark.root.imag())),
                          mark, false});
    return placed;
}

QString PlaneView::readoutAt(const PlotFrame &frame, QPointF pixel) const
{
    const double im = frame.value(pixel.y());
    return tr("z = %1 %2 %3i")
        .arg(plotscale::inLocale(plotscale::valueText(frame.x(pixel.x()), frame.xResolution()),
                                 locale()),
             im < 0 ? QStringLiteral("-") : QStringLiteral("+"),
             plotscale::inLocale(plotscale::valueText(std::fabs(im), frame.yResolution()),
                                 locale()));
}

PlotRange PlaneView::resized(const PlotRange &range, QSizeF from, QSizeF to) const
{
    if (from.isEmpty() || to.isEmpty())
        return range;
    const double cx = (range.x0 + range.x1) / 2, cy = (range.y0 + range.y1) / 2;
    const double hx = range.width() / 2 * to.width() / from.width();
    const double hy = range.height() / 2 * to.height() / from.height();
    return {cx - hx, cx + hx, cy - hy, cy + hy};
}
