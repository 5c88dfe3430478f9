#include "plot.h"
#include "mainwindow.h"

#include <QBrush>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPen>
#include <QPixmap>
#include <QPoint>
#include <QResizeEvent>
#include <QString>
#include <QVBoxLayout>
#include <QWindow>

#include <climits>
#include <cmath>
#include <optional>

namespace {

const int pictureSize = 400;
const int sampleCount = 81;

// The scan only has to find how high and low the curve goes in a picture
// 400 pixels wide: 25 points per pixel column is ample. Without a bound a
// high degree with spread roots means 10^8 evaluations and a frozen program.
const double maxScanPoints = 25.0 * pictureSize;

// The narrowest y pad: a flat curve gets the same room as a narrow cluster.
const double minYPad = 1.25;

// min and max that keep the old value when the comparison involves a NaN,
// so a NaN root or value never moves a bound.
double minOf(double a, double v)
{
    return a > v ? v : a;
}

double maxOf(double a, double v)
{
    return v > a ? v : a;
}

// Truncation toward zero; nothing for NaN or a value outside int's range,
// whose conversion C++ leaves undefined.
std::optional<int> toInt(double v)
{
    const double below = static_cast<double>(INT_MIN) - 1.0;
    const double above = static_cast<double>(INT_MAX) + 1.0;
    if (!(v > below && v < above))
        return std::nullopt;
    return static_cast<int>(v);
}

bool isFinite(const QPointF &p)
{
    return std::isfinite(p.x()) && std::isfinite(p.y());
}

QPen solidPen(Qt::GlobalColor colour, int width)
{
    return QPen(QBrush(colour, Qt::SolidPattern), width, Qt::SolidLine, Qt::SquareCap,
                Qt::BevelJoin);
}

} // namespace

MyPlot::MyPlot(MainWindow *mainWindow)
    : QMainWindow(mainWindow), xMin(0), xMax(0), yMin(0), yMax(0), xRange(0), yRange(0),
      mainWindow(mainWindow), samples(nullptr), pixmap(nullptr), vLayout(nullptr),
      central(nullptr), plotLabel(nullptr), infoLabel(nullptr), tickInterval(1),
      intervalSide(0)
{
    setAttribute(Qt::WA_DeleteOnClose, true);
    central = new QWidget(nullptr);
    vLayout = new QVBoxLayout(central);
    plotLabel = new QLabel(this);
    infoLabel = new QLabel(QStringLiteral("Initializing..."), this);
    infoLabel->setTextFormat(Qt::PlainText);
    pixmap = new QPixmap(pictureSize, pictureSize);
    vLayout->addWidget(plotLabel, 132);
    vLayout->addWidget(infoLabel, 1);
    infoLabel->setMargin(5);
    setCentralWidget(central);
    setWindowTitle(QStringLiteral("Plot Of Polynomial"));

    FindInterval();
    chooseTickInterval();
    infoLabel->setText(QStringLiteral("X-Tick-Interval: ") + QString::number(tickInterval, 'g', 2));
    samples = new QPointF[sampleCount];
    resize(420, 420);
    sampleCurve();
}

MyPlot::~MyPlot()
{
    delete plotLabel;
    delete infoLabel;
    delete vLayout;
    delete central;
    delete[] samples;
    delete pixmap;
}

// The x interval reaches past the real parts of the roots; the y interval
// covers the values at the roots and along the scan, padded by half.
void MyPlot::FindInterval()
{
    const std::complex<long double> *roots = mainWindow->roots;
    xMin = xMax = static_cast<double>(roots[0].real());
    for (int i = 1; i < mainWindow->rootCount; ++i) {
        const double r = static_cast<double>(roots[i].real());
        xMin = minOf(xMin, r);
        xMax = maxOf(xMax, r);
        includeValue(mainWindow->solver->at(r));
    }

    const double span = xMax - xMin;
    double margin = maxOf(0.25, span * std::pow(0.5, mainWindow->coeffCount - 1));
    scanValues(span, margin);

    double yPad = (yMax - yMin) * 0.5;
    if (span < 0.05) {
        yPad = maxOf(1.25, yPad);
        margin = 1.25;
    }
    // Every value found was 0: a y interval of no height would divide by 0.
    if (yPad == 0)
        yPad = minYPad;

    xMin = xMin - margin;
    xMax = xMax + margin;
    xRange = xMax - xMin;
    if (xMin > 0)
        intervalSide = 1;
    else if (xMax < 0)
        intervalSide = -1;

    yMin = yMin - yPad;
    yMax = yMax + yPad;
    yRange = yMax - yMin;
}

void MyPlot::includeValue(double v)
{
    yMin = minOf(yMin, v);
    yMax = maxOf(yMax, v);
}

// Values from xMin up to just below xMax, 25 to a margin, or evenly spread
// over about maxScanPoints where that would take more.
void MyPlot::scanValues(double span, double margin)
{
    if (!(xMax > xMin))
        return;
    double step = margin / 25;
    if (span / step > maxScanPoints)
        step = span / maxScanPoints;
    double x = xMin;
    do {
        includeValue(mainWindow->solver->at(x));
        const double next = x + step;
        // Far from 0 a step can be lost in rounding; x would never move.
        if (!(next > x))
            return;
        x = next;
    } while (xMax > x);
}

// More than 4 and at most 10 ticks, at 1, 2.5 or 5 times a power of ten.
// The power comes from exp, so it can lie a few units in the last place off.
void MyPlot::chooseTickInterval()
{
    const double k = std::floor(std::log10(xRange / 5));
    double t = std::exp(k * 2.302585092994046);
    const double ratio = xRange / t;
    if (ratio > 25)
        t = t * 5;
    else if (ratio > 10)
        t = t * 2.5;
    tickInterval = t;
}

void MyPlot::sampleCurve()
{
    for (int i = 0; i < sampleCount; ++i) {
        const double x = xMin + xRange * i / (sampleCount - 1);
        samples[i] = QPointF(column(x), row(mainWindow->solver->at(x)));
    }
}

double MyPlot::column(double x) const
{
    return (x - xMin) * pictureSize / xRange;
}

double MyPlot::row(double y) const
{
    return (yMax - y) * pictureSize / yRange;
}

// Every resize draws the same picture; the window's new size plays no part.
void MyPlot::resizeEvent(QResizeEvent *event)
{
    matchScreenPixels();
    pixmap->fill(Qt::gray);
    QPainter painter(pixmap);
    painter.setPen(solidPen(Qt::white, 1));
    painter.setRenderHint(QPainter::Antialiasing, true);
    const double axisRow = (yMin + yRange) * pictureSize / yRange;
    drawAxes(painter, axisRow);
    drawTicks(painter, axisRow);
    painter.setPen(solidPen(Qt::blue, 1));
    drawCurve(painter);
    painter.end();

    plotLabel->setPixmap(*pixmap);
    plotLabel->setAlignment(Qt::AlignCenter);
    QMainWindow::resizeEvent(event);
}

// The picture stays 400 x 400 on screen and gets every device pixel that
// the screen has for that, so a magnified screen shows it sharp.
void MyPlot::matchScreenPixels()
{
    const QWindow *handle = windowHandle();
    const qreal ratio = handle ? handle->devicePixelRatio() : qApp->devicePixelRatio();
    if (pixmap->devicePixelRatio() == ratio)
        return;
    *pixmap = QPixmap(QSize(pictureSize, pictureSize) * ratio);
    pixmap->setDevicePixelRatio(ratio);
}

void MyPlot::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QMainWindow::keyPressEvent(event);
}

void MyPlot::drawAxes(QPainter &painter, double axisRow)
{
    if (const std::optional<int> c0 = toInt(-xMin * pictureSize / xRange))
        painter.drawLine(*c0, 0, *c0, pictureSize);
    if (const std::optional<int> r0 = toInt(axisRow))
        painter.drawLine(0, *r0, pictureSize, *r0);
}

// Dots at the multiples of the tick interval; away from the origin the
// dot nearest to it carries its value.
void MyPlot::drawTicks(QPainter &painter, double axisRow)
{
    QPen tickPen = solidPen(Qt::white, 6);
    tickPen.setCapStyle(Qt::RoundCap);
    painter.setPen(tickPen);
    std::optional<long long> first = toInt(xMin / tickInterval);
    QFont font = painter.font();
    font.setPointSize(14);
    painter.setFont(font);

    if (intervalSide > 0 && first) {
        first = *first + 1;
        drawTickLabel(painter, *first, axisRow);
    }
    std::optional<long long> last = toInt(xMax / tickInterval);
    if (intervalSide < 0 && last) {
        last = *last - 1;
        drawTickLabel(painter, *last, axisRow);
    }

    const std::optional<int> r0 = toInt(axisRow);
    if (!first || !last || !r0)
        return;
    for (long long k = *first; k <= *last; ++k) {
        if (const std::optional<int> c = toInt((k * tickInterval - xMin) * pictureSize / xRange)) {
            const QPoint dot(*c, *r0);
            painter.drawPoints(&dot, 1);
        }
    }
}

void MyPlot::drawTickLabel(QPainter &painter, long long k, double axisRow)
{
    const double v = k * tickInterval;
    const QPointF baselineStart(column(v) - 12, axisRow);
    if (isFinite(baselineStart))
        painter.drawText(baselineStart, QString::number(v, 'g', 3));
}

// A point that is NaN or infinite breaks the curve instead of ending it.
void MyPlot::drawCurve(QPainter &painter)
{
    int begin = 0;
    for (int i = 0; i <= sampleCount; ++i) {
        if (i < sampleCount && isFinite(samples[i]))
            continue;
        if (i - begin > 1)
            painter.drawPolyline(samples + begin, i - begin);
        begin = i + 1;
    }
}
