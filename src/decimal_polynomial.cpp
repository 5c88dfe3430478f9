#include "decimal_polynomial.h"

#include "flint_objects.h"
#include "root_conventions.h"

#include <flint/fmpq.h>
#include <flint/fmpq_poly.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr long max_decimal_digits = 700;
// The same width in bits, for integers already made.
constexpr slong max_bits = 2326; // ceil(700 * log2(10))

// A coefficient as the decimal it stands for.
struct Decimal {
    bool negative = false;
    std::string digits; // without leading zeros; empty for zero
    long exponent = 0;  // value = digits * 10^exponent
};

// [-]D[.DDD]e(+|-)XX, as to_chars writes it in scientific form.
Decimal parse_scientific(const char *p, const char *end)
{
    Decimal decimal;
    decimal.negative = *p == '-';
    p += decimal.negative;
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

Decimal shortest_decimal(long double v)
{
    char text[64];
    const double d = static_cast<double>(v);
    const char *end = static_cast<long double>(d) == v
                          ? std::to_chars(text, text + sizeof text, d, std::chars_format::scientific).ptr
                          : std::to_chars(text, text + sizeof text, v, std::chars_format::scientific).ptr;
    return parse_scientific(text, end);
}

// The digits of a double's shortest decimal fit a machine word; only a long
// double's may not.
void set_digits(fmpz_t value, const std::string &digits)
{
    unsigned long long word = 0;
    const char *end = digits.data() + digits.size();
    const std::from_chars_result read = std::from_chars(digits.data(), end, word);
    if (read.ec == std::errc() && read.ptr == end)
        fmpz_set_ui(value, word);
    else
        fmpz_set_str(value, digits.c_str(), 10);
}

bool readable(std::complex<long double> c)
{
    return std::isfinite(c.real()) && c.imag() == 0;
}

// The lowest power of ten among the coefficients and how many digits wide
// they are above it.
struct Span {
    long lowest = 0;
    long width = 0;
};

Span span(const std::vector<Decimal> &decimals)
{
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
    return {lowest, highest - lowest};
}

} // namespace

namespace {

// Each coefficient as the decimal it stands for, the leading one below the
// floor as 1; false where one has none or they span too many digits.
bool read_decimals(const std::complex<long double> *coeffs, int32_t n, std::vector<Decimal> &decimals)
{
    for (int32_t k = 0; k <= n; ++k) {
        if (!readable(coeffs[k]))
            return false;
        const long double v = coeffs[k].real();
        decimals.push_back(shortest_decimal(k == 0 && std::fabs(v) < roots::lead_floor ? 1 : v));
    }
    return span(decimals).width <= max_decimal_digits;
}

} // namespace

bool decimal_polynomial(const std::complex<long double> *coeffs, int32_t n, fmpz_poly_t out)
{
    std::vector<Decimal> decimals;
    if (!read_decimals(coeffs, n, decimals))
        return false;
    const Span scale = span(decimals);
    Integer value, power;
    for (int32_t k = 0; k <= n; ++k) {
        const Decimal &d = decimals[k];
        if (d.digits.empty())
            continue;
        set_digits(value.value, d.digits);
        fmpz_ui_pow_ui(power.value, 10, ulong(d.exponent - scale.lowest));
        fmpz_mul(value.value, value.value, power.value);
        if (d.negative)
            fmpz_neg(value.value, value.value);
        fmpz_poly_set_coeff_fmpz(out, n - k, value.value);
    }
    return true;
}

std::vector<std::string> decimal_coefficients(const std::complex<long double> *coeffs, int32_t n)
{
    std::vector<Decimal> decimals;
    if (!read_decimals(coeffs, n, decimals))
        return {};
    std::vector<std::string> exact;
    for (const Decimal &d : decimals) {
        if (d.digits.empty()) {
            exact.push_back("0");
            continue;
        }
        const std::string zeros(size_t(std::labs(d.exponent)), '0');
        exact.push_back((d.negative ? "-" : "") + d.digits
                        + (d.exponent >= 0 ? zeros : "/1" + zeros));
    }
    return exact;
}

bool read_rationals(const std::vector<std::string> &coeffs, fmpq_poly_t out)
{
    const slong n = slong(coeffs.size()) - 1;
    fmpq_poly_zero(out);
    Rational c;
    for (slong k = 0; k <= n; ++k) {
        if (fmpq_set_str(c.value, coeffs[size_t(k)].c_str(), 10) != 0
            || fmpz_is_zero(fmpq_denref(c.value)))
            return false;
        fmpq_canonicalise(c.value);
        fmpq_poly_set_coeff_fmpq(out, n - k, c.value);
    }
    return true;
}

bool rational_polynomial(const std::vector<std::string> &coeffs, fmpz_poly_t out)
{
    const slong n = slong(coeffs.size()) - 1;
    RationalPolynomial exact;
    if (n < 0 || !read_rationals(coeffs, exact.value) || fmpq_poly_degree(exact.value) != n)
        return false;
    fmpq_poly_get_numerator(out, exact.value);
    return std::abs(fmpz_poly_max_bits(out)) <= max_bits;
}
