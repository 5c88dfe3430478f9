#ifndef MODULI_H
#define MODULI_H

// The solver's decisions on moduli. Each is defined by the C library's
// modulus (cabsl), some also by the double-precision pow; the literal_
// functions compute exactly that. Nearly every call is far from a tie, and
// there x^2 + y^2 in extended precision and powers by repeated squaring,
// within a few units in the last place, settle it for a fraction of the
// cost. Only within a margin of a tie or of a rounding boundary, or where
// squares or powers could leave the safe range, is the defining formula
// computed.
#include "complex_arithmetic.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>

// The moduli come from the C library itself, so that every value is
// exactly what libm returns.
extern "C" long double cabsl(__complex__ long double);

namespace moduli {

using cplx = std::complex<long double>;
using complex_arithmetic::has_nan;

inline long double modulus(cplx u)
{
    return cabsl(u.__rep());
}

const long double unit_roundoff = 1.0L / 18446744073709551616.0L; // 2^-64
// How far, relatively, an estimate of a modulus may lie from the modulus:
// a few units in the last place.
const long double estimate_slack = 16 * unit_roundoff;
// How far, relatively, an estimate may lie from what it stands for and
// still decide a comparison: squared moduli lie within a few units in the
// last place; a bound whose base is rounded to double before pow raises it
// to the power d - 1 lies within about d + 1 units in the last place of a
// double of its estimate, 2.3e-13 at max_estimated_degree.
const long double tie_margin = 0x1p-40L; // 9.1e-13; 1 -+ it are doubles
constexpr int32_t max_estimated_degree = 1000;

// Parts of a size whose squares neither overflow nor underflow. (Limits
// that are doubles load faster than extended-precision ones.)
inline bool moderate(cplx u)
{
    const long double big = std::max(std::fabs(u.real()), std::fabs(u.imag()));
    return big > 1e-300 && big < 1e300;
}

inline long double squared_parts(cplx u)
{
    return u.real() * u.real() + u.imag() * u.imag();
}

// x^n, n >= 0, by repeated squaring.
inline long double power(long double x, int32_t n)
{
    long double result = 1;
    for (; n > 0; n >>= 1) {
        if (n & 1)
            result *= x;
        x *= x;
    }
    return result;
}

// Whether an estimate, relatively well within tie_margin of a value Q,
// settles that Q exceeds limit; *exceeds then holds the answer.
inline bool settles(long double estimate, long double limit, bool *exceeds)
{
    if (!(limit > 1e-300 && limit < 1e300))
        return false;
    if (estimate > limit * (1 + tie_margin)) {
        *exceeds = true;
        return true;
    }
    if (estimate < limit * (1 - tie_margin)) {
        *exceeds = false;
        return true;
    }
    return false;
}

// The double that every value within the slack of estimate rounds to, if
// they all round alike.
inline bool rounds_alike(long double estimate, double *out)
{
    const double low = static_cast<double>(estimate * (1 - estimate_slack));
    const double high = static_cast<double>(estimate * (1 + estimate_slack));
    *out = low;
    return low == high;
}

// |u| rounded to double.
inline double modulus_as_double(cplx u)
{
    double rounded;
    if (moderate(u) && rounds_alike(std::sqrt(squared_parts(u)), &rounded))
        return rounded;
    return static_cast<double>(modulus(u));
}

// Whether |u|^2, taken as modulus(u) squared, exceeds limit.
inline bool squared_modulus_exceeds(cplx u, long double limit)
{
    bool exceeds;
    if (moderate(u) && settles(squared_parts(u), limit, &exceeds))
        return exceeds;
    const long double m = modulus(u);
    return m * m > limit;
}

// Whether |u|^2 exceeds |v|, both moduli taken as the modulus.
inline bool squared_modulus_exceeds_modulus(cplx u, cplx v)
{
    bool exceeds;
    if (moderate(u) && moderate(v) && settles(squared_parts(u), std::sqrt(squared_parts(v)), &exceeds))
        return exceeds;
    const long double m = modulus(u);
    return m * m > modulus(v);
}

// The search's convergence test at a, where the value is fa, for degree d:
// the bound max(r^(d-1) d eps, eps/d), with r = |a| rounded to double and
// its power taken by pow, squared, is at least |fa|^2.
[[gnu::cold, gnu::noinline]] inline bool literal_converged(cplx a, cplx fa, int32_t d,
                                                           long double eps)
{
    const double r = static_cast<double>(modulus(a));
    const long double X = std::pow(r, static_cast<double>(d - 1)) *
                          static_cast<long double>(d) * eps;
    const long double Y = eps / d;
    const long double bound = Y <= X ? X : Y;
    const long double A = modulus(fa);
    return !has_nan(fa) && bound * bound >= A * A;
}

inline bool converged(cplx a, cplx fa, int32_t d, long double eps)
{
    if (moderate(a) && moderate(fa) && d <= max_estimated_degree) {
        // The bound squared, without the square root: |a|^(2(d-1)) (d eps)^2.
        const long double powered = power(squared_parts(a), d - 1);
        // Within the range of double once its square root is taken, so
        // that pow neither overflows nor underflows to where it matters.
        if (powered <= 1e600L) {
            const long double de = static_cast<long double>(d) * eps;
            const long double Y = eps / d;
            const long double bound2 = std::max(powered * (de * de), Y * Y);
            bool exceeds;
            if (settles(squared_parts(fa), bound2, &exceeds))
                return !exceeds;
        }
    }
    return literal_converged(a, fa, d, eps);
}

// try_root's acceptance test refuses z, where the value is v, for degree
// d: |v|^2 exceeds eps^2 D, D = pow(|z|^2 + 1 rounded to double, d - 1) d^2
// rounded to double.
[[gnu::cold, gnu::noinline]] inline bool literal_refuses(cplx v, cplx z, int32_t d,
                                                         long double eps)
{
    const long double m = modulus(z);
    const double D = std::pow(static_cast<double>(m * m + 1), static_cast<double>(d - 1)) *
                     (d * d);
    const long double mv = modulus(v);
    return mv * mv > eps * eps * D;
}

inline bool refuses(cplx v, cplx z, int32_t d, long double eps)
{
    if (moderate(z) && moderate(v) && d <= max_estimated_degree) {
        const long double D = power(squared_parts(z) + 1, d - 1) * (d * d);
        // Finite as a double.
        if (D <= 1e300) {
            bool exceeds;
            if (settles(squared_parts(v), eps * eps * D, &exceeds))
                return exceeds;
        }
    }
    return literal_refuses(v, z, d, eps);
}

// The tests as one search or one try_root call uses them, at degree d.
// Most values lie far above or below every bound there can be inside the
// unit circle, or the circle of radius sqrt(2): bounds worked out once for
// the call settle them without a power being taken.
class ConvergenceTest {
public:
    // The bound r^(d-1) d eps is at least eps/d and, for r <= 1, at most
    // d eps; for r^2 <= 2 at most d eps 2^((d-1)/2).
    ConvergenceTest(int32_t d, long double eps)
        : d(d), eps(eps), unit_bound2(static_cast<long double>(d) * eps * (d * eps)),
          wider_bound2(unit_bound2 * power(2, d - 1))
    {
    }

    bool passes(cplx a, cplx fa) const
    {
        if (moderate(fa) && d <= max_estimated_degree) {
            const long double r2 = squared_parts(a);
            bool exceeds;
            if (r2 <= 2 && settles(squared_parts(fa), r2 <= 1 ? unit_bound2 : wider_bound2, &exceeds) &&
                exceeds)
                return false;
        }
        return converged(a, fa, d, eps);
    }

private:
    int32_t d;
    long double eps;
    long double unit_bound2, wider_bound2;
};

class AcceptanceTest {
public:
    // D is at least d^2 and, for |z| <= 1, at most d^2 2^(d-1).
    AcceptanceTest(int32_t d, long double eps)
        : d(d), eps(eps), least(eps * eps * (d * d)), unit_most(least * power(2, d - 1))
    {
    }

    bool refuses(cplx v, cplx z) const
    {
        if (moderate(v) && d <= max_estimated_degree) {
            const long double v2 = squared_parts(v);
            bool exceeds;
            if (settles(v2, least, &exceeds) && !exceeds)
                return false;
            if (squared_parts(z) <= 1 && settles(v2, unit_most, &exceeds) && exceeds)
                return true;
        }
        return moduli::refuses(v, z, d, eps);
    }

private:
    int32_t d;
    long double eps;
    long double least, unit_most;
};

} // namespace moduli

#endif
