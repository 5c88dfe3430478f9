#ifndef POLYNOMIAL_TEXT_H
#define POLYNOMIAL_TEXT_H

// A polynomial as people type it, read exactly over the rationals, and
// written back the way it is typed. No toolkit: texts are sequences of code
// points, and every place in a text is the index of a code point.
//
// Exact coefficients are strings of an integer or a fraction in lowest
// terms, in decimal ("-3", "1/3"), highest power first: what the solver
// takes as the polynomial given exactly.
#include <cstddef>
#include <string>
#include <vector>

// Why a text does not read, or a polynomial cannot be solved.
enum class TextProblem {
    none,
    empty,            // nothing but spaces
    unexpected,       // a character that cannot stand here
    missing,          // a number, x or "(" is missing here (after "^", "*", at the end)
    unclosed,         // this "(" is never closed
    unopened,         // this ")" closes nothing
    bad_number,       // a second decimal separator, an exponent without digits
    number_after,     // a number right after a number, x or ")" with no operator between
    unknown_name,     // a name other than x ("sin", "y"); name holds it
    power_not_whole,  // a power of x that is not a whole number 0 or more
    divided_by_x,     // dividing by an expression in x
    division_by_zero,
    too_large,        // a number too long to work with exactly
    x_in_coefficient, // x in a text that holds one coefficient
    constant,         // degree 0: nothing to solve
    degree_too_high,  // value holds the degree
    sign_apart,       // a list's sign with space before its number
    empty_item,       // two separators with no coefficient between them
    ambiguous_comma,  // a "," that could be a decimal separator or separate coefficients
    leading_zero,     // the coefficient of the highest power is 0
    out_of_range,     // a coefficient beyond 1e300 or, not 0, below 1e-300 in magnitude
    roots_too_large,  // a coefficient more than 1e300 times the leading one
    too_wide,         // more digits over a common denominator than the exact check takes
};

struct Problem {
    TextProblem kind = TextProblem::none;
    // The place in the text, or npos where the problem is the whole
    // polynomial's; for problems found in coefficients already read
    // (leading_zero, out_of_range, roots_too_large), the coefficient's index,
    // highest power first, or npos.
    size_t at = std::string::npos;
    long value = 0;       // the degree, for degree_too_high
    std::u32string name;  // for unknown_name and unexpected
};

struct PolynomialReading {
    std::vector<std::string> coefficients; // empty where there is a problem
    Problem problem;
};

struct CoefficientReading {
    std::string exact; // empty where there is a problem
    Problem problem;
};

// The largest degree the program solves.
constexpr int max_degree = 22;

// Every coefficient, and every coefficient divided by the leading one,
// stays within 10^this in magnitude (see check_coefficients).
constexpr int coefficient_range_exponent = 300;

// A polynomial in x written as people write it (sums, products, integer
// powers with "^", "**" or superscript digits, parentheses, implicit
// products such as 2x and (x-1)(x+2), fractions, decimals, exponents, one
// "=" between two sides), or a list of coefficients, highest power first,
// as copied from Octave, numpy or a spreadsheet. decimal_point is the
// locale's decimal separator; "." is always read as one too. A text without
// x is a list. Read polynomials also pass check_coefficients.
PolynomialReading read_polynomial(const std::u32string &text, char32_t decimal_point);

// One coefficient: a number, a fraction or any expression without x.
CoefficientReading read_coefficient(const std::u32string &text, char32_t decimal_point);

// What stops the solver from taking these coefficients as the polynomial:
// a leading 0, a coefficient beyond the range the windows show, roots beyond
// that range, or more digits than the exact check reads.
Problem check_coefficients(const std::vector<std::string> &exact);

// One coefficient as it is typed: an integer, a decimal with the given
// separator (in exponent form where it is very large or small), or a
// fraction.
std::u32string coefficient_text(const std::string &exact, char32_t decimal_point);

// One term of a polynomial as written: its sign, the magnitude of its
// coefficient as typed (empty where it is 1 before a power of x) and the
// power of x.
struct Term {
    bool negative;
    std::u32string coefficient;
    int power;
    // Whether a space should part the coefficient from x, as after a
    // fraction ("1/3 x") or an exponent ("1e-9 x").
    bool spaced;
};

// The nonzero terms, highest power first. Where as_typed[k] is not empty,
// coefficient k is written as typed there, in parentheses, whatever
// exact[k] holds: a text that does not read stays visible at its power.
std::vector<Term> polynomial_terms(const std::vector<std::string> &exact, char32_t decimal_point,
                                   const std::vector<std::u32string> &as_typed = {});

// The polynomial as it is typed: "x^3 - 6x^2 + 11x - 6"; it reads back as
// the same coefficients.
std::u32string polynomial_text(const std::vector<std::string> &exact, char32_t decimal_point,
                               const std::vector<std::u32string> &as_typed = {});

// The coefficient moved by steps, exactly.
std::string stepped(const std::string &exact, long steps);

// The long double nearest to an exact coefficient; NaN where it does not read.
long double nearest_long_double(const std::string &exact);

#endif
