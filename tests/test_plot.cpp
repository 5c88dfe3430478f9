// The plot window: the start view the roots decide, the polynomial it
// shows, the scales, the root marks, the curve, and the picture at any size
// and under any palette.
#include "plot_colours.h"
#include "plot_testing.h"

#include <QtTest>
#include <QLabel>
#include <QPointer>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using Values = std::vector<long double>;
using Roots = std::vector<cplx>;
Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Roots)

namespace {

const long double notANumber = std::numeric_limits<long double>::quiet_NaN();

QImage shown(const PlotView *view)
{
    return view->picture().toImage();
}

// The pixel at a point in logical pixels of a picture of any pixel ratio.
QRgb pixelAt(const QImage &image, QPointF at)
{
    const double ratio = image.devicePixelRatio();
    return image.pixel(static_cast<int>(at.x() * ratio), static_cast<int>(at.y() * ratio));
}

int distance(QRgb pixel, const QColor &colour)
{
    return std::abs(qRed(pixel) - colour.red()) + std::abs(qGreen(pixel) - colour.green())
           + std::abs(qBlue(pixel) - colour.blue());
}

bool near(QRgb pixel, const QColor &colour, int tolerance = 40)
{
    return distance(pixel, colour) <= tolerance;
}

// Whether some pixel within reach of a point (logical pixels) has the colour.
bool colourNear(const QImage &image, QPointF at, const QColor &colour, double reach = 1.5)
{
    for (double dy = -reach; dy <= reach; dy += 0.5)
        for (double dx = -reach; dx <= reach; dx += 0.5) {
            const QPointF p = at + QPointF(dx, dy);
            if (QRectF(QPointF(0, 0), image.size() / image.devicePixelRatio()).contains(p)
                && near(pixelAt(image, p), colour))
                return true;
        }
    return false;
}

// Whether the blue curve touches a pixel within reach of a point.
bool bluishNear(const QImage &image, QPointF at)
{
    for (double dy = -1.5; dy <= 1.5; dy += 0.5)
        for (double dx = -1.5; dx <= 1.5; dx += 0.5) {
            const QRgb p = pixelAt(image, at + QPointF(dx, dy));
            if (qBlue(p) - qRed(p) > 30)
                return true;
        }
    return false;
}

// The real roots of a case with how often each is listed.
std::vector<std::pair<long double, int>> realRoots(const PlotCase &c)
{
    std::vector<std::pair<long double, int>> found;
    for (const cplx &r : c.roots) {
        if (r.imag() != 0)
            continue;
        auto same = std::find_if(found.begin(), found.end(), [&](auto &f) { return f.first == r.real(); });
        if (same == found.end())
            found.emplace_back(r.real(), 1);
        else
            ++same->second;
    }
    return found;
}

// A dark palette as a desktop theme gives it.
QPalette darkPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
    dark.setColor(QPalette::WindowText, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Base, QColor(0x1c, 0x1c, 0x1c));
    dark.setColor(QPalette::Text, QColor(0xe0, 0xe0, 0xe0));
    dark.setColor(QPalette::Highlight, QColor(0x2a, 0x82, 0xda));
    return dark;
}

} // namespace

class TestPlot : public QObject
{
    Q_OBJECT

    static void addCaseRows()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < plotCases().size(); ++i)
            QTest::newRow(plotCases()[i].name) << static_cast<int>(i);
    }

private slots:
    void widgetTree()
    {
        MainWindow window;
        installSolved(window, Values{1, -6, 11, -6}, Roots{1, 2, 3});
        MyPlot plot(&window);
        QCOMPARE(plot.windowTitle(), QString("Plot Of Polynomial"));
        QVERIFY(plot.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(plot.parentWidget(), static_cast<QWidget *>(&window));
        QVERIFY(plot.isWindow());
        QCOMPARE(plot.size(), QSize(420, 420));
        QCOMPARE(plot.centralWidget(), plot.central);
        QCOMPARE(plot.central->layout(), static_cast<QLayout *>(plot.vLayout));
        // The polynomial above, the two views in the middle, caption and
        // readout below.
        QCOMPARE(plot.vLayout->count(), 3);
        QVERIFY(plot.vLayout->itemAt(0)->widget()->isAncestorOf(plot.polynomialLabel));
        QCOMPARE(plot.vLayout->itemAt(1)->widget(), static_cast<QWidget *>(plot.views));
        QCOMPARE(plot.vLayout->stretch(1), 132);
        QCOMPARE(plot.views->count(), 2);
        QCOMPARE(plot.views->widget(0), static_cast<QWidget *>(plot.plotLabel));
        QCOMPARE(plot.views->widget(1), static_cast<QWidget *>(plot.planeLabel));
        QCOMPARE(plot.views->tabText(0), QString("&Graph"));
        QCOMPARE(plot.views->tabText(1), QString("&Complex Plane"));
        QLayout *bottom = plot.vLayout->itemAt(2)->layout();
        QCOMPARE(bottom->itemAt(0)->widget(), static_cast<QWidget *>(plot.infoLabel));
        QCOMPARE(bottom->itemAt(1)->widget(), static_cast<QWidget *>(plot.readoutLabel));
        QCOMPARE(plot.infoLabel->textFormat(), Qt::PlainText);
        QCOMPARE(plot.infoLabel->margin(), 5);
        QCOMPARE(plot.infoLabel->text(), QString("X-Tick-Interval: 0.5"));
        QCOMPARE(plot.polynomialLabel->text(), "Polynomial: " + window.formatPoly());
        // Nothing is drawn before the window is shown.
        QVERIFY(plot.pixmap->isNull());
        QVERIFY(plot.samples.empty());
    }

    // The designed start view: the x interval past the roots, the y
    // interval over the values found, the tick distance and its caption.
    void startView_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Roots>("roots");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<double>("yMin");
        QTest::addColumn<double>("yMax");
        QTest::addColumn<int>("side");
        QTest::addColumn<QString>("caption");
        QTest::newRow("x - 2") << Values{1, -2} << Roots{2} << 0.75 << 3.25 << -1.25 << 1.25 << 1
                               << "X-Tick-Interval: 0.5";
        QTest::newRow("x^2 - 1") << Values{1, 0, -1} << Roots{1, -1} << -1.5 << 1.5 << -1.5 << 0.5
                                 << 0 << "X-Tick-Interval: 0.5";
        QTest::newRow("(x - 2)(x - 3)") << Values{1, -5, 6} << Roots{3, 2} << 1.75 << 3.25 << -0.375
                                        << 0.125 << 1 << "X-Tick-Interval: 0.25";
        QTest::newRow("(x + 2)(x + 3)") << Values{1, 5, 6} << Roots{-3, -2} << -3.25 << -1.75
                                        << -0.375 << 0.125 << -1 << "X-Tick-Interval: 0.25";
        QTest::newRow("x^2 + 1") << Values{1, 0, 1} << Roots{cplx(0, 1), cplx(0, -1)} << -1.25 << 1.25
                                 << -1.25 << 2.25 << 0 << "X-Tick-Interval: 0.5";
        // Every value found is exactly 0 in double: the flat curve gets the
        // narrow cluster's y pad instead of a y interval of no height.
        QTest::newRow("flat x(x - 1) / 10^400") << Values{1e-400L, -1e-400L, 0} << Roots{1, 0} << -0.25
                                                << 1.25 << -1.25 << 1.25 << 0 << "X-Tick-Interval: 0.25";
        // Against the power 10^0, which exp gives exactly, the range is
        // exactly 10 or 25 times it: only a larger one takes the next step.
        QTest::newRow("range exactly 10 ticks") << Values{1, -12, 32, 0} << Roots{8, 4, 0} << -1.0
                                                << 9.0 << -49.265664 << 49.265664 << 0 << "X-Tick-Interval: 1";
        QTest::newRow("range exactly 25 ticks") << Values{1, -30, 200, 0} << Roots{20, 10, 0} << -2.5
                                                << 22.5 << -769.776 << 769.776 << 0
                                                << "X-Tick-Interval: 2.5";
        QTest::newRow("x^2 - 1000.001x + 1") << Values{1, -1000.001L, 1} << Roots{1000, 0.001L}
                                             << 0.001 - 249.99975 << 1000 + 249.99975 << -374999.25
                                             << 124999.75 << 0 << "X-Tick-Interval: 2.5e+02";
    }

    void startView()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        ShownPlot p(PlotCase{"", coeffs, roots});
        QVERIFY(p.exposed());
        const MyPlot &plot = *p.plot;
        const auto close = [](double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); };
        QFETCH(double, xMin);
        QFETCH(double, xMax);
        QFETCH(double, yMin);
        QFETCH(double, yMax);
        QVERIFY2(close(plot.xMin, xMin) && close(plot.xMax, xMax),
                 qPrintable(QString("%1 %2").arg(plot.xMin, 0, 'g', 17).arg(plot.xMax, 0, 'g', 17)));
        QVERIFY2(close(plot.yMin, yMin) && close(plot.yMax, yMax),
                 qPrintable(QString("%1 %2").arg(plot.yMin, 0, 'g', 17).arg(plot.yMax, 0, 'g', 17)));
        QCOMPARE(plot.xRange, plot.xMax - plot.xMin);
        QCOMPARE(plot.yRange, plot.yMax - plot.yMin);
        QTEST(plot.intervalSide, "side");
        QTEST(plot.infoLabel->text(), "caption");
        // The graph opens at that view, its x ticks at that distance.
        const PlotRange range = plot.plotLabel->range();
        QCOMPARE(range, (PlotRange{plot.xMin, plot.xMax, plot.yMin, plot.yMax}));
        QCOMPARE(plot.plotLabel->pictureLayout().x.step, plot.tickInterval);
    }

    // The plot's values are those of the polynomial typed, not of whatever
    // the main window's solver holds, then or later.
    void plotsItsOwnCopyOfThePolynomial()
    {
        MainWindow window;
        installSolved(window, Values{0.001L, 0, -1}, Roots{std::sqrt(1000.0L), -std::sqrt(1000.0L)});
        // A solver working on a scaled copy, as the search may.
        delete window.solver;
        cplx scaled[] = {1, 0, -1000};
        window.solver = new PolySolver(2, scaled);
        QPointer<MyPlot> plot = new MyPlot(&window);
        plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(plot));
        QCOMPARE(plot->polynomial->at(2), 0.001 * 4 - 1);
        installSolved(window, Values{1, 7}, Roots{-7});
        delete window.solver;
        window.solver = nullptr;
        plot->resize(500, 480);
        QTRY_COMPARE(plot->plotLabel->width() > 420, true);
        QCOMPARE(plot->polynomial->at(10), 0.001 * 100 - 1);
        const QPointF middle = plot->plotLabel->frame().area.center();
        movePointer(plot->plotLabel, middle.toPoint());
        const double x = plot->plotLabel->frame().x(middle.toPoint().x());
        QVERIFY2(plot->readoutLabel->text().startsWith("x = "), qPrintable(plot->readoutLabel->text()));
        const double shownX = plot->readoutLabel->text().section(' ', 2, 2).toDouble();
        QVERIFY(std::fabs(shownX - x) <= plot->plotLabel->frame().xResolution());
        const double value = plot->readoutLabel->text().section("p(x) = ", 1).toDouble();
        QVERIFY(std::fabs(value - (0.001 * shownX * shownX - 1)) <= 1e-5 * std::fabs(value));
    }

    // Numbers on both axes, at their ticks, inside the picture and outside
    // the plot area, never touching each other; at the start size, small
    // and large.
    void scales_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");
        for (size_t i = 0; i < plotCases().size(); ++i)
            for (const QSize size : {QSize(420, 420), QSize(260, 240), QSize(1100, 750)})
                QTest::addRow("%s, %dx%d", plotCases()[i].name, size.width(), size.height())
                    << static_cast<int>(i) << size;
    }

    void scales()
    {
        QFETCH(int, index);
        QFETCH(QSize, size);
        ShownPlot p(plotCases()[index], size);
        QVERIFY(p.exposed());
        const GraphView *graph = p.plot->plotLabel;
        const PictureLayout &layout = graph->pictureLayout();
        const QRectF picture(QPointF(0, 0), graph->size());
        const QRectF area = layout.frame.area;
        QVERIFY(layout.xLabels.size() >= 2);
        QVERIFY(layout.yLabels.size() >= 2);
        std::vector<QRectF> boxes;
        const QImage image = shown(graph);
        const QColor text = graph->palette().color(QPalette::WindowText);
        const QColor margin = graph->palette().color(QPalette::Window);
        for (const auto *labels : {&layout.xLabels, &layout.yLabels})
            for (const ScaleLabel &label : *labels) {
                const QString where = label.text + " at " + QString::number(label.box.x());
                QVERIFY2(picture.contains(label.box), qPrintable(where));
                QVERIFY2(!label.box.intersects(area), qPrintable(where));
                for (const QRectF &other : boxes)
                    QVERIFY2(!crowded(label.box, other), qPrintable(where));
                boxes.push_back(label.box);
                // Drawn in the text colour: some pixel more than half way
                // from the margin's colour to it.
                bool inked = false;
                for (double y = label.box.top(); y < label.box.bottom() && !inked; y += 0.5)
                    for (double x = label.box.left(); x < label.box.right() && !inked; x += 0.5)
                        inked = distance(pixelAt(image, QPointF(x, y)), margin) > distance(text.rgb(), margin) / 2;
                QVERIFY2(inked, qPrintable(where));
            }
        // Each x number centred on its tick, unless moved in from the edge;
        // each reads as the value there.
        const PlotFrame &frame = layout.frame;
        for (const ScaleLabel &label : layout.xLabels) {
            const double x = label.text.toDouble();
            const bool atEdge = label.box.left() <= 0 || label.box.right() >= picture.right();
            QVERIFY2(atEdge || std::fabs(frame.column(x) - label.box.center().x()) < 1,
                     qPrintable(label.text));
        }
        for (const ScaleLabel &label : layout.yLabels) {
            const double y = label.text.toDouble();
            const bool atEdge = label.box.top() <= 0 || label.box.bottom() >= picture.bottom();
            QVERIFY2(atEdge || std::fabs(frame.row(y) - label.box.center().y()) < 1,
                     qPrintable(label.text));
        }
    }

    // A mark on the x axis at every real root in view, its multiplicity
    // where above 1, its value on hovering as the main window writes it.
    void rootMarks_data() { addCaseRows(); }

    void rootMarks()
    {
        QFETCH(int, index);
        const PlotCase &polynomial = plotCases()[index];
        ShownPlot p(polynomial, QSize(700, 600));
        QVERIFY(p.exposed());
        GraphView *graph = p.plot->plotLabel;
        const PlotFrame &frame = graph->frame();
        const QImage image = shown(graph);
        const PlotColours colours = PlotColours::of(graph->palette());
        const auto roots = realRoots(polynomial);
        for (const auto &[root, multiplicity] : roots) {
            const QPointF at = frame.pixel(static_cast<double>(root), 0);
            if (!frame.area.contains(at))
                continue;
            QVERIFY2(colourNear(image, at, colours.root), qPrintable(QString::number(double(root))));
            const QString expected = markText({root, multiplicity});
            // Roots closer than a mark's reach answer together.
            QVERIFY2(toolTipAt(graph, at).split('\n').contains(expected), qPrintable(expected));
        }
        // Off the axis no mark answers.
        QCOMPARE(toolTipAt(graph, frame.pixel(frame.range.x0, 0) + QPointF(3, 30)), QString());
    }

    // The curve: finite points near the area or separators, no more than a
    // device pixel column apart inside the area, each drawn.
    void curve_data() { addCaseRows(); }

    void curve()
    {
        QFETCH(int, index);
        ShownPlot p(plotCases()[index]);
        QVERIFY(p.exposed());
        const GraphView *graph = p.plot->plotLabel;
        const PlotFrame &frame = graph->frame();
        const QImage image = shown(graph);
        const std::vector<QPointF> &samples = p.plot->samples;
        const double column = 1 / graph->devicePixelRatioF();
        for (size_t i = 1; i < samples.size(); ++i)
            if (frame.area.contains(samples[i - 1]) && frame.area.contains(samples[i]))
                QVERIFY(samples[i].x() - samples[i - 1].x() <= column + 1e-9);
        int checked = 0;
        for (size_t i = 0; i < samples.size(); ++i) {
            const QPointF s = samples[i];
            if (std::isnan(s.x()))
                continue;
            QVERIFY(std::isfinite(s.y()));
            QVERIFY(s.y() >= frame.area.top() - 2 && s.y() <= frame.area.bottom() + 2);
            // Root marks and tick dots lie on the axes, over the curve.
            const bool onAxis = std::fabs(s.y() - frame.row(0)) < 7 || std::fabs(s.x() - frame.column(0)) < 7;
            if (frame.area.adjusted(2, 2, -2, -2).contains(s) && !onAxis) {
                QVERIFY2(bluishNear(image, s), qPrintable(QString("%1,%2").arg(s.x()).arg(s.y())));
                ++checked;
            }
        }
        QVERIFY(checked >= 10);
    }

    // A larger window, a larger picture of the same view, at the screen's
    // pixel ratio.
    void resizeRedrawsAtTheNewSize()
    {
        ShownPlot p(plotCases()[2]);
        QVERIFY(p.exposed());
        GraphView *graph = p.plot->plotLabel;
        const PlotRange before = graph->range();
        const QSize small = graph->size();
        p.plot->resize(900, 700);
        QTRY_VERIFY(graph->width() > small.width() + 300);
        QCOMPARE(graph->range(), before);
        const qreal ratio = graph->devicePixelRatioF();
        QCOMPARE(graph->picture().size(), graph->size() * ratio);
        QCOMPARE(graph->picture().devicePixelRatio(), ratio);
        QCOMPARE(p.plot->pixmap->size(), graph->size() * ratio);
        QVERIFY(graph->frame().area.width() > small.width() + 250);
        QCOMPARE(p.plot->infoLabel->text(), QString("X-Tick-Interval: 0.25"));
    }

    // Where the start view leaves the curve flat, the readout says how to
    // see its shape: F fits the height to the curve in view, which serves
    // a curve far from 0; L takes a signed-log scale, which serves a curve
    // whose values span many orders of magnitude.
    void flatCurveShowsItsShape_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Roots>("roots");
        QTest::addColumn<int>("key");
        QTest::newRow("-x^2 - 100, F") << Values{-1, 0, -100} << Roots{cplx(0, 10), cplx(0, -10)}
                                      << int(Qt::Key_F);
        Roots spread;
        for (int k = 0; k < 22; ++k)
            spread.push_back(k - 10.5L);
        QTest::newRow("roots -10.5 to 10.5, L") << coefficientsOf(spread) << spread << int(Qt::Key_L);
    }

    void flatCurveShowsItsShape()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        QFETCH(int, key);
        ShownPlot p(PlotCase{"", coeffs, roots});
        QVERIFY(p.exposed());
        GraphView *graph = p.plot->plotLabel;
        QVERIFY(graph->looksFlat());
        QCOMPARE(p.plot->readoutLabel->text(), QString("F: fit height, L: log scale"));
        QApplication::setActiveWindow(p.plot);
        graph->setFocus();
        QTest::keyClick(graph, Qt::Key(key));
        QVERIFY(!graph->looksFlat());
        QCOMPARE(p.plot->readoutLabel->text(), QString("Wheel: zoom, drag: move"));
        QCOMPARE(graph->range().x0, p.plot->xMin);
        QCOMPARE(graph->range().x1, p.plot->xMax);
    }

    // The fitted height holds every value of the x range in view, with
    // little room to spare, on either scale.
    void fitHoldsTheValuesInView_data()
    {
        QTest::addColumn<bool>("signedLog");
        QTest::newRow("linear") << false;
        QTest::newRow("signed log") << true;
    }

    void fitHoldsTheValuesInView()
    {
        QFETCH(bool, signedLog);
        ShownPlot p(plotCases()[6]);
        QVERIFY(p.exposed());
        GraphView *graph = p.plot->plotLabel;
        graph->zoomAbout(graph->frame().area.center(), 0.2, 1);
        graph->setSignedLog(signedLog);
        graph->fitHeight();
        const PlotRange range = graph->range();
        double low = HUGE_VAL, high = -HUGE_VAL;
        for (int i = 0; i <= 1000; ++i) {
            const double v = p.plot->polynomial->at(range.x0 + range.width() * i / 1000);
            const double y = signedLog ? plotscale::signedLog(v) : v;
            low = std::min(low, y);
            high = std::max(high, y);
        }
        QVERIFY(range.y0 <= low && range.y1 >= high);
        QVERIFY(range.height() <= 1.25 * (high - low));
    }

    // L shows the values of a degree-22 polynomial on a signed-log axis:
    // the curve crosses 0 at each real root; L again brings the same
    // values back on a linear axis.
    void signedLogScaleShowsEveryCrossing()
    {
        const PlotCase &polynomial = plotCases()[6];
        ShownPlot p(polynomial, QSize(900, 600));
        QVERIFY(p.exposed());
        GraphView *graph = p.plot->plotLabel;
        const PlotRange linear = graph->range();
        QApplication::setActiveWindow(p.plot);
        graph->setFocus();
        QTest::keyClick(graph, Qt::Key_L);
        QVERIFY(graph->signedLogY());
        QVERIFY(!graph->looksFlat());
        QCOMPARE(graph->range().y1, plotscale::signedLog(linear.y1));
        const PlotFrame &frame = graph->frame();
        const std::vector<QPointF> &samples = p.plot->samples;
        const double axisRow = frame.row(0);
        for (const auto &[root, multiplicity] : realRoots(polynomial)) {
            const double column = frame.column(static_cast<double>(root));
            // Samples on both sides of the axis within three columns, for a
            // root of odd multiplicity.
            bool above = false, below = false;
            for (const QPointF &s : samples)
                if (std::fabs(s.x() - column) < 3) {
                    above |= s.y() < axisRow - 1;
                    below |= s.y() > axisRow + 1;
                }
            QVERIFY2(multiplicity % 2 == 0 || (above && below), qPrintable(QString::number(double(root))));
        }
        for (const ScaleLabel &label : graph->pictureLayout().yLabels)
            QVERIFY2(QRegularExpression("^-?(0|1|10|100|1000|10000|1e\\d+)$").match(label.text).hasMatch(),
                     qPrintable(label.text));
        QTest::keyClick(graph, Qt::Key_L);
        QVERIFY(!graph->signedLogY());
        QVERIFY(std::fabs(graph->range().y1 - linear.y1) <= 1e-12 * std::fabs(linear.y1));
        QVERIFY(std::fabs(graph->range().y0 - linear.y0) <= 1e-12 * std::fabs(linear.y0));
    }

    // The designed gray, white and blue under a light palette; the
    // palette's own colours under a dark one.
    void paletteDecidesTheColours_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light") << false;
        QTest::newRow("dark") << true;
    }

    void paletteDecidesTheColours()
    {
        QFETCH(bool, dark);
        ShownPlot p(plotCases()[1]);
        QVERIFY(p.exposed());
        if (dark)
            p.plot->setPalette(darkPalette());
        for (PlotView *view : {static_cast<PlotView *>(p.plot->plotLabel),
                               static_cast<PlotView *>(p.plot->planeLabel)}) {
            p.plot->views->setCurrentWidget(view);
            QTRY_VERIFY(!view->picture().isNull());
            const QImage image = shown(view);
            const PlotFrame &frame = view->frame();
            const QPointF inside = frame.area.topLeft() + QPointF(3, 3);
            const QPointF margin(2, 2);
            if (dark) {
                QVERIFY(near(pixelAt(image, inside), darkPalette().color(QPalette::Base)));
                QVERIFY(near(pixelAt(image, margin), darkPalette().color(QPalette::Window)));
            } else {
                QVERIFY(near(pixelAt(image, inside), QColor(Qt::gray)));
                QVERIFY(near(pixelAt(image, frame.pixel(frame.range.x0 + frame.range.width() * 0.37, 0)),
                             QColor(Qt::white), 60));
            }
        }
    }

    // Values and positions no int or picture can hold are drawn around:
    // the picture is made, every point of the curve is finite or a break.
    void unrepresentablePositions_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Roots>("roots");
        QTest::addColumn<QString>("caption");
        QTest::newRow("ticks beyond int") << Values{1, -5e9} << Roots{5e9} << "X-Tick-Interval: 0.5";
        // No start view to take: the graph shows the stretch round 0 that a
        // narrow cluster gets.
        QTest::newRow("NaN first root") << Values{1, 0, -1} << Roots{cplx(notANumber, 0), 1}
                                        << "X-Tick-Interval: 0.5";
        QTest::newRow("beyond double's range") << Values{1.5e308L, 0, 0} << Roots{0, 0}
                                               << "X-Tick-Interval: 0.5";
        Values widest(23, 1e10L);
        widest[0] = 0.01L;
        for (size_t i = 1; i < widest.size(); i += 2)
            widest[i] = -1e10L;
        Roots roots(22, cplx(0, 0));
        roots[0] = -1e12L;
        roots[1] = 1e12L;
        QTest::newRow("widest the dialog allows") << widest << roots << "X-Tick-Interval: 2.5e+11";
    }

    void unrepresentablePositions()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        ShownPlot p(PlotCase{"", coeffs, roots});
        QVERIFY(p.exposed());
        QTEST(p.plot->infoLabel->text(), "caption");
        QVERIFY(!p.plot->plotLabel->picture().isNull());
        for (const QPointF &s : p.plot->samples)
            QVERIFY(std::isnan(s.x()) || (std::isfinite(s.x()) && std::isfinite(s.y())));
    }

    // Steps of 0.01 would take 10^5 points; the bounded scan spreads fewer
    // over the whole span, so the deep minimum near x = 954.5 still counts.
    void longScanCoversTheSpan()
    {
        Values coeffs(23, 0);
        coeffs[0] = 1;
        coeffs[1] = -1000;
        Roots roots(22, cplx(0, 0));
        roots[21] = 1000;
        MainWindow window;
        installSolved(window, coeffs, roots);
        const MyPlot plot(&window);
        const long double x = 21000.0L / 22;
        const double deepest = static_cast<double>(std::pow(x, 21) * (x - 1000));
        QVERIFY(plot.yMin <= 1.5 * deepest * 0.999);
        QVERIFY(plot.yMin >= 1.5 * deepest);
        QCOMPARE(plot.yMax, -0.5 * plot.yMin / 1.5);
    }

    // Far from 0 a step of 0.02 is lost in rounding; the scan still ends.
    void scanBeyondStepResolution()
    {
        const long double a = 1e15L, b = 1e15L + 2;
        MainWindow window;
        installSolved(window, Values{1, -(a + b), a * b}, Roots{b, a});
        const MyPlot plot(&window);
        QCOMPARE(plot.xMin, 1e15 - 0.5);
        QCOMPARE(plot.xMax, 1e15 + 2.5);
        QCOMPARE(plot.intervalSide, 1);
    }

    void closingDeletesTheWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("closed") << 0 << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("another key") << int(Qt::Key_Space) << false;
    }

    void closingDeletesTheWindow()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        MainWindow window;
        installSolved(window, Values{1, 0, -1}, Roots{1, -1});
        QPointer<MyPlot> plot = new MyPlot(&window);
        plot->show();
        if (key)
            QTest::keyClick(plot->plotLabel, Qt::Key(key));
        else
            QVERIFY(plot->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(plot.isNull(), closes);
    }

    void mainWindowTakesOpenPlotsAlong()
    {
        auto *window = new MainWindow;
        installSolved(*window, Values{1, 0, -1}, Roots{1, -1});
        QPointer<MyPlot> shownPlot = new MyPlot(window);
        QPointer<MyPlot> hidden = new MyPlot(window);
        shownPlot->show();
        delete window;
        QVERIFY(shownPlot.isNull());
        QVERIFY(hidden.isNull());
    }
};

QTEST_MAIN(TestPlot)
#include "test_plot.moc"
