// What typing a polynomial costs: reading the line as typed, one keystroke
// in the dialog (the degree and the boxes following), and solving the
// polynomial exactly as typed, from an everyday cubic to the limits the
// dialog lets through. Run with --benchmark_repetitions=9 for medians.
#include "decimal_polynomial.h"
#include "flint_objects.h"
#include "mainwindow.h"
#include "new_poly_window.h"
#include "polynomial_text.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

void BM_ReadExpression(benchmark::State &state)
{
    const std::u32string text = U"(x-1)^22";
    for (auto _ : state)
        benchmark::DoNotOptimize(read_polynomial(text, U'.'));
}

// 23 coefficients of 8 decimals, as pasted from a spreadsheet.
void BM_ReadList(benchmark::State &state)
{
    std::u32string text;
    for (int k = 0; k <= 22; ++k)
        text += U"-12345.6789012" + std::u32string(1, char32_t(U'0' + k % 10)) + U"\n";
    for (auto _ : state)
        benchmark::DoNotOptimize(read_polynomial(text, U'.'));
}

// The last keystroke of (x-1)^22, from degree 2 to 22 with 23 new boxes,
// or within degree 22, where the boxes only take new texts.
void lineKeystroke(benchmark::State &state, const QString &before, const QString &after)
{
    MainWindow window;
    auto *dialog = new DialogWindow(&window);
    dialog->show();
    auto *line = dialog->findChild<QLineEdit *>(QStringLiteral("polynomialEdit"));
    for (auto _ : state) {
        state.PauseTiming();
        line->setText(before);
        state.ResumeTiming();
        line->setText(after);
        benchmark::DoNotOptimize(dialog->degree);
    }
    delete dialog;
}

void BM_KeystrokeNewDegree(benchmark::State &state)
{
    lineKeystroke(state, "(x-1)^2", "(x-1)^22");
}

void BM_KeystrokeSameDegree(benchmark::State &state)
{
    lineKeystroke(state, "(x-1)^22 + 1", "(x-1)^22 + 12");
}

// A polynomial installed as the dialog installs it, and the solve cycle
// with polishing on.
void solveExactly(benchmark::State &state, const std::vector<std::string> &exact)
{
    if (check_coefficients(exact).kind != TextProblem::none) {
        state.SkipWithError("the dialog refuses this polynomial");
        return;
    }
    MainWindow window;
    delete[] window.coeffs;
    window.coeffCount = int(exact.size());
    window.coeffs = new std::complex<long double>[exact.size()]();
    for (size_t k = 0; k < exact.size(); ++k)
        window.coeffs[k] = nearest_long_double(exact[k]);
    window.exactCoeffs = exact;
    for (auto _ : state) {
        window.UpdateView();
        benchmark::DoNotOptimize(window.roots);
    }
    state.counters["roots"] = window.rootCount;
    IntegerPolynomial integers;
    rational_polynomial(exact, integers.value);
    state.counters["digits"] = std::ceil(double(std::labs(fmpz_poly_max_bits(integers.value))) * std::log10(2.0));
}

void BM_SolveCubic(benchmark::State &state)
{
    solveExactly(state, {"1", "-6", "11", "-6"});
}

// Degree 22, the leading coefficient 1 and the others alternately 1e300
// and 1e-300: the widest range the dialog takes, 601 digits over a common
// denominator.
void BM_SolveWidestRange(benchmark::State &state)
{
    std::vector<std::string> exact{"1"};
    for (int k = 1; k <= 22; ++k)
        exact.push_back(k % 2 ? "1" + std::string(300, '0') : "1/1" + std::string(300, '0'));
    solveExactly(state, exact);
}

// Degree 22 with fractions of 30-digit numerators over distinct 32-digit
// denominators: over their common denominator, near the 700 digits the
// exact check takes.
void BM_SolveLongFractions(benchmark::State &state)
{
    std::mt19937_64 rng(22);
    std::uniform_int_distribution<int> digit(0, 9);
    std::vector<std::string> exact{"1"};
    for (int k = 1; k <= 22; ++k) {
        std::string numerator = k % 2 ? "-" : "";
        numerator += char('1' + digit(rng) % 9);
        for (int d = 1; d < 30; ++d)
            numerator += char('0' + digit(rng));
        exact.push_back(numerator + "/1" + std::string(28, '0') + std::to_string(101 + 2 * k));
    }
    solveExactly(state, exact);
}

} // namespace

BENCHMARK(BM_ReadExpression)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadList)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_KeystrokeNewDegree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeystrokeSameDegree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveCubic)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveWidestRange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SolveLongFractions)->Unit(benchmark::kMillisecond);
