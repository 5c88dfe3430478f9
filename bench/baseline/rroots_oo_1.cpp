#include "rroots_oo_1.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <utility>
#include <vector>

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
    const cplx *c = p->coeffs;
    const int32_t s = p->start;
    const int32_t d = p->degree;
    cplx result = c[s + d];
    cplx power(1, 0);
    for (int32_t i = 1; i <= d; ++i) {
        power = x * power;
        const cplx term = c[s + d - i] * power;
        result = cplx(result.real() + term.real(), result.imag() + term.imag());
    }
    return result;
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

// The solver's moduli and its second starting point come from the C
// library itself, so that every value is exactly what libm returns.
extern "C" long double cabsl(__complex__ long double);
extern "C" __complex__ double cexp(__complex__ double);

namespace {

// A search that has neither converged, stalled nor gone flat after this
// many secant steps is abandoned; ordinary ones take at most a few hundred.
constexpr int32_t max_secant_steps = 10000;

long double modulus(cplx u)
{
    return cabsl(u.__rep());
}

// Most moduli serve only to be compared or rounded to double. For those,
// x^2 + y^2 in extended precision, within a few units in the last place of
// the squared modulus, settles the matter unless it lies too close to a tie
// or a rounding boundary; only then is the costlier modulus taken.
const long double unit_roundoff = 1.0L / 18446744073709551616.0L; // 2^-64
const long double estimate_slack = 16 * unit_roundoff;
const long double tie_margin = 1e-12L;

// Parts of a size whose squares neither overflow nor underflow.
bool moderate(cplx u)
{
    const long double big = std::max(std::fabs(u.real()), std::fabs(u.imag()));
    return big > 1e-2000L && big < 1e2000L;
}

long double squared_parts(cplx u)
{
    return u.real() * u.real() + u.imag() * u.imag();
}

// The double that every value within the slack of estimate rounds to, if
// they all round alike.
bool rounds_alike(long double estimate, double *out)
{
    const double low = static_cast<double>(estimate * (1 - estimate_slack));
    const double high = static_cast<double>(estimate * (1 + estimate_slack));
    *out = low;
    return low == high;
}

double modulus_as_double(cplx u)
{
    double rounded;
    if (moderate(u) && rounds_alike(std::sqrt(squared_parts(u)), &rounded))
        return rounded;
    return static_cast<double>(modulus(u));
}

// |u|^2 + 1, rounded to double, with |u| the modulus.
double squared_modulus_plus_one_as_double(cplx u)
{
    double rounded;
    if (moderate(u) && rounds_alike(squared_parts(u) + 1, &rounded))
        return rounded;
    const long double m = modulus(u);
    return static_cast<double>(m * m + 1);
}

// Whether |u|^2, taken as modulus(u) squared, exceeds limit.
bool squared_modulus_exceeds(cplx u, long double limit)
{
    if (moderate(u) && limit > 1e-3000L && limit < 1e3000L) {
        const long double q = squared_parts(u);
        if (q > limit * (1 + tie_margin))
            return true;
        if (q < limit * (1 - tie_margin))
            return false;
    }
    const long double m = modulus(u);
    return m * m > limit;
}

// Whether |u|^2 exceeds |v|, both moduli taken as the modulus.
bool squared_modulus_exceeds_modulus(cplx u, cplx v)
{
    if (moderate(u) && moderate(v)) {
        const long double q = squared_parts(u);
        const long double limit = std::sqrt(squared_parts(v));
        if (q > limit * (1 + tie_margin))
            return true;
        if (q < limit * (1 - tie_margin))
            return false;
    }
    const long double m = modulus(u);
    return m * m > modulus(v);
}

bool identical(long double x, long double y)
{
    return x == y && std::signbit(x) == std::signbit(y);
}

bool identical(cplx u, cplx v)
{
    return identical(u.real(), v.real()) && identical(u.imag(), v.imag());
}

bool has_nan(cplx u)
{
    return std::isnan(u.real()) || std::isnan(u.imag());
}

// The tolerance and the leading-coefficient floor are doubles widened to
// extended precision, not extended-precision literals.
const long double tolerance = 1e-12;
const long double lead_floor = 0.01;

// A leading coefficient this small is taken as 1 rather than divided by.
void guard_lead(Polynomial *p)
{
    if (modulus(p->coeffs[p->start]) < lead_floor)
        p->coeffs[p->start] = cplx(1, 0);
}

void record_root(Polynomial *level, cplx z)
{
    level->roots[level->num_roots] = z;
    level->num_roots += 1;
}

// Real or imaginary parts within eps of zero are reported as exact zeros.
long double clean_part(long double x, long double eps)
{
    return std::fabs(x) <= eps ? 0.0L : x;
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

// The residual allowed at a grows like d*|a|^(d-1), but never below eps/d.
bool converged(cplx a, cplx fa, int32_t d, long double eps)
{
    const double r = modulus_as_double(a);
    const long double X = std::pow(r, static_cast<double>(d - 1)) *
                          static_cast<long double>(d) * eps;
    const long double Y = eps / d;
    const long double bound = Y <= X ? X : Y;
    return !has_nan(fa) && !squared_modulus_exceeds(fa, bound * bound);
}

} // namespace

bool PolySolver::search_root(Polynomial *p, cplx *z, long double eps)
{
    const int32_t d = p->degree;
    if (d < 1)
        return false;
    if (d == 1) {
        *z = -p->coeffs[p->start + 1];
        return true;
    }

    cplx a(-1, 0);
    cplx b = second_start_point(d);
    cplx fa = apply_poly(p, a);
    cplx fb = apply_poly(p, b);
    const double d0 = modulus_as_double(fb - fa);
    if (!passes_pre_test(d, d0, eps))
        return false;

    int32_t stall = 0;
    const int32_t limit = d + 2;
    double prev = d0;
    for (int32_t step = 0; step < max_secant_steps; ++step) {
        if (converged(a, fa, d, eps)) {
            *z = a;
            return true;
        }
        if (!squared_modulus_exceeds(fa - fb, eps * eps * eps))
            return false;
        // Once a value is NaN no test above can end the search any more.
        if (has_nan(a) || has_nan(fa) || has_nan(fb))
            return false;

        const cplx t = (-fa) / (fb - fa);
        const cplx next = a * (cplx(1, 0) - t) + b * t;
        b = next + (a - next) * cplx(0, 0.5L);
        a = next;
        fa = apply_poly(p, a);
        fb = apply_poly(p, b);

        const double m = modulus_as_double(fa);
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
    const int32_t s = p->start;
    const bool corrections = d > 1 && polish;
    const int32_t passes = corrections ? 5 : 1;

    const std::unique_ptr<cplx[]> work(new cplx[s + d + 1]());
    Polynomial scratch{work.get(), d, s, nullptr, 0};
    cplx delta(0, 0);
    for (int32_t pass = 0; pass < passes; ++pass) {
        const cplx moved(z->real() + delta.real(), z->imag() + delta.imag());
        // From an unmoved z a pass would only repeat the previous one.
        if (pass > 0 && identical(moved, *z))
            break;
        *z = moved;
        std::copy(p->coeffs, p->coeffs + s + d + 1, scratch.coeffs);
        scratch.degree = d;
        scratch.start = s;

        // Accept when |p(z)| <= eps * d * (1 + |z|^2)^((d-1)/2).
        const double D = std::pow(squared_modulus_plus_one_as_double(*z),
                                  static_cast<double>(d - 1)) *
                         (d * d);
        if (squared_modulus_exceeds(apply_poly(&scratch, *z), eps * eps * D))
            return false;

        cplx rem;
        divide(&scratch, *z, &rem);
        delta = cplx(0, 0);
        if (corrections) {
            // The quotient at z is p'(z): one Newton correction.
            const cplx qz = apply_poly(&scratch, *z);
            if (squared_modulus_exceeds_modulus(qz, rem))
                delta = rem / (-qz);
        }
    }
    // The old constant term stays behind the quotient, not the remainder.
    std::copy(scratch.coeffs, scratch.coeffs + s + d, p->coeffs);
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
    const long double eps = tolerance;
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

    check_roots(P);

    if (reverse)
        reverse_factor(&poly, deriv_list, eps);

    const Polynomial &found = deriv_list[0];
    *count = found.num_roots;
    for (int32_t i = 0; i < found.num_roots; ++i)
        out[i] = cplx(clean_part(found.roots[i].real(), eps),
                      clean_part(found.roots[i].imag(), eps));

    destroy_deriv_list(deriv_list);
    deriv_list = nullptr;
    return true;
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

namespace {

// Relative accuracy a root must have against the original polynomial: what
// Newton polishing reaches, or what the unpolished search is content with.
const long double polished_accuracy = 1e-9L;
const long double plain_accuracy = 1e-6L;

// Sweeps of the simultaneous iteration; it settles in a few dozen.
constexpr int32_t max_aberth_sweeps = 500;
constexpr int32_t newton_steps = 3;

struct Evaluation {
    cplx value;
    cplx derivative;
    long double scale; // sum of |a_k| |z|^k: how large rounding can make the value
};

// Size of u where only its order matters.
long double magnitude(cplx u)
{
    return std::sqrt(squared_parts(u));
}

// Horner's scheme for p and p' together, with the scale of p's terms.
Evaluation evaluate(const Polynomial *p, cplx z)
{
    const cplx *c = p->coeffs + p->start;
    const long double r = magnitude(z);
    Evaluation e{c[0], cplx(0, 0), magnitude(c[0])};
    for (int32_t k = 1; k <= p->degree; ++k) {
        e.derivative = e.derivative * z + e.value;
        e.value = e.value * z + c[k];
        e.scale = e.scale * r + magnitude(c[k]);
    }
    return e;
}

// The value at z is no larger than the rounding errors of computing it:
// z is a root as far as the arithmetic can tell.
bool lost_in_rounding(const Evaluation &e, int32_t degree)
{
    return magnitude(e.value) <= 8 * (degree + 1) * unit_roundoff * e.scale;
}

cplx shown(cplx z, long double eps)
{
    return cplx(clean_part(z.real(), eps), clean_part(z.imag(), eps));
}

// Starting points spread over circles whose radii follow the upper convex
// hull of (k, log |a_k|), so that roots of very different sizes each get
// points of their own size. Zero roots get points on a tiny circle.
std::vector<cplx> start_points(const Polynomial *p)
{
    const int32_t n = p->degree;
    const cplx *c = p->coeffs + p->start;
    std::vector<int32_t> hull;
    for (int32_t k = 0; k <= n; ++k) {
        const long double a = std::abs(c[n - k]);
        if (!(a > 0))
            continue;
        const long double y = std::log(a);
        while (hull.size() >= 2) {
            const int32_t i = hull[hull.size() - 2];
            const int32_t j = hull.back();
            const long double yi = std::log(std::abs(c[n - i]));
            const long double yj = std::log(std::abs(c[n - j]));
            if ((yj - yi) * (k - i) > (y - yi) * (j - i))
                break;
            hull.pop_back();
        }
        hull.push_back(k);
    }

    std::vector<cplx> points;
    const long double two_pi = 6.283185307179586476925L;
    auto add_circle = [&](long double radius, int32_t count, int32_t first) {
        for (int32_t j = 0; j < count; ++j) {
            const long double angle = two_pi * (j + 0.25L) / count + two_pi * first / n + 0.4L;
            points.push_back(std::polar(radius, angle));
        }
    };
    long double smallest = 1;
    for (size_t e = 0; e + 1 < hull.size(); ++e) {
        const int32_t i = hull[e];
        const int32_t j = hull[e + 1];
        const long double radius =
            std::pow(std::abs(c[n - i]) / std::abs(c[n - j]), 1.0L / (j - i));
        smallest = e == 0 ? radius : std::min(smallest, radius);
        add_circle(radius, j - i, i);
    }
    if (!hull.empty() && hull.front() > 0)
        add_circle(smallest * 1e-6L, hull.front(), 0);
    while (int32_t(points.size()) < n)
        points.push_back(cplx(0, 0));
    return points;
}

} // namespace

// A root when the value there is lost in rounding (this also takes in
// multiple roots, where no Newton step is reliable), or when one Newton step
// against p would move z by less than the accuracy asked for.
bool PolySolver::is_root(Polynomial *p, cplx z, long double accuracy)
{
    if (has_nan(z))
        return false;
    const Evaluation e = evaluate(p, z);
    if (lost_in_rounding(e, p->degree))
        return true;
    return magnitude(e.value) <= accuracy * std::max(1.0L, magnitude(z)) * magnitude(e.derivative);
}

// Drops every value that is no root of the original polynomial, as it will
// be shown; copies of a value go with it, since they are the same value.
void PolySolver::verify_roots(Polynomial *original, Polynomial *found, long double accuracy,
                              long double eps)
{
    int32_t kept = 0;
    for (int32_t i = 0; i < found->num_roots; ++i)
        if (is_root(original, shown(found->roots[i], eps), accuracy))
            found->roots[kept++] = found->roots[i];
    found->num_roots = kept;
}

// Finds the roots still missing by the Aberth-Ehrlich iteration on the
// original polynomial, with the verified roots held fixed as an implicit
// deflation, then a few Newton steps; appends those that verify.
void PolySolver::complete_roots(Polynomial *original, Polynomial *found, long double accuracy,
                                long double eps)
{
    const int32_t n = original->degree;
    if (found->num_roots >= n)
        return;
    const std::vector<cplx> known(found->roots, found->roots + found->num_roots);

    std::vector<cplx> z = start_points(original);
    for (const cplx &root : known) {
        const auto nearest = std::min_element(z.begin(), z.end(), [&](cplx a, cplx b) {
            return std::abs(a - root) < std::abs(b - root);
        });
        z.erase(nearest);
    }

    std::vector<bool> settled(z.size(), false);
    for (int32_t sweep = 0; sweep < max_aberth_sweeps; ++sweep) {
        bool moved = false;
        for (size_t i = 0; i < z.size(); ++i) {
            if (settled[i])
                continue;
            const Evaluation e = evaluate(original, z[i]);
            if (lost_in_rounding(e, n)) {
                settled[i] = true;
                continue;
            }
            const cplx newton = e.value / e.derivative;
            cplx pull(0, 0);
            for (size_t j = 0; j < z.size(); ++j)
                if (j != i)
                    pull += cplx(1, 0) / (z[i] - z[j]);
            for (const cplx &root : known)
                pull += cplx(1, 0) / (z[i] - root);
            const cplx step = newton / (cplx(1, 0) - newton * pull);
            if (has_nan(step)) {
                settled[i] = true;
                continue;
            }
            z[i] -= step;
            settled[i] = std::abs(step) <= 4 * unit_roundoff * std::abs(z[i]);
            moved = true;
        }
        if (!moved)
            break;
    }

    for (cplx &root : z) {
        for (int32_t step = 0; step < newton_steps; ++step) {
            const Evaluation e = evaluate(original, root);
            const cplx next = root - e.value / e.derivative;
            if (!(std::abs(evaluate(original, next).value) < std::abs(e.value)))
                break;
            root = next;
        }
        if (found->num_roots < n && is_root(original, shown(root, eps), accuracy))
            found->roots[found->num_roots++] = root;
    }
}

// The level-by-level search can miss roots, and deflation in an unlucky
// order can let a value through that is no root of the polynomial itself:
// keep the roots that are, and find the rest against the original.
void PolySolver::check_roots(bool polished)
{
    const int32_t n = poly.degree;
    const std::unique_ptr<cplx[]> coeffs(new cplx[poly.start + n + 1]);
    std::copy(poly.coeffs, poly.coeffs + poly.start + n + 1, coeffs.get());
    Polynomial original{coeffs.get(), n, poly.start, nullptr, 0};
    guard_lead(&original);
    normalize(&original);

    const long double accuracy = polished ? polished_accuracy : plain_accuracy;
    verify_roots(&original, &deriv_list[0], accuracy, tolerance);
    complete_roots(&original, &deriv_list[0], accuracy, tolerance);
}
