#ifndef EXACT_FORMS_H
#define EXACT_FORMS_H

// The polynomial given exactly, factored over the rationals, and the roots
// that its factors of degree 1 and 2 have in closed form.
#include <complex>
#include <string>
#include <vector>

// One factor, irreducible over the rationals, with its multiplicity. A
// linear factor is monic, x - r with r a reduced fraction ("1", "-1/3");
// any other has integer coefficients without a common divisor and a
// positive leading one. Coefficients highest power first, in decimal.
struct ExactFactor {
    std::vector<std::string> coeffs;
    int multiplicity = 0;
};

// The polynomial as constant * factor^multiplicity * ...: linear factors
// first, by increasing root, then the others by degree.
struct Factorization {
    std::string constant; // a reduced fraction: "1", "-2", "1/27"
    std::vector<ExactFactor> factors;
};

// A root in closed form, from a linear or quadratic factor.
struct ClosedForm {
    std::complex<long double> value; // near the root, to tell which root it is
    int multiplicity = 0;
    std::string text; // "1/3", "−√2", "(1 + √2)/2", "(−1 − i√3)/2"
};

// Factors the polynomial whose coefficients, highest power first, are
// integers or fractions in decimal ("-3", "1/3"). Nothing (no constant, no
// factors) where a coefficient does not read or the polynomial is constant.
Factorization factor_exactly(const std::vector<std::string> &coeffs);

// The closed forms of every root of the linear and quadratic factors, the
// two roots of a quadratic one in a row, the one with the larger real part,
// or the upper one, first. Square factors leave the radicand as far as
// they can be found among the primes below 65536 or as a perfect square.
std::vector<ClosedForm> closed_forms(const Factorization &factorization);

// The factored polynomial as people write it: "2(x − 1)²(x² + x + 1)",
// with "−" for minus, and the powers as superscripts, as <sup> elements
// where rich.
std::string factored_text(const Factorization &factorization, bool rich);

#endif
