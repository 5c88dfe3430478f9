#include "exact_roots.h"

#include "decimal_polynomial.h"
#include "enclosed_roots.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

using cplx = std::complex<long double>;

namespace {

// The polishing-free search is asked for six correct digits.
const long double plain_accuracy = 1e-6L;

// Where the roots found let the long double test isolate every root, p is
// its own square-free factor and is never factorised; else each factor of
// its square-free factorisation is enclosed. Empty where the budget runs
// out first.
EnclosedFactors enclosed_factors(const fmpz_poly_struct *p, const cplx *found, int32_t count,
                                 WorkBudget &budget, fmpz_poly_factor_t square_free)
{
    EnclosedFactors factors;
    auto whole = std::make_unique<CertifiedRoots>(p, 1, budget);
    if (whole->isolate_quickly(std::vector<cplx>(found, found + count))) {
        factors.push_back(std::move(whole));
        return factors;
    }
    fmpz_poly_factor_squarefree(square_free, p);
    for (slong f = 0; f < square_free->num; ++f)
        factors.push_back(
            std::make_unique<CertifiedRoots>(square_free->p + f, square_free->exp[f], budget));
    if (!isolate_factors(factors, found, count))
        return {};
    return factors;
}

// Where one root found ends up, given the exact root that claimed it.
enum class Verdict { keep, adjust, replace };

// Polished, a root found is kept where it shows the exact root's text.
// Unpolished, where it lies within 1e-6 of it, relatively, with its parts
// that show as 0 set to 0 (the exact root's parts inside the band); one
// showing 0 where the exact root does not is replaced.
Verdict verdict(cplx found, const ExactRoot &root, bool polished, cplx *adjusted)
{
    const Band rb = root.re_band(), ib = root.im_band();
    if (polished)
        return shows_as(found.real(), root.re(), rb) && shows_as(found.imag(), root.im(), ib)
                   ? Verdict::keep
                   : Verdict::replace;
    if ((rb == Band::outside && found.real() == 0) || (ib == Band::outside && found.imag() == 0))
        return Verdict::replace;
    *adjusted = cplx(rb == Band::inside ? 0 : found.real(), ib == Band::inside ? 0 : found.imag());
    if (!within(*adjusted, root.re(), root.im(), plain_accuracy))
        return Verdict::replace;
    return *adjusted == found ? Verdict::keep : Verdict::adjust;
}

struct Claim {
    bool claimed = false;
    size_t exact = 0;
};

long double squared_distance(cplx a, cplx b)
{
    const long double x = a.real() - b.real(), y = a.imag() - b.imag();
    return x * x + y * y;
}

// Where every root found lies nearer an exact root than half the distance
// from it to any other, and no exact root gets more of them than its
// multiplicity, those are the pairs of the greedy pairing below: each such
// pair is shorter than any pair it competes with.
std::optional<std::vector<Claim>> close_claims(const std::vector<cplx> &estimate,
                                               const std::vector<slong> &multiplicity,
                                               const cplx *found, int32_t count)
{
    const size_t n = estimate.size();
    std::vector<long double> gap(n, HUGE_VALL);
    for (size_t j = 0; j < n; ++j)
        for (size_t k = j + 1; k < n; ++k) {
            const long double d = squared_distance(estimate[j], estimate[k]);
            gap[j] = std::min(gap[j], d);
            gap[k] = std::min(gap[k], d);
        }
    std::vector<Claim> claim(static_cast<size_t>(count));
    std::vector<slong> left = multiplicity;
    for (int32_t i = 0; i < count; ++i) {
        size_t nearest = 0;
        long double least = HUGE_VALL;
        for (size_t j = 0; j < n; ++j) {
            const long double d = squared_distance(found[i], estimate[j]);
            if (d < least) {
                least = d;
                nearest = j;
            }
        }
        if (!(4 * least < gap[nearest]) || left[nearest] == 0)
            return std::nullopt;
        --left[nearest];
        claim[size_t(i)] = {true, nearest};
    }
    return claim;
}

// Each exact root claims as many of the roots found as its multiplicity,
// nearest first.
std::vector<Claim> claims(const std::vector<ExactRoot> &exact, const cplx *found, int32_t count)
{
    std::vector<cplx> estimate;
    std::vector<slong> left;
    for (const ExactRoot &root : exact) {
        estimate.push_back(root.factor->estimate(root.index));
        left.push_back(root.factor->multiplicity);
    }
    if (const auto close = close_claims(estimate, left, found, count))
        return *close;

    struct Pair {
        long double distance;
        int32_t found;
        size_t exact;
    };
    std::vector<Pair> pairs;
    for (int32_t i = 0; i < count; ++i)
        for (size_t j = 0; j < exact.size(); ++j) {
            const long double distance = std::abs(found[i] - estimate[j]);
            if (!std::isnan(distance))
                pairs.push_back({distance, i, j});
        }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair &a, const Pair &b) { return a.distance < b.distance; });
    std::vector<Claim> claim(static_cast<size_t>(count));
    for (const Pair &pair : pairs) {
        if (claim[size_t(pair.found)].claimed || left[pair.exact] == 0)
            continue;
        claim[size_t(pair.found)] = {true, pair.exact};
        --left[pair.exact];
    }
    return claim;
}

struct Plan {
    std::vector<cplx> roots;
    std::vector<bool> kept;        // each root found as it was
    std::vector<size_t> undecided; // exact roots whose certified values are not decided yet
    bool changed = false;
};

cplx certified(Plan &plan, const std::vector<ExactRoot> &exact, size_t j)
{
    plan.changed = true;
    cplx value;
    if (!certified_value(exact[j], &value)
        && std::find(plan.undecided.begin(), plan.undecided.end(), j) == plan.undecided.end())
        plan.undecided.push_back(j);
    return value;
}

// By real part; at equal real part the real root first, then by the size
// of the imaginary part, the positive one before its conjugate.
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
        if (!claim[size_t(i)].claimed) {
            plan.changed = true;
            continue;
        }
        const size_t j = claim[size_t(i)].exact;
        ++shown_copies[j];
        cplx adjusted;
        const Verdict v = verdict(found[i], exact[j], polished, &adjusted);
        plan.kept.push_back(v == Verdict::keep);
        switch (v) {
        case Verdict::keep:
            plan.roots.push_back(found[i]);
            break;
        case Verdict::adjust:
            plan.roots.push_back(adjusted);
            plan.changed = true;
            break;
        case Verdict::replace:
            plan.roots.push_back(certified(plan, exact, j));
            break;
        }
    }
    std::vector<cplx> added;
    for (size_t j = 0; j < exact.size(); ++j)
        for (; shown_copies[j] < exact[j].factor->multiplicity; ++shown_copies[j])
            added.push_back(certified(plan, exact, j));
    std::sort(added.begin(), added.end(), before);
    plan.roots.insert(plan.roots.end(), added.begin(), added.end());
    plan.kept.resize(plan.roots.size(), false);
    return plan;
}

// The kept roots in their order; every other root, by decreasing modulus,
// before the first kept one of smaller modulus.
std::vector<cplx> by_modulus(const Plan &plan)
{
    std::vector<cplx> kept, others;
    for (size_t i = 0; i < plan.roots.size(); ++i)
        (plan.kept[i] ? kept : others).push_back(plan.roots[i]);
    std::stable_sort(others.begin(), others.end(),
                     [](cplx a, cplx b) { return std::norm(a) > std::norm(b); });
    std::vector<cplx> ordered;
    auto next = others.begin();
    for (const cplx &k : kept) {
        for (; next != others.end() && std::norm(*next) > std::norm(k); ++next)
            ordered.push_back(*next);
        ordered.push_back(k);
    }
    ordered.insert(ordered.end(), next, others.end());
    return ordered;
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

RootCheck certify(const fmpz_poly_t p, bool polished, RootOrder order, cplx *roots, int32_t *count)
{
    WorkBudget budget;
    SquareFreeFactors square_free;
    const EnclosedFactors factors = enclosed_factors(p, roots, *count, budget, square_free.value);
    if (factors.empty())
        return drop_non_numbers(roots, count);
    std::vector<ExactRoot> exact = exact_roots_of(factors);
    for (ExactRoot &root : exact)
        if (!decide_text(root))
            return drop_non_numbers(roots, count);

    // Certified values replacing roots found are narrowed until they are
    // decided too, as far as the budget allows; beyond it they are the
    // middles of enclosures whose texts are decided.
    Plan plan = plan_roots(exact, roots, *count, polished);
    while (!plan.undecided.empty()) {
        bool refined = false;
        for (size_t j : plan.undecided)
            refined = exact[j].factor->refine(exact[j].index) || refined;
        if (!refined)
            break;
        plan = plan_roots(exact, roots, *count, polished);
    }

    const std::vector<cplx> shown = order == RootOrder::by_modulus ? by_modulus(plan) : plan.roots;
    std::copy(shown.begin(), shown.end(), roots);
    *count = int32_t(shown.size());
    return plan.changed ? RootCheck::changed : RootCheck::kept;
}

} // namespace

RootCheck certify_roots(const cplx *coeffs, int32_t n, bool polished, RootOrder order,
                        cplx *roots, int32_t *count)
{
    IntegerPolynomial p;
    if (n < 1 || !decimal_polynomial(coeffs, n, p.value))
        return drop_non_numbers(roots, count);
    return certify(p.value, polished, order, roots, count);
}

RootCheck certify_roots(const std::vector<std::string> &exact, bool polished, RootOrder order,
                        cplx *roots, int32_t *count)
{
    IntegerPolynomial p;
    if (exact.size() < 2 || !rational_polynomial(exact, p.value))
        return drop_non_numbers(roots, count);
    return certify(p.value, polished, order, roots, count);
}
