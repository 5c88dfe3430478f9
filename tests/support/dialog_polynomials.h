#ifndef DIALOG_POLYNOMIALS_H
#define DIALOG_POLYNOMIALS_H

// Seeded random polynomials over the definition dialog's whole range.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

// Polynomials as a user could enter them, highest power first: degree 1 to
// 22, coefficients up to 1e10 in magnitude with 8 decimals, a leading
// coefficient of magnitude 0.01 to 1e10. The degrees come round in turn;
// of every seven rounds three bring the extremes the dialog allows, the
// others sizes spread over 18 decades.
class DialogPolynomials
{
public:
    static constexpr double largest = 1e10; // the boxes' range
    static constexpr double smallestLead = 0.01; // the floor for the leading coefficient

    explicit DialogPolynomials(std::uint64_t seed) : random(seed) {}

    std::vector<double> next()
    {
        const int degree = 1 + drawn % 22;
        const int round = drawn / 22 % 7;
        ++drawn;
        std::vector<double> c(degree + 1, 0.0);
        switch (round) {
        case 0: // the smallest leading coefficient, the largest constant
            c[0] = sign() * smallestLead;
            c[degree] = sign() * largest;
            break;
        case 1: // the largest leading coefficient, the smallest constant
            c[0] = sign() * largest;
            c[degree] = sign() * 1e-8;
            break;
        case 2: // the smallest lead, every other coefficient at the limit
            c[0] = sign() * smallestLead;
            for (int k = 1; k <= degree; ++k)
                c[k] = sign() * largest;
            break;
        default:
            c[0] = sign() * toBox(logUniform(smallestLead, largest));
            for (int k = 1; k <= degree; ++k)
                c[k] = coefficient();
            break;
        }
        return c;
    }

private:
    // What a box with 8 decimals holds for v.
    static double toBox(double v) { return std::round(v * 1e8) / 1e8; }

    double sign() { return std::bernoulli_distribution(0.5)(random) ? 1.0 : -1.0; }

    double logUniform(double low, double high)
    {
        std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
        return std::min(high, std::pow(10.0, exponent(random)));
    }

    double coefficient()
    {
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
            return 0;
        case 1:
            return sign() * largest;
        case 2:
            return std::uniform_int_distribution<int>(-9, 9)(random);
        default:
            return sign() * toBox(logUniform(1e-8, largest));
        }
    }

    std::mt19937_64 random;
    int drawn = 0;
};

#endif
