#include "root_clusters.h"

#include "approximate_roots.h"
#include "long_double_balls.h"

#include <acb_poly.h>

#include <algorithm>
#include <cmath>
#include <numeric>

using cplx = std::complex<long double>;

namespace {

constexpr slong start_precision = 128;
// Roots already isolated only need a bound on their corrections.
constexpr slong low_precision = 64;
// Weierstrass sweeps at one precision at most, and sweeps without a gain
// before they count as settled.
constexpr int max_sweeps = 64;
constexpr int idle_sweeps = 4;
// Newton steps towards a group's centre.
constexpr int max_centre_steps = 12;

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

class Search
{
public:
    explicit Search(const ClusterProblem &p)
        : p(p), d(p.degree), z(d), w(d), bound(d), held_part(d), scratch(3), shifted(d + 1)
    {
        for (slong i = 0; i < d; ++i)
            if (finite(p.approximations[size_t(i)]))
                set_long_double(z.value + i, p.approximations[size_t(i)]);
    }

    void run();

private:
    bool correction(slong i, slong precision);
    bool hold_isolated();
    bool corrections(slong precision);
    std::vector<std::vector<slong>> groups(slong precision);
    bool taylor_coefficients(slong m, acb_srcptr centre, slong precision);
    bool sizes(slong m, std::vector<double> &log2_size);
    bool centre_rings(slong m, acb_ptr centre, slong precision, std::vector<Ring> &rings);
    bool spread(const std::vector<slong> &group, acb_ptr centre, slong precision);
    bool spread_group(const std::vector<slong> &group, slong precision);
    bool sweep(slong precision, mag_t largest);
    bool settle(slong precision);
    long validate(slong precision);
    bool apart(acb_srcptr c, const mag_t radius, slong i, const mag_t other_rows, slong precision);
    bool accept(slong i, acb_srcptr enclosure);
    bool all_isolated() const;

    const ClusterProblem &p;
    const slong d;
    Balls z;                         // the approximations, exact points
    Balls w;                         // their Weierstrass corrections
    std::vector<Magnitude> bound;    // |W_i| from above
    // The roots isolated before the search, whose approximations never move,
    // and for each of them |W_j| but for the differences to the others.
    std::vector<bool> held;
    std::vector<Magnitude> held_part;
    Balls scratch;
    Balls shifted;
};

bool Search::all_isolated() const
{
    return std::all_of(p.isolated.begin(), p.isolated.end(), [](bool b) { return b; });
}

// W_i = f(z_i) / (lead prod_{j != i} (z_i - z_j)): a value and a product of
// differences.
bool Search::correction(slong i, slong precision)
{
    if (!p.budget.take(2 * (d + 1), precision))
        return false;
    acb_ptr value = scratch.value, product = scratch.value + 1, difference = scratch.value + 2;
    _acb_poly_evaluate(value, p.coeffs, d + 1, z.value + i, precision);
    acb_set(product, p.coeffs + d);
    for (slong j = 0; j < d; ++j) {
        if (j == i)
            continue;
        acb_sub(difference, z.value + i, z.value + j, precision);
        acb_mul(product, product, difference, precision);
    }
    acb_div(w.value + i, value, product, precision);
    acb_get_mag(bound[size_t(i)].value, w.value + i);
    return true;
}

// |f(z_j)| / |lead prod (z_j - z_l)| over the held roots l, from above,
// once: only the differences to the roots that move change after.
bool Search::hold_isolated()
{
    held = p.isolated;
    acb_ptr value = scratch.value, product = scratch.value + 1, difference = scratch.value + 2;
    for (slong j = 0; j < d; ++j) {
        if (!held[size_t(j)])
            continue;
        if (!p.budget.take(2 * (d + 1), low_precision))
            return false;
        _acb_poly_evaluate(value, p.coeffs, d + 1, z.value + j, low_precision);
        acb_set(product, p.coeffs + d);
        for (slong l = 0; l < d; ++l) {
            if (l == j || !held[size_t(l)])
                continue;
            acb_sub(difference, z.value + j, z.value + l, low_precision);
            acb_mul(product, product, difference, low_precision);
        }
        acb_div(value, value, product, low_precision);
        acb_get_mag(held_part[size_t(j)].value, value);
    }
    return true;
}

// The corrections of the roots that move; for the held ones, a bound.
bool Search::corrections(slong precision)
{
    acb_ptr difference = scratch.value;
    Magnitude distance;
    for (slong j = 0; j < d; ++j) {
        if (!held[size_t(j)]) {
            if (!correction(j, precision))
                return false;
            continue;
        }
        mag_set(bound[size_t(j)].value, held_part[size_t(j)].value);
        for (slong i = 0; i < d; ++i) {
            if (held[size_t(i)])
                continue;
            if (!p.budget.take(1, low_precision))
                return false;
            acb_sub(difference, z.value + j, z.value + i, low_precision);
            acb_get_mag_lower(distance.value, difference);
            mag_div(bound[size_t(j)].value, bound[size_t(j)].value, distance.value);
        }
    }
    return true;
}

// Roots not isolated whose discs D(z_i, d |W_i|) meet, joined.
std::vector<std::vector<slong>> Search::groups(slong precision)
{
    std::vector<slong> parent(static_cast<size_t>(d));
    std::iota(parent.begin(), parent.end(), 0);
    const auto root_of = [&](slong i) {
        while (parent[size_t(i)] != i)
            i = parent[size_t(i)];
        return i;
    };
    Magnitude distance, reach;
    acb_ptr difference = scratch.value;
    for (slong i = 0; i < d; ++i)
        for (slong j = i + 1; j < d && !p.isolated[size_t(i)]; ++j) {
            if (p.isolated[size_t(j)])
                continue;
            acb_sub(difference, z.value + i, z.value + j, precision);
            acb_get_mag_lower(distance.value, difference);
            mag_add(reach.value, bound[size_t(i)].value, bound[size_t(j)].value);
            mag_mul_ui(reach.value, reach.value, ulong(d));
            if (mag_cmp(distance.value, reach.value) <= 0)
                parent[size_t(root_of(j))] = root_of(i);
        }
    std::vector<std::vector<slong>> joined(static_cast<size_t>(d));
    for (slong i = 0; i < d; ++i)
        if (!p.isolated[size_t(i)])
            joined[size_t(root_of(i))].push_back(i);
    joined.erase(std::remove_if(joined.begin(), joined.end(),
                                [](const std::vector<slong> &g) { return g.empty(); }),
                 joined.end());
    return joined;
}

// The first m + 1 coefficients of f(centre + y), by Horner's scheme for
// the Taylor shift stopped after them: each pass of synthetic division by
// y - centre settles one more.
bool Search::taylor_coefficients(slong m, acb_srcptr centre, slong precision)
{
    if (!p.budget.take(double(m + 1) * double(d), precision))
        return false;
    _acb_vec_set(shifted.value, p.coeffs, d + 1);
    for (slong k = 0; k <= m; ++k)
        for (slong j = d - 1; j >= k; --j)
            acb_addmul(shifted.value + j, shifted.value + j + 1, centre, precision);
    return true;
}

// log2 |q_k| for k = 0..m, -infinity for a coefficient that is exactly 0.
// False where the precision does not tell q_0 or q_m from 0.
bool Search::sizes(slong m, std::vector<double> &log2_size)
{
    log2_size.assign(size_t(m + 1), -HUGE_VAL);
    Magnitude size;
    for (slong k = 0; k <= m; ++k) {
        acb_srcptr q = shifted.value + k;
        if (acb_is_zero(q))
            continue;
        if (acb_contains_zero(q)) {
            if (k == 0 || k == m)
                return false;
            continue;
        }
        acb_get_mag(size.value, q);
        log2_size[size_t(k)] = mag_get_d_log2_approx(size.value);
    }
    return true;
}

// Expands f about the centre of the m roots nearest it, f(c + y) = sum q_k
// y^k, as far as y^m. Their centroid is a simple root of f^(m-1), which Newton's method on
// it, c -> c - q_(m-1) / (m q_m), finds fast where those roots are much
// closer to one another than to the others; from there the rings of the
// Newton polygon of q_0 .. q_m show the group's own scale. False where the
// precision does not yet tell those coefficients from 0.
bool Search::centre_rings(slong m, acb_ptr centre, slong precision, std::vector<Ring> &rings)
{
    std::vector<double> log2_size;
    acb_ptr step = scratch.value;
    for (int k = 0; k < max_centre_steps; ++k) {
        if (!taylor_coefficients(m, centre, precision) || !sizes(m, log2_size))
            return false;
        rings = newton_polygon(log2_size);
        acb_srcptr below = shifted.value + m - 1;
        if (acb_contains_zero(below))
            break;
        acb_div(step, below, shifted.value + m, precision);
        acb_div_ui(step, step, ulong(m), precision);
        // Close enough where the step is small against the outer ring.
        Magnitude size;
        acb_get_mag(size.value, step);
        if (mag_get_d_log2_approx(size.value) < rings.back().log2_radius - 8)
            break;
        acb_sub(centre, centre, step, precision);
        acb_get_mid(centre, centre);
    }
    return true;
}

// Puts the group's approximations on the rings about its centre.
bool Search::spread(const std::vector<slong> &group, acb_ptr centre, slong precision)
{
    const slong m = slong(group.size());
    std::vector<Ring> rings;
    if (!centre_rings(m, centre, precision, rings))
        return false;
    const double two_pi = 6.283185307179586;
    size_t next = 0;
    acb_ptr offset = scratch.value;
    for (const Ring &ring : rings) {
        const double turn = two_pi * double(next) / double(m) + 0.4;
        for (long j = 0; j < ring.count; ++j) {
            acb_ptr zi = z.value + group[next++];
            if (std::isinf(ring.log2_radius)) {
                acb_set(zi, centre);
                continue;
            }
            const double whole = std::floor(ring.log2_radius);
            const double angle = two_pi * (double(j) + 0.25) / double(ring.count) + turn;
            const double scale = std::exp2(ring.log2_radius - whole);
            acb_set_d_d(offset, scale * std::cos(angle), scale * std::sin(angle));
            acb_mul_2exp_si(offset, offset, slong(whole));
            acb_add(zi, centre, offset, precision);
            acb_get_mid(zi, zi);
        }
    }
    return true;
}

bool Search::spread_group(const std::vector<slong> &group, slong precision)
{
    Balls centre(1);
    for (slong i : group)
        acb_add(centre.value, centre.value, z.value + i, precision);
    acb_div_ui(centre.value, centre.value, ulong(group.size()), precision);
    acb_get_mid(centre.value, centre.value);
    return spread(group, centre.value, precision);
}

// One Weierstrass step on every root not isolated, each at once.
bool Search::sweep(slong precision, mag_t largest)
{
    mag_zero(largest);
    for (slong i = 0; i < d; ++i) {
        if (p.isolated[size_t(i)])
            continue;
        if (!correction(i, precision))
            return false;
        acb_sub(z.value + i, z.value + i, w.value + i, precision);
        acb_get_mid(z.value + i, z.value + i);
        mag_max(largest, largest, bound[size_t(i)].value);
    }
    return true;
}

// Whether the disc of the given radius around c is apart from the other
// rows' discs, of radius other_rows |W_j| around z_j.
bool Search::apart(acb_srcptr c, const mag_t radius, slong i, const mag_t other_rows,
                   slong precision)
{
    acb_ptr difference = scratch.value;
    Magnitude distance, reach;
    for (slong j = 0; j < d; ++j) {
        if (j == i)
            continue;
        acb_sub(difference, c, z.value + j, precision);
        acb_get_mag_lower(distance.value, difference);
        mag_mul(reach.value, other_rows, bound[size_t(j)].value);
        mag_add(reach.value, reach.value, radius);
        if (mag_cmp(distance.value, reach.value) <= 0)
            return false;
    }
    return true;
}

// The scaled Gershgorin test of inclusion_discs, in ball arithmetic: the
// row of root i keeps its scale 1, the others are scaled by s, so that its
// disc D(z_i - W_i, (d - 1) s |W_i|) shrinks to the ball of z_i - W_i
// while theirs, D(z_j - W_j, (d - 2 + 1/s) |W_j|), stay a quarter of their
// distance. The number of roots newly isolated, or -1 once the budget is
// spent.
long Search::validate(slong precision)
{
    if (!corrections(precision))
        return -1;
    long newly = 0;
    Balls centre(1), axis(1), difference(1);
    Magnitude s, ratio, distance, off, radius, other_rows, wide;
    for (slong i = 0; i < d; ++i) {
        if (p.isolated[size_t(i)])
            continue;
        acb_sub(centre.value, z.value + i, w.value + i, precision);
        mag_add(off.value, arb_radref(acb_realref(centre.value)),
                arb_radref(acb_imagref(centre.value)));
        acb_get_mid(centre.value, centre.value);

        mag_zero(s.value);
        for (slong j = 0; j < d; ++j) {
            if (j == i)
                continue;
            acb_sub(difference.value, centre.value, z.value + j, precision);
            acb_get_mag_lower(distance.value, difference.value);
            mag_div(ratio.value, bound[size_t(j)].value, distance.value);
            mag_mul_2exp_si(ratio.value, ratio.value, 2);
            mag_max(s.value, s.value, ratio.value);
        }
        if (mag_cmp_2exp_si(s.value, 0) > 0)
            mag_one(s.value);
        if (mag_cmp_2exp_si(s.value, -2 * precision) < 0)
            mag_set_ui_2exp_si(s.value, 1, -2 * precision);
        mag_mul(radius.value, s.value, bound[size_t(i)].value);
        mag_mul_ui(radius.value, radius.value, ulong(d - 1));
        mag_add(radius.value, radius.value, off.value);
        mag_inv(other_rows.value, s.value);
        mag_add_ui(other_rows.value, other_rows.value, ulong(d - 1));

        Magnitude height;
        arf_get_mag(height.value, arb_midref(acb_imagref(centre.value)));
        if (mag_cmp(height.value, radius.value) <= 0) {
            // Widened to a disc centred on the axis: a real root.
            mag_add(wide.value, radius.value, height.value);
            acb_set(axis.value, centre.value);
            arb_zero(acb_imagref(axis.value));
            if (apart(axis.value, wide.value, i, other_rows.value, precision)) {
                mag_set(arb_radref(acb_realref(axis.value)), wide.value);
                newly += accept(i, axis.value);
                continue;
            }
        }
        // The square around the disc lies within 3/2 of its radius.
        mag_mul_ui(wide.value, radius.value, 3);
        mag_mul_2exp_si(wide.value, wide.value, -1);
        if (apart(centre.value, wide.value, i, other_rows.value, precision)) {
            mag_set(arb_radref(acb_realref(centre.value)), radius.value);
            mag_set(arb_radref(acb_imagref(centre.value)), radius.value);
            newly += accept(i, centre.value);
        }
    }
    return newly;
}

// A proof from one set of approximations says nothing about the roots
// held by enclosures proved from another: an enclosure that meets one of
// them could hold the same root, and waits for the next round.
bool Search::accept(slong i, acb_srcptr enclosure)
{
    for (slong j = 0; j < d; ++j)
        if (p.isolated[size_t(j)] && acb_overlaps(enclosure, p.roots + j))
            return false;
    acb_set(p.roots + i, enclosure);
    p.isolated[size_t(i)] = true;
    return true;
}

// Weierstrass sweeps until they stop gaining: the largest correction makes
// no new least for a few sweeps (down to the rounding at this precision),
// or it shrinks by a steady factor, as it does towards a cluster the
// precision does not resolve yet. Far from the roots it may wander for a
// while before it converges, which neither of the two stops. False once the
// budget is spent.
bool Search::settle(slong precision)
{
    double least = HUGE_VAL, previous = HUGE_VAL;
    int idle = 0, steady = 0;
    Magnitude largest;
    for (int k = 0; k < max_sweeps && idle < idle_sweeps && steady < idle_sweeps; ++k) {
        if (!sweep(precision, largest.value))
            return false;
        if (mag_is_zero(largest.value))
            break;
        const double size = mag_get_d_log2_approx(largest.value);
        idle = size < least ? 0 : idle + 1;
        // A few bits a sweep, sweep after sweep: linear, not quadratic.
        steady = size - previous > -6 && size - previous < -0.05 ? steady + 1 : 0;
        least = std::min(least, size);
        previous = size;
    }
    return true;
}

void Search::run()
{
    // Approximations long double could not hold, and none isolated: the
    // whole factor's rings.
    if (!std::all_of(p.approximations.begin(), p.approximations.end(), finite)) {
        std::vector<slong> all(static_cast<size_t>(d));
        std::iota(all.begin(), all.end(), 0);
        Balls origin(1);
        if (!spread(all, origin.value, start_precision))
            return;
    }
    if (!hold_isolated())
        return;
    for (slong precision = start_precision; precision <= p.max_precision;) {
        if (!corrections(precision))
            return;
        for (const std::vector<slong> &group : groups(precision))
            if (group.size() > 1)
                spread_group(group, precision);
        if (!settle(precision))
            return;
        const long newly = validate(precision);
        if (newly < 0 || all_isolated())
            return;
        // Settled without a proof: what is left are clusters this
        // precision does not resolve.
        if (newly == 0)
            precision *= 2;
    }
}

} // namespace

void isolate_clusters(const ClusterProblem &problem)
{
    Search(problem).run();
}
