#ifndef LITERAL_SEARCH_H
#define LITERAL_SEARCH_H

// The level-by-level search with every value taken from its defining
// formula: std::complex products and quotients, cabsl, and pow on doubles,
// step by step as the procedure is written. The solver computes the same
// values faster; this is what its bits are compared with.
#include "root_conventions.h"
#include "rroots_oo_1.h"

#include <cmath>
#include <complex>
#include <cstdint>
#include <utility>
#include <vector>

extern "C" long double cabsl(__complex__ long double);
extern "C" __complex__ double cexp(__complex__ double);

namespace literal {

using cplx = std::complex<long double>;

inline long double modulus(cplx u)
{
    return cabsl(u.__rep());
}

// Explicit powers, summed from the constant term upwards.
inline cplx value(const Polynomial *p, cplx x)
{
    const cplx *c = p->coeffs + p->start;
    const int32_t d = p->degree;
    cplx result = c[d];
    cplx power(1, 0);
    for (int32_t i = 1; i <= d; ++i) {
        // Rebuilding the power from 1 takes these very products.
        power = x * power;
        const cplx term = c[d - i] * power;
        result = cplx(result.real() + term.real(), result.imag() + term.imag());
    }
    return result;
}

// Synthetic division in place; the remainder drops out of the live polynomial.
inline cplx divide(Polynomial *p, cplx r)
{
    cplx *c = p->coeffs + p->start;
    for (int32_t k = 1; k <= p->degree; ++k)
        c[k] = c[k] + c[k - 1] * r;
    const cplx remainder = c[p->degree];
    p->degree -= 1;
    return remainder;
}

// The solver gives up a search that has not ended after this many steps,
// or once a value is NaN, where no test could end it any more.
constexpr int32_t max_secant_steps = 10000;

inline bool has_nan(cplx u)
{
    return std::isnan(u.real()) || std::isnan(u.imag());
}

inline bool search_root(const Polynomial *p, cplx *z, long double eps)
{
    const int32_t d = p->degree;
    if (d < 1)
        return false;
    if (d == 1) {
        *z = -p->coeffs[p->start + 1];
        return true;
    }
    const double theta = 3.141592653589793 / static_cast<double>(d + 1);
    const std::complex<double> w(cexp(std::complex<double>(0.0, theta).__rep()));
    cplx a(-1, 0);
    cplx b(w.real(), w.imag());
    cplx fa = value(p, a);
    cplx fb = value(p, b);
    const double d0 = static_cast<double>(modulus(fb - fa));
    if (d <= 4 ? eps > std::pow(d0, static_cast<double>(d))
               : static_cast<long double>(d * d) * eps > std::pow(d0, static_cast<double>(d - 2)))
        return false;

    int32_t stall = 0;
    double prev = d0;
    long double A = modulus(fa);
    for (int32_t step = 0; step < max_secant_steps; ++step) {
        const double r = static_cast<double>(modulus(a));
        const long double X = std::pow(r, static_cast<double>(d - 1)) * static_cast<long double>(d) * eps;
        const long double Y = eps / d;
        const long double bound = Y <= X ? X : Y;
        if (bound * bound >= A * A) {
            *z = a;
            return true;
        }
        const long double apart = modulus(fa - fb);
        if (eps * eps * eps >= apart * apart)
            return false;
        if (has_nan(a) || has_nan(fa) || has_nan(fb))
            return false;
        const cplx t = (-fa) / (fb - fa);
        const cplx next = a * (cplx(1, 0) - t) + b * t;
        b = next + (a - next) * cplx(0, 0.5L);
        a = next;
        fa = value(p, a);
        fb = value(p, b);
        const long double m = modulus(fa);
        if (static_cast<double>(m) >= prev)
            stall += 1;
        if (stall > d + 2)
            return false;
        prev = static_cast<double>(m);
        A = m;
    }
    return false;
}

inline bool try_root(Polynomial *p, cplx *z, bool polish, long double eps)
{
    const int32_t d = p->degree;
    if (d < 1)
        return false;
    const bool corrections = d > 1 && polish;
    const int32_t passes = corrections ? 5 : 1;
    const int32_t s = p->start;
    std::vector<cplx> scratch(s + d + 1);
    Polynomial q{scratch.data(), d, s, nullptr, 0};
    cplx delta(0, 0);
    for (int32_t pass = 0; pass < passes; ++pass) {
        *z = cplx(z->real() + delta.real(), z->imag() + delta.imag());
        std::copy(p->coeffs, p->coeffs + s + d + 1, scratch.begin());
        q.degree = d;
        const long double m = modulus(*z);
        const double D = std::pow(static_cast<double>(m * m + 1), static_cast<double>(d - 1)) * (d * d);
        const long double v = modulus(value(&q, *z));
        if (v * v > eps * eps * D)
            return false;
        const cplx remainder = divide(&q, *z);
        delta = cplx(0, 0);
        if (corrections) {
            const cplx slope = value(&q, *z);
            const long double k = modulus(slope);
            if (k * k > modulus(remainder))
                delta = remainder / (-slope);
        }
    }
    std::copy(scratch.begin(), scratch.begin() + s + d, p->coeffs);
    p->degree = d - 1;
    return true;
}

inline void record(Polynomial *level, cplx z)
{
    level->roots[level->num_roots++] = z;
}

inline void climb_root(Polynomial *list, cplx z, int32_t top, long double eps)
{
    for (int32_t l = top; l >= 0; --l)
        for (int32_t copy = 0; copy < 2 + (top - l); ++copy) {
            if (!try_root(&list[l], &z, false, eps))
                return;
            record(&list[l], z);
        }
}

inline void guard_lead(Polynomial *p)
{
    if (modulus(p->coeffs[p->start]) < roots::lead_floor)
        p->coeffs[p->start] = cplx(1, 0);
}

// Smallest first, each root but the largest again against the whole
// polynomial, polished; one no longer accepted keeps its value.
inline void reverse_factor(PolySolver &solver, Polynomial *found, long double eps)
{
    guard_lead(&solver.poly);
    solver.normalize(&solver.poly);
    solver.sort_roots(found);
    for (int32_t k = found->num_roots - 1; k >= 1; --k) {
        cplx z = found->roots[k];
        if (try_root(&solver.poly, &z, true, eps))
            found->roots[k] = z;
    }
}

// The search on the solver's own chain, as solve_by_levels does it.
inline std::vector<cplx> solve_by_levels(PolySolver &solver, bool polish, bool reverse)
{
    const long double eps = roots::tolerance;
    const int32_t n = solver.poly.degree;
    Polynomial *list = nullptr;
    solver.create_deriv_list(solver.poly, &list);
    const bool P = polish || reverse;
    for (int32_t l = n - 1; l >= 0; --l) {
        cplx z;
        while (search_root(&list[l], &z, eps) && try_root(&list[l], &z, P, eps)) {
            record(&list[l], z);
            climb_root(list, z, l - 1, eps);
            if (std::fabs(z.imag()) > eps) {
                cplx w = std::conj(z);
                if (try_root(&list[l], &w, false, eps)) {
                    record(&list[l], w);
                    climb_root(list, w, l - 1, eps);
                }
            }
        }
    }
    if (reverse)
        reverse_factor(solver, &list[0], eps);
    std::vector<cplx> out;
    for (int32_t i = 0; i < list[0].num_roots; ++i)
        out.push_back(cplx(roots::cleaned(list[0].roots[i].real()), roots::cleaned(list[0].roots[i].imag())));
    solver.destroy_deriv_list(list);
    return out;
}

} // namespace literal

#endif
