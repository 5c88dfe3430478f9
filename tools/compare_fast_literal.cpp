// Searches seeded random polynomials with the solver and with the literal
// search, in the three option settings, and reports every polynomial whose
// searches differ in any bit. Built and run by scripts/compare-fast-literal.sh.
#include "random_polynomials.h"

#include <cstdio>
#include <cstdlib>

using namespace random_polynomials;

int main(int argc, char **argv)
{
    const long count = argc > 1 ? std::atol(argv[1]) : 100000;
    const unsigned long seed = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20261210;
    const struct {
        const char *name;
        bool polish, reverse;
    } settings[] = {{"polish", true, false}, {"plain", false, false}, {"reverse", false, true}};

    std::mt19937_64 rng(seed);
    long solved[FamilyCount][3] = {}, differing[FamilyCount][3] = {};
    for (long i = 0; i < count; ++i) {
        const int family = int(i % FamilyCount);
        const std::vector<double> coeffs = randomCoefficients(rng, family);
        for (int s = 0; s < 3; ++s) {
            const bool same = sameBits(searchBits(coeffs, settings[s].polish, settings[s].reverse, false),
                                       searchBits(coeffs, settings[s].polish, settings[s].reverse, true));
            ++solved[family][s];
            if (!same) {
                ++differing[family][s];
                std::printf("differs: %s, %s: %s\n", familyName(family), settings[s].name,
                            describe(coeffs).c_str());
            }
        }
    }
    long total = 0, totalDiffering = 0;
    std::printf("seed %lu, %ld polynomials\n", seed, count);
    for (int f = 0; f < FamilyCount; ++f)
        for (int s = 0; s < 3; ++s) {
            std::printf("%-16s %-8s %7ld solved, %ld differing\n", familyName(f), settings[s].name,
                        solved[f][s], differing[f][s]);
            total += solved[f][s];
            totalDiffering += differing[f][s];
        }
    std::printf("all: %ld solves, %ld differing\n", total, totalDiffering);
    return totalDiffering == 0 ? 0 : 1;
}
