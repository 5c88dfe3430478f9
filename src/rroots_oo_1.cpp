#include "rroots_oo_1.h"

#include "exact_roots.h"
#include "root_conventions.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// The arithmetic of the search and of try_root: the very bits of
// std::complex, cabsl and pow, computed faster.
#include "complex_arithmetic.h"
#include "moduli.h"

using cplx = std::complex<long double>;

PolySolver::PolySolver(int32_t n, cplx *c) : deriv_list(nullptr)
{
    poly.degree = n;
    poly.start = 0;
    poly.roots = nullptr;
    poly.num_roots = 0;
    poly.coeffs = new cplx[n + 1]();
    for (int32_t k = 0; k <= n; ++k)
        poly.coeffs[k] = c[k];
}

PolySolver::PolySolver(int32_t n, cplx *c, std::vector<std::string> exact) : PolySolver(n, c)
{
    this->exact = std::move(exact);
}

PolySolver::~PolySolver()
{
    delete[] poly.coeffs;
}

void PolySolver::normalize(Polynomial *p)
{
    cplx *c = p->coeffs;
    const int32_t s = p->start;
    const cplx lead = c[s];
    c[s] = cplx(1, 0);
    for (int32_t k = s + 1; k <= s + p->degree; ++k)
        c[k] = c[k] / lead;
}

// Explicit powers summed from the constant term upwards; each power is one
// more product on the previous one, the same products as rebuilding it
// from 1 every time, so the values are identical.
cplx PolySolver::apply_poly(Polynomial *p, cplx x)
{
    return complex_arithmetic::value(p->coeffs + p->start, p->degree, x);
}

double PolySolver::at(double x)
{
    return static_cast<double>(apply_poly(&poly, cplx(x, 0)).real());
}

// Horner's scheme in place: the quotient stays in front, the remainder
// drops into the slot behind it.
void PolySolver::divide(Polynomial *p, cplx r, cplx *rem)
{
    cplx *c = p->coeffs;
    const int32_t s = p->start;
    const int32_t d = p->degree;
    for (int32_t k = s + 1; k <= s + d; ++k)
        c[k] = c[k] + c[k - 1] * r;
    // A record already divided past degree 0 has no constant term left.
    *rem = s + d >= 0 ? c[s + d] : cplx(0, 0);
    p->degree = d - 1;
}

// The second starting point comes from the C library itself, so that it
// is exactly what libm returns.
extern "C" __complex__ double cexp(__complex__ double);

namespace {

using complex_arithmetic::deflation;
using complex_arithmetic::has_nan;
using complex_arithmetic::quotient;
using complex_arithmetic::value;
using moduli::modulus;

// A search that has neither converged, stalled nor gone flat after this
// many secant steps is abandoned; ordinary ones take at most a few hundred.
constexpr int32_t max_secant_steps = 10000;

// Quotients of the degrees the program solves, and well beyond, stay on
// the stack.
constexpr int32_t stack_quotient = 32;

bool identical(long double x, long double y)
{
    return x == y && std::signbit(x) == std::signbit(y);
}

bool identical(cplx u, cplx v)
{
    return identical(u.real(), v.real()) && identical(u.imag(), v.imag());
}

// A leading coefficient this small is taken as 1 rather than divided by.
void guard_lead(Polynomial *p)
{
    if (modulus(p->coeffs[p->start]) < roots::lead_floor)
        p->coeffs[p->start] = cplx(1, 0);
}

void record_root(Polynomial *level, cplx z)
{
    level->roots[level->num_roots] = z;
    level->num_roots += 1;
}

// The secant search starts at -1 and at e^(i*pi/(d+1)).
cplx second_start_point(int32_t d)
{
    const double theta = 3.141592653589793 / static_cast<double>(d + 1);
    const std::complex<double> w(cexp(std::complex<double>(0.0, theta).__rep()));
    return cplx(w.real(), w.imag());
}

// Starting points whose values nearly agree give no usable secant.
bool passes_pre_test(int32_t d, double d0, long double eps)
{
    if (d <= 4)
        return !(eps > std::pow(d0, static_cast<double>(d)));
    return !(static_cast<long double>(d * d) * eps >
             std::pow(d0, static_cast<double>(d - 2)));
}

} // namespace

bool PolySolver::search_root(Polynomial *p, cplx *z, long double eps)
{
    const int32_t d = p->degree;
    if (d < 1)
        return false;
    const cplx *c = p->coeffs + p->start;
    if (d == 1) {
        *z = -c[1];
        return true;
    }

    cplx a(-1, 0);
    cplx b = second_start_point(d);
    cplx fa = value(c, d, a);
    cplx fb = value(c, d, b);
    const double d0 = moduli::modulus_as_double(fb - fa);
    if (!passes_pre_test(d, d0, eps))
        return false;

    const moduli::ConvergenceTest convergence(d, eps);
    int32_t stall = 0;
    const int32_t limit = d + 2;
    double prev = d0;
    for (int32_t step = 0; step < max_secant_steps; ++step) {
        if (convergence.passes(a, fa)) {
            *z = a;
            return true;
        }
        // Values at the two points too close for a secant.
        if (!moduli::squared_modulus_exceeds(fa - fb, eps * eps * eps))
            return false;
        // Once a value is NaN no test above can end the search any more.
        if (has_nan(a) || has_nan(fa) || has_nan(fb))
            return false;

        const cplx t = quotient(-fa, fb - fa);
        const cplx next = a * (cplx(1, 0) - t) + b * t;
        b = next + (a - next) * cplx(0, 0.5L);
        a = next;
        fa = value(c, d, a);
        fb = value(c, d, b);

        const double m = moduli::modulus_as_double(fa);
        if (m >= prev)
            stall += 1;
        if (stall > limit)
            return false;
        prev = m;
    }
    return false;
}

bool PolySolver::try_root(Polynomial *p, cplx *z, bool polish, long double eps)
{
    const int32_t d = p->degree;
    if (d < 1)
        return false;
    const bool corrections = d > 1 && polish;
    const int32_t passes = corrections ? 5 : 1;
    cplx *c = p->coeffs + p->start;

    cplx on_stack[stack_quotient];
    std::vector<cplx> on_heap;
    if (d > stack_quotient)
        on_heap.resize(d);
    cplx *q = d > stack_quotient ? on_heap.data() : on_stack;

    const moduli::AcceptanceTest acceptance(d, eps);
    cplx delta(0, 0);
    for (int32_t pass = 0; pass < passes; ++pass) {
        const cplx moved(z->real() + delta.real(), z->imag() + delta.imag());
        // From an unmoved z a pass would only repeat the previous one.
        if (pass > 0 && identical(moved, *z))
            break;
        *z = moved;

        // Accept when |p(z)| <= eps * d * (1 + |z|^2)^((d-1)/2).
        if (acceptance.refuses(value(c, d, *z), *z))
            return false;

        const cplx rem = deflation(c, d, *z, q);
        delta = cplx(0, 0);
        if (corrections) {
            // The quotient at z is p'(z): one Newton correction.
            const cplx qz = value(q, d - 1, *z);
            if (moduli::squared_modulus_exceeds_modulus(qz, rem))
                delta = quotient(rem, -qz);
        }
    }
    // The old constant term stays behind the quotient, not the remainder.
    std::copy(q, q + d, c);
    p->degree = d - 1;
    return true;
}

int32_t PolySolver::create_deriv_list(Polynomial p, Polynomial **out)
{
    const int32_t n = p.degree;
    const int32_t s = p.start;
    if (n < 0)
        throw std::bad_array_new_length();

    deriv_levels = n > 0 ? n : 1;
    Polynomial *list = new Polynomial[deriv_levels];
    *out = list;

    Polynomial &base = list[0];
    base = Polynomial{new cplx[s + n + 1](), n, s, new cplx[n](), 0};
    std::copy(p.coeffs, p.coeffs + s + n + 1, base.coeffs);
    guard_lead(&base);
    normalize(&base);

    for (int32_t k = 1; k < n; ++k) {
        const Polynomial &above = list[k - 1];
        const int32_t d = n - k + 1;
        Polynomial &level = list[k];
        level = Polynomial{new cplx[s + n + 1](), d - 1, s, new cplx[d - 1](), 0};
        // The term c_i x^(d-i) contributes (d-i) c_i x^(d-1-i).
        for (int32_t i = d - 1; i >= 0; --i)
            level.coeffs[s + i] = above.coeffs[s + i] * cplx(d - i, 0);
        normalize(&level);
    }
    return n > 0 ? n - 1 : 0;
}

void PolySolver::destroy_deriv_list(Polynomial *list)
{
    for (int32_t k = 0; k < deriv_levels; ++k) {
        delete[] list[k].coeffs;
        delete[] list[k].roots;
    }
    delete[] list;
}

// A root of level top + 1 that is also a root of the level below is a
// multiple root there, one order higher at every further level down.
bool PolySolver::climb_root(Polynomial *list, cplx *z, int32_t top,
                            int32_t copies, long double eps)
{
    for (int32_t l = top; l >= 0; --l) {
        const int32_t m = copies + (top - l);
        for (int32_t copy = 0; copy < m; ++copy) {
            if (!try_root(&list[l], z, false, eps))
                return false;
            record_root(&list[l], *z);
        }
    }
    return true;
}

bool PolySolver::poly_solve(bool polish, bool reverse, int32_t *count,
                            cplx *out)
{
    // Reverse deflation rewrites poly; the roots are judged against the
    // polynomial as given.
    const int32_t n = poly.degree;
    const cplx *first = poly.coeffs + poly.start;
    const std::vector<cplx> given(first, first + std::max(n + 1, 0));
    // The caller's array is written only up to the final count.
    std::vector<cplx> found(std::max(n, 0));
    int32_t found_count = 0;
    solve_by_levels(polish, reverse, &found_count, found.data());
    const bool polished = polish || reverse;
    const RootOrder order = reverse ? RootOrder::by_modulus : RootOrder::as_found;
    if (exact.empty())
        certify_roots(given.data(), n, polished, order, found.data(), &found_count);
    else
        certify_roots(exact, polished, order, found.data(), &found_count);
    *count = found_count;
    std::copy(found.begin(), found.begin() + found_count, out);
    return true;
}

void PolySolver::solve_by_levels(bool polish, bool reverse, int32_t *count,
                                 cplx *out)
{
    const long double eps = roots::tolerance;
    const int32_t n = poly.degree;
    create_deriv_list(poly, &deriv_list);
    // Reverse deflation re-derives the roots, so it always polishes.
    const bool P = polish || reverse;

    for (int32_t l = n - 1; l >= 0; --l) {
        Polynomial *level = &deriv_list[l];
        cplx z;
        while (search_root(level, &z, eps) && try_root(level, &z, P, eps)) {
            record_root(level, z);
            climb_root(deriv_list, &z, l - 1, 2, eps);
            if (std::fabs(z.imag()) > eps) {
                cplx w = std::conj(z);
                if (try_root(level, &w, false, eps)) {
                    record_root(level, w);
                    climb_root(deriv_list, &w, l - 1, 2, eps);
                }
            }
        }
    }

    if (reverse)
        reverse_factor(&poly, deriv_list, eps);

    const Polynomial &found = deriv_list[0];
    *count = found.num_roots;
    for (int32_t i = 0; i < found.num_roots; ++i)
        out[i] = cplx(roots::cleaned(found.roots[i].real()), roots::cleaned(found.roots[i].imag()));

    destroy_deriv_list(deriv_list);
    deriv_list = nullptr;
}

// Decreasing modulus; equal moduli are left to the swap pattern.
void PolySolver::sort_roots(Polynomial *p)
{
    cplx *r = p->roots;
    for (int32_t i = 1; i < p->num_roots; ++i) {
        for (int32_t j = 0; j < i; ++j) {
            const long double mi = modulus(r[i]);
            const long double mj = modulus(r[j]);
            if (mi * mi > mj * mj)
                std::swap(r[i], r[j]);
        }
    }
}

// Re-derives every root but the largest from the undeflated polynomial,
// smallest first; a root it no longer accepts keeps its value as found.
void PolySolver::reverse_factor(Polynomial *poly, Polynomial *list,
                                long double eps)
{
    guard_lead(poly);
    normalize(poly);
    Polynomial *found = &list[0];
    sort_roots(found);
    for (int32_t k = found->num_roots - 1; k >= 1; --k) {
        cplx z = found->roots[k];
        if (try_root(poly, &z, true, eps))
            found->roots[k] = z;
    }
}
