// What checking the roots against the exact polynomial costs: the whole
// solve beside the level-by-level search alone, polishing on, over 200
// seeded polynomials per degree with coefficients in [-10, 10] of two
// decimals; and the slowest solve over 10,000 polynomials from the dialog's
// range. Run with --benchmark_repetitions=9 for medians.
#include "rroots_oo_1.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace {

using cplx = std::complex<long double>;
using Coeffs = std::vector<cplx>;

std::vector<Coeffs> twoDecimalPolynomials(int degree)
{
    std::mt19937_64 rng(2000 + degree);
    std::uniform_int_distribution<int> hundredths(-1000, 1000);
    std::vector<Coeffs> polynomials(200, Coeffs(degree + 1));
    for (Coeffs &c : polynomials)
        for (cplx &x : c)
            x = hundredths(rng) / 100.0;
    return polynomials;
}

// As the dialog lets them through: up to +-1e10 with 8 decimals, the
// leading one of magnitude 0.01 at least.
Coeffs dialogPolynomial(std::mt19937_64 &rng)
{
    const int n = std::uniform_int_distribution<int>(1, 22)(rng);
    std::uniform_int_distribution<int> kind(0, 3);
    Coeffs c(n + 1);
    for (cplx &x : c) {
        switch (kind(rng)) {
        case 0: x = 0; break;
        case 1: x = std::round(std::uniform_real_distribution<double>(-10, 10)(rng) * 100) / 100; break;
        case 2: x = std::round(std::uniform_real_distribution<double>(-1e10, 1e10)(rng)); break;
        default: x = std::round(std::uniform_real_distribution<double>(-1, 1)(rng) * 1e8) / 1e8;
        }
    }
    if (std::fabs(c[0].real()) < 0.01L)
        c[0] = 0.01;
    return c;
}

void solve(const Coeffs &coeffs, bool exact, bool polish, bool reverse)
{
    Coeffs c = coeffs;
    const int32_t n = int32_t(c.size()) - 1;
    Coeffs out(n);
    int32_t count = 0;
    PolySolver solver(n, c.data());
    if (exact)
        solver.poly_solve(polish, reverse, &count, out.data());
    else
        solver.solve_by_levels(polish, reverse, &count, out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
}

void solveAll(benchmark::State &state, bool exact)
{
    const std::vector<Coeffs> polynomials = twoDecimalPolynomials(int(state.range(0)));
    for (auto _ : state)
        for (const Coeffs &c : polynomials)
            solve(c, exact, true, false);
    state.SetItemsProcessed(state.iterations() * int64_t(polynomials.size()));
    state.counters["us_per_solve"] = benchmark::Counter(
        double(state.iterations()) * double(polynomials.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}

void BM_LevelsOnly(benchmark::State &state) { solveAll(state, false); }
void BM_WithExactCheck(benchmark::State &state) { solveAll(state, true); }

double milliseconds(const Coeffs &c, int setting)
{
    const auto start = std::chrono::steady_clock::now();
    solve(c, true, setting == 0, setting == 2);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// One pass over 10,000 polynomials in the three settings, then the slowest
// twenty timed again, eleven times each: the worst of their medians.
void BM_SlowestOfDialogRange(benchmark::State &state)
{
    for (auto _ : state) {
        std::mt19937_64 rng(7);
        struct Candidate {
            double ms;
            Coeffs c;
            int setting;
        };
        std::vector<Candidate> candidates;
        for (int k = 0; k < 10000; ++k) {
            const Coeffs c = dialogPolynomial(rng);
            candidates.push_back({milliseconds(c, k % 3), c, k % 3});
        }
        std::partial_sort(candidates.begin(), candidates.begin() + 20, candidates.end(),
                          [](const Candidate &a, const Candidate &b) { return a.ms > b.ms; });
        double worst = 0;
        for (int i = 0; i < 20; ++i) {
            std::vector<double> times;
            for (int r = 0; r < 11; ++r)
                times.push_back(milliseconds(candidates[i].c, candidates[i].setting));
            std::nth_element(times.begin(), times.begin() + 5, times.end());
            worst = std::max(worst, times[5]);
        }
        state.counters["slowest_ms"] = worst;
        state.counters["first_pass_slowest_ms"] = candidates[0].ms;
    }
}

} // namespace

BENCHMARK(BM_LevelsOnly)->Arg(5)->Arg(10)->Arg(15)->Arg(22)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WithExactCheck)->Arg(5)->Arg(10)->Arg(15)->Arg(22)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SlowestOfDialogRange)->Iterations(1)->Unit(benchmark::kSecond);
