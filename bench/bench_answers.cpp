// What the root table adds to a solve, side by side in one run, on 50
// seeded polynomials of degree 22 (coefficients in [-10, 10] with two
// decimals, polishing on) and on (x - 1)^22 and a product of quadratics:
// - BM_Solve/P: the whole certified solve, as the window does it;
// - BM_Table/P/D: the table's work on the same polynomial, seeded by the
//   roots solved: the exact factorisation, the closed forms, and every
//   distinct root certified to D significant digits.
// P 0 is the random set (time per polynomial), 1 (x - 1)^22, 2 the
// quadratics. Run with --benchmark_repetitions=5 for medians.
#include "decimal_polynomial.h"
#include "distinct_roots.h"
#include "polynomial_text.h"
#include "rroots_oo_1.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

using cplx = std::complex<long double>;
using Coeffs = std::vector<cplx>;

struct Case {
    Coeffs coeffs;
    std::vector<std::string> exact;
    std::vector<cplx> roots;
};

std::vector<cplx> solved(Coeffs c)
{
    const int32_t n = int32_t(c.size()) - 1;
    std::vector<cplx> roots(n);
    int32_t count = 0;
    PolySolver solver(n, c.data());
    solver.poly_solve(true, false, &count, roots.data());
    roots.resize(size_t(count));
    return roots;
}

Case caseOf(const Coeffs &c)
{
    return {c, decimal_coefficients(c.data(), int32_t(c.size()) - 1), solved(c)};
}

Case typedCase(const char32_t *text)
{
    Coeffs c;
    for (const std::string &q : read_polynomial(text, U'.').coefficients)
        c.emplace_back(std::stold(q));
    return caseOf(c);
}

std::vector<Case> casesOf(int which)
{
    if (which == 1)
        return {typedCase(U"(x-1)^22")};
    if (which == 2)
        return {typedCase(U"(x^2+x+1)^3 (x^2-2)^2 (x^2+1)(3x^2-4x+1)(x^2-x-1)^3")};
    std::mt19937_64 rng(22);
    std::uniform_int_distribution<int> hundredths(-1000, 1000);
    std::vector<Case> cases;
    for (int k = 0; k < 50; ++k) {
        Coeffs c(23);
        for (cplx &x : c)
            x = hundredths(rng) / 100.0;
        cases.push_back(caseOf(c));
    }
    return cases;
}

void perPolynomial(benchmark::State &state, size_t count)
{
    state.counters["us_per_polynomial"] = benchmark::Counter(
        double(state.iterations()) * double(count), benchmark::Counter::kIsRate | benchmark::Counter::kInvert,
        benchmark::Counter::OneK::kIs1000);
}

void BM_Solve(benchmark::State &state)
{
    const std::vector<Case> cases = casesOf(int(state.range(0)));
    for (auto _ : state)
        for (const Case &c : cases)
            benchmark::DoNotOptimize(solved(c.coeffs));
    perPolynomial(state, cases.size());
}

void BM_Table(benchmark::State &state)
{
    const std::vector<Case> cases = casesOf(int(state.range(0)));
    const int digits = int(state.range(1));
    for (auto _ : state)
        for (const Case &c : cases)
            benchmark::DoNotOptimize(distinct_roots(c.exact, c.roots, digits));
    perPolynomial(state, cases.size());
}

} // namespace

BENCHMARK(BM_Solve)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Table)->ArgsProduct({{0, 1, 2}, {12, 1000}})->Unit(benchmark::kMicrosecond);
