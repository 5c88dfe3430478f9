#ifndef BASELINE_SOLVER_H
#define BASELINE_SOLVER_H

// The solver as it stood before its arithmetic was made faster (commit
// 1131efc, kept in bench/baseline/), for before-and-after comparisons.
#include <complex>
#include <vector>

// The roots poly_solve of that solver returns for these coefficients,
// highest power first.
std::vector<std::complex<long double>> solveBaseline(const std::vector<std::complex<long double>> &coeffs,
                                                     bool polish, bool reverse);

#endif
