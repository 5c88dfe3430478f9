#ifndef DISTINCT_ROOTS_H
#define DISTINCT_ROOTS_H

// Each distinct root of the polynomial given exactly, once, with its
// multiplicity, its closed form where it has one, and its value with any
// number of significant digits, every digit certified: the polynomial is
// factored over the rationals, the roots of each factor enclosed, and an
// enclosure narrowed until the numbers at its two ends are written alike.
#include "exact_forms.h"

#include <atomic>
#include <complex>
#include <string>
#include <vector>

struct DistinctRoot {
    // The parts, with `digits` significant digits as decimal_digits.h writes
    // them; with the window's 12, exactly as the window writes the root's
    // parts (root_conventions.h).
    std::string re, im;
    bool real = false; // exactly real; im is then "0"
    int multiplicity = 0;
    std::string exact_form; // "1/3", "(−1 + i√3)/2"; empty where none is offered
    // The significant digits written: those asked for, or as many as could
    // be certified where the work allowed ended first.
    int digits = 0;
    // The root rounded to long double, parts within 1e-12 of 0 taken as 0.
    std::complex<long double> value;
};

struct DistinctRoots {
    Factorization factorization; // empty where the polynomial does not read
    // The real roots ascending, then the complex ones by real part (at equal
    // real parts the one nearer the real axis first), each above the axis
    // followed by its conjugate.
    std::vector<DistinctRoot> roots;
    // Every root listed: false where the work allowed did not enclose every
    // root, or where cancelled.
    bool complete = false;
};

// The roots of the polynomial whose coefficients, highest power first, are
// integers or fractions in decimal ("-3", "1/3"). found holds approximations
// of roots (the roots the window shows) for the enclosures to start from.
// Returns early, incomplete, once *cancelled is set.
DistinctRoots distinct_roots(const std::vector<std::string> &exact,
                             const std::vector<std::complex<long double>> &found, int digits,
                             const std::atomic<bool> *cancelled = nullptr);

#endif
