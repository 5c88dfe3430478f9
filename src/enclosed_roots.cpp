#include "enclosed_roots.h"

#include "band_edge.h"

#include <algorithm>
#include <cmath>

using cplx = std::complex<long double>;

namespace {

// A root found seeds the exact search only where the factor's value there
// is this small against the size of its terms.
const long double seed_residual = 1e-6L;

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// Every distinct root found goes to the factor it fits best, if it is near a
// root of it at all, and each factor takes at most its degree, best first.
std::vector<std::vector<cplx>> found_per_factor(const EnclosedFactors &factors, const cplx *found,
                                                int32_t count)
{
    struct Fit {
        long double residual;
        cplx z;
    };
    std::vector<std::vector<Fit>> fits(factors.size());
    std::vector<cplx> seen;
    for (int32_t i = 0; i < count; ++i) {
        const cplx z = found[i];
        if (!finite(z) || std::find(seen.begin(), seen.end(), z) != seen.end())
            continue;
        seen.push_back(z);
        size_t best = factors.size();
        long double best_residual = seed_residual;
        for (size_t f = 0; f < factors.size(); ++f) {
            const long double residual = factors[f]->relative_residual(z);
            if (residual < best_residual) {
                best = f;
                best_residual = residual;
            }
        }
        if (best < factors.size())
            fits[best].push_back({best_residual, z});
    }

    std::vector<std::vector<cplx>> chosen(factors.size());
    for (size_t f = 0; f < factors.size(); ++f) {
        std::stable_sort(fits[f].begin(), fits[f].end(),
                         [](const Fit &a, const Fit &b) { return a.residual < b.residual; });
        for (const Fit &fit : fits[f])
            if (slong(chosen[f].size()) < factors[f]->degree)
                chosen[f].push_back(fit.z);
    }
    return chosen;
}

// From the long double bounds where they tell; else from the ball.
Band part_band(PartBounds x, const arb_t ball, bool on_edge)
{
    if (on_edge)
        return Band::inside;
    const Band b = band(x);
    return b == Band::undecided ? band(ball) : b;
}

// A part whose bounds, narrower than the band's edge, still hold it is
// compared with +-10^-12 exactly, once.
void test_band_edge(ExactRoot &root, bool imaginary)
{
    bool &tested = imaginary ? root.im_tested : root.re_tested;
    const PartBounds x = imaginary ? root.im() : root.re();
    const Band b = imaginary ? root.im_band() : root.re_band();
    if (tested || b != Band::undecided || !(x.high - x.low < 1e-12L))
        return;
    tested = true;
    const int sign = x.high > 0 ? 1 : -1;
    (imaginary ? root.im_on_edge : root.re_on_edge) =
        part_at_band_edge(root.factor->factor, root.enclosure(), imaginary, sign);
}

} // namespace

bool isolate_factors(const EnclosedFactors &factors, const cplx *found, int32_t count)
{
    const std::vector<std::vector<cplx>> seeds = found_per_factor(factors, found, count);
    for (size_t f = 0; f < factors.size(); ++f) {
        factors[f]->isolate(seeds[f]);
        if (!factors[f]->isolated())
            return false;
    }
    return true;
}

PartBounds ExactRoot::re() const
{
    const CertifiedRoots::Box b = factor->box(index);
    return {b.re_low, b.re_high};
}

PartBounds ExactRoot::im() const
{
    const CertifiedRoots::Box b = factor->box(index);
    return {b.im_low, b.im_high};
}

Band ExactRoot::re_band() const
{
    return part_band(re(), acb_realref(enclosure()), re_on_edge);
}

Band ExactRoot::im_band() const
{
    return part_band(im(), acb_imagref(enclosure()), im_on_edge);
}

bool ExactRoot::text_decided() const
{
    return ::text_decided(re(), re_band()) && ::text_decided(im(), im_band());
}

std::vector<ExactRoot> exact_roots_of(const EnclosedFactors &factors)
{
    std::vector<ExactRoot> roots;
    for (const auto &factor : factors)
        for (slong i = 0; i < factor->degree; ++i)
            roots.push_back({factor.get(), i});
    return roots;
}

bool decide_text(ExactRoot &root)
{
    for (;;) {
        test_band_edge(root, false);
        test_band_edge(root, true);
        if (root.text_decided())
            return true;
        if (!root.factor->refine(root.index))
            return false;
    }
}

bool certified_value(const ExactRoot &root, cplx *value)
{
    long double re = 0, im = 0;
    const bool re_decided = shown_value(acb_realref(root.enclosure()), root.re_band(), &re);
    const bool im_decided = shown_value(acb_imagref(root.enclosure()), root.im_band(), &im);
    *value = cplx(re, im);
    return re_decided && im_decided;
}
