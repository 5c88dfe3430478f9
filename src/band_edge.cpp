#include "band_edge.h"

#include "decimal_digits.h"

namespace {

using Polynomial = IntegerPolynomial;

// Exact rational bounds of a ball, times 10^12.
struct ScaledBounds {
    ScaledBounds(const arb_t x)
    {
        exact_bounds(x, low.value, high.value);
        Integer scale;
        fmpz_set_ui(scale.value, 1000000000000);
        fmpq_mul_fmpz(low.value, low.value, scale.value);
        fmpq_mul_fmpz(high.value, high.value, scale.value);
    }
    Rational low, high;
};

// (A + iB) times (c + it), or times (t + ic) where the variable is real.
void times_gaussian(Polynomial &a, Polynomial &b, long c, bool variable_real)
{
    Polynomial ta, tb, ca, cb;
    fmpz_poly_shift_left(ta.value, a.value, 1);
    fmpz_poly_shift_left(tb.value, b.value, 1);
    fmpz_poly_scalar_mul_si(ca.value, a.value, c);
    fmpz_poly_scalar_mul_si(cb.value, b.value, c);
    if (variable_real) { // (A + iB)(t + ic) = (tA - cB) + i(tB + cA)
        fmpz_poly_sub(a.value, ta.value, cb.value);
        fmpz_poly_add(b.value, tb.value, ca.value);
    } else { // (A + iB)(c + it) = (cA - tB) + i(cB + tA)
        fmpz_poly_sub(a.value, ca.value, tb.value);
        fmpz_poly_add(b.value, cb.value, ta.value);
    }
}

int sign_at(const fmpz_poly_struct *p, const fmpq_t t)
{
    Rational value;
    fmpz_poly_evaluate_fmpq(value.value, p, t);
    return fmpq_sgn(value.value);
}

} // namespace

bool part_at_band_edge(const fmpz_poly_struct *f, acb_srcptr enclosure, bool imaginary, int sign)
{
    const ScaledBounds fixed(imaginary ? acb_imagref(enclosure) : acb_realref(enclosure));
    const ScaledBounds other(imaginary ? acb_realref(enclosure) : acb_imagref(enclosure));
    Rational edge;
    fmpq_set_si(edge.value, sign, 1);
    if (fmpq_cmp(edge.value, fixed.low.value) < 0 || fmpq_cmp(edge.value, fixed.high.value) > 0)
        return false;

    // g(u) = sum f_k 10^(12 (d - k)) u^k, by Horner's scheme at the
    // Gaussian point with the fixed part.
    const slong d = fmpz_poly_degree(f);
    Polynomial a, b;
    Integer c, power;
    for (slong k = d; k >= 0; --k) {
        times_gaussian(a, b, sign, imaginary);
        fmpz_ui_pow_ui(power.value, 10, ulong(12 * (d - k)));
        fmpz_mul(c.value, fmpz_poly_get_coeff_ptr(f, k), power.value);
        Polynomial constant;
        fmpz_poly_set_fmpz(constant.value, c.value);
        fmpz_poly_add(a.value, a.value, constant.value);
    }
    Polynomial common, slope, shared;
    fmpz_poly_gcd(common.value, a.value, b.value);
    if (fmpz_poly_degree(common.value) < 1)
        return false;
    // Its square-free part changes sign at each of its real roots.
    fmpz_poly_derivative(slope.value, common.value);
    fmpz_poly_gcd(shared.value, common.value, slope.value);
    fmpz_poly_div(common.value, common.value, shared.value);
    return sign_at(common.value, other.low.value) * sign_at(common.value, other.high.value) <= 0;
}
