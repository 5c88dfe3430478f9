#include "plot.h"
#include "content_scroll_area.h"
#include "label_copier.h"
#include "mainwindow.h"
#include "plot_scale.h"
#include "rroots_oo_1.h"
#include "screen_room.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QString>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The scan only has to find how high and low the curve goes in a picture
// some hundred pixels wide: 10000 points are ample. Without a bound a high
// degree with spread roots means 10^8 evaluations and a frozen program.
const double maxScanPoints = 10000;

// The narrowest y pad: a flat curve gets the same room as a narrow cluster.
const double minYPad = 1.25;

// Lines of the polynomial shown at most; a longer one scrolls.
const double polynomialLines = 3.5;

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

QString caption(double tickDistance)
{
    return QStringLiteral("X-Tick-Interval: ") + QString::number(tickDistance, 'g', 2);
}

} // namespace

MyPlot::MyPlot(MainWindow *mainWindow)
    : QMainWindow(mainWindow), xMin(0), xMax(0), yMin(0), yMax(0), xRange(0), yRange(0),
      mainWindow(mainWindow), pixmap(new QPixmap), vLayout(nullptr), central(nullptr),
      plotLabel(nullptr), infoLabel(nullptr), tickInterval(1), intervalSide(0),
      polynomial(new PolySolver(mainWindow->coeffCount - 1, mainWindow->coeffs)),
      polynomialLabel(nullptr), views(nullptr), planeLabel(nullptr), planePixmap(new QPixmap),
      readoutLabel(nullptr)
{
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowTitle(QStringLiteral("Plot Of Polynomial"));
    FindInterval();
    chooseTickInterval();
    buildWidgets(rootMarks(mainWindow->roots, mainWindow->rootCount));
    // The designed size, or as much of it as a small or magnified screen has.
    resize(QSize(420, 420).boundedTo(roomOnScreen(this)));
}

MyPlot::~MyPlot()
{
    // The views draw into the pictures and evaluate the polynomial: they
    // go first.
    delete central;
    delete pixmap;
    delete planePixmap;
    delete polynomial;
}

void MyPlot::buildWidgets(const std::vector<RootMark> &roots)
{
    central = new QWidget(nullptr);
    vLayout = new QVBoxLayout(central);
    plotLabel = new GraphView(*polynomial, {xMin, xMax, yMin, yMax}, roots, pixmap, &samples, this);
    planeLabel = new PlaneView(roots, planePixmap, this);
    views = new QTabWidget(this);
    views->setDocumentMode(true);
    views->addTab(plotLabel, tr("&Graph"));
    views->addTab(planeLabel, tr("&Complex Plane"));

    infoLabel = new QLabel(caption(tickInterval), this);
    infoLabel->setTextFormat(Qt::PlainText);
    infoLabel->setMargin(5);
    readoutLabel = new QLabel(this);
    readoutLabel->setTextFormat(Qt::PlainText);
    readoutLabel->setMargin(5);
    readoutLabel->setWordWrap(true);
    readoutLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto *bottomRow = new QHBoxLayout;
    bottomRow->addWidget(infoLabel);
    bottomRow->addWidget(readoutLabel, 1);

    vLayout->addWidget(polynomialLine());
    vLayout->addWidget(views, 132);
    vLayout->addLayout(bottomRow, 1);
    setCentralWidget(central);
    followViews();
    plotLabel->setFocus();
}

// The polynomial as the main window writes it, selectable and copyable;
// a long one scrolls instead of taking the picture's room.
QWidget *MyPlot::polynomialLine()
{
    polynomialLabel = new QLabel(tr("Polynomial: %1").arg(mainWindow->formatPoly()), this);
    polynomialLabel->setTextFormat(Qt::RichText);
    polynomialLabel->setWordWrap(true);
    polynomialLabel->setMargin(3);
    new LabelCopier(polynomialLabel);
    auto *area = new ContentScrollArea(polynomialLabel);
    area->setMaximumHeight(static_cast<int>(
        std::ceil(polynomialLines * polynomialLabel->fontMetrics().lineSpacing()) + 6));
    return area;
}

// The caption and the readout speak of the view in front.
void MyPlot::followViews()
{
    for (PlotView *view : {static_cast<PlotView *>(plotLabel), static_cast<PlotView *>(planeLabel)}) {
        connect(view, &PlotView::redrawn, this, [this, view] {
            if (view == currentView())
                showCaption();
        });
        connect(view, &PlotView::readoutChanged, this, [this, view](const QString &text) {
            if (view == currentView())
                readoutLabel->setText(text);
        });
    }
    connect(views, &QTabWidget::currentChanged, this, [this] {
        showCaption();
        readoutLabel->setText(currentView()->idleText());
    });
}

PlotView *MyPlot::currentView() const
{
    return static_cast<PlotView *>(views->currentWidget());
}

void MyPlot::showCaption()
{
    const double step = currentView()->pictureLayout().x.step;
    infoLabel->setText(caption(step > 0 ? step : tickInterval));
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
        includeValue(polynomial->at(r));
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
// over maxScanPoints where that would take more.
void MyPlot::scanValues(double span, double margin)
{
    if (!(xMax > xMin))
        return;
    double step = margin / 25;
    if (span / step > maxScanPoints)
        step = span / maxScanPoints;
    double x = xMin;
    do {
        includeValue(polynomial->at(x));
        const double next = x + step;
        // Far from 0 a step can be lost in rounding; x would never move.
        if (!(next > x))
            return;
        x = next;
    } while (xMax > x);
}

void MyPlot::chooseTickInterval()
{
    tickInterval = plotscale::tickStep(xRange);
}

void MyPlot::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QMainWindow::keyPressEvent(event);
}
