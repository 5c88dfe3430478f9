#include "spoken_text.h"
#include "root_conventions.h"

#include <cmath>

namespace {

// Digits of a written number without its sign: "0.5", "1.5e-13", "inf".
std::string spoken_magnitude(const std::string &written)
{
    if (written == "inf")
        return "infinity";
    const size_t e = written.find('e');
    if (e == std::string::npos)
        return written;
    std::string exponent = written.substr(e + 1);
    const bool negative = exponent.front() == '-';
    if (exponent.front() == '-' || exponent.front() == '+')
        exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return written.substr(0, e) + " times 10 to the power " + (negative ? "minus " : "") + exponent;
}

// A number's sign as the word that joins it to what comes before: " plus "
// or " minus ", and its magnitude.
struct SignedWords {
    bool negative;
    std::string magnitude;
};

SignedWords signed_words(double x)
{
    const std::string written = roots::number_text(x);
    if (written.front() == '-')
        return {true, spoken_magnitude(written.substr(1))};
    return {false, spoken_magnitude(written)};
}

// The imaginary part as a multiple of i: "i", "2 i", "1.5 times 10 to the
// power minus 13 i".
std::string times_i(const std::string &magnitude)
{
    return magnitude == "1" ? "i" : magnitude + " i";
}

// One term after the first, or the first: its sign, its coefficient where
// it is not 1, and its power of x.
std::string spoken_term(std::complex<long double> c, int power, bool first)
{
    std::string words;
    if (!roots::shown_real(c)) {
        words = first ? "" : " plus ";
        words += "(" + spoken_complex(c) + ")";
        return power == 0 ? words : words + " " + spoken_power(power);
    }
    const SignedWords coefficient = signed_words(static_cast<double>(c.real()));
    if (first)
        words = coefficient.negative ? "minus " : "";
    else
        words = coefficient.negative ? " minus " : " plus ";
    if (power == 0)
        return words + coefficient.magnitude;
    if (coefficient.magnitude != "1")
        words += coefficient.magnitude + " ";
    return words + spoken_power(power);
}

} // namespace

std::string spoken_number(double x)
{
    if (std::isnan(x))
        return "not a number";
    const SignedWords words = signed_words(x);
    return (words.negative ? "minus " : "") + words.magnitude;
}

std::string spoken_complex(std::complex<long double> z)
{
    if (roots::shown_real(z))
        return spoken_number(static_cast<double>(z.real()));
    if (std::isnan(z.imag()))
        return spoken_number(static_cast<double>(z.real())) + " plus not a number times i";
    const SignedWords im = signed_words(static_cast<double>(z.imag()));
    const std::string re = roots::number_text(static_cast<double>(z.real()));
    if (re == "0")
        return (im.negative ? "minus " : "") + times_i(im.magnitude);
    return spoken_number(static_cast<double>(z.real())) + (im.negative ? " minus " : " plus ")
           + times_i(im.magnitude);
}

std::string spoken_power(int power)
{
    if (power == 0)
        return "";
    if (power == 1)
        return "x";
    if (power == 2)
        return "x squared";
    return "x to the power " + std::to_string(power);
}

std::string spoken_polynomial(const std::complex<long double> *coeffs, int count)
{
    std::string words;
    for (int k = 0; k < count; ++k)
        if (coeffs[k] != std::complex<long double>(0))
            words += spoken_term(coeffs[k], count - 1 - k, words.empty());
    return (words.empty() ? "0" : words) + " equals 0";
}

std::string spoken_roots(const std::complex<long double> *roots, int count)
{
    if (count <= 0)
        return "no roots";
    std::string words = std::to_string(count) + (count == 1 ? " root: " : " roots: ");
    for (int i = 0; i < count; ++i)
        words += (i == 0 ? "" : "; ") + spoken_complex(roots[i]);
    return words;
}
