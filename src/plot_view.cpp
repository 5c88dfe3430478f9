#include "plot_view.h"
#include "plot_colours.h"
#include "plot_export.h"

#include <QAction>
#include <QCursor>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// How much one notch of the wheel or one key press zooms.
const double zoomStep = 1.25;
// How far an arrow key moves the picture, as a share of the plot area.
const double keyMoveShare = 0.1;

const double tickLength = 4;
const double labelGap = 3;
// Room right of the plot area; the last number of the x axis may reach
// into it, and is moved in where it would not fit.
const double rightEdge = 12;

// The narrowest stretch of an axis that still gives each pixel a value of
// its own, and the widest whose arithmetic stays finite; on a signed-log
// axis the widest covers every double, 10^-308 to 10^308 of both signs.
double narrowest(double a, double b)
{
    return std::max(std::max(std::fabs(a), std::fabs(b)) * 1e-12, 1e-290);
}
const double widest = 1e300;
const double widestSignedLog = 700;

// A line one logical pixel wide on whole device pixels at every whole
// pixel ratio.
double snapped(double at)
{
    return std::floor(at) + 0.5;
}

bool within(double at, double low, double high)
{
    return at >= low && at <= high;
}

void drawGrid(QPainter &painter, const PictureLayout &picture, const PlotColours &colours)
{
    const PlotFrame &frame = picture.frame;
    const QRectF &area = frame.area;
    painter.setPen(QPen(colours.grid, 1));
    for (const ScaleTick &tick : picture.x.ticks) {
        const double column = snapped(frame.column(tick.at));
        painter.drawLine(QPointF(column, area.top()), QPointF(column, area.bottom()));
    }
    for (const ScaleTick &tick : picture.y.ticks) {
        const double row = snapped(frame.rowOfAxis(tick.at));
        painter.drawLine(QPointF(area.left(), row), QPointF(area.right(), row));
    }
}

// The axes where 0 is in view, with a round dot at every tick of the
// horizontal one.
void drawAxes(QPainter &painter, const PictureLayout &picture, const PlotColours &colours)
{
    const PlotFrame &frame = picture.frame;
    const QRectF &area = frame.area;
    const double axisRow = snapped(frame.rowOfAxis(0));
    const double axisColumn = snapped(frame.column(0));
    const bool xAxis = within(axisRow, area.top(), area.bottom());
    const bool yAxis = within(axisColumn, area.left(), area.right());
    painter.setPen(QPen(colours.axis, 1));
    if (xAxis)
        painter.drawLine(QPointF(area.left(), axisRow), QPointF(area.right(), axisRow));
    if (yAxis)
        painter.drawLine(QPointF(axisColumn, area.top()), QPointF(axisColumn, area.bottom()));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(colours.axis, 6, Qt::SolidLine, Qt::RoundCap));
    if (xAxis)
        for (const ScaleTick &tick : picture.x.ticks)
            painter.drawPoint(QPointF(frame.column(tick.at), axisRow));
    painter.restore();
}

// Tick marks outside the plot area and the numbers beside them.
void drawScales(QPainter &painter, const PictureLayout &picture, const PlotColours &colours)
{
    const PlotFrame &frame = picture.frame;
    const QRectF &area = frame.area;
    painter.setPen(QPen(colours.text, 1));
    for (const ScaleTick &tick : picture.x.ticks) {
        const double column = snapped(frame.column(tick.at));
        painter.drawLine(QPointF(column, area.bottom()), QPointF(column, area.bottom() + tickLength));
    }
    for (const ScaleTick &tick : picture.y.ticks) {
        const double row = snapped(frame.rowOfAxis(tick.at));
        painter.drawLine(QPointF(area.left() - tickLength, row), QPointF(area.left(), row));
    }
    for (const ScaleLabel &label : picture.xLabels)
        painter.drawText(label.box, Qt::AlignCenter, label.text);
    for (const ScaleLabel &label : picture.yLabels)
        painter.drawText(label.box, Qt::AlignRight | Qt::AlignVCenter, label.text);
}

// Each y number beside its tick, moved in where it would leave the
// picture, and left out where it would then come too close to the last.
void placeYNumbers(PictureLayout &picture, QSizeF size, const QFontMetricsF &metrics)
{
    const QRectF &area = picture.frame.area;
    const double lineHeight = metrics.height();
    double keptTop = HUGE_VAL;
    for (const ScaleTick &tick : picture.y.ticks) {
        if (tick.text.isEmpty())
            continue;
        const double w = metrics.horizontalAdvance(tick.text);
        QRectF box(area.left() - tickLength - labelGap - w,
                   picture.frame.rowOfAxis(tick.at) - lineHeight / 2, w, lineHeight);
        box.moveTop(std::clamp(box.top(), 0.0, size.height() - lineHeight));
        if (box.bottom() > keptTop - lineHeight / 4)
            continue;
        picture.yLabels.push_back({tick.text, box});
        keptTop = box.top();
    }
}

// Each x number centred below its tick, in the same way; the numbers also
// keep clear of the lowest y number where it reaches down to them.
void placeXNumbers(PictureLayout &picture, QSizeF size, const QFontMetricsF &metrics, double gap)
{
    const QRectF &area = picture.frame.area;
    const double top = area.bottom() + tickLength + labelGap;
    double keptRight = -HUGE_VAL;
    if (!picture.yLabels.empty() && picture.yLabels.front().box.bottom() > top)
        keptRight = picture.yLabels.front().box.right();
    for (const ScaleTick &tick : picture.x.ticks) {
        if (tick.text.isEmpty())
            continue;
        const double w = metrics.horizontalAdvance(tick.text);
        QRectF box(picture.frame.column(tick.at) - w / 2, top, w, metrics.height());
        box.moveLeft(std::clamp(box.left(), 0.0, size.width() - w));
        if (box.left() < keptRight + gap)
            continue;
        picture.xLabels.push_back({tick.text, box});
        keptRight = box.right();
    }
}

} // namespace

PlotView::PlotView(QPixmap *surface, QWidget *parent) : QLabel(parent), surface(surface)
{
    // The picture follows the view's size, never the other way round.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    setMinimumSize(160, 120);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
    setContextMenuPolicy(Qt::ActionsContextMenu);

    QAction *zoomIn = addViewAction(tr("Zoom In"), {QKeySequence(Qt::Key_Plus), QKeySequence(Qt::Key_Equal),
                                                    QKeySequence::ZoomIn});
    connect(zoomIn, &QAction::triggered, this, [this] { zoomInPlace(1 / zoomStep); });
    QAction *zoomOut = addViewAction(tr("Zoom Out"), {QKeySequence(Qt::Key_Minus), QKeySequence::ZoomOut});
    connect(zoomOut, &QAction::triggered, this, [this] { zoomInPlace(zoomStep); });
    QAction *start = addViewAction(tr("Start View"), {QKeySequence(Qt::Key_Home)});
    connect(start, &QAction::triggered, this, &PlotView::showStart);
    addExportActions();
}

void PlotView::addExportActions()
{
    exportSeparator = new QAction(this);
    exportSeparator->setSeparator(true);
    addAction(exportSeparator);
    const auto add = [this](const QString &text, const QKeySequence &keys) {
        auto *action = new QAction(text, this);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WidgetShortcut);
        addAction(action);
        return action;
    };
    QAction *copy = add(tr("Copy Picture"), QKeySequence::Copy);
    connect(copy, &QAction::triggered, this, [this] { copyPicture(*this); });
    QAction *png = add(tr("Save as PNG..."), QKeySequence::Save);
    connect(png, &QAction::triggered, this, [this] { askAndSave(*this, PictureFormat::png); });
    QAction *svg = add(tr("Save as SVG..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")));
    connect(svg, &QAction::triggered, this, [this] { askAndSave(*this, PictureFormat::svg); });
}

QAction *PlotView::addViewAction(const QString &text, const QList<QKeySequence> &keys)
{
    auto *action = new QAction(text, this);
    action->setShortcuts(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    insertAction(exportSeparator, action);
    return action;
}

void PlotView::setRange(const PlotRange &range)
{
    explored = true;
    shownRange = limited(range);
    redraw();
}

void PlotView::setScale(bool signedLog, const PlotRange &range)
{
    explored = true;
    logY = signedLog;
    shownRange = range;
    redraw();
}

void PlotView::showStart()
{
    explored = false;
    logY = false;
    shownRange = startFor(size());
    redraw();
}

void PlotView::zoomAbout(QPointF pixel, double xFactor, double yFactor)
{
    const PlotRange &range = shownRange;
    const double width = range.width() * xFactor, height = range.height() * yFactor;
    showAt(allowedWidth(width, range.x0, range.x1) ? width : range.width(),
           allowedHeight(height, range.y0, range.y1) ? height : range.height(), pixel,
           dataAt(pixel));
}

void PlotView::zoomInPlace(double factor)
{
    const PlotRange &range = shownRange;
    const double cx = (range.x0 + range.x1) / 2, cy = (range.y0 + range.y1) / 2;
    const double hx = range.width() / 2 * factor, hy = range.height() / 2 * factor;
    setRange({cx - hx, cx + hx, cy - hy, cy + hy});
}

void PlotView::moveBy(QPointF distance)
{
    const double dx = distance.x() * frame().xResolution();
    const double dy = distance.y() * frame().yResolution();
    setRange({shownRange.x0 - dx, shownRange.x1 - dx, shownRange.y0 + dy, shownRange.y1 + dy});
}

QPointF PlotView::dataAt(QPointF pixel) const
{
    return QPointF(frame().x(pixel.x()), frame().axisY(pixel.y()));
}

// The margins follow the numbers, which follow the range: the range is
// placed anew until the plot area it gives stays where it is.
void PlotView::showAt(double width, double height, QPointF pixel, QPointF data)
{
    QRectF area = frame().area;
    PlotRange range;
    for (int round = 0; round < 3; ++round) {
        range.x0 = data.x() - (pixel.x() - area.left()) / area.width() * width;
        range.x1 = range.x0 + width;
        range.y1 = data.y() + (pixel.y() - area.top()) / area.height() * height;
        range.y0 = range.y1 - height;
        const QRectF placed = layoutFor(size(), range, QFontMetricsF(font(), this)).frame.area;
        if (placed == area)
            break;
        area = placed;
    }
    setRange(range);
}

bool PlotView::allowedWidth(double width, double x0, double x1) const
{
    return width >= narrowest(x0, x1) && width <= widest;
}

bool PlotView::allowedHeight(double height, double y0, double y1) const
{
    return height >= narrowest(y0, y1) && height <= (logY ? widestSignedLog : widest);
}

// An axis whose stretch would be too narrow or too wide keeps the one it has.
PlotRange PlotView::limited(const PlotRange &range) const
{
    PlotRange kept = range;
    if (!allowedWidth(range.width(), range.x0, range.x1)) {
        kept.x0 = shownRange.x0;
        kept.x1 = shownRange.x1;
    }
    if (!allowedHeight(range.height(), range.y0, range.y1)) {
        kept.y0 = shownRange.y0;
        kept.y1 = shownRange.y1;
    }
    return kept;
}

QString PlotView::idleText() const
{
    return tr("Wheel: zoom, drag: move");
}

PlotRange PlotView::resized(const PlotRange &range, QSizeF, QSizeF) const
{
    return range;
}

QSizeF PlotView::areaFor(QSize size, const PlotRange &range) const
{
    return layoutFor(size, range, QFontMetricsF(font(), this)).frame.area.size();
}

// The margins follow the numbers, which follow the range: a second round
// settles both.
PlotRange PlotView::startFor(QSize size) const
{
    return startRange(areaFor(size, startRange(areaFor(size, shownRange))));
}

PictureLayout PlotView::layoutFor(QSizeF size, const PlotRange &range,
                                  const QFontMetricsF &metrics) const
{
    PictureLayout picture;
    const double lineHeight = metrics.height();
    const auto tall = [lineHeight](const QString &) { return lineHeight; };
    // The numbers are measured and drawn as the locale writes them.
    const QLocale shownIn = locale();
    const auto wide = [&](const QString &text) {
        return metrics.horizontalAdvance(plotscale::inLocale(text, shownIn));
    };

    const double top = std::ceil(lineHeight / 2) + 2;
    const double bottom = std::ceil(tickLength + labelGap + lineHeight) + 2;
    const double height = std::max(1.0, std::floor(size.height() - top - bottom));
    picture.y = logY ? plotscale::signedLogScale(range.y0, range.y1, height, tall, lineHeight / 4)
                     : plotscale::linearScale(range.y0, range.y1, height, tall, lineHeight / 4);
    double widestY = 0;
    for (const ScaleTick &tick : picture.y.ticks)
        widestY = std::max(widestY, wide(tick.text));
    const double left = std::ceil(widestY + tickLength + labelGap) + 4;
    const double width = std::max(1.0, std::floor(size.width() - left - rightEdge));
    const double xGap = metrics.horizontalAdvance(QStringLiteral("00"));
    picture.x = plotscale::linearScale(range.x0, range.x1, width, wide, xGap);
    for (AxisScale *scale : {&picture.x, &picture.y})
        for (ScaleTick &tick : scale->ticks)
            tick.text = plotscale::inLocale(tick.text, shownIn);
    picture.frame = PlotFrame{QRectF(left, top, width, height), range, logY};
    placeYNumbers(picture, size, metrics);
    placeXNumbers(picture, size, metrics, xGap);
    return picture;
}

PictureLayout PlotView::paintPicture(QPainter &painter, QSizeF size, qreal devicePixelRatio)
{
    painter.setFont(font());
    const PictureLayout picture = layoutFor(size, shownRange, QFontMetricsF(font(), this));
    const PlotColours colours = PlotColours::of(palette());
    const QRectF &area = picture.frame.area;
    painter.fillRect(QRectF(QPointF(0, 0), size), colours.margin);
    painter.fillRect(area, colours.background);
    drawGrid(painter, picture, colours);
    painter.save();
    painter.setClipRect(area);
    drawAxes(painter, picture, colours);
    drawContent(painter, picture.frame, colours, devicePixelRatio);
    drawMarks(painter, placedMarks(picture.frame), colours);
    painter.restore();
    drawScales(painter, picture, colours);
    return picture;
}

void PlotView::redraw()
{
    if (size().isEmpty())
        return;
    const qreal ratio = devicePixelRatioF();
    QPixmap picture(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    QPainter painter(&picture);
    shown = paintPicture(painter, size(), ratio);
    painter.end();
    *surface = picture;
    setPixmap(picture);
    emit redrawn();
    // The data under a pointer that stayed put have changed.
    if (underMouse())
        showReadout(mapFromGlobal(QCursor::pos()));
    else
        emit readoutChanged(idleText());
}

bool PlotView::event(QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return QLabel::event(event);
    const auto *help = static_cast<QHelpEvent *>(event);
    const QString text = marksNear(placedMarks(frame()), help->pos(), locale());
    if (text.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), text, this);
    }
    return true;
}

// Until the user explores, the start view follows the view's size.
void PlotView::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (explored)
        shownRange = limited(resized(shownRange, areaFor(event->oldSize(), shownRange),
                                     areaFor(event->size(), shownRange)));
    else
        shownRange = startFor(event->size());
    redraw();
}

// On a screen of another pixel ratio the picture is drawn anew for it.
void PlotView::paintEvent(QPaintEvent *event)
{
    if (surface->devicePixelRatio() != devicePixelRatioF())
        redraw();
    QLabel::paintEvent(event);
}

void PlotView::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    const QEvent::Type type = event->type();
    if (isVisible()
        && (type == QEvent::PaletteChange || type == QEvent::FontChange || type == QEvent::StyleChange))
        redraw();
}

void PlotView::wheelEvent(QWheelEvent *event)
{
    const QPoint angle = event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    if (delta == 0)
        return QLabel::wheelEvent(event);
    const double factor = std::pow(zoomStep, -delta / 120.0);
    const bool xOnly = event->modifiers() & Qt::ControlModifier;
    const bool yOnly = !xOnly && (event->modifiers() & Qt::ShiftModifier);
    zoomAbout(event->position(), yOnly ? 1 : factor, xOnly ? 1 : factor);
    event->accept();
}

void PlotView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mousePressEvent(event);
    dragging = true;
    grabbed = dataAt(event->pos());
    setCursor(Qt::ClosedHandCursor);
}

void PlotView::mouseMoveEvent(QMouseEvent *event)
{
    if (dragging)
        showAt(shownRange.width(), shownRange.height(), event->pos(), grabbed);
    showReadout(event->pos());
}

void PlotView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return QLabel::mouseReleaseEvent(event);
    dragging = false;
    setCursor(Qt::CrossCursor);
}

void PlotView::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        showStart();
}

void PlotView::keyPressEvent(QKeyEvent *event)
{
    const QSizeF area = frame().area.size() * keyMoveShare;
    switch (event->key()) {
    case Qt::Key_Left:
        return moveBy(QPointF(area.width(), 0));
    case Qt::Key_Right:
        return moveBy(QPointF(-area.width(), 0));
    case Qt::Key_Up:
        return moveBy(QPointF(0, area.height()));
    case Qt::Key_Down:
        return moveBy(QPointF(0, -area.height()));
    default:
        QLabel::keyPressEvent(event);
    }
}

void PlotView::leaveEvent(QEvent *event)
{
    QLabel::leaveEvent(event);
    emit readoutChanged(idleText());
}

void PlotView::showReadout(QPoint pointer)
{
    emit readoutChanged(frame().area.contains(pointer) ? readoutAt(frame(), pointer) : idleText());
}
