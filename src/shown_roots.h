#ifndef SHOWN_ROOTS_H
#define SHOWN_ROOTS_H

// What the window shows of an exact root, decided from bounds on its parts:
// a part of magnitude at most 1e-12 (the exact 10^-12) shows as 0, any
// other as its long double, written with 12 significant digits.
#include "flint_objects.h"

#include <complex>

// Long double bounds of one part of an exact root.
struct PartBounds {
    long double low, high;
};

// Where a part lies against the band of parts shown as 0: from long double
// bounds, which cannot tell parts within their rounding of 10^-12, and from
// the ball of the part, compared with 10^-12 exactly.
enum class Band { inside, outside, undecided };
Band band(PartBounds x);
Band band(const arb_t x);

// Whether every value within the bounds shows the same text.
bool text_decided(PartBounds x, Band b);

// Whether a part found shows the same text as the exact part, whose text
// is decided.
bool shows_as(long double found, PartBounds x, Band b);

// The exact part, rounded to long double (0 inside the band), where the
// ball of the part decides it.
bool shown_value(const arb_t x, Band b, long double *value);

// Whether z lies within `relative` of every point of the box, relatively:
// parts inside the band count as exactly 0.
bool within(std::complex<long double> z, PartBounds re, PartBounds im, long double relative);

#endif
