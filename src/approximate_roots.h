#ifndef APPROXIMATE_ROOTS_H
#define APPROXIMATE_ROOTS_H

// Approximations of the roots of one polynomial in long double, without
// any claim about them: where the proofs start from.
#include <complex>
#include <vector>

// A circle on which count roots lie, roughly: a segment of the Newton
// polygon, the upper convex hull of the points (k, log2 |c_k|).
struct Ring {
    double log2_radius; // -infinity for roots at the centre itself
    long count;
};

// The rings of the polynomial with log2 |c_k| in log2_size (constant
// first, -infinity for a zero coefficient), innermost first; the counts add
// up to the degree.
std::vector<Ring> newton_polygon(const std::vector<double> &log2_size);

// Points on the rings, spread round each and turned from one ring to the
// next; a single root at the centre is the centre itself.
std::vector<std::complex<long double>> ring_points(const std::vector<Ring> &rings);

// |p(z)| against the sum of the moduli of its terms, p's coefficients
// constant first: 0 at a root, near 1 far from any.
long double relative_residual(const std::vector<long double> &p, std::complex<long double> z);

// All roots of p (coefficients constant first) by Aberth's iteration, from
// the roots found, at most the degree of them, and the points of the rings
// not near one of them. Each root stops where its value is lost in the
// rounding of its terms.
std::vector<std::complex<long double>> aberth_roots(const std::vector<long double> &p,
                                                    const std::vector<Ring> &rings,
                                                    const std::vector<std::complex<long double>> &found);

#endif
