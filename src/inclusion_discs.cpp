#include "inclusion_discs.h"

#include <algorithm>
#include <cmath>

using cplx = std::complex<long double>;

namespace {

// Unit roundoff of long double, rounding to nearest.
const long double u = std::ldexp(1.0L, -64);
// Every bound below is a sum of products of at most a few hundred
// non-negative terms, each rounded with relative error u: this factor
// covers all those roundings with room to spare.
const long double margin = 1 + std::ldexp(1.0L, -40);
// Moduli of long double complex values: from above and from below.
const long double above = 1 + std::ldexp(1.0L, -58);
const long double below = 1 - std::ldexp(1.0L, -58);
// The absolute error of a product that underflows, and then some.
const long double underflow = std::ldexp(1.0L, -16440);
// Values the division and the products of differences keep within, so
// that every rounding in them is relative.
const long double smallest = std::ldexp(1.0L, -8000);
const long double largest = std::ldexp(1.0L, 8000);

bool in_range(long double x)
{
    return x >= smallest && x <= largest;
}

long double l1(cplx z)
{
    return std::fabs(z.real()) + std::fabs(z.imag());
}

// |z| times factor, without overflow or underflow in the squares.
long double modulus(cplx z, long double factor)
{
    const long double m = std::max(std::fabs(z.real()), std::fabs(z.imag()));
    if (m == 0 || !std::isfinite(m))
        return m;
    const long double a = z.real() / m, b = z.imag() / m;
    return m * std::sqrt(a * a + b * b) * factor;
}

// The textbook product; each part is off by at most 2u / (1 - 2u) times
// the sum of the moduli of its two products, the whole by at most
// 3u |a| |b|.
cplx times(cplx a, cplx b)
{
    return cplx(a.real() * b.real() - a.imag() * b.imag(),
                a.real() * b.imag() + a.imag() * b.real());
}

struct BoundedValue {
    cplx value;
    long double error; // |p(z) - value| for every p within the bounds
};

// p(z) by Horner's scheme with a running bound on its error: each step
// s -> s z + c_k adds 3u |s| |z| for the product, u |s z + c_k| for the
// sum (its imaginary part is exact) and carries the error so far times
// |z|; the coefficients' bounds add sum radius_k |z|^k.
BoundedValue bounded_value(const BallPolynomial &p, cplx z)
{
    const size_t n = p.centre.size() - 1;
    const long double r = modulus(z, above);
    cplx s(p.centre[n], 0);
    long double rounding = 0, spread = p.radius[n];
    for (size_t k = n; k-- > 0;) {
        const long double before = l1(s);
        s = times(s, z);
        s = cplx(s.real() + p.centre[k], s.imag());
        rounding = rounding * r + 3 * u * before * r + u * l1(s) + underflow;
        spread = spread * r + p.radius[k];
    }
    return {s, (rounding + spread) * margin};
}

// prod_{j != i} (z_i - z_j). Each difference is off by at most u of its
// modulus, each product by 3u; the whole by at most 5 n u of its modulus.
// False where a partial product leaves the range in which that holds.
bool differences(const std::vector<cplx> &z, size_t i, cplx &product)
{
    product = 1;
    for (size_t j = 0; j < z.size(); ++j) {
        if (j == i)
            continue;
        product = times(product, z[i] - z[j]);
        if (!in_range(l1(product)))
            return false;
    }
    return true;
}

struct Correction {
    bool valid = false;
    cplx w;                // W_i as computed
    long double error = 0; // |W_i - w|, W_i for every polynomial within the bounds
};

Correction correction(const BallPolynomial &p, const std::vector<cplx> &z, size_t i)
{
    const size_t n = p.centre.size() - 1;
    const long double lead = p.centre[n];
    cplx product;
    if (!differences(z, i, product))
        return {};
    const BoundedValue v = bounded_value(p, z[i]);
    const cplx divisor(lead * product.real(), lead * product.imag());
    const long double norm = divisor.real() * divisor.real() + divisor.imag() * divisor.imag();
    if (!(v.value == cplx(0) || in_range(l1(v.value))) || !in_range(l1(divisor))
        || !std::isfinite(v.error))
        return {};
    // The quotient through the conjugate: off by at most 16u of its modulus.
    const cplx numerator = times(v.value, std::conj(divisor));
    const cplx w(numerator.real() / norm, numerator.imag() / norm);

    // The exact divisor is lead * product * (1 + t) with |t| <= bound.
    const long double a = p.radius[n] / std::fabs(lead);
    const long double drift = 5 * static_cast<long double>(n) * u;
    const long double b = drift / (1 - drift);
    const long double t = (a + b + a * b) * margin;
    if (!(t < 0.5L))
        return {};
    const long double size = modulus(w, above);
    const long double least_divisor = std::fabs(lead) * modulus(product, below) * (1 - t);
    const long double error =
        (v.error / least_divisor + size * (1 + 16 * u) * t / (1 - t) + 16 * u * size) * margin
        + underflow;
    if (!std::isfinite(error))
        return {};
    return {true, w, error};
}

// Whether the disc of the given radius around c is apart from the disc
// of radius (n - 1 + 1/s) bound[j] around every z_j, j != i.
bool apart(cplx c, long double radius, const std::vector<cplx> &z, size_t i,
           const std::vector<long double> &bound, long double other_rows)
{
    for (size_t j = 0; j < z.size(); ++j) {
        if (j == i)
            continue;
        const long double dx = c.real() - z[j].real(), dy = c.imag() - z[j].imag();
        const long double distance2 = (dx * dx + dy * dy) * below;
        const long double reach = (radius + other_rows * bound[j]) * above;
        if (!(distance2 > reach * reach * above))
            return false;
    }
    return true;
}

} // namespace

// The corrections of all approximations; true where every one is valid
// and small against its approximation, so that a step would gain nothing
// the discs need.
bool corrections(const BallPolynomial &p, const std::vector<cplx> &z, std::vector<Correction> &c)
{
    const long double settled = std::ldexp(1.0L, -40);
    bool small = true;
    for (size_t i = 0; i < z.size(); ++i) {
        c[i] = correction(p, z, i);
        small = small && c[i].valid && l1(c[i].w) <= settled * l1(z[i]);
    }
    return small;
}

Inclusion inclusion_discs(const BallPolynomial &p, std::vector<cplx> z, int steps)
{
    const size_t n = z.size();
    std::vector<Correction> c(n);
    bool settled = corrections(p, z, c);
    for (int step = 0; !settled && step < steps; ++step) {
        for (size_t i = 0; i < n; ++i)
            if (c[i].valid)
                z[i] -= c[i].w;
        settled = corrections(p, z, c);
    }
    std::vector<long double> bound(n); // |W_j| from above
    const long double infinite = HUGE_VALL;
    for (size_t i = 0; i < n; ++i)
        bound[i] = c[i].valid ? modulus(c[i].w, above) + c[i].error : infinite;

    std::vector<InclusionDisc> discs(n);
    for (size_t i = 0; i < n; ++i) {
        if (!c[i].valid)
            continue;
        const cplx centre = z[i] - c[i].w;
        // The centre's own rounding, u of each part.
        const long double off = (c[i].error + u * l1(centre)) * margin;

        // The scale s: small enough to shrink this disc to the error of
        // W_i, large enough to keep the other rows' discs a quarter of
        // their distance: (1/s) |W_j| <= |c - z_j| / 4.
        // The largest 16 |W_j|^2 / |c - z_j|^2, kept as a fraction: one
        // division in the end instead of one for each j.
        long double above_line = 0, below_line = 1;
        for (size_t j = 0; j < n; ++j) {
            if (j == i)
                continue;
            const long double dx = centre.real() - z[j].real(), dy = centre.imag() - z[j].imag();
            const long double b2 = 16 * bound[j] * bound[j], d2 = dx * dx + dy * dy;
            if (b2 * below_line > above_line * d2) {
                above_line = b2;
                below_line = d2;
            }
        }
        const long double s2 = above_line / below_line;
        const long double s = std::isfinite(s2) && s2 < 1 ? std::max(std::sqrt(s2), smallest) : 1;
        const long double radius = ((n - 1) * s * bound[i] + off) * margin;
        const long double other_rows = ((n - 1) + 1 / s) * margin;

        // Meeting the real axis, the disc is first widened to one centred
        // on it: holding exactly one root of a real polynomial, it holds a
        // real one. Else the square around the disc must be apart.
        InclusionDisc &d = discs[i];
        if (std::fabs(centre.imag()) <= radius) {
            const cplx axis(centre.real(), 0);
            const long double widened = (radius + std::fabs(centre.imag())) * margin;
            if (apart(axis, widened, z, i, bound, other_rows)) {
                d = {true, true, axis, widened};
                continue;
            }
        }
        if (apart(centre, radius * std::sqrt(2.0L) * margin, z, i, bound, other_rows))
            d = {true, false, centre, radius};
    }
    return {discs, z, settled};
}
