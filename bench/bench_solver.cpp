// One complete solve with polishing, on fixed random polynomials with
// coefficients uniform in [-10, 10].
#include "rroots_oo_1.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

using cplx = std::complex<long double>;

std::vector<cplx> fixedPolynomial(int degree)
{
    std::mt19937_64 rng(1000 + degree);
    std::uniform_real_distribution<double> coefficient(-10.0, 10.0);
    std::vector<cplx> c(degree + 1);
    for (cplx &x : c)
        x = coefficient(rng);
    return c;
}

void BM_PolySolvePolished(benchmark::State &state)
{
    const int degree = static_cast<int>(state.range(0));
    std::vector<cplx> c = fixedPolynomial(degree);
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

} // namespace

BENCHMARK(BM_PolySolvePolished)->Arg(5)->Arg(10)->Arg(15)->Arg(22)->Unit(benchmark::kMicrosecond);
