#include "approximate_roots.h"

#include <algorithm>
#include <cmath>
#include <limits>

using cplx = std::complex<long double>;

namespace {

// Sweeps of Aberth's iteration; from the rings it settles in a few dozen.
constexpr int max_sweeps = 200;
const long double ldbl_epsilon = std::numeric_limits<long double>::epsilon();

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// Horner's scheme for p(z) and p'(z), constant first in p, at 1/z on the
// reversed polynomial where |z| > 1, so that no power overflows; with the
// sum of the moduli of the terms, the size of the rounding.
struct Evaluation {
    bool outside; // evaluated at x = 1/z
    cplx x, value, slope;
    long double scale;
};

Evaluation evaluate(const std::vector<long double> &p, cplx z)
{
    const size_t d = p.size() - 1;
    Evaluation e{std::abs(z) > 1, z, 0, 0, 0};
    if (e.outside)
        e.x = cplx(1, 0) / z;
    const long double r = std::abs(e.x);
    for (size_t k = 0; k <= d; ++k) {
        const long double c = p[e.outside ? k : d - k];
        e.slope = e.slope * e.x + e.value;
        e.value = e.value * e.x + c;
        e.scale = e.scale * r + std::fabs(c);
    }
    return e;
}

// |p(z)| against the size of its terms.
long double relative(const Evaluation &e)
{
    return std::abs(e.value) / e.scale;
}

// p(z) / p'(z); with x = 1/z and r the reversed polynomial it is
// z r(x) / (d r(x) - x r'(x)).
cplx newton_ratio(const std::vector<long double> &p, cplx z, const Evaluation &e)
{
    if (!e.outside)
        return e.value / e.slope;
    return z * e.value / (static_cast<long double>(p.size() - 1) * e.value - e.x * e.slope);
}

// The roots found, then the rings' points not taken by one of them.
std::vector<cplx> seeds(const std::vector<Ring> &rings, std::vector<cplx> found)
{
    std::vector<cplx> points = ring_points(rings);
    for (const cplx &z : found)
        points.erase(std::min_element(points.begin(), points.end(), [&](cplx a, cplx b) {
            return std::abs(a - z) < std::abs(b - z);
        }));
    found.insert(found.end(), points.begin(), points.end());
    return found;
}

} // namespace

std::vector<Ring> newton_polygon(const std::vector<double> &log2_size)
{
    std::vector<size_t> hull;
    for (size_t k = 0; k < log2_size.size(); ++k) {
        if (std::isinf(log2_size[k]))
            continue;
        while (hull.size() >= 2) {
            const size_t i = hull[hull.size() - 2], j = hull.back();
            if ((log2_size[j] - log2_size[i]) * double(k - i)
                > (log2_size[k] - log2_size[i]) * double(j - i))
                break;
            hull.pop_back();
        }
        hull.push_back(k);
    }
    std::vector<Ring> rings;
    if (hull.empty())
        return rings;
    if (hull.front() > 0)
        rings.push_back({-HUGE_VAL, long(hull.front())});
    for (size_t e = 0; e + 1 < hull.size(); ++e) {
        const size_t i = hull[e], j = hull[e + 1];
        rings.push_back({(log2_size[i] - log2_size[j]) / double(j - i), long(j - i)});
    }
    return rings;
}

std::vector<cplx> ring_points(const std::vector<Ring> &rings)
{
    const long double two_pi = 6.283185307179586476925L;
    long total = 0;
    for (const Ring &ring : rings)
        total += ring.count;
    // Several roots at the centre, which a square-free factor never has,
    // go on a circle far inside the innermost ring.
    double innermost = 0;
    for (const Ring &ring : rings)
        if (!std::isinf(ring.log2_radius)) {
            innermost = ring.log2_radius;
            break;
        }
    std::vector<cplx> points;
    for (const Ring &ring : rings) {
        if (std::isinf(ring.log2_radius) && ring.count == 1) {
            points.push_back(0);
            continue;
        }
        const long double radius = std::exp2(
            static_cast<long double>(std::isinf(ring.log2_radius) ? innermost - 40 : ring.log2_radius));
        const long double turn = two_pi * long(points.size()) / total + 0.4L;
        for (long j = 0; j < ring.count; ++j)
            points.push_back(std::polar(radius, two_pi * (j + 0.25L) / ring.count + turn));
    }
    return points;
}

long double relative_residual(const std::vector<long double> &p, cplx z)
{
    return relative(evaluate(p, z));
}

// Approximations at one point, as Aberth's iteration leaves those of roots
// closer together than long double resolves, make every Weierstrass
// correction near them huge, and with them every inclusion disc: each such
// group goes onto a small circle about its middle.
void part_twins(std::vector<cplx> &z)
{
    const long double close = std::ldexp(1.0L, -40), apart = std::ldexp(1.0L, -32);
    const long double two_pi = 6.283185307179586476925L;
    std::vector<bool> taken(z.size(), false);
    for (size_t i = 0; i < z.size(); ++i) {
        if (taken[i])
            continue;
        std::vector<size_t> group{i};
        for (size_t j = i + 1; j < z.size(); ++j)
            if (!taken[j] && std::abs(z[j] - z[i]) <= close * std::abs(z[i])) {
                group.push_back(j);
                taken[j] = true;
            }
        if (group.size() < 2)
            continue;
        cplx middle = 0;
        for (size_t k : group)
            middle += z[k];
        middle /= static_cast<long double>(group.size());
        for (size_t k = 0; k < group.size(); ++k)
            z[group[k]] = middle + std::polar(apart * std::abs(middle),
                                              two_pi * (k + 0.25L) / group.size());
    }
}

std::vector<cplx> aberth_roots(const std::vector<long double> &p, const std::vector<Ring> &rings,
                               const std::vector<cplx> &found)
{
    // A root whose value is lost in the rounding of its terms has gone as
    // far as long double goes. A small step alone says nothing: two
    // approximations at one point push each other only by their distance.
    const long double noise = 16 * static_cast<long double>(p.size()) * ldbl_epsilon;
    std::vector<cplx> z = seeds(rings, found);
    std::vector<bool> settled(z.size(), false);
    for (int sweep = 0; sweep < max_sweeps; ++sweep) {
        bool moved = false;
        for (size_t i = 0; i < z.size(); ++i) {
            if (settled[i])
                continue;
            const Evaluation e = evaluate(p, z[i]);
            if (relative(e) <= noise) {
                settled[i] = true;
                continue;
            }
            const cplx ratio = newton_ratio(p, z[i], e);
            cplx pull(0, 0);
            for (size_t j = 0; j < z.size(); ++j)
                if (j != i)
                    pull += cplx(1, 0) / (z[i] - z[j]);
            const cplx step = ratio / (cplx(1, 0) - ratio * pull);
            if (!finite(step))
                continue;
            z[i] -= step;
            moved = true;
        }
        if (!moved)
            break;
    }
    part_twins(z);
    return z;
}
