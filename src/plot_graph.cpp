#include "plot_graph.h"
#include "plot_colours.h"
#include "plot_curve.h"
#include "rroots_oo_1.h"

#include <QAction>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// How far right of a root the curve is looked at to put the multiplicity
// on the side it leaves free.
const double sideProbe = 8;

// A curve that spans less than this share of the height over all but this
// share of the width at either end looks flat.
const double flatShare = 0.1;
const double flatMargin = 0.1;

// Room above and below the values fitted, as a share of their span.
const double fitPad = 0.08;

} // namespace

GraphView::GraphView(PolySolver &polynomial, const PlotRange &start, std::vector<RootMark> roots,
                     QPixmap *surface, std::vector<QPointF> *samples, QWidget *parent)
    : PlotView(surface, parent), polynomial(polynomial), start(start), samples(*samples)
{
    std::copy_if(roots.begin(), roots.end(), std::back_inserter(realRoots),
                 [](const RootMark &mark) { return isReal(mark); });
    setAccessibleName(tr("Graph of the polynomial"));
    QAction *fit = addViewAction(tr("Fit Height to Curve"), {QKeySequence(Qt::Key_F)});
    connect(fit, &QAction::triggered, this, &GraphView::fitHeight);
    signedLogAction = addViewAction(tr("Signed-Log y Scale"), {QKeySequence(Qt::Key_L)});
    signedLogAction->setCheckable(true);
    connect(signedLogAction, &QAction::toggled, this, &GraphView::setSignedLog);
    connect(this, &PlotView::redrawn, this, [this] { signedLogAction->setChecked(signedLogY()); });
}

double GraphView::at(double x) const
{
    return polynomial.at(x);
}

QString GraphView::pictureName() const
{
    return QStringLiteral("plot");
}

// Without a start view to take (roots that are not numbers), the stretch
// round 0 that a narrow cluster of roots gets.
PlotRange GraphView::startRange(QSizeF) const
{
    const bool usable = std::isfinite(start.x0) && std::isfinite(start.x1) && start.width() > 0
                        && std::isfinite(start.y0) && std::isfinite(start.y1) && start.height() > 0;
    return usable ? start : PlotRange{-1.25, 1.25, -1.25, 1.25};
}

void GraphView::drawContent(QPainter &painter, const PlotFrame &frame, const PlotColours &colours,
                            qreal devicePixelRatio)
{
    traceCurve([this](double x) { return at(x); }, frame, devicePixelRatio, samples);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.curve, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    drawTraced(painter, samples);
    painter.restore();
}

std::vector<PlacedMark> GraphView::placedMarks(const PlotFrame &frame) const
{
    std::vector<PlacedMark> placed;
    for (const RootMark &mark : realRoots) {
        const double x = static_cast<double>(mark.root.real());
        const double column = frame.column(x);
        const bool curveAbove = at(frame.x(column + sideProbe)) > 0;
        placed.push_back({QPointF(column, frame.row(0)), mark, curveAbove});
    }
    return placed;
}

// x to the resolution of a pixel, and the value at the x written.
QString GraphView::readoutAt(const PlotFrame &frame, QPointF pixel) const
{
    const QString x = plotscale::valueText(frame.x(pixel.x()), frame.xResolution());
    return tr("x = %1   p(x) = %2")
        .arg(plotscale::inLocale(x, locale()),
             plotscale::inLocale(QString::number(at(x.toDouble()), 'g', 6), locale()));
}

// The middle of the x range decides: a high degree shoots off at both ends
// of it and leaves the middle flat.
bool GraphView::looksFlat() const
{
    const QRectF &area = frame().area;
    const double from = area.left() + area.width() * flatMargin;
    const double to = area.right() - area.width() * flatMargin;
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (const QPointF &p : samples)
        if (p.x() >= from && p.x() <= to) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    return !(high - low >= area.height() * flatShare);
}

QString GraphView::idleText() const
{
    if (looksFlat())
        return tr("F: fit height, L: log scale");
    return PlotView::idleText();
}

void GraphView::fitHeight()
{
    const PlotFrame &shown = frame();
    const int columns = std::max(2, static_cast<int>(shown.area.width()));
    double low = HUGE_VAL, high = -HUGE_VAL;
    for (int i = 0; i <= columns; ++i) {
        const double v = at(shown.range.x0 + shown.range.width() * i / columns);
        const double y = signedLogY() ? plotscale::signedLog(v) : v;
        if (std::isfinite(y)) {
            low = std::min(low, y);
            high = std::max(high, y);
        }
    }
    if (!(high >= low))
        return;
    double pad = (high - low) * fitPad;
    if (pad == 0)
        pad = high == 0 ? 1 : std::fabs(high) * fitPad;
    setRange({shown.range.x0, shown.range.x1, low - pad, high + pad});
}

void GraphView::setSignedLog(bool on)
{
    if (on == signedLogY())
        return;
    // Back from a signed-log axis, no further than the largest double.
    const auto convert = [on](double y) {
        return on ? plotscale::signedLog(y) : plotscale::signedPow(std::clamp(y, -308.0, 308.0));
    };
    PlotRange range = this->range();
    range.y0 = convert(range.y0);
    range.y1 = convert(range.y1);
    setScale(on, range);
}
