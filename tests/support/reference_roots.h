#ifndef REFERENCE_ROOTS_H
#define REFERENCE_ROOTS_H

// Reference roots of integer polynomials from Arb's own root finder, which
// the exact check does not use: each root as a ball of about 4000 bits,
// real ones with imaginary part exactly 0, as often as its multiplicity.
#include "flint_objects.h"

#include <arb_fmpz_poly.h>

#include <string>
#include <vector>

class ReferenceRoots
{
public:
    explicit ReferenceRoots(const fmpz_poly_t p) : balls(fmpz_poly_degree(p))
    {
        SquareFreeFactors square_free;
        fmpz_poly_factor_squarefree(square_free.value, p);
        slong next = 0;
        for (slong f = 0; f < square_free.value->num; ++f) {
            const fmpz_poly_struct *factor = square_free.value->p + f;
            const slong d = fmpz_poly_degree(factor);
            Balls roots(d);
            arb_fmpz_poly_complex_roots(roots.value, factor, 0, 4096);
            for (slong i = 0; i < d; ++i)
                for (slong m = 0; m < square_free.value->exp[f]; ++m)
                    acb_set(balls.value + next++, roots.value + i);
        }
    }

    size_t size() const { return size_t(balls.size); }
    acb_srcptr operator[](size_t i) const { return balls.value + i; }

    // Whether an enclosure holds reference root j, that is meets its ball,
    // which is far narrower than any enclosure but an exact one: a real
    // enclosure (the imaginary part exactly 0) stands for the disc it is
    // the diameter of, judged here by the square around that disc.
    bool heldBy(acb_srcptr enclosure, size_t j) const
    {
        Balls square(1);
        acb_set(square.value, enclosure);
        if (arb_is_zero(acb_imagref(enclosure)))
            mag_set(arb_radref(acb_imagref(square.value)), arb_radref(acb_realref(enclosure)));
        return acb_overlaps(square.value, balls.value + j);
    }

    // How many of the reference roots an enclosure holds.
    size_t heldBy(acb_srcptr enclosure) const
    {
        size_t held = 0;
        for (size_t j = 0; j < size(); ++j)
            held += heldBy(enclosure, j);
        return held;
    }

private:
    Balls balls;
};

// The integer polynomial with the given coefficients, constant first.
inline void integerPolynomial(fmpz_poly_t p, const std::vector<std::string> &coeffs)
{
    Integer c;
    for (size_t k = 0; k < coeffs.size(); ++k) {
        fmpz_set_str(c.value, coeffs[k].c_str(), 10);
        fmpz_poly_set_coeff_fmpz(p, slong(k), c.value);
    }
}

#endif
