#include "exact_roots.h"

#include <acb_poly.h>
#include <arb_fmpz_poly.h>
#include <flint/fmpz_poly.h>
#include <flint/fmpz_poly_factor.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

using cplx = std::complex<long double>;

namespace {

// The same doubles, widened, as the search uses for its leading-coefficient
// floor and for the parts it hands back as 0.
const long double lead_floor = 0.01;
const long double tolerance = 1e-12;

// Bounds on the exact work. Scaled to integers, the coefficients are at most
// this many decimal digits wide: about 2300 bits, which holds the whole range
// of doubles (1e-300 beside 1e300) but not long double's. Enclosures are not
// refined beyond this working precision.
constexpr long max_decimal_digits = 700;
constexpr slong start_precision = 128;
constexpr slong max_precision = 4096;
// Steps of Arb's iteration at each precision: from seeds near the roots it
// needs a handful.
constexpr slong max_iterations = 50;
// What the dialog's coefficients scale to: at most 18 significant digits.
constexpr slong dialog_bits = 64;

// Sweeps of the long double iteration; from the Newton polygon it settles
// in a few dozen.
constexpr int max_aberth_sweeps = 200;
const long double ldbl_epsilon = std::numeric_limits<long double>::epsilon();

// A root found seeds the exact search only where the factor's value there
// is this small against the size of its terms.
const long double seed_residual = 1e-6L;

// The polishing-free search is asked for six correct digits.
const long double plain_accuracy = 1e-6L;

// Scoped FLINT and Arb objects, so that each is cleared on every path.
struct Integer {
    Integer() { fmpz_init(value); }
    ~Integer() { fmpz_clear(value); }
    Integer(const Integer &) = delete;
    Integer &operator=(const Integer &) = delete;
    fmpz_t value;
};

struct IntegerPolynomial {
    IntegerPolynomial() { fmpz_poly_init(value); }
    ~IntegerPolynomial() { fmpz_poly_clear(value); }
    IntegerPolynomial(const IntegerPolynomial &) = delete;
    IntegerPolynomial &operator=(const IntegerPolynomial &) = delete;
    fmpz_poly_t value;
};

struct SquareFreeFactors {
    explicit SquareFreeFactors(const fmpz_poly_t p)
    {
        fmpz_poly_factor_init(value);
        fmpz_poly_factor_squarefree(value, p);
    }
    ~SquareFreeFactors() { fmpz_poly_factor_clear(value); }
    SquareFreeFactors(const SquareFreeFactors &) = delete;
    SquareFreeFactors &operator=(const SquareFreeFactors &) = delete;
    fmpz_poly_factor_t value;
};

struct Balls {
    explicit Balls(slong n) : value(_acb_vec_init(n)), size(n) {}
    ~Balls() { _acb_vec_clear(value, size); }
    Balls(const Balls &) = delete;
    Balls &operator=(const Balls &) = delete;
    acb_ptr value;
    slong size;
};

struct Float {
    Float() { arf_init(value); }
    ~Float() { arf_clear(value); }
    Float(const Float &) = delete;
    Float &operator=(const Float &) = delete;
    arf_t value;
};

// ---- The polynomial as written ----

// A coefficient as the decimal it stands for: sign, digits, power of ten.
struct Decimal {
    bool negative = false;
    std::string digits; // without leading zeros; empty for zero
    long exponent = 0;  // value = digits * 10^exponent
};

// The shortest decimal that reads back as v: as a double when v is one, so
// that what was typed as 0.1 is one tenth.
Decimal shortest_decimal(long double v)
{
    char text[64];
    const double d = static_cast<double>(v);
    const char *end = static_cast<long double>(d) == v
                          ? std::to_chars(text, text + sizeof text, d, std::chars_format::scientific).ptr
                          : std::to_chars(text, text + sizeof text, v, std::chars_format::scientific).ptr;
    // [-]D[.DDD]e(+|-)XX
    Decimal decimal;
    const char *p = text;
    decimal.negative = *p == '-';
    if (decimal.negative)
        ++p;
    long fraction_digits = 0;
    bool in_fraction = false;
    for (; p != end && *p != 'e'; ++p) {
        if (*p == '.') {
            in_fraction = true;
            continue;
        }
        decimal.digits += *p;
        fraction_digits += in_fraction;
    }
    long power = 0;
    if (p != end && ++p != end)
        std::from_chars(p + (*p == '+'), end, power);
    decimal.exponent = power - fraction_digits;
    const size_t first = decimal.digits.find_first_not_of('0');
    decimal.digits.erase(0, first == std::string::npos ? decimal.digits.size() : first);
    return decimal;
}

// The coefficients as written, scaled by one power of ten to integers, in
// FLINT's order (constant term first). False where there is no such reading
// or the integers would be wider than the bound.
bool exact_polynomial(const cplx *coeffs, int32_t n, fmpz_poly_t out)
{
    std::vector<Decimal> decimals;
    for (int32_t k = 0; k <= n; ++k) {
        long double v = coeffs[k].real();
        if (!std::isfinite(v) || coeffs[k].imag() != 0)
            return false;
        if (k == 0 && std::fabs(v) < lead_floor)
            v = 1;
        decimals.push_back(shortest_decimal(v));
    }
    long lowest = 0, highest = 0;
    bool any = false;
    for (const Decimal &d : decimals) {
        if (d.digits.empty())
            continue;
        const long top = d.exponent + long(d.digits.size());
        lowest = any ? std::min(lowest, d.exponent) : d.exponent;
        highest = any ? std::max(highest, top) : top;
        any = true;
    }
    if (highest - lowest > max_decimal_digits)
        return false;

    Integer value, scale;
    for (int32_t k = 0; k <= n; ++k) {
        const Decimal &d = decimals[k];
        if (d.digits.empty())
            continue;
        fmpz_set_str(value.value, d.digits.c_str(), 10);
        fmpz_ui_pow_ui(scale.value, 10, ulong(d.exponent - lowest));
        fmpz_mul(value.value, value.value, scale.value);
        if (d.negative)
            fmpz_neg(value.value, value.value);
        fmpz_poly_set_coeff_fmpz(out, n - k, value.value);
    }
    return true;
}

// ---- Between long double and Arb ----

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

// x rounded to the nearest long double. The bound on the coefficients keeps
// every root far inside the range of normal long doubles.
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
    const long double magnitude =
        std::ldexp(static_cast<long double>(fmpz_get_ui(mantissa.value)),
                   int(fmpz_get_si(exponent.value)));
    return negative ? -magnitude : magnitude;
}

// A part as the solver hands it back.
long double shown_part(long double x)
{
    return std::fabs(x) <= tolerance ? 0.0L : x;
}

long double shown_part(const arf_t x)
{
    return shown_part(to_long_double(x));
}

// A part as the main window writes it: 12 significant digits of the double.
std::string part_text(long double x)
{
    char text[32];
    const char *end = std::to_chars(text, text + sizeof text, static_cast<double>(x),
                                    std::chars_format::general, 12).ptr;
    return std::string(static_cast<const char *>(text), end);
}

struct Ends {
    Ends(const arb_t x)
    {
        arb_get_lbound_arf(low.value, x, start_precision);
        arb_get_ubound_arf(high.value, x, start_precision);
    }
    Float low, high;
};

bool value_decided(const arb_t x)
{
    const Ends ends(x);
    return shown_part(ends.low.value) == shown_part(ends.high.value);
}

bool text_decided(const arb_t x)
{
    const Ends ends(x);
    return part_text(shown_part(ends.low.value)) == part_text(shown_part(ends.high.value));
}

long double midpoint(const arb_t x)
{
    return to_long_double(arb_midref(x));
}

// ---- Approximate roots in long double ----

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

long double coefficient(const fmpz_poly_struct *g, slong k)
{
    slong exponent = 0;
    const double mantissa = fmpz_get_d_2exp(&exponent, fmpz_poly_get_coeff_ptr(g, k));
    return std::ldexp(static_cast<long double>(mantissa), int(exponent));
}

// g(z) / g'(z), from the reversed factor at 1/z where |z| > 1, so that no
// power overflows: with w = 1/z and r the reversed factor,
// g / g' = z r(w) / (d r(w) - w r'(w)).
cplx newton_ratio(const std::vector<long double> &c, cplx z)
{
    const size_t d = c.size() - 1;
    const bool outside = std::abs(z) > 1;
    const cplx x = outside ? cplx(1, 0) / z : z;
    cplx value(0, 0), slope(0, 0);
    for (size_t k = 0; k <= d; ++k) {
        slope = slope * x + value;
        value = value * x + c[outside ? k : d - k];
    }
    if (!outside)
        return value / slope;
    return z * value / (static_cast<long double>(d) * value - x * slope);
}

// Aberth-Ehrlich sweeps over all roots of a factor at once: cheap, and from
// the points of the Newton polygon quick to reach every root.
void aberth(const fmpz_poly_struct *g, std::vector<cplx> &z)
{
    std::vector<long double> c;
    for (slong k = 0; k <= fmpz_poly_degree(g); ++k)
        c.push_back(coefficient(g, k));
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

// ---- Certified roots of one square-free factor ----

// Disjoint enclosures of every root of one square-free factor, refined on
// demand; each holds exactly one root, and those that touch the real axis
// are known to hold real ones.
class FactorRoots
{
public:
    FactorRoots(const fmpz_poly_struct *factor, slong multiplicity)
        : factor(factor), multiplicity(multiplicity), degree(fmpz_poly_degree(factor)),
          coeffs(degree + 1), roots(degree)
    {
        for (slong i = 0; i <= degree; ++i)
            acb_set_fmpz(coeffs.value + i, fmpz_poly_get_coeff_ptr(factor, i));
    }

    // Enclosures around the seeds where they validate, else after cheap
    // iterations from them, else after Arb's own. Seeds that are not all
    // roots found by the search are not worth validating as they are.
    void isolate(const std::vector<cplx> &seeds, bool all_found)
    {
        if (degree == 1) {
            divide_out();
            return;
        }
        if (all_found && validate(seeds))
            return;
        std::vector<cplx> nearer = seeds;
        aberth(factor, nearer);
        if (!validate(nearer))
            iterate();
    }

    // Whether every enclosure holds exactly one root; false only where the
    // bound on the work was reached first.
    bool isolated() const { return all_isolated; }

    // Doubles the working precision with one Newton step from the middle
    // of every enclosure, which doubles their correct bits too, and
    // validates again. False once the precision has reached its bound.
    bool refine()
    {
        if (precision >= max_precision || !all_isolated)
            return false;
        precision *= 2;
        if (degree == 1)
            divide_out();
        else if (!newton_step())
            iterate();
        return true;
    }

    // Refines until every enclosure satisfies decided, as far as the bound allows.
    template <class Decided> void refine_until(Decided decided)
    {
        for (;;) {
            bool all = true;
            for (slong i = 0; i < degree && all; ++i)
                all = decided(roots.value + i);
            if (all || !refine())
                return;
        }
    }

    cplx estimate(slong i) const
    {
        return cplx(midpoint(acb_realref(roots.value + i)), midpoint(acb_imagref(roots.value + i)));
    }

    const fmpz_poly_struct *const factor;
    const slong multiplicity;
    const slong degree;

private:
    bool validate(const std::vector<cplx> &z)
    {
        for (slong i = 0; i < degree; ++i)
            set_long_double(roots.value + i, z[i]);
        return _acb_poly_validate_roots(roots.value, coeffs.value, degree + 1, precision) == degree
               && settle_real_roots();
    }

    bool newton_step()
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
    void divide_out()
    {
        acb_div(roots.value, coeffs.value, coeffs.value + 1, precision);
        acb_neg(roots.value, roots.value);
    }

    // Iterates from the enclosures held, at rising precision up to its
    // bound. Arb's own search from scratch, whose work has no bound, is the
    // last resort only for coefficients of the dialog's size.
    void iterate()
    {
        Balls initial(degree);
        for (;;) {
            for (slong i = 0; i < degree; ++i)
                acb_get_mid(initial.value + i, roots.value + i);
            if (_acb_poly_find_roots(roots.value, coeffs.value, initial.value, degree + 1, max_iterations,
                                     precision)
                    == degree
                && settle_real_roots())
                return;
            if (precision >= max_precision)
                break;
            precision *= 2;
        }
        all_isolated = std::abs(fmpz_poly_max_bits(factor)) <= dialog_bits;
        if (all_isolated)
            arb_fmpz_poly_complex_roots(roots.value, factor, 0, precision);
    }

    // The factor is real: an enclosure touching the axis holds a real root
    // once the real roots are known to be apart from the others.
    bool settle_real_roots()
    {
        if (!_acb_poly_validate_real_roots(roots.value, coeffs.value, degree + 1, precision))
            return false;
        for (slong i = 0; i < degree; ++i)
            if (arb_contains_zero(acb_imagref(roots.value + i)))
                arb_zero(acb_imagref(roots.value + i));
        return true;
    }

    slong precision = start_precision;
    bool all_isolated = true;
    Balls coeffs;

public:
    Balls roots;
};

bool text_decided(const acb_t z)
{
    return text_decided(acb_realref(z)) && text_decided(acb_imagref(z));
}

bool value_decided(const acb_t z)
{
    return value_decided(acb_realref(z)) && value_decided(acb_imagref(z));
}

// ---- Seeds from the roots found ----

// |g(z)| against the sum of the moduli of its terms: 0 at a root, near 1
// far from any. Evaluated at 1/z on the reversed factor where |z| > 1, so
// that no power overflows.
long double relative_residual(const fmpz_poly_struct *g, cplx z)
{
    const slong d = fmpz_poly_degree(g);
    const bool outside = std::abs(z) > 1;
    const cplx x = outside ? cplx(1, 0) / z : z;
    const long double r = std::abs(x);
    cplx value(0, 0);
    long double scale = 0;
    for (slong k = 0; k <= d; ++k) {
        const long double c = coefficient(g, outside ? k : d - k);
        value = value * x + c;
        scale = scale * r + std::fabs(c);
    }
    return std::abs(value) / scale;
}

long double log_modulus(const fmpz_t c)
{
    slong exponent = 0;
    const double mantissa = fmpz_get_d_2exp(&exponent, c);
    return std::log(std::fabs(static_cast<long double>(mantissa))) + exponent * std::log(2.0L);
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

struct Seeds {
    std::vector<cplx> points;
    bool all_found = true; // every point is a root the search found
};

// Every distinct root found seeds the factor it fits best, if it is near a
// root of it at all; a factor short of seeds gets the points of its Newton
// polygon not taken by a seed.
std::vector<Seeds> seeds_for(const std::vector<std::unique_ptr<FactorRoots>> &factors,
                                         const cplx *found, int32_t count)
{
    std::vector<cplx> distinct;
    for (int32_t i = 0; i < count; ++i)
        if (finite(found[i]) && std::find(distinct.begin(), distinct.end(), found[i]) == distinct.end())
            distinct.push_back(found[i]);

    struct Fit {
        long double residual;
        cplx z;
    };
    std::vector<std::vector<Fit>> fits(factors.size());
    for (const cplx &z : distinct) {
        size_t best = 0;
        long double best_residual = seed_residual;
        for (size_t f = 0; f < factors.size(); ++f) {
            const long double residual = relative_residual(factors[f]->factor, z);
            if (residual < best_residual) {
                best = f;
                best_residual = residual;
            }
        }
        // A value far from every root would only slow the iteration down.
        if (best_residual < seed_residual)
            fits[best].push_back({best_residual, z});
    }

    std::vector<Seeds> seeds(factors.size());
    for (size_t f = 0; f < factors.size(); ++f) {
        std::stable_sort(fits[f].begin(), fits[f].end(),
                         [](const Fit &a, const Fit &b) { return a.residual < b.residual; });
        const slong degree = factors[f]->degree;
        std::vector<cplx> &chosen = seeds[f].points;
        for (const Fit &fit : fits[f])
            if (slong(chosen.size()) < degree)
                chosen.push_back(fit.z);
        if (slong(chosen.size()) == degree || degree == 1)
            continue;
        seeds[f].all_found = false;
        std::vector<cplx> points = polygon_points(factors[f]->factor);
        for (const cplx &seed : chosen)
            points.erase(std::min_element(points.begin(), points.end(), [&](cplx a, cplx b) {
                return std::abs(a - seed) < std::abs(b - seed);
            }));
        chosen.insert(chosen.end(), points.begin(), points.end());
    }
    return seeds;
}

// ---- From certified roots to the roots handed back ----

struct ExactRoot {
    FactorRoots *factor;
    slong index;
    acb_srcptr enclosure() const { return factor->roots.value + index; }
};

std::vector<cplx> estimates(const std::vector<ExactRoot> &exact)
{
    std::vector<cplx> z;
    for (const ExactRoot &root : exact)
        z.push_back(root.factor->estimate(root.index));
    return z;
}

std::vector<ExactRoot> exact_roots_of(const std::vector<std::unique_ptr<FactorRoots>> &factors)
{
    std::vector<ExactRoot> roots;
    for (const auto &factor : factors)
        for (slong i = 0; i < factor->degree; ++i)
            roots.push_back({factor.get(), i});
    return roots;
}

cplx shown(acb_srcptr z)
{
    return cplx(shown_part(midpoint(acb_realref(z))), shown_part(midpoint(acb_imagref(z))));
}

bool same_text(cplx found, acb_srcptr exact)
{
    const cplx z = shown(exact);
    return part_text(found.real()) == part_text(z.real())
           && part_text(found.imag()) == part_text(z.imag());
}

bool shows_complex(cplx z)
{
    return z.imag() != 0;
}

// Where one root found ends up, given the exact root that claimed it.
enum class Verdict { keep, make_real, replace };

Verdict verdict(cplx found, acb_srcptr exact, bool polished)
{
    if (polished)
        return same_text(found, exact) ? Verdict::keep : Verdict::replace;
    const cplx z = shown(exact);
    const long double r = std::abs(z);
    if (!(std::abs(found - z) <= plain_accuracy * r))
        return Verdict::replace;
    if (shows_complex(found) == shows_complex(z))
        return Verdict::keep;
    return arb_is_zero(acb_imagref(exact)) ? Verdict::make_real : Verdict::replace;
}

struct Claim {
    bool claimed = false;
    size_t exact = 0;
};

// Each exact root claims as many of the roots found as its multiplicity,
// nearest first.
std::vector<Claim> claims(const std::vector<ExactRoot> &exact, const cplx *found, int32_t count)
{
    struct Pair {
        long double distance;
        int32_t found;
        size_t exact;
    };
    const std::vector<cplx> z = estimates(exact);
    std::vector<Pair> pairs;
    for (int32_t i = 0; i < count; ++i)
        for (size_t j = 0; j < exact.size(); ++j) {
            const long double distance = std::abs(found[i] - z[j]);
            if (!std::isnan(distance))
                pairs.push_back({distance, i, j});
        }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair &a, const Pair &b) { return a.distance < b.distance; });

    std::vector<Claim> claim(count);
    std::vector<slong> left;
    for (const ExactRoot &root : exact)
        left.push_back(root.factor->multiplicity);
    for (const Pair &pair : pairs) {
        if (claim[pair.found].claimed || left[pair.exact] == 0)
            continue;
        claim[pair.found] = {true, pair.exact};
        --left[pair.exact];
    }
    return claim;
}

struct Plan {
    std::vector<cplx> roots;
    std::vector<FactorRoots *> undecided; // factors whose certified values are not yet decided
    bool changed = false;
};

cplx certified(Plan &plan, const ExactRoot &root)
{
    plan.changed = true;
    if (!value_decided(root.enclosure())
        && std::find(plan.undecided.begin(), plan.undecided.end(), root.factor) == plan.undecided.end())
        plan.undecided.push_back(root.factor);
    return shown(root.enclosure());
}

// Real roots in increasing order, then complex ones by real part, each
// with positive imaginary part before its conjugate.
bool before(cplx a, cplx b)
{
    if (a.real() != b.real())
        return a.real() < b.real();
    if (std::fabs(a.imag()) != std::fabs(b.imag()))
        return std::fabs(a.imag()) < std::fabs(b.imag());
    return a.imag() > b.imag();
}

// Kept roots first, in their places; then the exact roots not yet shown as
// often as their multiplicity.
Plan plan_roots(const std::vector<ExactRoot> &exact, const cplx *found, int32_t count, bool polished)
{
    Plan plan;
    const std::vector<Claim> claim = claims(exact, found, count);
    std::vector<slong> shown_copies(exact.size(), 0);
    for (int32_t i = 0; i < count; ++i) {
        if (!claim[i].claimed) {
            plan.changed = true;
            continue;
        }
        const ExactRoot &root = exact[claim[i].exact];
        ++shown_copies[claim[i].exact];
        switch (verdict(found[i], root.enclosure(), polished)) {
        case Verdict::keep:
            plan.roots.push_back(found[i]);
            break;
        case Verdict::make_real:
            plan.roots.push_back(cplx(found[i].real(), 0));
            plan.changed = true;
            break;
        case Verdict::replace:
            plan.roots.push_back(certified(plan, root));
            break;
        }
    }
    std::vector<cplx> added;
    for (size_t j = 0; j < exact.size(); ++j)
        for (; shown_copies[j] < exact[j].factor->multiplicity; ++shown_copies[j])
            added.push_back(certified(plan, exact[j]));
    std::sort(added.begin(), added.end(), before);
    plan.roots.insert(plan.roots.end(), added.begin(), added.end());
    return plan;
}

// Without an exact polynomial only a root that is not a number is known to
// be wrong.
RootCheck drop_non_numbers(cplx *roots, int32_t *count)
{
    const cplx *end = std::remove_if(roots, roots + *count, [](cplx z) {
        return std::isnan(z.real()) || std::isnan(z.imag());
    });
    *count = int32_t(end - roots);
    return RootCheck::not_exact;
}

} // namespace

RootCheck certify_roots(const cplx *coeffs, int32_t n, bool polished, cplx *roots, int32_t *count)
{
    IntegerPolynomial p;
    if (n < 1 || !exact_polynomial(coeffs, n, p.value))
        return drop_non_numbers(roots, count);

    const SquareFreeFactors square_free(p.value);
    std::vector<std::unique_ptr<FactorRoots>> factors;
    for (slong f = 0; f < square_free.value->num; ++f)
        factors.push_back(std::make_unique<FactorRoots>(square_free.value->p + f,
                                                        square_free.value->exp[f]));
    const std::vector<Seeds> seeds = seeds_for(factors, roots, *count);
    for (size_t f = 0; f < factors.size(); ++f) {
        factors[f]->isolate(seeds[f].points, seeds[f].all_found);
        factors[f]->refine_until([](acb_srcptr z) { return text_decided(z); });
        if (!factors[f]->isolated())
            return drop_non_numbers(roots, count);
    }

    const std::vector<ExactRoot> exact = exact_roots_of(factors);
    Plan plan = plan_roots(exact, roots, *count, polished);
    while (!plan.undecided.empty()) {
        bool refined = false;
        for (FactorRoots *factor : plan.undecided)
            if (factor->refine())
                refined = true;
        if (!refined)
            break;
        if (std::any_of(factors.begin(), factors.end(), [](const auto &f) { return !f->isolated(); }))
            return drop_non_numbers(roots, count);
        plan = plan_roots(exact, roots, *count, polished);
    }

    std::copy(plan.roots.begin(), plan.roots.end(), roots);
    *count = int32_t(plan.roots.size());
    return plan.changed ? RootCheck::changed : RootCheck::kept;
}
