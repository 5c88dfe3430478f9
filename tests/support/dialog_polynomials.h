#ifndef DIALOG_POLYNOMIALS_H
#define DIALOG_POLYNOMIALS_H

// Seeded random polynomials over the definition dialog's whole range.
#include "root_conventions.h"

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

    explicit DialogPolynomials(std::uint64_t seed) : random(seed) {}

    std::vector<double> next()
    {
        const int degree = 1 + drawn % 22;
        const int round = drawn / 22 % 7;
        ++drawn;
        return draw(random, degree, round);
    }

    // One polynomial of the given degree; rounds 0 to 2 bring the extremes
    // the dialog allows, the others sizes spread over 18 decades.
    static std::vector<double> draw(std::mt19937_64 &random, int degree, int round)
    {
        const double smallestLead = static_cast<double>(roots::lead_floor);
        std::vector<double> c(degree + 1, 0.0);
        switch (round) {
        case 0: // the smallest leading coefficient, the largest constant
            c[0] = sign(random) * smallestLead;
            c[degree] = sign(random) * largest;
            break;
        case 1: // the largest leading coefficient, the smallest constant
            c[0] = sign(random) * largest;
            c[degree] = sign(random) * 1e-8;
            break;
        case 2: // the smallest lead, every other coefficient at the limit
            c[0] = sign(random) * smallestLead;
            for (int k = 1; k <= degree; ++k)
                c[k] = sign(random) * largest;
            break;
        default:
            c[0] = sign(random) * toBox(logUniform(random, smallestLead, largest));
            for (int k = 1; k <= degree; ++k)
                c[k] = coefficient(random);
            break;
        }
        return c;
    }

private:
    // What a box with 8 decimals holds for v.
    static double toBox(double v) { return std::round(v * 1e8) / 1e8; }

    static double sign(std::mt19937_64 &random)
    {
        return std::bernoulli_distribution(0.5)(random) ? 1.0 : -1.0;
    }

    static double logUniform(std::mt19937_64 &random, double low, double high)
    {
        std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
        return std::min(high, std::pow(10.0, exponent(random)));
    }

    static double coefficient(std::mt19937_64 &random)
    {
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
            return 0;
        case 1:
            return sign(random) * largest;
        case 2:
            return std::uniform_int_distribution<int>(-9, 9)(random);
        default:
            return sign(random) * toBox(logUniform(random, 1e-8, largest));
        }
    }

    std::mt19937_64 random;
    int drawn = 0;
};

#endif
