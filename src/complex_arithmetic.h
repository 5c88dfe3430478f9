#ifndef COMPLEX_ARITHMETIC_H
#define COMPLEX_ARITHMETIC_H

// Extended-precision complex products, quotients and polynomial values with
// the very bits of std::complex<long double>, for the solver's hot loops.
//
// The compiler forms a product by the textbook formulas and calls its
// runtime only when both parts come out NaN; that call, kept in every loop,
// costs more than the arithmetic. Here the loops use the textbook formulas
// alone. A NaN that appears anywhere along a value, a power or a Horner
// step stays in every later step, so a result without NaN proves that no
// product needed the runtime; a result with one is computed again the
// std::complex way, out of line.
#include <cfloat>
#include <cmath>
#include <complex>
#include <cstdint>

namespace complex_arithmetic {

using cplx = std::complex<long double>;

inline bool has_nan(cplx u)
{
    return std::isnan(u.real()) || std::isnan(u.imag());
}

// a * b as the compiler forms it, wherever not both parts are NaN.
inline cplx textbook_product(cplx a, cplx b)
{
    return cplx(a.real() * b.real() - a.imag() * b.imag(),
                a.real() * b.imag() + a.imag() * b.real());
}

// The value of c[0] x^d + ... + c[d], with explicit powers summed from the
// constant term upwards (each power one more product on the one before).
[[gnu::cold, gnu::noinline]] inline cplx literal_value(const cplx *c, int32_t d, cplx x)
{
    cplx result = c[d];
    cplx power(1, 0);
    for (int32_t i = 1; i <= d; ++i) {
        power = x * power;
        const cplx term = c[d - i] * power;
        result = cplx(result.real() + term.real(), result.imag() + term.imag());
    }
    return result;
}

// The same value by textbook products.
inline cplx value(const cplx *c, int32_t d, cplx x)
{
    // x, the power, the sum and the products need more than the eight x87
    // registers; x is read from memory at every step, which costs less than
    // the compiler's choice of storing the sum.
    volatile long double point[2] = {x.real(), x.imag()};
    cplx result = c[d];
    cplx power(1, 0);
    for (int32_t i = 1; i <= d; ++i) {
        power = textbook_product(cplx(point[0], point[1]), power);
        result += textbook_product(c[d - i], power);
    }
    return has_nan(result) ? literal_value(c, d, x) : result;
}

// Synthetic division of c[0] x^d + ... + c[d] by (x - r), d >= 1: the
// quotient goes to q[0] .. q[d - 1], the remainder is returned.
[[gnu::cold, gnu::noinline]] inline cplx literal_deflation(const cplx *c, int32_t d, cplx r,
                                                           cplx *q)
{
    q[0] = c[0];
    for (int32_t k = 1; k < d; ++k)
        q[k] = c[k] + q[k - 1] * r;
    return c[d] + q[d - 1] * r;
}

inline cplx deflation(const cplx *c, int32_t d, cplx r, cplx *q)
{
    cplx carry = c[0];
    q[0] = carry;
    for (int32_t k = 1; k < d; ++k) {
        carry = c[k] + textbook_product(carry, r);
        q[k] = carry;
    }
    const cplx remainder = c[d] + textbook_product(carry, r);
    return has_nan(remainder) ? literal_deflation(c, d, r, q) : remainder;
}

// The runtime's recovery of infinities and zeros that its quotient formulas
// gave as NaN + NaN i, on the operands as it scaled them.
[[gnu::cold, gnu::noinline]] inline cplx recovered_quotient(long double a, long double b,
                                                            long double c, long double d,
                                                            long double x, long double y)
{
    const long double inf = INFINITY;
    if (c == 0.0 && d == 0.0 && (!std::isnan(a) || !std::isnan(b))) {
        x = std::copysign(inf, c) * a;
        y = std::copysign(inf, c) * b;
    } else if ((std::isinf(a) || std::isinf(b)) && std::isfinite(c) && std::isfinite(d)) {
        a = std::copysign(std::isinf(a) ? 1.0L : 0.0L, a);
        b = std::copysign(std::isinf(b) ? 1.0L : 0.0L, b);
        x = inf * (a * c + b * d);
        y = inf * (b * c - a * d);
    } else if ((std::isinf(c) || std::isinf(d)) && std::isfinite(a) && std::isfinite(b)) {
        c = std::copysign(std::isinf(c) ? 1.0L : 0.0L, c);
        d = std::copysign(std::isinf(d) ? 1.0L : 0.0L, d);
        x = 0.0L * (a * c + b * d);
        y = 0.0L * (b * c - a * d);
    }
    return cplx(x, y);
}

// (a + bi) / (c + di) exactly as std::complex<long double> divides: the
// runtime's Smith division, with operands scaled away from overflow and
// underflow first, operation for operation.
inline cplx quotient(cplx num, cplx den)
{
    const long double big = LDBL_MAX / 2;
    const long double smallest_normal = LDBL_MIN;
    const long double tiny = LDBL_EPSILON;
    const long double upscale = 1 / LDBL_EPSILON;
    const long double big_tiny = big * tiny;
    long double a = num.real(), b = num.imag(), c = den.real(), d = den.imag();
    long double x, y;
    if (std::fabs(c) < std::fabs(d)) {
        if (std::fabs(d) >= big) {
            a = a / 2;
            b = b / 2;
            c = c / 2;
            d = d / 2;
        }
        if (std::fabs(d) < tiny
            || (std::fabs(a) < smallest_normal && std::fabs(b) < big_tiny && std::fabs(d) < big_tiny)
            || (std::fabs(b) < smallest_normal && std::fabs(a) < big_tiny && std::fabs(d) < big_tiny)) {
            a = a * upscale;
            b = b * upscale;
            c = c * upscale;
            d = d * upscale;
        }
        const long double ratio = c / d;
        const long double denom = (c * ratio) + d;
        if (std::fabs(ratio) > smallest_normal) {
            x = ((a * ratio) + b) / denom;
            y = ((b * ratio) - a) / denom;
        } else {
            x = ((c * (a / d)) + b) / denom;
            y = ((c * (b / d)) - a) / denom;
        }
    } else {
        if (std::fabs(c) >= big) {
            a = a / 2;
            b = b / 2;
            c = c / 2;
            d = d / 2;
        }
        if (std::fabs(c) < tiny
            || (std::fabs(a) < smallest_normal && std::fabs(b) < big_tiny && std::fabs(c) < big_tiny)
            || (std::fabs(b) < smallest_normal && std::fabs(a) < big_tiny && std::fabs(c) < big_tiny)) {
            a = a * upscale;
            b = b * upscale;
            c = c * upscale;
            d = d * upscale;
        }
        const long double ratio = d / c;
        const long double denom = (d * ratio) + c;
        if (std::fabs(ratio) > smallest_normal) {
            x = ((b * ratio) + a) / denom;
            y = (b - (a * ratio)) / denom;
        } else {
            x = (a + (d * (b / c))) / denom;
            y = (b - (d * (a / c))) / denom;
        }
    }
    if (std::isnan(x) && std::isnan(y))
        return recovered_quotient(a, b, c, d, x, y);
    return cplx(x, y);
}

} // namespace complex_arithmetic

#endif
