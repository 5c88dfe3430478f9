#include "decimal_digits.h"

#include <algorithm>

namespace {

// sign(a - 10^e) for a > 0, exactly.
int compare_with_power(const fmpq_t a, slong e)
{
    Integer power, scaled;
    fmpz_ui_pow_ui(power.value, 10, ulong(e < 0 ? -e : e));
    if (e >= 0) {
        fmpz_mul(scaled.value, fmpq_denref(a), power.value);
        return fmpz_cmp(fmpq_numref(a), scaled.value);
    }
    fmpz_mul(scaled.value, fmpq_numref(a), power.value);
    return fmpz_cmp(scaled.value, fmpq_denref(a));
}

// |x| within 10^-digits of 0.
bool within_band(const fmpq_t x, slong digits)
{
    Rational a;
    fmpq_abs(a.value, x);
    return fmpq_is_zero(a.value) || compare_with_power(a.value, -digits) <= 0;
}

// x != 0 as d.ddd * 10^exponent with `digits` digits d, rounded to nearest,
// a tie away from 0.
struct Rounded {
    bool negative;
    std::string digits;
    slong exponent;

    bool operator==(const Rounded &other) const
    {
        return negative == other.negative && digits == other.digits && exponent == other.exponent;
    }
};

Rounded rounded(const fmpq_t x, slong digits)
{
    Rational a;
    fmpq_abs(a.value, x);
    // The decimal lengths of numerator and denominator put the exponent
    // within one or two of its value.
    slong e = slong(fmpz_sizeinbase(fmpq_numref(a.value), 10))
              - slong(fmpz_sizeinbase(fmpq_denref(a.value), 10));
    while (compare_with_power(a.value, e) < 0)
        --e;
    while (compare_with_power(a.value, e + 1) >= 0)
        ++e;

    // floor(a 10^shift + 1/2) = floor((2 num + den) / (2 den)), the power
    // of ten on the side where it is whole.
    const slong shift = digits - 1 - e;
    Integer num, den, power, m;
    fmpz_ui_pow_ui(power.value, 10, ulong(shift < 0 ? -shift : shift));
    fmpz_set(num.value, fmpq_numref(a.value));
    fmpz_set(den.value, fmpq_denref(a.value));
    fmpz_mul(shift >= 0 ? num.value : den.value, shift >= 0 ? num.value : den.value, power.value);
    fmpz_mul_2exp(num.value, num.value, 1);
    fmpz_add(num.value, num.value, den.value);
    fmpz_mul_2exp(den.value, den.value, 1);
    fmpz_fdiv_q(m.value, num.value, den.value);

    char *text = fmpz_get_str(nullptr, 10, m.value);
    std::string d(text);
    flint_free(text);
    // Rounded up to 10^digits: one digit more than there is room for.
    if (slong(d.size()) > digits) {
        d.pop_back();
        ++e;
    }
    return {fmpq_sgn(x) < 0, d, e};
}

std::string exponent_text(slong e)
{
    const std::string magnitude = std::to_string(e < 0 ? -e : e);
    return std::string(e < 0 ? "e-" : "e+") + (magnitude.size() < 2 ? "0" : "") + magnitude;
}

// General notation, as printf's %g writes it.
std::string written(const Rounded &r, slong digits)
{
    std::string d = r.digits;
    d.erase(std::max<size_t>(1, d.find_last_not_of('0') + 1));
    std::string text;
    if (r.exponent < -4 || r.exponent >= digits) {
        text = d.substr(0, 1) + (d.size() > 1 ? "." + d.substr(1) : "") + exponent_text(r.exponent);
    } else if (r.exponent < 0) {
        text = "0." + std::string(size_t(-r.exponent - 1), '0') + d;
    } else {
        const size_t whole = size_t(r.exponent) + 1;
        if (d.size() < whole)
            d.append(whole - d.size(), '0');
        text = d.substr(0, whole) + (d.size() > whole ? "." + d.substr(whole) : "");
    }
    return (r.negative ? "-" : "") + text;
}

} // namespace

void exact_bounds(const arb_t x, fmpq_t low, fmpq_t high)
{
    Float radius, end;
    arf_set_mag(radius.value, arb_radref(x));
    arf_sub(end.value, arb_midref(x), radius.value, ARF_PREC_EXACT, ARF_RND_DOWN);
    arf_get_fmpq(low, end.value);
    arf_add(end.value, arb_midref(x), radius.value, ARF_PREC_EXACT, ARF_RND_DOWN);
    arf_get_fmpq(high, end.value);
}

std::string decided_text(const fmpq_t low, const fmpq_t high, slong digits)
{
    const bool low_inside = within_band(low, digits), high_inside = within_band(high, digits);
    if (low_inside && high_inside)
        return "0";
    if (low_inside || high_inside || fmpq_sgn(low) != fmpq_sgn(high))
        return std::string();
    const Rounded a = rounded(low, digits);
    return a == rounded(high, digits) ? written(a, digits) : std::string();
}

std::string decided_text(const arb_t x, slong digits)
{
    if (!arb_is_finite(x))
        return std::string();
    Rational low, high;
    exact_bounds(x, low.value, high.value);
    return decided_text(low.value, high.value, digits);
}
