#include "distinct_roots.h"

#include "decimal_digits.h"
#include "enclosed_roots.h"
#include "root_conventions.h"

#include <algorithm>
#include <cmath>
#include <memory>

using cplx = std::complex<long double>;

namespace {

// Bits that hold a number of decimal digits, with room for the rounding.
slong bits_for(int digits)
{
    return slong(std::ceil(digits * 3.3219280948873623)) + 64;
}

// A step that narrows an enclosure to b bits works at up to about 2b bits;
// one that fails is redone at twice the precision.
slong max_precision_for(int digits)
{
    return std::max(CertifiedRoots::standard_max_precision, 4 * bits_for(digits));
}

// Enclosing, as the exact check does; then, for every root, a few steps of
// 4(d + 1) operations at up to 2b bits, costing together about twice the
// last: eight times its cost covers the steps redone.
double budget_for(int digits, slong degree)
{
    const double bits = double(2 * bits_for(digits));
    return WorkBudget::standard + 8.0 * 4 * double(degree + 1) * double(degree) * std::max(1.0, bits / 128);
}

bool stopped(const std::atomic<bool> *cancelled)
{
    return cancelled && cancelled->load(std::memory_order_relaxed);
}

// The factor in integers, constant first: a linear factor x + p/q as q x + p.
void integer_factor(const ExactFactor &factor, fmpz_poly_t out)
{
    fmpz_poly_zero(out);
    const slong degree = slong(factor.coeffs.size()) - 1;
    if (degree == 1) {
        Rational c;
        fmpq_set_str(c.value, factor.coeffs[1].c_str(), 10);
        fmpz_poly_set_coeff_fmpz(out, 1, fmpq_denref(c.value));
        fmpz_poly_set_coeff_fmpz(out, 0, fmpq_numref(c.value));
        return;
    }
    Integer c;
    for (slong k = 0; k <= degree; ++k) {
        fmpz_set_str(c.value, factor.coeffs[size_t(k)].c_str(), 10);
        fmpz_poly_set_coeff_fmpz(out, degree - k, c.value);
    }
}

// A part of the root in the enclosure, where it is rational and known:
// both parts of a linear factor's root; of a quadratic factor's complex
// roots the real part -b/2a, and the imaginary part sqrt(4ac - b^2)/2a
// where that is a square. A rational root may be a decimal of exactly one
// digit more than asked for, which no enclosure around it decides.
bool exact_part(const fmpz_poly_struct *f, acb_srcptr enclosure, bool imaginary, fmpq_t out)
{
    const fmpz *c = f->coeffs;
    if (fmpz_poly_degree(f) == 1) {
        fmpq_zero(out);
        if (!imaginary) {
            fmpq_set_fmpz_frac(out, c + 0, c + 1);
            fmpq_neg(out, out);
        }
        return true;
    }
    if (fmpz_poly_degree(f) != 2)
        return false;
    Integer d, four_ac, two_a;
    fmpz_mul(four_ac.value, c + 2, c + 0);
    fmpz_mul_ui(four_ac.value, four_ac.value, 4);
    fmpz_mul(d.value, c + 1, c + 1);
    fmpz_sub(d.value, four_ac.value, d.value); // 4ac - b^2
    fmpz_mul_ui(two_a.value, c + 2, 2);
    if (fmpz_sgn(d.value) <= 0)
        return false;
    if (!imaginary) {
        fmpq_set_fmpz_frac(out, c + 1, two_a.value);
        fmpq_neg(out, out);
        return true;
    }
    if (!fmpz_is_square(d.value))
        return false;
    fmpz_sqrt(d.value, d.value);
    fmpq_set_fmpz_frac(out, d.value, two_a.value);
    if (arf_sgn(arb_midref(acb_imagref(enclosure))) < 0)
        fmpq_neg(out, out);
    return true;
}

std::string part_text(const ExactRoot &root, bool imaginary, slong digits)
{
    Rational exact;
    if (exact_part(root.factor->factor, root.enclosure(), imaginary, exact.value))
        return decided_text(exact.value, exact.value, digits);
    const acb_srcptr z = root.enclosure();
    return decided_text(imaginary ? acb_imagref(z) : acb_realref(z), digits);
}

bool both_parts(const ExactRoot &root, int digits, DistinctRoot &row)
{
    row.re = part_text(root, false, digits);
    row.im = part_text(root, true, digits);
    row.digits = digits;
    return !row.re.empty() && !row.im.empty();
}

// Narrows the enclosure until the window's text of the root and its long
// double are decided, and which side of the real axis it lies on.
bool settle(ExactRoot &root, cplx *value)
{
    if (!decide_text(root))
        return false;
    for (;;) {
        const arb_srcptr im = acb_imagref(root.enclosure());
        const bool side_known = arb_is_zero(im) || !arb_contains_zero(im);
        if (side_known && certified_value(root, value))
            return true;
        if (!root.factor->refine(root.index))
            return false;
    }
}

// The parts as the window writes them at its 12 digits; with other digits,
// from the enclosure narrowed until both are decided. Where the work
// allowed ends first, with as many digits as the enclosure then decides,
// and at least the window's. False only where cancelled.
bool write_parts(ExactRoot &root, cplx value, int digits, const std::atomic<bool> *cancelled,
                 DistinctRoot &row)
{
    const int shown = roots::shown_digits;
    if (digits != shown) {
        while (!both_parts(root, digits, row)) {
            if (stopped(cancelled))
                return false;
            if (!root.factor->refine(root.index))
                break;
        }
        if (!row.re.empty() && !row.im.empty())
            return true;
        const int held = int(double(acb_rel_accuracy_bits(root.enclosure())) * std::log10(2.0));
        for (int fewer = std::min(digits - 1, held); fewer > shown; --fewer)
            if (both_parts(root, fewer, row))
                return true;
    }
    row.re = roots::number_text(static_cast<double>(value.real()));
    row.im = roots::number_text(static_cast<double>(value.imag()));
    row.digits = shown;
    return true;
}

// An imaginary part within the band, "0" above the axis, is "-0" below it:
// the sign still tells the two apart.
DistinctRoot conjugate(const DistinctRoot &row)
{
    DistinctRoot below = row;
    below.im = "-" + row.im;
    below.value = std::conj(row.value);
    return below;
}

// A real root, or a complex one followed by its conjugate.
using Entry = std::vector<DistinctRoot>;

bool before(const Entry &a, const Entry &b)
{
    const DistinctRoot &x = a.front(), &y = b.front();
    if (x.real != y.real)
        return x.real;
    if (x.value.real() != y.value.real())
        return x.value.real() < y.value.real();
    return std::fabs(x.value.imag()) < std::fabs(y.value.imag());
}

// The closed forms of a factor's roots come in a row, the larger real root
// or the one above the axis first (exact_forms.h).
void add_closed_forms(std::vector<Entry> &entries, const std::vector<ClosedForm> &forms, size_t first)
{
    if (entries.size() == 1 && entries[0].size() == 2) {
        entries[0][0].exact_form = forms[first].text;
        entries[0][1].exact_form = forms[first + 1].text;
        return;
    }
    std::sort(entries.begin(), entries.end(), before);
    for (size_t k = 0; k < entries.size(); ++k)
        entries[entries.size() - 1 - k][0].exact_form = forms[first + k].text;
}

} // namespace

DistinctRoots distinct_roots(const std::vector<std::string> &exact, const std::vector<cplx> &found,
                             int digits, const std::atomic<bool> *cancelled)
{
    DistinctRoots result;
    result.factorization = factor_exactly(exact);
    const std::vector<ExactFactor> &factors = result.factorization.factors;
    slong degree = 0;
    for (const ExactFactor &factor : factors)
        degree += slong(factor.coeffs.size()) - 1;

    // The enclosures keep pointers to their factors.
    std::vector<std::unique_ptr<IntegerPolynomial>> integers;
    WorkBudget budget(budget_for(digits, degree));
    EnclosedFactors enclosed;
    for (const ExactFactor &factor : factors) {
        integers.push_back(std::make_unique<IntegerPolynomial>());
        integer_factor(factor, integers.back()->value);
        enclosed.push_back(std::make_unique<CertifiedRoots>(integers.back()->value, factor.multiplicity,
                                                            budget, max_precision_for(digits)));
    }
    if (factors.empty() || !isolate_factors(enclosed, found.data(), int32_t(found.size())))
        return result;

    const std::vector<ClosedForm> forms = closed_forms(result.factorization);
    size_t next_form = 0;
    std::vector<Entry> entries;
    for (const auto &factor : enclosed) {
        std::vector<Entry> own;
        for (slong i = 0; i < factor->degree; ++i) {
            ExactRoot root{factor.get(), i};
            cplx value;
            if (stopped(cancelled) || !settle(root, &value))
                return result;
            // A root below the axis comes as the conjugate of one above it.
            if (arf_sgn(arb_midref(acb_imagref(root.enclosure()))) < 0)
                continue;
            DistinctRoot row;
            row.real = arb_is_zero(acb_imagref(root.enclosure()));
            row.multiplicity = int(factor->multiplicity);
            row.value = value;
            if (!write_parts(root, value, digits, cancelled, row))
                return result;
            own.push_back(row.real ? Entry{row} : Entry{row, conjugate(row)});
        }
        if (factor->degree <= 2) {
            add_closed_forms(own, forms, next_form);
            next_form += size_t(factor->degree);
        }
        entries.insert(entries.end(), own.begin(), own.end());
    }
    std::stable_sort(entries.begin(), entries.end(), before);
    for (const Entry &entry : entries)
        result.roots.insert(result.roots.end(), entry.begin(), entry.end());
    result.complete = true;
    return result;
}
