#ifndef INCLUSION_DISCS_H
#define INCLUSION_DISCS_H

#include <complex>
#include <vector>

// A real polynomial known within bounds: the exact coefficient of x^k lies
// within radius[k] of centre[k]. Constant term first; the leading
// coefficient's bound must not reach 0.
struct BallPolynomial {
    std::vector<long double> centre;
    std::vector<long double> radius;
};

// Where one root lies, proved in long double arithmetic with a bound on
// every rounding error, for every polynomial within the bounds.
struct InclusionDisc {
    // The square of half-side radius around centre (on the real axis, the
    // segment of that half-length) holds exactly one root. False: no claim.
    bool isolated = false;
    // The centre is real and the segment holds the root: it is real.
    bool real = false;
    std::complex<long double> centre;
    long double radius = 0;
};

// Encloses the root near each of the n approximations z (n the degree of
// p, z pairwise distinct), after at most `steps` Weierstrass
// (Durand-Kerner) steps z_i -> z_i - W_i on all of them, taken while any
// W_i is still large against z_i. With W_i = p(z_i) / (lead * prod_{j != i}
// (z_i - z_j)), the roots of p are the eigenvalues of diag(z) - W (1 ... 1),
// whose Gershgorin discs, after scaling the other rows by 1/s, are
// D(z_i - W_i, (n - 1) s |W_i|) and D(z_j - W_j, (n - 2 + 1/s) |W_j|): a
// disc apart from all the others holds exactly one root. With s small the
// first shrinks to about the error of W_i itself. A root whose disc cannot
// be proved apart is left without a claim; nothing is ever guessed.
struct Inclusion {
    std::vector<InclusionDisc> discs;
    std::vector<std::complex<long double>> approximations; // after the steps
    // Every last correction small against its approximation: the discs are
    // as narrow as long double makes them.
    bool settled;
};
Inclusion inclusion_discs(const BallPolynomial &p, std::vector<std::complex<long double>> z,
                          int steps);

#endif
