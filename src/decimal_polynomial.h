#ifndef DECIMAL_POLYNOMIAL_H
#define DECIMAL_POLYNOMIAL_H

#include <flint/fmpq_poly.h>
#include <flint/fmpz_poly.h>

#include <complex>
#include <cstdint>
#include <string>
#include <vector>

// The polynomial as written: each of the n + 1 coefficients, highest power
// first, stands for the shortest decimal that reads back as its value (as a
// double where it is one, so that 0.1 is one tenth); scaled by one power of
// ten they are the integers of out, constant term first. A leading
// coefficient of modulus below 0.01 stands for 1, as in the search.
//
// False where there is no such reading: a coefficient that is not finite or
// not real, or integers wider than 700 decimal digits, which bounds the exact
// work while holding the whole range of doubles (1e-300 beside 1e300).
bool decimal_polynomial(const std::complex<long double> *coeffs, int32_t n, fmpz_poly_t out);

// The same coefficients as fractions in decimal ("1/10" for 0.1), highest
// power first, for what takes the polynomial given exactly; none where
// there is no such reading.
std::vector<std::string> decimal_coefficients(const std::complex<long double> *coeffs, int32_t n);

// The polynomial given exactly: each coefficient an integer or a fraction
// in decimal ("-3", "1/3"), highest power first; out holds the integers of
// its multiple by the common denominator, constant term first. No floor
// applies to the leading coefficient.
//
// False where a coefficient does not read, the leading one is 0, or the
// integers are wider than the same 700 decimal digits.
bool rational_polynomial(const std::vector<std::string> &coeffs, fmpz_poly_t out);

// The same coefficients read as they are, into out; false where one does
// not read. The degree is what the coefficients make it.
bool read_rationals(const std::vector<std::string> &coeffs, fmpq_poly_t out);

#endif
