#ifndef SAME_BITS_H
#define SAME_BITS_H

// Bit for bit equality of the solver's extended-precision values.
#include <complex>
#include <cstring>
#include <vector>

// The 80-bit value occupies the first ten bytes of a long double; the rest
// is padding with no meaning.
inline bool sameBits(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

inline bool sameBits(std::complex<long double> a, std::complex<long double> b)
{
    return sameBits(a.real(), b.real()) && sameBits(a.imag(), b.imag());
}

inline bool sameBits(const std::vector<std::complex<long double>> &a,
                     const std::vector<std::complex<long double>> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameBits(a[i], b[i]))
            return false;
    return true;
}

#endif
