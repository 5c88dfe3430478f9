#include "exact_roots.h"

#include "certified_roots.h"
#include "decimal_polynomial.h"
#include "root_conventions.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

using cplx = std::complex<long double>;

namespace {

// A root found seeds the exact search only where the factor's value there
// is this small against the size of its terms.
const long double seed_residual = 1e-6L;

// The polishing-free search is asked for six correct digits.
const long double plain_accuracy = 1e-6L;

using Factors = std::vector<std::unique_ptr<CertifiedRoots>>;

// ---- What the window shows ----

// A part as the solver hands it back.
long double shown_part(long double x)
{
    return roots::cleaned(x);
}

long double shown_part(const arf_t x)
{
    return shown_part(to_long_double(x));
}

// A part as the main window writes it.
std::string part_text(long double x)
{
    return roots::number_text(static_cast<double>(x));
}

struct Ends {
    explicit Ends(const arb_t x)
    {
        arb_get_lbound_arf(low.value, x, 128);
        arb_get_ubound_arf(high.value, x, 128);
    }
    Float low, high;
};

// Whether every value in x is handed back alike, or shown alike.
bool value_decided(const arb_t x)
{
    const Ends ends(x);
    return shown_part(ends.low.value) == shown_part(ends.high.value);
}

bool text_decided(const arb_t x)
{
    const Ends ends(x);
    return part_text(shown_part(ends.low.value)) == part_text(shown_part(ends.high.value));
}

bool value_decided(acb_srcptr z)
{
    return value_decided(acb_realref(z)) && value_decided(acb_imagref(z));
}

bool text_decided(acb_srcptr z)
{
    return text_decided(acb_realref(z)) && text_decided(acb_imagref(z));
}

cplx shown(acb_srcptr z)
{
    return cplx(shown_part(arb_midref(acb_realref(z))), shown_part(arb_midref(acb_imagref(z))));
}

bool same_text(cplx found, acb_srcptr exact)
{
    const cplx z = shown(exact);
    return part_text(found.real()) == part_text(z.real())
           && part_text(found.imag()) == part_text(z.imag());
}

bool shows_complex(cplx z)
{
    return z.imag() != 0;
}

// ---- Seeds from the roots found ----

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

// Every distinct root found goes to the factor it fits best, if it is near a
// root of it at all (a value far from every root would only slow the
// iteration down), and each factor takes at most its degree, best first.
std::vector<std::vector<cplx>> found_per_factor(const Factors &factors, const cplx *found,
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

// ---- From certified roots to the roots handed back ----

struct ExactRoot {
    CertifiedRoots *factor;
    slong index;
    acb_srcptr enclosure() const { return factor->root(index); }
};

std::vector<ExactRoot> exact_roots_of(const Factors &factors)
{
    std::vector<ExactRoot> roots;
    for (const auto &factor : factors)
        for (slong i = 0; i < factor->degree; ++i)
            roots.push_back({factor.get(), i});
    return roots;
}

// Where one root found ends up, given the exact root that claimed it.
enum class Verdict { keep, make_real, replace };

Verdict verdict(cplx found, acb_srcptr exact, bool polished)
{
    if (polished)
        return same_text(found, exact) ? Verdict::keep : Verdict::replace;
    const cplx z = shown(exact);
    if (!(std::abs(found - z) <= plain_accuracy * std::abs(z)))
        return Verdict::replace;
    if (shows_complex(found) == shows_complex(z))
        return Verdict::keep;
    return arb_is_zero(acb_imagref(exact)) ? Verdict::make_real : Verdict::replace;
}

struct Claim {
    bool claimed = false;
    size_t exact = 0;
};

// Each exact root claims as many of the roots found as its multiplicity,
// nearest first.
std::vector<Claim> claims(const std::vector<ExactRoot> &exact, const cplx *found, int32_t count)
{
    struct Pair {
        long double distance;
        int32_t found;
        size_t exact;
    };
    std::vector<cplx> estimate;
    for (const ExactRoot &root : exact)
        estimate.push_back(root.factor->estimate(root.index));
    std::vector<Pair> pairs;
    for (int32_t i = 0; i < count; ++i)
        for (size_t j = 0; j < exact.size(); ++j) {
            const long double distance = std::abs(found[i] - estimate[j]);
            if (!std::isnan(distance))
                pairs.push_back({distance, i, j});
        }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair &a, const Pair &b) { return a.distance < b.distance; });

    std::vector<Claim> claim(count);
    std::vector<slong> left;
    for (const ExactRoot &root : exact)
        left.push_back(root.factor->multiplicity);
    for (const Pair &pair : pairs) {
        if (claim[pair.found].claimed || left[pair.exact] == 0)
            continue;
        claim[pair.found] = {true, pair.exact};
        --left[pair.exact];
    }
    return claim;
}

struct Plan {
    std::vector<cplx> roots;
    std::vector<ExactRoot> undecided; // certified values used but not yet decided
    bool changed = false;
};

cplx certified(Plan &plan, const ExactRoot &root)
{
    plan.changed = true;
    const auto same = [&](const ExactRoot &r) { return r.factor == root.factor && r.index == root.index; };
    if (!value_decided(root.enclosure())
        && std::none_of(plan.undecided.begin(), plan.undecided.end(), same))
        plan.undecided.push_back(root);
    return shown(root.enclosure());
}

// Real roots in increasing order, then complex ones by real part, each
// with positive imaginary part before its conjugate.
bool before(cplx a, cplx b)
{
    if (a.real() != b.real())
        return a.real() < b.real();
    if (std::fabs(a.imag()) != std::fabs(b.imag()))
        return std::fabs(a.imag()) < std::fabs(b.imag());
    return a.imag() > b.imag();
}

// Kept roots first, in their places; then the exact roots not yet shown as
// often as their multiplicity.
Plan plan_roots(const std::vector<ExactRoot> &exact, const cplx *found, int32_t count, bool polished)
{
    Plan plan;
    const std::vector<Claim> claim = claims(exact, found, count);
    std::vector<slong> shown_copies(exact.size(), 0);
    for (int32_t i = 0; i < count; ++i) {
        if (!claim[i].claimed) {
            plan.changed = true;
            continue;
        }
        const ExactRoot &root = exact[claim[i].exact];
        ++shown_copies[claim[i].exact];
        switch (verdict(found[i], root.enclosure(), polished)) {
        case Verdict::keep:
            plan.roots.push_back(found[i]);
            break;
        case Verdict::make_real:
            plan.roots.push_back(cplx(found[i].real(), 0));
            plan.changed = true;
            break;
        case Verdict::replace:
            plan.roots.push_back(certified(plan, root));
            break;
        }
    }
    std::vector<cplx> added;
    for (size_t j = 0; j < exact.size(); ++j)
        for (; shown_copies[j] < exact[j].factor->multiplicity; ++shown_copies[j])
            added.push_back(certified(plan, exact[j]));
    std::sort(added.begin(), added.end(), before);
    plan.roots.insert(plan.roots.end(), added.begin(), added.end());
    return plan;
}

bool all_isolated(const Factors &factors)
{
    return std::all_of(factors.begin(), factors.end(), [](const auto &f) { return f->isolated(); });
}

// Without an exact polynomial only a root that is not a number is known to
// be wrong.
RootCheck drop_non_numbers(cplx *roots, int32_t *count)
{
    const cplx *end = std::remove_if(roots, roots + *count, [](cplx z) {
        return std::isnan(z.real()) || std::isnan(z.imag());
    });
    *count = int32_t(end - roots);
    return RootCheck::not_exact;
}

} // namespace

namespace {

RootCheck certify(const fmpz_poly_t p, bool polished, cplx *roots, int32_t *count)
{
    SquareFreeFactors square_free;
    fmpz_poly_factor_squarefree(square_free.value, p);
    WorkBudget budget;
    Factors factors;
    for (slong f = 0; f < square_free.value->num; ++f)
        factors.push_back(std::make_unique<CertifiedRoots>(square_free.value->p + f,
                                                           square_free.value->exp[f], budget));
    const std::vector<std::vector<cplx>> found = found_per_factor(factors, roots, *count);
    for (size_t f = 0; f < factors.size(); ++f) {
        factors[f]->isolate(found[f]);
        factors[f]->refine_until([](acb_srcptr z) { return text_decided(z); });
    }
    if (!all_isolated(factors))
        return drop_non_numbers(roots, count);

    const std::vector<ExactRoot> exact = exact_roots_of(factors);
    Plan plan = plan_roots(exact, roots, *count, polished);
    while (!plan.undecided.empty()) {
        bool refined = false;
        for (const ExactRoot &root : plan.undecided)
            refined = root.factor->refine(root.index) || refined;
        if (!refined)
            break;
        if (!all_isolated(factors))
            return drop_non_numbers(roots, count);
        plan = plan_roots(exact, roots, *count, polished);
    }

    std::copy(plan.roots.begin(), plan.roots.end(), roots);
    *count = int32_t(plan.roots.size());
    return plan.changed ? RootCheck::changed : RootCheck::kept;
}

} // namespace

RootCheck certify_roots(const cplx *coeffs, int32_t n, bool polished, cplx *roots, int32_t *count)
{
    IntegerPolynomial p;
    if (n < 1 || !decimal_polynomial(coeffs, n, p.value))
        return drop_non_numbers(roots, count);
    return certify(p.value, polished, roots, count);
}

RootCheck certify_roots(const std::vector<std::string> &exact, bool polished, cplx *roots,
                        int32_t *count)
{
    IntegerPolynomial p;
    if (exact.size() < 2 || !rational_polynomial(exact, p.value))
        return drop_non_numbers(roots, count);
    return certify(p.value, polished, roots, count);
}
