#ifndef EXACT_ROOTS_H
#define EXACT_ROOTS_H

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

// What checking the roots found against the exact polynomial did to them.
enum class RootCheck {
    not_exact, // no exact reading: roots that are not numbers were dropped, the rest left
    kept,      // every root found was right and is handed back bit for bit
    changed,   // roots were replaced, dropped or added
};

// The order the roots are handed back in: the roots found kept in their
// places, the others after them by real part; or, as reverse deflation
// lists them, by
// decreasing modulus, the roots found kept in the order they came in and
// each other root before the first of them of smaller modulus.
enum class RootOrder { as_found, by_modulus };

// Replaces the roots found numerically by the exact roots of the polynomial
// as written. Each coefficient stands for the shortest decimal that reads
// back as its value, so 0.1 means one tenth; multiplicities come from a
// square-free factorisation over the integers and every root from a
// certified enclosure, decided to the long double handed back.
//
// coeffs holds the n + 1 coefficients as given, highest power first (a
// leading coefficient of modulus below 0.01 stands for 1, as in the search).
// roots holds *count roots found, with room for n; afterwards it holds all n,
// each found root kept where it is right: polished, where it shows the same
// 12 digits as the exact root; unpolished, where it lies within 1e-6 of it,
// relatively, with parts shown as 0 just where the exact root's are. Kept
// roots come in the given order. Parts of magnitude at most 1e-12 (judged on
// the exact root) are handed back as 0.
//
// Coefficients that are not finite, not real, or so far apart in size that
// the exact work would not be bounded, have no exact reading; then only the
// roots that are not numbers are dropped. The same happens where the roots
// would need more work than a fixed budget (WorkBudget), counted in
// operations, not in time, so that a polynomial always comes back alike.
RootCheck certify_roots(const std::complex<long double> *coeffs, int32_t n, bool polished,
                        RootOrder order, std::complex<long double> *roots, int32_t *count);

// The same for the polynomial given exactly, each coefficient an integer or
// a fraction in decimal ("-3", "1/3"), highest power first: the roots
// handed back are those of that polynomial, whatever values the search
// worked on.
RootCheck certify_roots(const std::vector<std::string> &exact, bool polished, RootOrder order,
                        std::complex<long double> *roots, int32_t *count);

#endif
