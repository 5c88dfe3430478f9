#ifndef RANDOM_POLYNOMIALS_H
#define RANDOM_POLYNOMIALS_H

// Seeded random polynomials of degree 1 to 22 in several families, and a
// search that reports every bit it hands out: for comparing the solver's
// search with the literal one.
#include "dialog_polynomials.h"
#include "linear_factors.h"
#include "literal_search.h"
#include "same_bits.h"
#include "solving.h"

#include <cmath>
#include <complex>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace random_polynomials {

using ::sameBits;
using cplx = std::complex<long double>;

enum Family { Dialog, Uniform, SmallIntegers, RepeatedRoots, ConjugatePairs, FamilyCount };

inline const char *familyName(int family)
{
    static const char *const names[] = {"dialog", "uniform", "small integers", "repeated roots",
                                        "conjugate pairs"};
    return names[family];
}

inline int uniformInt(std::mt19937_64 &rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Times (x^2 - 2 re x + re^2 + im^2) for each pair re +- im i.
inline std::vector<double> fromPairs(std::mt19937_64 &rng, int pairs, std::vector<double> c)
{
    for (int k = 0; k < pairs; ++k) {
        const double re = uniformInt(rng, -4, 4), im = uniformInt(rng, 1, 4);
        const double b = -2 * re, e = re * re + im * im;
        c.push_back(0.0);
        c.push_back(0.0);
        for (size_t i = c.size() - 1; i >= 2; --i)
            c[i] += b * c[i - 1] + e * c[i - 2];
        c[1] += b * c[0];
    }
    return c;
}

inline std::vector<double> randomCoefficients(std::mt19937_64 &rng, int family)
{
    const int n = uniformInt(rng, 1, 22);
    switch (family) {
    case Dialog:
        return DialogPolynomials::draw(rng, n, uniformInt(rng, 0, 6));
    case Uniform: {
        std::uniform_real_distribution<double> value(-10, 10);
        std::vector<double> c(n + 1);
        for (double &x : c)
            x = value(rng);
        return c;
    }
    case SmallIntegers: {
        std::vector<double> c(n + 1);
        for (double &x : c)
            x = uniformInt(rng, -9, 9);
        if (c[0] == 0)
            c[0] = 1;
        return c;
    }
    case RepeatedRoots: {
        // A few integer or half-integer roots, some of them several times.
        std::vector<double> roots;
        const int distinct = uniformInt(rng, 1, 4);
        for (int k = 0; k < distinct && int(roots.size()) < n; ++k) {
            const double r = uniformInt(rng, -6, 6) / double(uniformInt(rng, 1, 2));
            for (int m = uniformInt(rng, 1, 5); m > 0 && int(roots.size()) < n; --m)
                roots.push_back(r);
        }
        return fromRoots(roots);
    }
    default: {
        std::vector<double> real;
        for (int k = uniformInt(rng, 0, 3); k > 0; --k)
            real.push_back(uniformInt(rng, -3, 3));
        return fromPairs(rng, uniformInt(rng, 1, 5), fromRoots(real));
    }
    }
}

// Everything the level-by-level search hands back: the roots, and the
// solver's polynomial, which reverse deflation leaves deflated for plotting.
struct SearchBits {
    std::vector<cplx> roots;
    int32_t degreeAfter = 0;
    std::vector<cplx> polynomialAfter;
};

// The solver's search, or with literal the reference that takes every
// value from its defining formula.
inline SearchBits searchBits(const std::vector<double> &coeffs, bool polish, bool reverse,
                             bool literal)
{
    const int32_t n = int32_t(coeffs.size()) - 1;
    std::vector<cplx> c(coeffs.begin(), coeffs.end());
    PolySolver solver(n, c.data());
    SearchBits bits;
    bits.roots = literal ? literal::solve_by_levels(solver, polish, reverse)
                         : searchWith(solver, polish, reverse);
    bits.degreeAfter = solver.poly.degree;
    bits.polynomialAfter.assign(solver.poly.coeffs, solver.poly.coeffs + n + 1);
    return bits;
}

inline bool sameBits(const SearchBits &a, const SearchBits &b)
{
    return a.degreeAfter == b.degreeAfter && sameBits(a.roots, b.roots) &&
           sameBits(a.polynomialAfter, b.polynomialAfter);
}

inline std::string describe(const std::vector<double> &coeffs)
{
    std::string text;
    char number[32];
    for (double x : coeffs) {
        std::snprintf(number, sizeof number, "%a ", x);
        text += number;
    }
    return text;
}

} // namespace random_polynomials

#endif
