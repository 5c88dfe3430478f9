#include "certified_roots.h"

#include "approximate_roots.h"
#include "long_double_balls.h"
#include "root_clusters.h"

#include <acb_poly.h>

#include <algorithm>
#include <cmath>

using cplx = std::complex<long double>;

namespace {

// The precision enclosures are first narrowed at, at least.
constexpr slong start_precision = 128;
// Weierstrass steps before the long double test: from unpolished roots
// three reach the rounding of long double.
constexpr int polish_steps = 6;

// A sum rounded to nearest is off by at most 2^-64 of itself (or the
// spacing of subnormals): moved out by 2^-62 and that spacing, it lies
// below, or above, the exact sum.
const long double outwards = std::ldexp(1.0L, -62);
const long double subnormal_spacing = std::ldexp(1.0L, -16440);

long double below(long double sum)
{
    return sum - (std::fabs(sum) * outwards + subnormal_spacing);
}

long double above(long double sum)
{
    return sum + (std::fabs(sum) * outwards + subnormal_spacing);
}

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// One approximation of every root, all finite and apart.
bool usable(const std::vector<cplx> &z, slong degree)
{
    if (slong(z.size()) != degree || !std::all_of(z.begin(), z.end(), finite))
        return false;
    for (size_t i = 0; i < z.size(); ++i)
        if (std::find(z.begin() + long(i) + 1, z.end(), z[i]) != z.end())
            return false;
    return true;
}

// The integer coefficients rounded to long double, each with the bound of
// its rounding: at most 2^-64 of it, none where it is exact.
BallPolynomial ball_polynomial(const fmpz_poly_struct *factor)
{
    BallPolynomial p;
    for (slong k = 0; k <= fmpz_poly_degree(factor); ++k) {
        bool exact = false;
        const long double c = to_long_double(fmpz_poly_get_coeff_ptr(factor, k), &exact);
        p.centre.push_back(c);
        p.radius.push_back(exact ? 0 : std::fabs(c) * std::ldexp(1.0L, -63));
    }
    return p;
}

double log2_modulus(const fmpz_t c)
{
    if (fmpz_is_zero(c))
        return -HUGE_VAL;
    slong exponent = 0;
    const double mantissa = fmpz_get_d_2exp(&exponent, c);
    return std::log2(std::fabs(mantissa)) + double(exponent);
}

std::vector<Ring> rings_of(const fmpz_poly_struct *factor)
{
    std::vector<double> log2_size;
    for (slong k = 0; k <= fmpz_poly_degree(factor); ++k)
        log2_size.push_back(log2_modulus(fmpz_poly_get_coeff_ptr(factor, k)));
    return newton_polygon(log2_size);
}

} // namespace

CertifiedRoots::CertifiedRoots(const fmpz_poly_struct *factor, slong multiplicity,
                               WorkBudget &budget, slong max_precision)
    : factor(factor), multiplicity(multiplicity), degree(fmpz_poly_degree(factor)),
      budget(budget), max_precision(max_precision), ball(ball_polynomial(factor)),
      enclosed(size_t(degree), false), discs(size_t(degree)),
      refined(size_t(degree), start_precision),
      coeffs(degree + 1), roots(degree)
{
    for (slong k = 0; k <= degree; ++k)
        acb_set_fmpz(coeffs.value + k, fmpz_poly_get_coeff_ptr(factor, k));
}

bool CertifiedRoots::isolate_quickly(const std::vector<cplx> &approximations)
{
    if (degree == 1) {
        isolate({});
        return true;
    }
    all_isolated = usable(approximations, degree) && enclose(approximations).settled
                   && all_enclosed();
    return all_isolated;
}

// The roots found, where there is one for each root and they settle; else
// Aberth's iteration from them and the rings of the Newton polygon.
void CertifiedRoots::isolate(const std::vector<cplx> &found)
{
    if (degree == 1) {
        divide_out(start_precision);
        all_isolated = true;
        return;
    }
    if (usable(found, degree) && enclose(found).settled && all_enclosed()) {
        all_isolated = true;
        return;
    }
    const Inclusion inclusion = enclose(aberth_roots(ball.centre, rings_of(factor), found));
    if (!all_enclosed()) {
        // Approximations long double could not hold leave every root to
        // the search at high precision, discs proved beside them included.
        const std::vector<cplx> &z = inclusion.approximations;
        if (!std::all_of(z.begin(), z.end(), [](cplx x) { return finite(x); })) {
            enclosed.assign(size_t(degree), false);
            discs.assign(size_t(degree), InclusionDisc());
        }
        const std::vector<bool> before = enclosed;
        isolate_clusters({coeffs.value, degree, roots.value, enclosed, z, max_precision, budget});
        for (slong i = 0; i < degree; ++i)
            if (!before[size_t(i)])
                discs[size_t(i)].isolated = false;
    }
    all_isolated = all_enclosed();
}

bool CertifiedRoots::all_enclosed() const
{
    return std::all_of(enclosed.begin(), enclosed.end(), [](bool e) { return e; });
}

// The long double test's discs as enclosures: the square around a disc, or
// the segment of a real one.
Inclusion CertifiedRoots::enclose(const std::vector<cplx> &z)
{
    Inclusion inclusion = inclusion_discs(ball, z, polish_steps);
    discs = inclusion.discs;
    Float radius;
    for (slong i = 0; i < degree; ++i) {
        const InclusionDisc &d = discs[size_t(i)];
        enclosed[size_t(i)] = d.isolated;
        acb_ptr r = roots.value + i;
        if (!d.isolated)
            continue;
        set_long_double(r, d.centre);
        set_long_double(radius.value, d.radius);
        arf_get_mag(arb_radref(acb_realref(r)), radius.value);
        if (d.real)
            arb_zero(acb_imagref(r));
        else
            mag_set(arb_radref(acb_imagref(r)), arb_radref(acb_realref(r)));
    }
    return inclusion;
}

// One Newton step from the middle of an enclosure doubles its correct bits,
// given the precision to hold them; where the narrower enclosure does not
// follow from the one held, the precision is too low, and doubles.
bool CertifiedRoots::refine(slong i)
{
    if (!all_isolated || budget.spent())
        return false;
    const slong held = std::clamp<slong>(acb_rel_accuracy_bits(root(i)), 0, max_precision);
    const slong working = std::max(refined[size_t(i)], 2 * held + 64);
    if (working > max_precision)
        return false;
    if (degree == 1) {
        if (!budget.take(1, working))
            return false;
        divide_out(working);
        refined[size_t(i)] = 2 * working;
        return true;
    }
    // Where the step gains little, the precision holds it back.
    if (narrow(i, working)) {
        discs[size_t(i)].isolated = false;
        if (std::min<slong>(acb_rel_accuracy_bits(root(i)), max_precision) < held + held / 2)
            refined[size_t(i)] = 2 * working;
    } else {
        refined[size_t(i)] = 2 * working;
    }
    return !budget.spent();
}

CertifiedRoots::Box CertifiedRoots::box(slong i) const
{
    const InclusionDisc &d = discs[size_t(i)];
    if (!d.isolated) {
        acb_srcptr r = root(i);
        return {lower_bound(acb_realref(r)), upper_bound(acb_realref(r)),
                lower_bound(acb_imagref(r)), upper_bound(acb_imagref(r))};
    }
    const cplx c = d.centre;
    if (d.real)
        return {below(c.real() - d.radius), above(c.real() + d.radius), 0, 0};
    return {below(c.real() - d.radius), above(c.real() + d.radius), below(c.imag() - d.radius),
            above(c.imag() + d.radius)};
}

// Every polynomial of degree d has a root within d |p(z)| / |p'(z)| of any
// point z. A disk of that radius around the Newton step from the middle of
// enclosure i, lying inside that enclosure, which holds exactly one root,
// holds that root. A real enclosure stands for the disk it is the diameter
// of, so two of them lie one inside the other as their segments do. Where
// the disk meets the real axis, the disk widened to one centred on the
// axis is tried first: inside the enclosure it holds exactly one root of a
// real polynomial, so a real one.
bool CertifiedRoots::narrow(slong i, slong working)
{
    // Two evaluations of the value and the slope.
    if (!budget.take(4 * (degree + 1), working))
        return false;
    const bool real = arb_is_zero(acb_imagref(root(i)));
    Balls work(4);
    acb_ptr z = work.value, value = work.value + 1, slope = work.value + 2, step = work.value + 3;
    acb_get_mid(z, root(i));
    _acb_poly_evaluate2(value, slope, coeffs.value, degree + 1, z, working);
    acb_div(step, value, slope, working);
    acb_sub(z, z, step, working);
    acb_get_mid(z, z);
    if (real)
        arb_zero(acb_imagref(z));
    _acb_poly_evaluate2(value, slope, coeffs.value, degree + 1, z, working);

    Real radius, size;
    acb_abs(radius.value, value, working);
    acb_abs(size.value, slope, working);
    arb_div(radius.value, radius.value, size.value, working);
    arb_mul_si(radius.value, radius.value, degree, working);
    Magnitude bound, height;
    arb_get_mag(bound.value, radius.value);
    if (!mag_is_finite(bound.value))
        return false;
    arf_get_mag(height.value, arb_midref(acb_imagref(z)));
    if (!real && mag_cmp(height.value, bound.value) <= 0) {
        Balls axis(1);
        arb_set(acb_realref(axis.value), acb_realref(z));
        mag_add(arb_radref(acb_realref(axis.value)), bound.value, height.value);
        mag_set(arb_radref(acb_imagref(axis.value)), arb_radref(acb_realref(axis.value)));
        if (acb_contains(roots.value + i, axis.value)) {
            arb_zero(acb_imagref(axis.value));
            acb_swap(roots.value + i, axis.value);
            return true;
        }
    }
    acb_add_error_mag(z, bound.value);
    if (real)
        arb_zero(acb_imagref(z));
    if (!acb_contains(roots.value + i, z))
        return false;
    acb_swap(roots.value + i, z);
    return true;
}

cplx CertifiedRoots::estimate(slong i) const
{
    if (discs[size_t(i)].isolated)
        return discs[size_t(i)].centre;
    return cplx(to_long_double(arb_midref(acb_realref(root(i)))),
                to_long_double(arb_midref(acb_imagref(root(i)))));
}

long double CertifiedRoots::relative_residual(cplx z) const
{
    return ::relative_residual(ball.centre, z);
}

// The one root of a linear factor, -b/a.
void CertifiedRoots::divide_out(slong working)
{
    acb_div(roots.value, coeffs.value, coeffs.value + 1, working);
    acb_neg(roots.value, roots.value);
    enclosed[0] = true;
}
