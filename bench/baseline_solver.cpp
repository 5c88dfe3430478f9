// Its classes are renamed, so that it links beside the current solver.
#include "baseline_solver.h"

#define PolySolver BaselinePolySolver
#define Polynomial BaselinePolynomial
#include "baseline/rroots_oo_1.cpp"

std::vector<std::complex<long double>> solveBaseline(const std::vector<std::complex<long double>> &coeffs,
                                                     bool polish, bool reverse)
{
    const int32_t degree = static_cast<int32_t>(coeffs.size()) - 1;
    std::vector<std::complex<long double>> c(coeffs);
    BaselinePolySolver solver(degree, c.data());
    std::vector<std::complex<long double>> roots(degree);
    int32_t count = 0;
    solver.poly_solve(polish, reverse, &count, roots.data());
    roots.resize(count);
    return roots;
}
