// Building a plot window: interval scan, ticks and the 81 samples.
#include "mainwindow.h"
#include "plot.h"
#include "window_testing.h"

#include <benchmark/benchmark.h>

#include <QApplication>

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
    std::mt19937 generator(22);
    std::uniform_real_distribution<double> coefficient(-10, 10);
    std::vector<long double> coeffs(23);
    for (long double &c : coeffs)
        c = coefficient(generator);
    buildSolvedPlot(state, coeffs);
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

} // namespace

BENCHMARK(BM_UnitParabola)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Degree22RandomCoefficients)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Degree22RootsSpread1e3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Degree22Leading001Others1e10)->Unit(benchmark::kMillisecond);

// Windows need an application object, so this program has its own main.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
