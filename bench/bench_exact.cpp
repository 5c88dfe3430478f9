// What checking the roots against the exact polynomial costs, the search
// alone beside the whole solve in one run:
// - BM_SearchAlone/N and BM_WholeSolve/N: 200 seeded polynomials per degree
//   N, coefficients in [-10, 10] with two decimals, polishing on;
// - BM_Family/F/S/W: the slow families of near-multiple roots and clusters,
//   setting S (0 polish, 1 plain, 2 reverse), W 0 the search alone, 1 the
//   whole solve;
// - BM_SlowestOfDialogRange: 10,000 polynomials of the dialog's range in
//   the three settings, the slowest twenty timed again five times each; the
//   worst of their medians, whole and search alone.
// Run with --benchmark_repetitions=5 for medians.
#include "dialog_polynomials.h"
#include "rroots_oo_1.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
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

enum Setting { polish, plain, reverse };

void solve(const Coeffs &coeffs, Setting setting, bool whole)
{
    Coeffs c = coeffs;
    const int32_t n = int32_t(c.size()) - 1;
    Coeffs out(n);
    int32_t count = 0;
    PolySolver solver(n, c.data());
    if (whole)
        solver.poly_solve(setting == polish, setting == reverse, &count, out.data());
    else
        solver.solve_by_levels(setting == polish, setting == reverse, &count, out.data());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
}

void solveAll(benchmark::State &state, bool whole)
{
    const std::vector<Coeffs> polynomials = twoDecimalPolynomials(int(state.range(0)));
    for (auto _ : state)
        for (const Coeffs &c : polynomials)
            solve(c, polish, whole);
    state.SetItemsProcessed(state.iterations() * int64_t(polynomials.size()));
    state.counters["us_per_solve"] = benchmark::Counter(
        double(state.iterations()) * double(polynomials.size()),
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::OneK::kIs1000);
}

void BM_SearchAlone(benchmark::State &state) { solveAll(state, false); }
void BM_WholeSolve(benchmark::State &state) { solveAll(state, true); }

Coeffs widened(const std::vector<double> &c)
{
    return Coeffs(c.begin(), c.end());
}

// x^n - (a x - 1)^2, highest power first.
Coeffs squareBeside(int n, double a)
{
    std::vector<double> c(n + 1, 0.0);
    c[0] = 1;
    c[n - 2] = -a * a;
    c[n - 1] = 2 * a;
    c[n] = -1;
    return widened(c);
}

// A product of factors with one decimal and high multiplicities, its
// coefficients rounded to the dialog's 8 decimals as a user types them:
// each multiple root splits into a cluster.
Coeffs decimalProduct()
{
    // (x + 2.3)^5 (x - 1.7)^4 (x + 0.6)^3 (x^2 - x + 1.69)^2 (x - 3.1)^4,
    // in units of 10^-20.
    std::vector<__int128> p{1};
    const auto times = [&](std::vector<__int128> factor) {
        std::vector<__int128> r(p.size() + factor.size() - 1, 0);
        for (size_t i = 0; i < p.size(); ++i)
            for (size_t j = 0; j < factor.size(); ++j)
                r[i + j] += p[i] * factor[j];
        p = r;
    };
    const auto repeat = [&](const std::vector<__int128> &factor, int m) {
        for (int k = 0; k < m; ++k)
            times(factor);
    };
    repeat({10, 23}, 5);
    repeat({10, -17}, 4);
    repeat({10, 6}, 3);
    repeat({100, -100, 169}, 2);
    repeat({10, -31}, 4);
    __int128 unit = 1;
    for (int k = 0; k < 20; ++k)
        unit *= 10;
    const __int128 eighth = unit / 100000000; // 10^-8 in those units
    Coeffs c;
    for (__int128 k : p) {
        const __int128 rounded = (k >= 0 ? k + eighth / 2 : k - eighth / 2) / eighth;
        c.push_back(static_cast<long double>(static_cast<double>(rounded) / 1e8));
    }
    return c;
}

struct Family {
    const char *name;
    Coeffs coeffs;
};

const std::vector<Family> &families()
{
    static const std::vector<Family> all{
        {"x^20 - (1e4 x - 1)^2", squareBeside(20, 1e4)},
        {"x^22 - (1e4 x - 1)^2", squareBeside(22, 1e4)},
        {"0.01 x^13 - 10000 x^2 + 200 x - 1",
         widened({0.01, 0, 0, 0, 0, 0, 0, 0, 0, 0, -10000, 200, -1})},
        {"near-multiple, degree 6",
         widened({1, -1991.4, 982825.73, 8548571.72, 25666573.32, 31693360, 13320000.0000001})},
        {"near-multiple, degree 7",
         widened({100, 73017.97, 9413118.90453, -1048310232.6933556, -188609374.36658857,
                  -8447589.02681391, 2683.746702, 5.9535})},
        {"decimal factors with multiplicities, degree 20", decimalProduct()},
        {"((x - 100)^2 - 1e-8)(x^2 + 1), a cluster 1e-6 wide",
         widened({1, -200, 10000.99999999, -200, 9999.99999999})},
    };
    return all;
}

void BM_Family(benchmark::State &state)
{
    const Family &family = families()[size_t(state.range(0))];
    const Setting setting = Setting(state.range(1));
    const bool whole = state.range(2) != 0;
    for (auto _ : state)
        solve(family.coeffs, setting, whole);
    state.SetLabel(family.name);
}

double milliseconds(const Coeffs &c, Setting setting, bool whole)
{
    const auto start = std::chrono::steady_clock::now();
    solve(c, setting, whole);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double medianOfFive(const Coeffs &c, Setting setting, bool whole)
{
    std::vector<double> times;
    for (int r = 0; r < 5; ++r)
        times.push_back(milliseconds(c, setting, whole));
    std::nth_element(times.begin(), times.begin() + 2, times.end());
    return times[2];
}

// One pass over 10,000 polynomials in the three settings, then the slowest
// twenty timed again: the worst median, whole and search alone.
void BM_SlowestOfDialogRange(benchmark::State &state)
{
    for (auto _ : state) {
        DialogPolynomials dialog(7);
        struct Candidate {
            double ms;
            Coeffs c;
            Setting setting;
        };
        std::vector<Candidate> candidates;
        for (int k = 0; k < 10000; ++k) {
            const Coeffs c = widened(dialog.next());
            const Setting setting = Setting(k % 3);
            candidates.push_back({milliseconds(c, setting, true), c, setting});
        }
        std::partial_sort(candidates.begin(), candidates.begin() + 20, candidates.end(),
                          [](const Candidate &a, const Candidate &b) { return a.ms > b.ms; });
        double worst = 0, worstSearch = 0;
        for (int i = 0; i < 20; ++i) {
            const double whole = medianOfFive(candidates[i].c, candidates[i].setting, true);
            if (whole > worst) {
                worst = whole;
                worstSearch = medianOfFive(candidates[i].c, candidates[i].setting, false);
            }
        }
        state.counters["slowest_ms"] = worst;
        state.counters["its_search_ms"] = worstSearch;
        state.counters["first_pass_slowest_ms"] = candidates[0].ms;
    }
}

} // namespace

BENCHMARK(BM_SearchAlone)->Arg(5)->Arg(10)->Arg(15)->Arg(22)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WholeSolve)->Arg(5)->Arg(10)->Arg(15)->Arg(22)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Family)
    ->ArgsProduct({benchmark::CreateDenseRange(0, 6, 1), {polish, plain, reverse}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SlowestOfDialogRange)->Iterations(1)->Unit(benchmark::kSecond);
