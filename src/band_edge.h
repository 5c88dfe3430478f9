#ifndef BAND_EDGE_H
#define BAND_EDGE_H

// Parts of magnitude at most 1e-12 show as 0. Where an enclosure cannot
// tell a part from +-10^-12 however far it is narrowed, the part may be
// exactly that: 10000000000x + 0.01 has the root -1e-12 itself.
#include "flint_objects.h"

// Whether the real part (imaginary false) or the imaginary part of the one
// root of the square-free integer polynomial f within the enclosure equals
// sign * 10^-12 exactly. With x = 10^-12 u, f is 10^(-12d) g(u) for an
// integer g; fixing that part at sign, g(sign + i t), or g(t + i sign),
// is A(t) + i B(t) with integer A and B, and the root's other part, times
// 10^12, is a real root t of gcd(A, B) within the enclosure.
bool part_at_band_edge(const fmpz_poly_struct *f, acb_srcptr enclosure, bool imaginary, int sign);

#endif
