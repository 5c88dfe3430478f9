#ifndef LONG_DOUBLE_BALLS_H
#define LONG_DOUBLE_BALLS_H

// Long double values into Arb, exactly, and back, rounded.
#include "flint_objects.h"

#include <complex>

void set_long_double(arf_t x, long double v);
void set_long_double(acb_t z, std::complex<long double> v);

// x rounded to the nearest long double; x must be 0 or lie inside the
// range of normal long doubles, as every root of the exact check does.
long double to_long_double(const arf_t x);

// Long doubles below and above every value of x. Magnitudes below 2^-16000
// come out as 0 or -+2^-16000, those above 2^16000 as infinities.
long double lower_bound(const arb_t x);
long double upper_bound(const arb_t x);

// c rounded to the nearest long double, and whether that is c itself.
long double to_long_double(const fmpz_t c, bool *exact);

#endif
