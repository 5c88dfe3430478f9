#include "shown_roots.h"

#include "long_double_balls.h"
#include "root_conventions.h"

#include <algorithm>
#include <cmath>

namespace {

// The largest long double not above 10^-12: a long double is at most
// 10^-12 in magnitude exactly where it is at most this.
const long double band_edge = 0x1.19799812dea11196p-40L;

// Room for the roundings of the few operations behind a bound.
const long double above = 1 + std::ldexp(1.0L, -58);
const long double below = 1 - std::ldexp(1.0L, -58);

// The text the window writes for a long double part. Equal doubles write
// equal texts; only where they differ are the texts themselves compared.
bool same_text(long double a, long double b)
{
    const double x = static_cast<double>(a), y = static_cast<double>(b);
    return x == y || roots::number_text(x) == roots::number_text(y);
}

// The part as compared with a root found: 0 inside the band.
PartBounds reference(PartBounds x)
{
    return band(x) == Band::inside ? PartBounds{0, 0} : x;
}

// The farthest and the nearest a value z can be from a point in x.
long double farthest(long double z, PartBounds x)
{
    return std::max(std::fabs(z - x.low), std::fabs(z - x.high)) * above;
}

long double nearest_to_zero(PartBounds x)
{
    if (x.low <= 0 && x.high >= 0)
        return 0;
    return std::min(std::fabs(x.low), std::fabs(x.high));
}

} // namespace

Band band(PartBounds x)
{
    if (x.low >= -band_edge && x.high <= band_edge)
        return Band::inside;
    if (x.low > band_edge || x.high < -band_edge)
        return Band::outside;
    return Band::undecided;
}

Band band(const arb_t x)
{
    // |x| from below and from above, times 10^12, against 1: exactly.
    Float low, high;
    arb_get_abs_lbound_arf(low.value, x, ARF_PREC_EXACT);
    arb_get_abs_ubound_arf(high.value, x, ARF_PREC_EXACT);
    arf_mul_ui(low.value, low.value, 1000000000000, ARF_PREC_EXACT, ARF_RND_DOWN);
    arf_mul_ui(high.value, high.value, 1000000000000, ARF_PREC_EXACT, ARF_RND_DOWN);
    if (arf_cmp_2exp_si(high.value, 0) <= 0)
        return Band::inside;
    if (arf_cmp_2exp_si(low.value, 0) > 0)
        return Band::outside;
    return Band::undecided;
}

// The window shows round(exact), a monotone function of the exact part: if
// both bounds show one text, so does everything between them.
bool text_decided(PartBounds x, Band b)
{
    return b == Band::inside || (b == Band::outside && same_text(x.low, x.high));
}

bool shows_as(long double found, PartBounds x, Band b)
{
    return same_text(found, b == Band::inside ? 0 : x.low);
}

bool shown_value(const arb_t x, Band b, long double *value)
{
    if (b == Band::inside) {
        *value = 0;
        return true;
    }
    if (b != Band::outside)
        return false;
    Float low, high;
    arb_get_lbound_arf(low.value, x, 128);
    arb_get_ubound_arf(high.value, x, 128);
    *value = to_long_double(low.value);
    return *value == to_long_double(high.value);
}

bool within(std::complex<long double> z, PartBounds re, PartBounds im, long double relative)
{
    const PartBounds x = reference(re), y = reference(im);
    const long double dx = farthest(z.real(), x), dy = farthest(z.imag(), y);
    const long double mx = nearest_to_zero(x), my = nearest_to_zero(y);
    const long double distance = std::sqrt(dx * dx + dy * dy) * above;
    const long double size = std::sqrt(mx * mx + my * my) * below;
    return distance <= relative * size * below;
}
