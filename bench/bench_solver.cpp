// One complete solve with polishing: on fixed random polynomials with
// coefficients uniform in [-10, 10], and on x^n + 1.
#include "fixed_polynomials.h"
#include "rroots_oo_1.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using cplx = std::complex<long double>;

void solvePolishedRepeatedly(benchmark::State &state, std::vector<cplx> c)
{
    const int32_t degree = static_cast<int32_t>(c.size()) - 1;
    std::vector<cplx> out(degree);
    int32_t count = 0;
    for (auto _ : state) {
        PolySolver solver(degree, c.data());
        solver.poly_solve(true, false, &count, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["roots"] = count;
}

void BM_PolySolvePolished(benchmark::State &state)
{
    solvePolishedRepeatedly(state, fixedPolynomial(static_cast<int>(state.range(0))));
}

} // namespace

BENCHMARK(BM_PolySolvePolished)->Arg(5)->Arg(10)->Arg(15)->Arg(22)->Unit(benchmark::kMicrosecond);

// The level-by-level search alone, without the exact check of its roots.
void BM_DesignedSearch(benchmark::State &state)
{
    std::vector<cplx> c = fixedPolynomial(static_cast<int>(state.range(0)));
    const int32_t degree = static_cast<int32_t>(c.size()) - 1;
    std::vector<cplx> out(degree);
    int32_t count = 0;
    for (auto _ : state) {
        PolySolver solver(degree, c.data());
        solver.solve_by_levels(true, false, &count, out.data());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.counters["roots"] = count;
}

BENCHMARK(BM_DesignedSearch)->Arg(22)->Unit(benchmark::kMicrosecond);

// x^n + 1: the level-by-level search finds none of these roots, so every
// one of them comes from the completion.
void BM_PolySolveCompleted(benchmark::State &state)
{
    const int degree = static_cast<int>(state.range(0));
    std::vector<cplx> c(degree + 1, cplx(0, 0));
    c[0] = c[degree] = 1;
    solvePolishedRepeatedly(state, c);
}

BENCHMARK(BM_PolySolveCompleted)->Arg(17)->Arg(21)->Unit(benchmark::kMicrosecond);
