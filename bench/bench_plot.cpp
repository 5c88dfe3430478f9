// Building a plot window (interval scan, ticks, widgets), and one redraw of
// its picture at degree 22: the curve sampled per device pixel column, the
// scales, the marks, the painting. A redraw has one frame, 16 ms.
#include "mainwindow.h"
#include "plot.h"
#include "plot_curve.h"
#include "window_testing.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

using cplx = std::complex<long double>;

std::vector<long double> fromRoots(const std::vector<long double> &roots)
{
    std::vector<long double> coeffs{1};
    for (long double r : roots) {
        coeffs.push_back(0);
        for (size_t i = coeffs.size() - 1; i > 0; --i)
            coeffs[i] -= r * coeffs[i - 1];
    }
    return coeffs;
}

std::vector<long double> degree22RandomCoefficients()
{
    std::mt19937 generator(22);
    std::uniform_real_distribution<double> coefficient(-10, 10);
    std::vector<long double> coeffs(23);
    for (long double &c : coeffs)
        c = coefficient(generator);
    return coeffs;
}

void timePlots(benchmark::State &state, MainWindow &window)
{
    for (auto _ : state) {
        MyPlot plot(&window);
        benchmark::DoNotOptimize(plot.samples);
    }
    long double lowest = window.roots[0].real(), highest = lowest;
    for (int i = 0; i < window.rootCount; ++i) {
        lowest = std::min(lowest, window.roots[i].real());
        highest = std::max(highest, window.roots[i].real());
    }
    state.counters["root_span"] = static_cast<double>(highest - lowest);
}

// With roots known exactly.
void buildPlot(benchmark::State &state, const std::vector<long double> &coeffs,
               const std::vector<cplx> &roots)
{
    MainWindow window;
    installSolved(window, coeffs, roots);
    timePlots(state, window);
}

// With the roots the program's own solve cycle finds.
void buildSolvedPlot(benchmark::State &state, const std::vector<long double> &coeffs)
{
    MainWindow window;
    installCoefficients(window, coeffs);
    window.UpdateView();
    timePlots(state, window);
}

void BM_UnitParabola(benchmark::State &state)
{
    buildPlot(state, {1, 0, -1}, {cplx(1, 0), cplx(-1, 0)});
}

void BM_Degree22RandomCoefficients(benchmark::State &state)
{
    buildSolvedPlot(state, degree22RandomCoefficients());
}

void BM_Degree22RootsSpread1e3(benchmark::State &state)
{
    std::vector<long double> real(22);
    std::vector<cplx> roots(22);
    for (int k = 0; k < 22; ++k) {
        real[k] = -1000 + 2000.0L * k / 21;
        roots[k] = real[k];
    }
    buildPlot(state, fromRoots(real), roots);
}

// The widest polynomial the definition dialog accepts.
void BM_Degree22Leading001Others1e10(benchmark::State &state)
{
    std::vector<long double> coeffs(23, 1e10L);
    coeffs[0] = 0.01L;
    for (size_t i = 1; i < coeffs.size(); i += 2)
        coeffs[i] = -1e10L;
    buildSolvedPlot(state, coeffs);
}

// Redraws of the view in front of a shown plot window of the given size,
// each one setting the range it shows.
void timeRedraws(benchmark::State &state, MainWindow &window, QSize size, bool plane,
                 bool signedLog)
{
    MyPlot plot(&window);
    plot.resize(size);
    plot.show();
    PlotView *view = plot.plotLabel;
    if (plane) {
        view = plot.planeLabel;
        plot.views->setCurrentWidget(view);
    }
    QCoreApplication::processEvents();
    plot.plotLabel->setSignedLog(signedLog);
    for (auto _ : state) {
        view->setRange(view->range());
        benchmark::DoNotOptimize(view->picture());
    }
    state.counters["width"] = view->width();
    state.counters["height"] = view->height();
    state.counters["points"] = static_cast<double>(plot.samples.size());
}

void redrawSolved(benchmark::State &state, const std::vector<long double> &coeffs, QSize size,
                  bool plane = false, bool signedLog = false)
{
    MainWindow window;
    installCoefficients(window, coeffs);
    window.UpdateView();
    timeRedraws(state, window, size, plane, signedLog);
}

std::vector<long double> spreadRoots()
{
    std::vector<long double> roots;
    for (int k = 0; k < 22; ++k)
        roots.push_back(k - 10.5L);
    return roots;
}

void BM_RedrawDegree22AtStartSize(benchmark::State &state)
{
    redrawSolved(state, degree22RandomCoefficients(), QSize(420, 420));
}

void BM_RedrawDegree22FullScreen(benchmark::State &state)
{
    redrawSolved(state, degree22RandomCoefficients(), QSize(1920, 1080));
}

void BM_RedrawDegree22SpreadRootsFullScreen(benchmark::State &state)
{
    redrawSolved(state, fromRoots(spreadRoots()), QSize(1920, 1080));
}

void BM_RedrawDegree22SignedLogFullScreen(benchmark::State &state)
{
    redrawSolved(state, fromRoots(spreadRoots()), QSize(1920, 1080), false, true);
}

void BM_RedrawDegree22PlaneFullScreen(benchmark::State &state)
{
    redrawSolved(state, degree22RandomCoefficients(), QSize(1920, 1080), true);
}

// What one notch of the wheel costs: the range placed anew for the margins
// its numbers take, then the redraw.
void BM_WheelNotchDegree22FullScreen(benchmark::State &state)
{
    MainWindow window;
    installCoefficients(window, degree22RandomCoefficients());
    window.UpdateView();
    MyPlot plot(&window);
    plot.resize(1920, 1080);
    plot.show();
    QCoreApplication::processEvents();
    GraphView *view = plot.plotLabel;
    const QPointF pointer = view->frame().area.center();
    double factor = 0.8;
    for (auto _ : state) {
        view->zoomAbout(pointer, factor, factor);
        factor = 1 / factor;
    }
}

// The curve of the signed-log view above, stroked two device pixels wide as
// at a pixel ratio of 2: in short runs, as the graph draws it, against one
// polyline per piece.
void strokeSignedLogCurve(benchmark::State &state, bool inRuns)
{
    MainWindow window;
    installCoefficients(window, fromRoots(spreadRoots()));
    window.UpdateView();
    MyPlot plot(&window);
    plot.resize(1920, 1080);
    plot.show();
    QCoreApplication::processEvents();
    plot.plotLabel->setSignedLog(true);
    const std::vector<QPointF> points = plot.samples;
    QImage image(plot.plotLabel->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::blue, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (inRuns) {
            drawTraced(painter, points);
        } else {
            size_t begin = 0;
            for (size_t i = 0; i <= points.size(); ++i)
                if (i == points.size() || std::isnan(points[i].y())) {
                    if (i - begin > 1)
                        painter.drawPolyline(points.data() + begin, static_cast<int>(i - begin));
                    begin = i + 1;
                }
        }
    }
    state.counters["points"] = static_cast<double>(points.size());
}

void BM_StrokeSignedLogCurveInRuns(benchmark::State &state)
{
    strokeSignedLogCurve(state, true);
}

void BM_StrokeSignedLogCurveOnePolyline(benchmark::State &state)
{
    strokeSignedLogCurve(state, false);
}

} // namespace

BENCHMARK(BM_UnitParabola)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Degree22RandomCoefficients)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Degree22RootsSpread1e3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Degree22Leading001Others1e10)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawDegree22AtStartSize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawDegree22FullScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawDegree22SpreadRootsFullScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawDegree22SignedLogFullScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedrawDegree22PlaneFullScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WheelNotchDegree22FullScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrokeSignedLogCurveInRuns)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StrokeSignedLogCurveOnePolyline)->Unit(benchmark::kMillisecond);
