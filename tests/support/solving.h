#ifndef SOLVING_H
#define SOLVING_H

// One whole solve through the solver's interface, as the main window does it.
#include "rroots_oo_1.h"

#include <algorithm>
#include <complex>
#include <vector>

// The settings of the main window's two check boxes that the tests solve with.
struct SolveOptions {
    const char *name;
    bool polish;
    bool reverse;
};

const SolveOptions solveOptions[] = {
    {"polish", true, false}, {"plain", false, false}, {"reverse", false, true}};

// The roots poly_solve hands back for the solver's polynomial of degree
// n >= 0, as many as it counted. A count outside 0..n, which no solve may
// give, comes back as n + 1 roots, more than any test accepts.
inline std::vector<std::complex<long double>> solveWith(PolySolver &solver, bool polish,
                                                        bool reverse)
{
    const int32_t n = solver.poly.degree;
    std::vector<std::complex<long double>> roots(std::max(n, 1));
    int32_t count = -1;
    solver.poly_solve(polish, reverse, &count, roots.data());
    roots.resize(count >= 0 && count <= n ? count : n + 1);
    return roots;
}

// The roots of the level-by-level search alone, without the exact check.
inline std::vector<std::complex<long double>> searchWith(PolySolver &solver, bool polish,
                                                         bool reverse)
{
    const int32_t n = solver.poly.degree;
    std::vector<std::complex<long double>> roots(std::max(n, 1));
    int32_t count = -1;
    solver.solve_by_levels(polish, reverse, &count, roots.data());
    roots.resize(count >= 0 && count <= n ? count : n + 1);
    return roots;
}

// The coefficients highest power first, the degree one less than their number.
inline std::vector<std::complex<long double>> solve(std::vector<std::complex<long double>> coeffs,
                                                    bool polish, bool reverse)
{
    PolySolver solver(static_cast<int32_t>(coeffs.size()) - 1, coeffs.data());
    return solveWith(solver, polish, reverse);
}

#endif
