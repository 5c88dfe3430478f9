#ifndef DECIMAL_DIGITS_H
#define DECIMAL_DIGITS_H

// Exact numbers written with any number of significant digits, as the
// window writes its numbers with 12: rounded to nearest (a tie away from
// 0), trailing zeros dropped, "." as the decimal point, "-" for negative,
// exponent form ("1e-05", "1.5e+15") below 10^-4 and from 10^digits up.
// A number within 10^-digits of 0 is written 0, as the window writes a part
// within 10^-12 of 0.
#include "flint_objects.h"

#include <string>

// The exact rational bounds of a ball.
void exact_bounds(const arb_t x, fmpq_t low, fmpq_t high);

// The text that every number from low to high is written as, with the
// given number of significant digits (1 or more); empty where they are not
// all written alike.
std::string decided_text(const fmpq_t low, const fmpq_t high, slong digits);

// The same for every number in the ball.
std::string decided_text(const arb_t x, slong digits);

#endif
