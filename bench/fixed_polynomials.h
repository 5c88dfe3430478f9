#ifndef FIXED_POLYNOMIALS_H
#define FIXED_POLYNOMIALS_H

// The seeded random polynomials every solver benchmark uses, so that the
// figures of different programs compare.
#include <complex>
#include <random>
#include <vector>

// Coefficients uniform in [-10, 10], highest power first.
inline std::vector<std::complex<long double>> fixedPolynomial(int degree)
{
    std::mt19937_64 rng(1000 + degree);
    std::uniform_real_distribution<double> coefficient(-10.0, 10.0);
    std::vector<std::complex<long double>> c(degree + 1);
    for (std::complex<long double> &x : c)
        x = coefficient(rng);
    return c;
}

#endif
