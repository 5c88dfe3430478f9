#include "exact_forms.h"

#include "decimal_polynomial.h"
#include "flint_objects.h"

#include <flint/ulong_extras.h>

#include <algorithm>
#include <cmath>
#include <memory>

using cplx = std::complex<long double>;

namespace {

using Factors = Scoped<fmpz_poly_factor_struct, fmpz_poly_factor_init, fmpz_poly_factor_clear>;

const char *const minus = "\u2212";

// Primes below this bound are tried as square factors of a radicand.
constexpr ulong square_search_bound = 65536;

std::string text_of(const fmpz_t x)
{
    char *digits = fmpz_get_str(nullptr, 10, x);
    std::string text(digits);
    flint_free(digits);
    return text;
}

std::string text_of(const fmpq_t x)
{
    char *digits = fmpq_get_str(nullptr, 10, x);
    std::string text(digits);
    flint_free(digits);
    return text;
}

// A number as people write it: "−" for the minus sign.
std::string written(std::string decimal)
{
    if (!decimal.empty() && decimal[0] == '-')
        decimal.replace(0, 1, minus);
    return decimal;
}

long double to_long_double(const fmpz_t x)
{
    slong exponent = 0;
    const double mantissa = fmpz_get_d_2exp(&exponent, x);
    return std::ldexp(static_cast<long double>(mantissa), int(exponent));
}

long double to_long_double(const fmpq_t x)
{
    return to_long_double(fmpq_numref(x)) / to_long_double(fmpq_denref(x));
}

// The factor made to lead with a positive coefficient; the sign goes to the
// constant, once for every copy of the factor.
void lead_positive(fmpz_poly_t f, slong multiplicity, fmpq_t constant)
{
    if (fmpz_sgn(fmpz_poly_lead(f)) > 0)
        return;
    fmpz_poly_neg(f, f);
    if (multiplicity % 2)
        fmpq_neg(constant, constant);
}

struct Linear {
    Rational root;
    slong multiplicity;
};

// a x + b as a (x - r): a^multiplicity goes to the constant.
void take_out_lead(const fmpz_poly_t f, slong multiplicity, fmpq_t constant, fmpq_t root)
{
    fmpq_set_fmpz_frac(root, fmpz_poly_get_coeff_ptr(f, 0), fmpz_poly_get_coeff_ptr(f, 1));
    fmpq_neg(root, root);
    Integer power;
    fmpz_pow_ui(power.value, fmpz_poly_get_coeff_ptr(f, 1), ulong(multiplicity));
    fmpq_mul_fmpz(constant, constant, power.value);
}

std::vector<std::string> coefficients_of(const fmpz_poly_t f)
{
    std::vector<std::string> coeffs;
    for (slong k = fmpz_poly_degree(f); k >= 0; --k)
        coeffs.push_back(text_of(fmpz_poly_get_coeff_ptr(f, k)));
    return coeffs;
}

// |d| = k^2 m with m free of the squares found (see the header).
void split_square(const fmpz_t d, fmpz_t k, fmpz_t m)
{
    fmpz_abs(m, d);
    fmpz_one(k);
    Integer square, root;
    for (ulong p = 2; p < square_search_bound; p = n_nextprime(p, 1)) {
        fmpz_set_ui(square.value, p * p);
        if (fmpz_cmp(square.value, m) > 0)
            break;
        while (fmpz_divisible(m, square.value)) {
            fmpz_divexact(m, m, square.value);
            fmpz_mul_ui(k, k, p);
        }
    }
    if (fmpz_is_square(m)) {
        fmpz_sqrt(root.value, m);
        fmpz_mul(k, k, root.value);
        fmpz_one(m);
    }
}

// k√m, k i√m, or k i where m is 1; k left out where it is 1.
std::string radical(const fmpz_t k, const fmpz_t m, bool imaginary)
{
    const std::string factor = fmpz_is_one(k) ? std::string() : text_of(k);
    if (!imaginary)
        return factor + "\u221a" + text_of(m);
    return factor + "i" + (fmpz_is_one(m) ? std::string() : "\u221a" + text_of(m));
}

// The roots (-b +- k√(+-m)) / (2a) of a x^2 + b x + c, reduced.
void quadratic_forms(const fmpz_poly_t f, int multiplicity, std::vector<ClosedForm> &forms)
{
    const fmpz *c = fmpz_poly_get_coeff_ptr(f, 0);
    const fmpz *b = fmpz_poly_get_coeff_ptr(f, 1);
    const fmpz *a = fmpz_poly_get_coeff_ptr(f, 2);
    Integer d, four_ac, k, m, g, shift, scale, den;
    fmpz_mul(d.value, b, b);
    fmpz_mul(four_ac.value, a, c);
    fmpz_mul_ui(four_ac.value, four_ac.value, 4);
    fmpz_sub(d.value, d.value, four_ac.value);
    const bool imaginary = fmpz_sgn(d.value) < 0;
    split_square(d.value, k.value, m.value);

    fmpz_mul_ui(den.value, a, 2);
    fmpz_gcd(g.value, b, k.value);
    fmpz_gcd(g.value, g.value, den.value);
    fmpz_divexact(shift.value, b, g.value);
    fmpz_neg(shift.value, shift.value);
    fmpz_divexact(scale.value, k.value, g.value);
    fmpz_divexact(den.value, den.value, g.value);

    const std::string root = radical(scale.value, m.value, imaginary);
    const bool centred = fmpz_is_zero(shift.value);
    const bool whole = fmpz_is_one(den.value);

    // Values only to tell the roots apart: -b / 2a and sqrt|D| / 2a.
    const long double two_a = 2 * to_long_double(a);
    const long double middle = -to_long_double(b) / two_a;
    const long double half_width = std::sqrt(std::fabs(to_long_double(d.value))) / two_a;
    for (const int sign : {1, -1}) {
        std::string numerator = centred ? (sign < 0 ? minus : "") + root
                                        : written(text_of(shift.value)) + (sign < 0 ? " \u2212 " : " + ") + root;
        std::string text = whole ? numerator
                                 : centred ? numerator + "/" + text_of(den.value)
                                           : "(" + numerator + ")/" + text_of(den.value);
        const cplx value = imaginary ? cplx(middle, sign * half_width) : cplx(middle + sign * half_width, 0);
        forms.push_back({value, multiplicity, text});
    }
}

std::string superscript(int power, bool rich)
{
    const std::string digits = std::to_string(power);
    if (rich)
        return "<sup>" + digits + "</sup>";
    static const char *const raised[] = {"\u2070", "\u00b9", "\u00b2", "\u00b3", "\u2074",
                                         "\u2075", "\u2076", "\u2077", "\u2078", "\u2079"};
    std::string text;
    for (const char digit : digits)
        text += raised[digit - '0'];
    return text;
}

// c_n x^n + ... + c_0 with signs between the terms, coefficients 1 left out.
std::string polynomial_text(const std::vector<std::string> &coeffs, bool rich)
{
    std::string text;
    const int n = int(coeffs.size()) - 1;
    for (int k = 0; k <= n; ++k) {
        std::string c = coeffs[size_t(k)];
        if (c == "0")
            continue;
        const bool negative = c[0] == '-';
        if (negative)
            c.erase(0, 1);
        const int power = n - k;
        if (text.empty())
            text = negative ? minus : "";
        else
            text += negative ? " \u2212 " : " + ";
        if (c != "1" || power == 0)
            text += c;
        if (power >= 1)
            text += "x";
        if (power >= 2)
            text += superscript(power, rich);
    }
    return text;
}

} // namespace

Factorization factor_exactly(const std::vector<std::string> &coeffs)
{
    RationalPolynomial p;
    if (!read_rationals(coeffs, p.value) || fmpq_poly_degree(p.value) < 1)
        return {};
    IntegerPolynomial numerator;
    fmpq_poly_get_numerator(numerator.value, p.value);
    Factors factors;
    fmpz_poly_factor(factors.value, numerator.value);

    Rational constant;
    fmpq_set_fmpz_frac(constant.value, &factors.value->c, fmpq_poly_denref(p.value));
    std::vector<std::unique_ptr<Linear>> linear;
    std::vector<ExactFactor> others;
    for (slong i = 0; i < factors.value->num; ++i) {
        fmpz_poly_struct *f = factors.value->p + i;
        const slong multiplicity = factors.value->exp[i];
        lead_positive(f, multiplicity, constant.value);
        if (fmpz_poly_degree(f) == 1) {
            linear.push_back(std::make_unique<Linear>());
            linear.back()->multiplicity = multiplicity;
            take_out_lead(f, multiplicity, constant.value, linear.back()->root.value);
        } else {
            others.push_back({coefficients_of(f), int(multiplicity)});
        }
    }
    std::sort(linear.begin(), linear.end(), [](const auto &x, const auto &y) {
        return fmpq_cmp(x->root.value, y->root.value) < 0;
    });
    std::stable_sort(others.begin(), others.end(), [](const ExactFactor &x, const ExactFactor &y) {
        return x.coeffs.size() < y.coeffs.size();
    });

    Factorization result;
    result.constant = text_of(constant.value);
    Rational negated;
    for (const auto &l : linear) {
        fmpq_neg(negated.value, l->root.value);
        result.factors.push_back({{"1", text_of(negated.value)}, int(l->multiplicity)});
    }
    result.factors.insert(result.factors.end(), others.begin(), others.end());
    return result;
}

std::vector<ClosedForm> closed_forms(const Factorization &factorization)
{
    std::vector<ClosedForm> forms;
    for (const ExactFactor &factor : factorization.factors) {
        if (factor.coeffs.size() == 2) {
            Rational root;
            fmpq_set_str(root.value, factor.coeffs[1].c_str(), 10);
            fmpq_neg(root.value, root.value);
            forms.push_back({cplx(to_long_double(root.value), 0), factor.multiplicity,
                             written(text_of(root.value))});
        } else if (factor.coeffs.size() == 3) {
            IntegerPolynomial f;
            for (size_t k = 0; k < 3; ++k) {
                Integer c;
                fmpz_set_str(c.value, factor.coeffs[k].c_str(), 10);
                fmpz_poly_set_coeff_fmpz(f.value, slong(2 - k), c.value);
            }
            quadratic_forms(f.value, factor.multiplicity, forms);
        }
    }
    return forms;
}

std::string factored_text(const Factorization &factorization, bool rich)
{
    const std::string &c = factorization.constant;
    std::string text = c == "1" ? "" : c == "-1" ? minus
                       : c.find('/') == std::string::npos ? written(c)
                       : c[0] == '-' ? std::string(minus) + "(" + c.substr(1) + ")"
                                     : "(" + c + ")";
    for (const ExactFactor &factor : factorization.factors) {
        const std::string body = polynomial_text(factor.coeffs, rich);
        text += body == "x" ? body : "(" + body + ")";
        if (factor.multiplicity > 1)
            text += superscript(factor.multiplicity, rich);
    }
    return text;
}
