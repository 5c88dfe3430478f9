#ifndef SPOKEN_TEXT_H
#define SPOKEN_TEXT_H

// The polynomial and the roots as a person reads them aloud, for screen
// readers: words where the window writes symbols, superscripts and
// parentheses. Numbers carry the digits the window shows. No toolkit.
#include <complex>
#include <string>

// A number as the window writes it, read aloud: "minus 6", "0.5",
// "1.5 times 10 to the power minus 13".
std::string spoken_number(double x);

// A complex value, real where the window shows it real: "2",
// "0.5 plus 0.866025403784 i", "minus i".
std::string spoken_complex(std::complex<long double> z);

// A power of x: "x to the power 3", "x squared", "x"; empty for power 0.
std::string spoken_power(int power);

// The equation of a polynomial, coefficients highest power first:
// "x to the power 3 minus 6 x squared plus 11 x minus 6 equals 0". Terms
// with coefficient 0 are left out, a coefficient 1 or -1 of a power of x
// is not read.
std::string spoken_polynomial(const std::complex<long double> *coeffs, int count);

// The roots in the order listed: "3 roots: 1; 2; 3", "no roots".
std::string spoken_roots(const std::complex<long double> *roots, int count);

#endif
