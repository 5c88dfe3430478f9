#ifndef CERTIFIED_ROOTS_H
#define CERTIFIED_ROOTS_H

#include "flint_objects.h"
#include "work_budget.h"

#include <complex>
#include <vector>

// Disjoint certified enclosures (Arb balls) of every root of one square-free
// integer factor, each holding exactly one root; those that touch the real
// axis are known to hold real ones and have imaginary part exactly 0. They
// are narrowed on demand by raising the working precision, up to a bound on
// the precision and within the budget of work shared by all factors of one
// polynomial.
class CertifiedRoots
{
public:
    CertifiedRoots(const fmpz_poly_struct *factor, slong multiplicity, WorkBudget &budget);

    // Encloses the roots, starting from the given roots found by the search
    // (at most the degree of them), and from the factor's Newton polygon for
    // the rest: first by validating them as they are, else after cheap
    // long double iterations, else after Arb's own.
    void isolate(const std::vector<std::complex<long double>> &found);

    // Whether every enclosure holds exactly one root; false only where the
    // budget or the bound on the precision was reached first.
    bool isolated() const { return all_isolated; }

    // Narrows enclosure i, at twice the working precision it had. False
    // once its precision has reached the bound or the budget is spent.
    bool refine(slong i);

    // Refines until decided holds for every enclosure, as far as the bound allows.
    template <class Decided> void refine_until(Decided decided)
    {
        for (slong i = 0; i < degree && all_isolated; ++i)
            while (!decided(root(i)) && refine(i)) {
            }
    }

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
    bool validate(const std::vector<std::complex<long double>> &z);
    bool narrow(slong i, slong working);
    bool newton_step();
    void divide_out();
    void iterate();
    bool settle_real_roots();

    WorkBudget &budget;
    slong precision;            // of the enclosures as a whole
    std::vector<slong> refined; // of each enclosure narrowed on its own
    bool all_isolated = true;
    std::vector<long double> approximate; // the factor's coefficients, constant first
    Balls coeffs;
    Balls roots;
};

// x rounded to the nearest long double; x must lie inside the range of
// normal long doubles, as every root of a decimal polynomial does.
long double to_long_double(const arf_t x);

#endif
