#include "polynomial_text.h"

#include "certified_roots.h"
#include "decimal_polynomial.h"
#include "flint_objects.h"

#include <flint/fmpq.h>
#include <flint/fmpq_poly.h>
#include <flint/fmpz.h>
#include <flint/fmpz_vec.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

const size_t npos = std::string::npos;

// Numbers on the way to a polynomial may be wider than any the exact check
// takes, as long as they shrink again; beyond this they are refused before
// they cost time or memory.
constexpr slong max_working_bits = 16384;
// The digits a number may be typed with, checked before it is built: twice
// what a value within the working bits takes as a fraction, so that every
// such value written out reads back.
constexpr long max_typed_digits = 10000;

// ---- Characters ----

bool is_digit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool is_letter(char32_t c)
{
    return (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z');
}

bool is_x(char32_t c)
{
    return c == U'x' || c == U'X';
}

bool is_space(char32_t c)
{
    return c == U' ' || (c >= U'\t' && c <= U'\r') || c == U'\u00A0' || c == U'\u1680'
           || (c >= U'\u2000' && c <= U'\u200A') || c == U'\u2028' || c == U'\u2029'
           || c == U'\u202F' || c == U'\u205F' || c == U'\u3000';
}

// The hyphen-minus, the typographic minus and the dash that word processors
// put in its place.
bool is_minus(char32_t c)
{
    return c == U'-' || c == U'\u2212' || c == U'\u2013';
}

bool is_sign(char32_t c)
{
    return c == U'+' || is_minus(c);
}

bool is_times(char32_t c)
{
    return c == U'*' || c == U'\u00B7' || c == U'\u00D7' || c == U'\u22C5';
}

bool is_divide(char32_t c)
{
    return c == U'/' || c == U'\u00F7';
}

// The digit a superscript digit stands for, or -1.
int superscript_digit(char32_t c)
{
    switch (c) {
    case U'\u2070': return 0;
    case U'\u00B9': return 1;
    case U'\u00B2': return 2;
    case U'\u00B3': return 3;
    default: return c >= U'\u2074' && c <= U'\u2079' ? int(c - U'\u2074') + 4 : -1;
    }
}

const char32_t superscript_minus = U'\u207B';

// ---- Exact values ----

slong working_bits(const fmpq_poly_t p)
{
    const slong top = _fmpz_vec_max_bits(fmpq_poly_numref(p), fmpq_poly_length(p));
    return std::max<slong>(top < 0 ? -top : top, slong(fmpz_bits(fmpq_poly_denref(p))));
}

std::string exact_text(const fmpq_t q)
{
    char *text = fmpq_get_str(nullptr, 10, q);
    std::string exact(text);
    flint_free(text);
    return exact;
}

bool read_exact(const std::string &exact, fmpq_t q)
{
    if (fmpq_set_str(q, exact.c_str(), 10) != 0 || fmpz_is_zero(fmpq_denref(q)))
        return false;
    fmpq_canonicalise(q);
    return true;
}

std::vector<std::string> coefficients_of(const fmpq_poly_t p)
{
    std::vector<std::string> exact;
    Rational c;
    for (slong k = fmpq_poly_degree(p); k >= 0; --k) {
        fmpq_poly_get_coeff_fmpq(c.value, p, k);
        exact.push_back(exact_text(c.value));
    }
    return exact;
}

std::u32string widened(const std::string &ascii)
{
    return std::u32string(ascii.begin(), ascii.end());
}

// The digits that digits * 10^power takes as a fraction: the digits and
// the zeros of a positive power above the bar, the power's below it.
long decimal_width(long digits, long power)
{
    return std::max(digits + std::max(power, 0L), -power);
}

// 10^e as a rational, e of either sign.
void set_power_of_ten(fmpq_t q, long e)
{
    fmpq_one(q);
    fmpz_ui_pow_ui(e < 0 ? fmpq_denref(q) : fmpq_numref(q), 10, ulong(std::labs(e)));
}

Problem problem_at(TextProblem kind, size_t at = npos, long value = 0)
{
    return Problem{kind, at, value, {}};
}

// ---- Numbers ----

// What the readers share: the text, and the first problem found in it.
class TextReader
{
public:
    Problem problem;

protected:
    explicit TextReader(const std::u32string &text) : t(text) {}

    bool fail(TextProblem kind, size_t at, long value = 0)
    {
        problem = Problem{kind, at, value, {}};
        return false;
    }

    bool unexpected(size_t at)
    {
        problem = Problem{TextProblem::unexpected, at, 0, t.substr(at, 1)};
        return false;
    }

    bool unknown_name(size_t at)
    {
        size_t end = at;
        while (end < t.size() && is_letter(t[end]))
            ++end;
        problem = Problem{TextProblem::unknown_name, at, 0, t.substr(at, end - at)};
        return false;
    }

    const std::u32string &t;
};

enum class Scan { none, read, failed };

// A number at p: digits with at most one decimal separator ("." or point)
// and an optional exponent ("2.5e-3"); "5." and ".5" are numbers, "." is
// not. On Scan::read, value holds it exactly and p is past it.
class NumberScanner : public TextReader
{
public:
    NumberScanner(const std::u32string &text, char32_t point) : TextReader(text), point(point) {}

    bool starts_at(size_t p) const
    {
        return p < t.size()
               && (is_digit(t[p]) || (is_point(t[p]) && p + 1 < t.size() && is_digit(t[p + 1])));
    }

    Scan scan(size_t &p, fmpq_t value)
    {
        if (!starts_at(p))
            return Scan::none;
        const size_t start = p;
        size_t q = p;
        std::string digits = run_of_digits(q);
        long fraction_digits = 0;
        if (q < t.size() && is_point(t[q])) {
            ++q;
            const std::string fraction = run_of_digits(q);
            digits += fraction;
            fraction_digits = long(fraction.size());
        }
        long exponent = 0;
        if (!exponent_part(q, exponent))
            return Scan::failed;
        if (q < t.size() && is_point(t[q]))
            return failed(TextProblem::bad_number, q);
        // A number far wider than the exact check takes is refused, before
        // it is built where it is typed so.
        const long power = exponent - fraction_digits;
        if (decimal_width(long(digits.size()), power) > max_typed_digits)
            return failed(TextProblem::too_large, start);
        set_decimal(value, digits, power);
        if (std::max(fmpz_bits(fmpq_numref(value)), fmpz_bits(fmpq_denref(value)))
            > ulong(max_working_bits))
            return failed(TextProblem::too_large, start);
        p = q;
        return Scan::read;
    }

private:
    bool is_point(char32_t c) const
    {
        return c == U'.' || (point != 0 && c == point);
    }

    std::string run_of_digits(size_t &q) const
    {
        std::string digits;
        for (; q < t.size() && is_digit(t[q]); ++q)
            digits += char(t[q]);
        return digits;
    }

    // "e" or "E", an optional sign and digits. An "e" before a letter
    // starts a name, not an exponent.
    bool exponent_part(size_t &q, long &exponent)
    {
        if (q >= t.size() || (t[q] != U'e' && t[q] != U'E'))
            return true;
        size_t r = q + 1;
        if (r < t.size() && is_letter(t[r]))
            return true;
        const bool negative = r < t.size() && is_minus(t[r]);
        if (r < t.size() && is_sign(t[r]))
            ++r;
        const std::string digits = run_of_digits(r);
        if (digits.empty())
            return fail(TextProblem::bad_number, q);
        if (digits.size() > 6)
            return fail(TextProblem::too_large, q);
        exponent = std::stol(digits) * (negative ? -1 : 1);
        q = r;
        return true;
    }

    Scan failed(TextProblem kind, size_t at)
    {
        fail(kind, at);
        return Scan::failed;
    }

    static void set_decimal(fmpq_t value, const std::string &digits, long power)
    {
        Integer whole;
        fmpz_set_str(whole.value, digits.c_str(), 10);
        set_power_of_ten(value, power);
        fmpq_mul_fmpz(value, value, whole.value);
    }

    const char32_t point;
};

// The scanner's number at p; where it fails, its problem is the reader's.
Scan scan_number(NumberScanner &numbers, size_t &p, fmpq_t value, Problem &problem)
{
    const Scan scan = numbers.scan(p, value);
    if (scan == Scan::failed)
        problem = numbers.problem;
    return scan;
}

// ---- Expressions ----

// Recursive descent over
//   equation := sum ["=" sum]
//   sum      := product {sign product}
//   product  := factor {("*" | "/") factor | power}   (a power: implicit product)
//   factor   := {sign} power
//   power    := primary ["^" factor | "**" factor | superscript digits]
//   primary  := number | x | "(" sum ")"
// Every value is a polynomial with rational coefficients; its degree never
// goes above max_degree on the way.
class ExpressionReader : public TextReader
{
public:
    ExpressionReader(const std::u32string &text, char32_t point, bool x_allowed)
        : TextReader(text), numbers(text, point), x_allowed(x_allowed)
    {
    }

    // The whole text, one "=" allowed where x is.
    bool read(fmpq_poly_t out)
    {
        if (!sum(out))
            return false;
        skip_spaces();
        if (x_allowed && p < t.size() && t[p] == U'=') {
            const size_t at = p++;
            RationalPolynomial right;
            if (!sum(right.value))
                return false;
            fmpq_poly_sub(out, out, right.value);
            if (!bounded(out, at))
                return false;
            skip_spaces();
        }
        if (p == t.size())
            return true;
        if (t[p] == U')')
            return fail(TextProblem::unopened, p);
        return unexpected(p);
    }

private:
    bool sum(fmpq_poly_t out)
    {
        if (!product(out))
            return false;
        for (skip_spaces(); p < t.size() && is_sign(t[p]); skip_spaces()) {
            const size_t at = p;
            const bool minus = is_minus(t[p++]);
            RationalPolynomial term;
            if (!product(term.value))
                return false;
            minus ? fmpq_poly_sub(out, out, term.value) : fmpq_poly_add(out, out, term.value);
            if (!bounded(out, at))
                return false;
        }
        return true;
    }

    bool product(fmpq_poly_t out)
    {
        if (!factor(out))
            return false;
        for (;;) {
            skip_spaces();
            if (p == t.size())
                return true;
            const size_t at = p;
            const char32_t c = t[p];
            RationalPolynomial right;
            if (is_times(c) && !starts_power()) {
                ++p;
                if (!factor(right.value) || !multiply(out, right.value, at))
                    return false;
            } else if (is_divide(c)) {
                ++p;
                if (!factor(right.value) || !divide(out, right.value, at))
                    return false;
            } else if (is_x(c) || c == U'(' || is_letter(c)) {
                if (!power(right.value) || !multiply(out, right.value, at))
                    return false;
            } else if (numbers.starts_at(p)) {
                return fail(TextProblem::number_after, at);
            } else {
                return true;
            }
        }
    }

    bool factor(fmpq_poly_t out)
    {
        bool minus = false;
        for (skip_spaces(); p < t.size() && is_sign(t[p]); skip_spaces())
            minus ^= is_minus(t[p++]);
        if (!power(out))
            return false;
        if (minus)
            fmpq_poly_neg(out, out);
        return true;
    }

    bool power(fmpq_poly_t out)
    {
        if (!primary(out))
            return false;
        const size_t after = p;
        skip_spaces();
        const size_t at = p;
        if (p < t.size() && (t[p] == U'^' || starts_power())) {
            p += t[p] == U'^' ? 1 : 2;
            skip_spaces();
            const size_t exponent_at = p;
            RationalPolynomial exponent;
            return factor(exponent.value) && raise(out, exponent.value, at, exponent_at);
        }
        p = after;
        if (p < t.size() && (superscript_digit(t[p]) >= 0 || t[p] == superscript_minus)) {
            RationalPolynomial exponent;
            return superscript(exponent.value) && raise(out, exponent.value, at, at);
        }
        return true;
    }

    bool primary(fmpq_poly_t out)
    {
        skip_spaces();
        if (p == t.size())
            return fail(TextProblem::missing, p);
        const size_t at = p;
        const char32_t c = t[p];
        if (c == U'(') {
            ++p;
            if (!sum(out))
                return false;
            skip_spaces();
            if (p == t.size())
                return fail(TextProblem::unclosed, at);
            if (t[p] != U')')
                return t[p] == U'=' ? fail(TextProblem::unclosed, at) : unexpected(p);
            ++p;
            return true;
        }
        if (is_letter(c)) {
            size_t end = p;
            while (end < t.size() && is_letter(t[end]))
                ++end;
            if (end - p == 1 && is_x(c)) {
                if (!x_allowed)
                    return fail(TextProblem::x_in_coefficient, at);
                p = end;
                fmpq_poly_zero(out);
                fmpq_poly_set_coeff_si(out, 1, 1);
                return true;
            }
            return unknown_name(at);
        }
        Rational value;
        const Scan number = scan_number(numbers, p, value.value, problem);
        if (number == Scan::read)
            fmpq_poly_set_fmpq(out, value.value);
        if (number != Scan::none)
            return number == Scan::read;
        if (c == U')' || c == U'=' || c == U'^' || is_times(c) || is_divide(c))
            return fail(TextProblem::missing, at);
        return unexpected(at);
    }

    // Superscript digits, after an optional superscript minus.
    bool superscript(fmpq_poly_t out)
    {
        const size_t at = p;
        const bool minus = t[p] == superscript_minus;
        p += minus;
        Integer e;
        for (; p < t.size() && superscript_digit(t[p]) >= 0; ++p) {
            fmpz_mul_ui(e.value, e.value, 10);
            fmpz_add_ui(e.value, e.value, ulong(superscript_digit(t[p])));
            if (fmpz_bits(e.value) > 62)
                return fail(TextProblem::too_large, at);
        }
        if (p == at + minus)
            return fail(TextProblem::missing, p);
        if (minus)
            fmpz_neg(e.value, e.value);
        fmpq_poly_set_fmpz(out, e.value);
        return true;
    }

    // base^exponent: a whole power, 0 or more where the base holds x.
    bool raise(fmpq_poly_t base, const fmpq_poly_t exponent, size_t at, size_t exponent_at)
    {
        Rational e;
        fmpq_poly_get_coeff_fmpq(e.value, exponent, 0);
        if (fmpq_poly_degree(exponent) > 0 || !fmpz_is_one(fmpq_denref(e.value)))
            return fail(TextProblem::power_not_whole, exponent_at);
        const fmpz *n = fmpq_numref(e.value);
        const slong degree = fmpq_poly_degree(base);
        if (degree > 0) {
            if (fmpz_sgn(n) < 0)
                return fail(TextProblem::power_not_whole, exponent_at);
            if (fmpz_cmp_si(n, max_degree) > 0)
                return fail(TextProblem::degree_too_high, at,
                            fmpz_cmp_si(n, 1L << 32) < 0 ? long(degree * fmpz_get_si(n)) : 0);
            if (!degree_within(degree * fmpz_get_si(n), at))
                return false;
            fmpq_poly_pow(base, base, ulong(fmpz_get_si(n)));
            return bounded(base, at);
        }
        Rational b;
        fmpq_poly_get_coeff_fmpq(b.value, base, 0);
        if (fmpq_is_zero(b.value)) {
            if (fmpz_sgn(n) < 0)
                return fail(TextProblem::division_by_zero, at);
            fmpq_poly_set_si(base, fmpz_is_zero(n) ? 1 : 0);
            return true;
        }
        // A power wider than the working bits is refused before it is built;
        // the powers of 1 and -1 only need the exponent's parity.
        const ulong width = std::max(fmpz_bits(fmpq_numref(b.value)), fmpz_bits(fmpq_denref(b.value)));
        Integer size;
        fmpz_abs(size.value, n);
        if (width > 1 && (fmpz_bits(size.value) > 32
                          || width * fmpz_get_ui(size.value) > ulong(max_working_bits)))
            return fail(TextProblem::too_large, at);
        fmpq_pow_si(b.value, b.value, width > 1 ? fmpz_get_si(n) : fmpz_is_even(n) ? 2 : -1);
        fmpq_poly_set_fmpq(base, b.value);
        return true;
    }

    bool multiply(fmpq_poly_t left, const fmpq_poly_t right, size_t at)
    {
        if (fmpq_poly_is_zero(left) || fmpq_poly_is_zero(right)) {
            fmpq_poly_zero(left);
            return true;
        }
        if (!degree_within(fmpq_poly_degree(left) + fmpq_poly_degree(right), at))
            return false;
        fmpq_poly_mul(left, left, right);
        return bounded(left, at);
    }

    bool divide(fmpq_poly_t left, const fmpq_poly_t right, size_t at)
    {
        if (fmpq_poly_degree(right) > 0)
            return fail(TextProblem::divided_by_x, at);
        if (fmpq_poly_is_zero(right))
            return fail(TextProblem::division_by_zero, at);
        Rational d;
        fmpq_poly_get_coeff_fmpq(d.value, right, 0);
        fmpq_poly_scalar_div_fmpq(left, left, d.value);
        return bounded(left, at);
    }

    bool degree_within(slong degree, size_t at)
    {
        return degree <= max_degree || fail(TextProblem::degree_too_high, at, long(degree));
    }

    bool bounded(const fmpq_poly_t value, size_t at)
    {
        return working_bits(value) <= max_working_bits || fail(TextProblem::too_large, at);
    }

    bool starts_power() const
    {
        return p + 1 < t.size() && t[p] == U'*' && t[p + 1] == U'*';
    }

    void skip_spaces()
    {
        while (p < t.size() && is_space(t[p]))
            ++p;
    }

    NumberScanner numbers;
    const bool x_allowed;
    size_t p = 0;
};

// ---- Lists ----

struct Span {
    size_t begin, end;
};

// The text without the spaces around it and without one pair of brackets
// around everything ("[1 -6 11 -6]", "(1, -6)").
Span inside_brackets(const std::u32string &t, Problem &problem)
{
    Span s{0, t.size()};
    while (s.begin < s.end && is_space(t[s.begin]))
        ++s.begin;
    while (s.end > s.begin && is_space(t[s.end - 1]))
        --s.end;
    const char32_t open = t[s.begin];
    if (open == U'[' || open == U'(') {
        const char32_t close = open == U'[' ? U']' : U')';
        if (s.end - s.begin < 2 || t[s.end - 1] != close) {
            problem = problem_at(TextProblem::unclosed, s.begin);
            return s;
        }
        ++s.begin;
        --s.end;
    }
    return s;
}

class ListReader : public TextReader
{
public:
    ListReader(const std::u32string &text, char32_t point) : TextReader(text), point(point) {}

    // The coefficients, and where each one starts.
    bool read(std::vector<std::string> &coefficients, std::vector<size_t> &starts)
    {
        const Span s = inside_brackets(t, problem);
        if (problem.kind != TextProblem::none || !decide_commas(s))
            return false;
        NumberScanner numbers(t, commas_are_points ? U',' : point == U',' ? 0 : point);
        bool separated = true;
        for (size_t p = s.begin; p < s.end;) {
            if (is_space(t[p])) {
                ++p;
            } else if (separates(p)) {
                if (separated)
                    return fail(TextProblem::empty_item, p);
                separated = true;
                ++p;
            } else {
                starts.push_back(p);
                Rational c;
                if (!item(p, s.end, numbers, c.value))
                    return false;
                coefficients.push_back(exact_text(c.value));
                separated = false;
            }
        }
        if (starts.empty())
            return fail(TextProblem::missing, s.begin);
        if (separated)
            return fail(TextProblem::empty_item, s.end - 1);
        return true;
    }

private:
    // A "," between two digits could be a decimal separator where the
    // locale writes one; it is read as one only where the list is
    // separated otherwise (spaces, lines, ";") and no other "," separates.
    bool decide_commas(Span s)
    {
        size_t first_pointlike = npos;
        bool comma_separates = false, other_separates = false;
        for (size_t i = s.begin; i < s.end; ++i) {
            if (t[i] == U',') {
                const bool pointlike = point == U',' && i > s.begin && is_digit(t[i - 1])
                                       && i + 1 < s.end && is_digit(t[i + 1]);
                if (pointlike && first_pointlike == npos)
                    first_pointlike = i;
                comma_separates |= !pointlike;
            } else if (is_space(t[i]) || t[i] == U';') {
                other_separates = true;
            }
        }
        if (first_pointlike != npos && (comma_separates || !other_separates))
            return fail(TextProblem::ambiguous_comma, first_pointlike);
        commas_are_points = first_pointlike != npos;
        return true;
    }

    bool separates(size_t p) const
    {
        return t[p] == U';' || (t[p] == U',' && !commas_are_points);
    }

    bool ends_item(size_t p, size_t end) const
    {
        return p == end || is_space(t[p]) || separates(p);
    }

    // [sign] number ["/" number], and nothing else up to the next separator.
    bool item(size_t &p, size_t end, NumberScanner &numbers, fmpq_t value)
    {
        const size_t start = p;
        const bool minus = is_minus(t[p]);
        if (is_sign(t[p]))
            ++p;
        if (ends_item(p, end))
            return fail(TextProblem::sign_apart, start);
        if (!number(p, numbers, value))
            return false;
        if (p < end && is_divide(t[p])) {
            const size_t at = p++;
            Rational divisor;
            if (ends_item(p, end))
                return fail(TextProblem::missing, p);
            if (!number(p, numbers, divisor.value))
                return false;
            if (fmpq_is_zero(divisor.value))
                return fail(TextProblem::division_by_zero, at);
            fmpq_div(value, value, divisor.value);
        }
        if (!ends_item(p, end))
            return is_letter(t[p]) ? unknown_name(p) : unexpected(p);
        if (minus)
            fmpq_neg(value, value);
        return true;
    }

    bool number(size_t &p, NumberScanner &numbers, fmpq_t value)
    {
        const Scan number = scan_number(numbers, p, value, problem);
        if (number != Scan::none)
            return number == Scan::read;
        return is_letter(t[p]) ? unknown_name(p) : unexpected(p);
    }

    const char32_t point;
    bool commas_are_points = false;
};

bool blank(const std::u32string &text)
{
    return std::all_of(text.begin(), text.end(), is_space);
}

PolynomialReading read_list(const std::u32string &text, char32_t point)
{
    ListReader reader(text, point);
    std::vector<std::string> coefficients;
    std::vector<size_t> starts;
    if (!reader.read(coefficients, starts))
        return {{}, reader.problem};
    if (coefficients.size() < 2)
        return {{}, problem_at(TextProblem::constant)};
    if (coefficients.size() > size_t(max_degree) + 1)
        return {{}, problem_at(TextProblem::degree_too_high, starts[size_t(max_degree) + 1],
                               long(coefficients.size()) - 1)};
    Problem problem = check_coefficients(coefficients);
    if (problem.kind == TextProblem::none)
        return {coefficients, problem};
    if (problem.at != npos)
        problem.at = starts[problem.at];
    return {{}, problem};
}

PolynomialReading read_expression(const std::u32string &text, char32_t point)
{
    ExpressionReader reader(text, point, true);
    RationalPolynomial p;
    if (!reader.read(p.value))
        return {{}, reader.problem};
    if (fmpq_poly_degree(p.value) < 1)
        return {{}, problem_at(TextProblem::constant)};
    const std::vector<std::string> coefficients = coefficients_of(p.value);
    Problem problem = check_coefficients(coefficients);
    if (problem.kind == TextProblem::none)
        return {coefficients, problem};
    // In an expression a coefficient has no one place.
    problem.at = npos;
    return {{}, problem};
}

// The decimal digits of |v| and the power of ten they stand at, without
// trailing zeros: |v| = digits * 10^power. False where v has no finite
// decimal expansion.
bool decimal_digits(const fmpq_t v, std::string &digits, long &power)
{
    Integer rest, two, five, scaled;
    fmpz_set_ui(two.value, 2);
    fmpz_set_ui(five.value, 5);
    const slong twos = fmpz_remove(rest.value, fmpq_denref(v), two.value);
    const slong fives = fmpz_remove(rest.value, rest.value, five.value);
    if (!fmpz_is_one(rest.value))
        return false;
    const slong places = std::max(twos, fives);
    fmpz_ui_pow_ui(scaled.value, 10, ulong(places));
    fmpz_mul(scaled.value, scaled.value, fmpq_numref(v));
    fmpz_divexact(scaled.value, scaled.value, fmpq_denref(v));
    fmpz_abs(scaled.value, scaled.value);
    char *text = fmpz_get_str(nullptr, 10, scaled.value);
    digits = text;
    flint_free(text);
    power = -long(places);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++power;
    }
    if (digits == "0")
        power = 0;
    return true;
}

} // namespace

PolynomialReading read_polynomial(const std::u32string &text, char32_t decimal_point)
{
    if (blank(text))
        return {{}, problem_at(TextProblem::empty)};
    const bool has_x = std::any_of(text.begin(), text.end(), is_x);
    return has_x ? read_expression(text, decimal_point) : read_list(text, decimal_point);
}

CoefficientReading read_coefficient(const std::u32string &text, char32_t decimal_point)
{
    if (blank(text))
        return {{}, problem_at(TextProblem::empty)};
    ExpressionReader reader(text, decimal_point, false);
    RationalPolynomial p;
    if (!reader.read(p.value))
        return {{}, reader.problem};
    Rational c;
    fmpq_poly_get_coeff_fmpq(c.value, p.value, 0);
    return {exact_text(c.value), Problem{}};
}

// The window writes and the plot draws every coefficient as a double, whose
// range ends near 1e308, and every root too: no coefficient more than 1e300
// times the leading one keeps every root below 2e300 in magnitude
// (Fujiwara's bound, 2 max |c_k / c_0|^(1/k)). The exact check bounds its own
// work by the digits of the polynomial over a common denominator.
Problem check_coefficients(const std::vector<std::string> &exact)
{
    if (exact.size() < 2)
        return problem_at(TextProblem::constant);
    if (exact.size() > size_t(max_degree) + 1)
        return problem_at(TextProblem::degree_too_high, npos, long(exact.size()) - 1);
    std::vector<Rational> c(exact.size());
    for (size_t k = 0; k < exact.size(); ++k)
        if (!read_exact(exact[k], c[k].value))
            return problem_at(TextProblem::bad_number, k);
    if (fmpq_is_zero(c[0].value))
        return problem_at(TextProblem::leading_zero, 0);

    Rational largest, smallest, magnitude;
    set_power_of_ten(largest.value, long(coefficient_range_exponent));
    set_power_of_ten(smallest.value, -long(coefficient_range_exponent));
    for (size_t k = 0; k < exact.size(); ++k) {
        fmpq_abs(magnitude.value, c[k].value);
        if (!fmpq_is_zero(magnitude.value)
            && (fmpq_cmp(magnitude.value, largest.value) > 0
                || fmpq_cmp(magnitude.value, smallest.value) < 0))
            return problem_at(TextProblem::out_of_range, k);
    }
    for (size_t k = 1; k < exact.size(); ++k) {
        fmpq_div(magnitude.value, c[k].value, c[0].value);
        fmpq_abs(magnitude.value, magnitude.value);
        if (fmpq_cmp(magnitude.value, largest.value) > 0)
            return problem_at(TextProblem::roots_too_large, k);
    }
    IntegerPolynomial integers;
    if (!rational_polynomial(exact, integers.value))
        return problem_at(TextProblem::too_wide);
    return Problem{};
}

std::u32string coefficient_text(const std::string &exact, char32_t decimal_point)
{
    Rational v;
    std::string digits;
    long power = 0;
    // A decimal longer than the fraction would not read back.
    if (!read_exact(exact, v.value) || !decimal_digits(v.value, digits, power)
        || decimal_width(long(digits.size()), power) > max_typed_digits)
        return widened(exact);
    std::u32string text = fmpq_sgn(v.value) < 0 ? U"-" : U"";
    // As people write numbers: plain from 1e-6 up to 1e21, else 1.5e-9.
    const long lead = long(digits.size()) - 1 + power;
    const std::u32string d = widened(digits);
    if (lead >= 21 || lead <= -7) {
        text += d.substr(0, 1);
        if (d.size() > 1)
            text += decimal_point + d.substr(1);
        return text + U"e" + widened(std::to_string(lead));
    }
    if (power >= 0)
        return text + d + std::u32string(size_t(power), U'0');
    const long whole = long(d.size()) + power;
    if (whole > 0)
        return text + d.substr(0, size_t(whole)) + decimal_point + d.substr(size_t(whole));
    return text + U"0" + decimal_point + std::u32string(size_t(-whole), U'0') + d;
}

std::vector<Term> polynomial_terms(const std::vector<std::string> &exact, char32_t decimal_point,
                                   const std::vector<std::u32string> &as_typed)
{
    std::vector<Term> terms;
    const int degree = int(exact.size()) - 1;
    Rational c;
    for (int k = 0; k <= degree; ++k) {
        const int power = degree - k;
        if (size_t(k) < as_typed.size() && !as_typed[size_t(k)].empty()) {
            terms.push_back(Term{false, U"(" + as_typed[size_t(k)] + U")", power, false});
            continue;
        }
        if (!read_exact(exact[size_t(k)], c.value) || fmpq_is_zero(c.value))
            continue;
        const bool negative = fmpq_sgn(c.value) < 0;
        fmpq_abs(c.value, c.value);
        const std::u32string magnitude = fmpq_is_one(c.value) && power > 0
                                             ? std::u32string()
                                             : coefficient_text(exact_text(c.value), decimal_point);
        const bool spaced = magnitude.find_first_of(U"/e") != std::u32string::npos;
        terms.push_back(Term{negative, magnitude, power, spaced});
    }
    return terms;
}

std::u32string polynomial_text(const std::vector<std::string> &exact, char32_t decimal_point,
                               const std::vector<std::u32string> &as_typed)
{
    std::u32string text;
    for (const Term &term : polynomial_terms(exact, decimal_point, as_typed)) {
        if (text.empty())
            text += term.negative ? U"-" : U"";
        else
            text += term.negative ? U" - " : U" + ";
        text += term.coefficient;
        if (term.power > 0 && term.spaced)
            text += U' ';
        if (term.power > 0)
            text += U'x';
        if (term.power > 1)
            text += U"^" + widened(std::to_string(term.power));
    }
    return text;
}

long double nearest_long_double(const std::string &exact)
{
    Rational q;
    if (!read_exact(exact, q.value))
        return std::numeric_limits<long double>::quiet_NaN();
    Float nearest;
    arf_set_fmpq(nearest.value, q.value, 64, ARF_RND_NEAR);
    return to_long_double(nearest.value);
}

std::string stepped(const std::string &exact, long steps)
{
    Rational q;
    if (!read_exact(exact, q.value))
        return exact;
    fmpq_add_si(q.value, q.value, steps);
    return exact_text(q.value);
}
