#ifndef ROOT_CONVENTIONS_H
#define ROOT_CONVENTIONS_H

// The rules about roots that the solver, the exact check and the windows
// share, each in one place.
#include <charconv>
#include <cmath>
#include <complex>
#include <string>

namespace roots {

// The tolerance of every search, acceptance test and climb, and the size
// below which a part of a root counts as 0: the double nearest 1e-12,
// widened, not an extended-precision literal.
inline const long double tolerance = 1e-12;

// A leading coefficient of smaller modulus is taken as 1 by the search
// rather than divided by: the double nearest 0.01, widened.
inline const long double lead_floor = 0.01;

// Significant digits of every number the main window writes.
constexpr int shown_digits = 12;

// A part as the solver hands it back: magnitudes up to the tolerance are 0.
inline long double cleaned(long double x)
{
    return std::fabs(x) <= tolerance ? 0.0L : x;
}

// Whether x lies exactly halfway between two numbers of 12 significant
// digits; 766 digits hold every double's decimal expansion exactly.
inline bool halfway(double x)
{
    char text[800];
    const char *end =
        std::to_chars(text, text + sizeof text, x, std::chars_format::scientific, 766).ptr;
    const std::string digits(static_cast<const char *>(text), end);
    const size_t after = digits.find('.') + shown_digits;
    const size_t exponent = digits.find('e');
    return digits[after] == '5' && digits.find_first_not_of('0', after + 1) == exponent;
}

// A number as the main window writes it: its double with 12 significant
// digits, trailing zeros dropped, "." as the decimal point whatever the
// locale, exponent notation for very small and very large magnitudes.
inline std::string number_text(double x)
{
    if (std::isnan(x))
        return "nan"; // whatever its sign bit
    if (x == 0)
        return "0"; // -0 too
    // The toolkit rounds a tie away from zero where to_chars rounds to even.
    if (std::isfinite(x) && halfway(x))
        x = std::nextafter(x, x > 0 ? HUGE_VAL : -HUGE_VAL);
    char text[32];
    const char *end =
        std::to_chars(text, text + sizeof text, x, std::chars_format::general, shown_digits).ptr;
    return std::string(static_cast<const char *>(text), end);
}

// Whether the window shows a root as real: its imaginary part is below
// the tolerance (a NaN is not).
inline bool shown_real(std::complex<long double> z)
{
    return std::fabs(z.imag()) < tolerance;
}

// A root as the main window lists it: the real part alone where it is
// shown real, else "(re + (im)I)".
inline std::string root_text(std::complex<long double> z)
{
    const std::string re = number_text(static_cast<double>(z.real()));
    if (shown_real(z))
        return re;
    return "(" + re + " + (" + number_text(static_cast<double>(z.imag())) + ")I)";
}

} // namespace roots

#endif
