#ifndef CERTIFIED_ROOTS_H
#define CERTIFIED_ROOTS_H

#include "flint_objects.h"
#include "inclusion_discs.h"
#include "long_double_balls.h"
#include "work_budget.h"

#include <complex>
#include <vector>

// Disjoint certified enclosures (Arb balls) of every root of one square-free
// integer factor, each holding exactly one root; those proved real have
// imaginary part exactly 0, and the disc their segment is the diameter of
// holds that root and no other. Most are proved in long double with bounded
// rounding errors; only roots closer together than long double resolves are
// worked on at high precision. They are narrowed on demand by raising the
// working precision, up to a bound on the precision and within the budget
// of work shared by all factors of one polynomial.
class CertifiedRoots
{
public:
    // The precision an enclosure is narrowed to at most, unless more is
    // asked for.
    static constexpr slong standard_max_precision = 16384;

    CertifiedRoots(const fmpz_poly_struct *factor, slong multiplicity, WorkBudget &budget,
                   slong max_precision = standard_max_precision);

    // Encloses the roots from one approximation of each, by the long double
    // test alone. True where it isolates every root, which also proves the
    // factor square-free: so the whole polynomial is tried before it is
    // factorised at all.
    bool isolate_quickly(const std::vector<std::complex<long double>> &approximations);

    // Encloses the roots, starting from the given roots found by the search
    // (at most the degree of them) and the factor's Newton polygon for the
    // rest: in long double first, then the clusters it leaves at high
    // precision.
    void isolate(const std::vector<std::complex<long double>> &found);

    // Whether every enclosure holds exactly one root; false only where the
    // budget or the bound on the precision was reached first.
    bool isolated() const { return all_isolated; }

    // Narrows enclosure i by about as many bits again as it holds, at a
    // precision raised where that does not succeed. False once the
    // precision it would need passes the bound or the budget is spent.
    bool refine(slong i);

    // Long double bounds of the parts of enclosure i, around the exact
    // root's parts.
    struct Box {
        long double re_low, re_high, im_low, im_high;
    };
    Box box(slong i) const;

    acb_srcptr root(slong i) const { return roots.value + i; }
    // The middle of enclosure i, rounded to long double.
    std::complex<long double> estimate(slong i) const;
    // |factor(z)| against the sum of the moduli of its terms: 0 at a root,
    // near 1 far from any.
    long double relative_residual(std::complex<long double> z) const;

    const fmpz_poly_struct *const factor;
    const slong multiplicity;
    const slong degree;

private:
    Inclusion enclose(const std::vector<std::complex<long double>> &z);
    bool all_enclosed() const;
    bool narrow(slong i, slong working);
    void divide_out(slong working);

    WorkBudget &budget;
    const slong max_precision;
    BallPolynomial ball;          // the factor in long double, within bounds
    std::vector<bool> enclosed;   // which enclosures hold exactly one root
    std::vector<InclusionDisc> discs; // the long double test's, where still the enclosure
    std::vector<slong> refined;   // the least precision to narrow each enclosure at
    bool all_isolated = false;
    Balls coeffs;
    Balls roots;
};

#endif
