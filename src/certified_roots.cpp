#include "certified_roots.h"

#include <acb_poly.h>

#include <algorithm>
#include <cmath>
#include <limits>

using cplx = std::complex<long double>;

namespace {

// Enclosures are validated at this working precision first and never
// refined beyond the bound.
constexpr slong start_precision = 128;
constexpr slong max_precision = 4096;
// Steps of Arb's iteration at each precision: from seeds near the roots it
// needs a handful.
constexpr slong max_iterations = 50;
// Sweeps of the long double iteration; from the Newton polygon it settles
// in a few dozen.
constexpr int max_aberth_sweeps = 200;
const long double ldbl_epsilon = std::numeric_limits<long double>::epsilon();

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

void set_long_double(arb_t x, long double v)
{
    int exponent = 0;
    const long double fraction = std::frexp(v, &exponent);
    const auto mantissa = static_cast<unsigned long long>(std::ldexp(std::fabs(fraction), 64));
    arf_set_ui(arb_midref(x), mantissa);
    arf_mul_2exp_si(arb_midref(x), arb_midref(x), exponent - 64);
    if (fraction < 0)
        arf_neg(arb_midref(x), arb_midref(x));
    mag_zero(arb_radref(x));
}

void set_long_double(acb_t z, cplx v)
{
    set_long_double(acb_realref(z), v.real());
    set_long_double(acb_imagref(z), v.imag());
}

long double to_long_double(const fmpz_t c)
{
    slong exponent = 0;
    const double mantissa = fmpz_get_d_2exp(&exponent, c);
    return std::ldexp(static_cast<long double>(mantissa), int(exponent));
}

long double log_modulus(const fmpz_t c)
{
    return std::log(std::fabs(to_long_double(c)));
}

// Horner's scheme for c(z) and c'(z), constant first in c, at 1/z on the
// reversed polynomial where |z| > 1, so that no power overflows.
struct Evaluation {
    bool outside; // evaluated at x = 1/z
    cplx x, value, slope;
};

Evaluation evaluate(const std::vector<long double> &c, cplx z)
{
    const size_t d = c.size() - 1;
    Evaluation e{std::abs(z) > 1, z, 0, 0};
    if (e.outside)
        e.x = cplx(1, 0) / z;
    for (size_t k = 0; k <= d; ++k) {
        e.slope = e.slope * e.x + e.value;
        e.value = e.value * e.x + c[e.outside ? k : d - k];
    }
    return e;
}

// c(z) / c'(z); with x = 1/z and r the reversed polynomial it is
// z r(x) / (d r(x) - x r'(x)).
cplx newton_ratio(const std::vector<long double> &c, cplx z)
{
    const Evaluation e = evaluate(c, z);
    if (!e.outside)
        return e.value / e.slope;
    return z * e.value / (static_cast<long double>(c.size() - 1) * e.value - e.x * e.slope);
}

// Aberth-Ehrlich sweeps over all roots at once: cheap, and from the points
// of the Newton polygon quick to reach every root.
void aberth(const std::vector<long double> &c, std::vector<cplx> &z)
{
    for (int sweep = 0; sweep < max_aberth_sweeps; ++sweep) {
        bool moved = false;
        for (size_t i = 0; i < z.size(); ++i) {
            const cplx ratio = newton_ratio(c, z[i]);
            cplx pull(0, 0);
            for (size_t j = 0; j < z.size(); ++j)
                if (j != i)
                    pull += cplx(1, 0) / (z[i] - z[j]);
            const cplx step = ratio / (cplx(1, 0) - ratio * pull);
            if (!finite(step))
                continue;
            z[i] -= step;
            moved = moved || std::abs(step) > 4 * ldbl_epsilon * std::abs(z[i]);
        }
        if (!moved)
            return;
    }
}

// Starting points on circles whose radii follow the upper convex hull of
// (k, log |g_k|), the Newton polygon, so that roots of very different sizes
// each get points of their own size; zero roots get a tiny circle.
std::vector<cplx> polygon_points(const fmpz_poly_struct *g)
{
    const slong d = fmpz_poly_degree(g);
    std::vector<slong> hull;
    std::vector<long double> height(d + 1);
    for (slong k = 0; k <= d; ++k) {
        if (fmpz_is_zero(fmpz_poly_get_coeff_ptr(g, k)))
            continue;
        height[k] = log_modulus(fmpz_poly_get_coeff_ptr(g, k));
        while (hull.size() >= 2) {
            const slong i = hull[hull.size() - 2], j = hull.back();
            if ((height[j] - height[i]) * (k - i) > (height[k] - height[i]) * (j - i))
                break;
            hull.pop_back();
        }
        hull.push_back(k);
    }

    std::vector<cplx> points;
    const long double two_pi = 6.283185307179586476925L;
    auto add_circle = [&](long double log_radius, slong count) {
        const long double turn = two_pi * slong(points.size()) / d + 0.4L;
        for (slong j = 0; j < count; ++j)
            points.push_back(std::polar(std::exp(log_radius), two_pi * (j + 0.25L) / count + turn));
    };
    long double smallest = 0;
    for (size_t e = 0; e + 1 < hull.size(); ++e) {
        const slong i = hull[e], j = hull[e + 1];
        const long double log_radius = (height[i] - height[j]) / (j - i);
        smallest = e == 0 ? log_radius : std::min(smallest, log_radius);
        add_circle(log_radius, j - i);
    }
    if (hull.front() > 0)
        add_circle(smallest - 16, hull.front());
    return points;
}

// The roots found, then the polygon's points not taken by one of them.
std::vector<cplx> seeds(const fmpz_poly_struct *g, std::vector<cplx> found)
{
    std::vector<cplx> points = polygon_points(g);
    for (const cplx &z : found)
        points.erase(std::min_element(points.begin(), points.end(), [&](cplx a, cplx b) {
            return std::abs(a - z) < std::abs(b - z);
        }));
    found.insert(found.end(), points.begin(), points.end());
    return found;
}

} // namespace

long double to_long_double(const arf_t x)
{
    if (arf_is_zero(x))
        return 0;
    Float rounded;
    arf_set_round(rounded.value, x, 64, ARF_RND_NEAR);
    Integer mantissa, exponent;
    arf_get_fmpz_2exp(mantissa.value, exponent.value, rounded.value);
    const bool negative = fmpz_sgn(mantissa.value) < 0;
    fmpz_abs(mantissa.value, mantissa.value);
    const long double magnitude = std::ldexp(static_cast<long double>(fmpz_get_ui(mantissa.value)),
                                             int(fmpz_get_si(exponent.value)));
    return negative ? -magnitude : magnitude;
}

CertifiedRoots::CertifiedRoots(const fmpz_poly_struct *factor, slong multiplicity,
                               WorkBudget &budget)
    : factor(factor), multiplicity(multiplicity), degree(fmpz_poly_degree(factor)),
      budget(budget), precision(start_precision), refined(degree, start_precision), coeffs(degree + 1),
      roots(degree)
{
    for (slong k = 0; k <= degree; ++k) {
        acb_set_fmpz(coeffs.value + k, fmpz_poly_get_coeff_ptr(factor, k));
        approximate.push_back(to_long_double(fmpz_poly_get_coeff_ptr(factor, k)));
    }
}

void CertifiedRoots::isolate(const std::vector<cplx> &found)
{
    if (degree == 1) {
        divide_out();
        return;
    }
    // Points of the polygon are not worth validating as they are.
    if (slong(found.size()) == degree && validate(found))
        return;
    std::vector<cplx> nearer = seeds(factor, found);
    aberth(approximate, nearer);
    if (!validate(nearer))
        iterate();
}

// One Newton step from the middle of an enclosure doubles its correct bits.
// Should the narrower enclosure not follow from the one held, all of them
// are stepped and validated together, and Arb's iteration takes over where
// even that fails.
bool CertifiedRoots::refine(slong i)
{
    if (refined[i] >= max_precision || !all_isolated || budget.spent())
        return false;
    refined[i] *= 2;
    if (degree == 1) {
        precision = refined[i];
        divide_out();
        return true;
    }
    if (narrow(i, refined[i]))
        return true;
    if (!budget.take(4 * degree * (degree + 1), std::max(precision, refined[i])))
        return false;
    precision = std::max(precision, refined[i]);
    if (!newton_step())
        iterate();
    std::fill(refined.begin(), refined.end(), precision);
    return true;
}

// Every polynomial of degree d has a root within d |p(z)| / |p'(z)| of any
// point z. A disk of that radius around the Newton step from the middle of
// enclosure i, lying inside that enclosure, which holds exactly one root,
// holds that root.
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
    Magnitude bound;
    arb_get_mag(bound.value, radius.value);
    if (!mag_is_finite(bound.value))
        return false;
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
    return cplx(to_long_double(arb_midref(acb_realref(root(i)))),
                to_long_double(arb_midref(acb_imagref(root(i)))));
}

long double CertifiedRoots::relative_residual(cplx z) const
{
    const Evaluation e = evaluate(approximate, z);
    const long double r = std::abs(e.x);
    long double scale = 0;
    for (size_t k = 0; k < approximate.size(); ++k)
        scale = scale * r + std::fabs(approximate[e.outside ? k : approximate.size() - 1 - k]);
    return std::abs(e.value) / scale;
}

// A value and a product of differences for every root.
bool CertifiedRoots::validate(const std::vector<cplx> &z)
{
    if (!budget.take(2 * degree * (degree + 1), precision))
        return false;
    for (slong i = 0; i < degree; ++i)
        set_long_double(roots.value + i, z[i]);
    return _acb_poly_validate_roots(roots.value, coeffs.value, degree + 1, precision) == degree
           && settle_real_roots();
}

bool CertifiedRoots::newton_step()
{
    Balls step(3);
    acb_ptr value = step.value, slope = step.value + 1, z = step.value + 2;
    for (slong i = 0; i < degree; ++i) {
        acb_get_mid(z, roots.value + i);
        _acb_poly_evaluate2(value, slope, coeffs.value, degree + 1, z, precision);
        acb_div(value, value, slope, precision);
        acb_sub(z, z, value, precision);
        acb_get_mid(roots.value + i, z);
    }
    return _acb_poly_validate_roots(roots.value, coeffs.value, degree + 1, precision) == degree
           && settle_real_roots();
}

// The one root of a linear factor, -b/a.
void CertifiedRoots::divide_out()
{
    acb_div(roots.value, coeffs.value, coeffs.value + 1, precision);
    acb_neg(roots.value, roots.value);
}

// Iterates from the enclosures held, at rising precision up to its bound,
// as far as the budget allows. Each step of the iteration evaluates the
// factor and a product of differences for every root.
void CertifiedRoots::iterate()
{
    Balls initial(degree);
    while (budget.take(2 * degree * (degree + 1) * (max_iterations + 1), precision)) {
        for (slong i = 0; i < degree; ++i)
            acb_get_mid(initial.value + i, roots.value + i);
        if (_acb_poly_find_roots(roots.value, coeffs.value, initial.value, degree + 1,
                                 max_iterations, precision)
                == degree
            && settle_real_roots())
            return;
        if (precision >= max_precision)
            break;
        precision *= 2;
    }
    all_isolated = false;
}

// The factor is real: an enclosure touching the axis holds a real root once
// the real roots are known to be apart from the others.
bool CertifiedRoots::settle_real_roots()
{
    if (!_acb_poly_validate_real_roots(roots.value, coeffs.value, degree + 1, precision))
        return false;
    for (slong i = 0; i < degree; ++i)
        if (arb_contains_zero(acb_imagref(roots.value + i)))
            arb_zero(acb_imagref(roots.value + i));
    return true;
}
