#include "long_double_balls.h"

#include <cmath>

void set_long_double(arf_t x, long double v)
{
    int exponent = 0;
    const long double fraction = std::frexp(v, &exponent);
    const auto mantissa = static_cast<unsigned long long>(std::ldexp(std::fabs(fraction), 64));
    arf_set_ui(x, mantissa);
    arf_mul_2exp_si(x, x, exponent - 64);
    if (fraction < 0)
        arf_neg(x, x);
}

void set_long_double(acb_t z, std::complex<long double> v)
{
    set_long_double(arb_midref(acb_realref(z)), v.real());
    mag_zero(arb_radref(acb_realref(z)));
    set_long_double(arb_midref(acb_imagref(z)), v.imag());
    mag_zero(arb_radref(acb_imagref(z)));
}

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

namespace {

// x, a number of at most 64 bits, as the long double it is, where it lies
// within +-2^-16000 .. +-2^16000; else rounded the given way.
long double within_range(const arf_t x, arf_rnd_t way)
{
    const long double limit = std::ldexp(1.0L, 16000);
    if (arf_cmpabs_2exp_si(x, 16000) > 0)
        return arf_sgn(x) > 0 ? HUGE_VALL : -HUGE_VALL;
    if (!arf_is_zero(x) && arf_cmpabs_2exp_si(x, -16000) < 0) {
        const bool away = (way == ARF_RND_CEIL) == (arf_sgn(x) > 0);
        return away ? arf_sgn(x) / limit : 0;
    }
    return to_long_double(x);
}

} // namespace

long double lower_bound(const arb_t x)
{
    Float bound;
    arb_get_lbound_arf(bound.value, x, 64);
    return within_range(bound.value, ARF_RND_FLOOR);
}

long double upper_bound(const arb_t x)
{
    Float bound;
    arb_get_ubound_arf(bound.value, x, 64);
    return within_range(bound.value, ARF_RND_CEIL);
}

long double to_long_double(const fmpz_t c, bool *exact)
{
    Float rounded;
    *exact = arf_set_round_fmpz(rounded.value, c, 64, ARF_RND_NEAR) == 0;
    return to_long_double(rounded.value);
}
