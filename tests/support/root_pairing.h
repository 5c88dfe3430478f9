#ifndef ROOT_PAIRING_H
#define ROOT_PAIRING_H

// Roots found paired with reference roots, as the exact check pairs them.
#include <algorithm>
#include <cmath>
#include <complex>
#include <cstddef>
#include <vector>

struct RootPair {
    std::size_t found;
    std::size_t reference;
    double distance;
};

// Every pair of a found and a reference root, nearest first by the given
// distance, taken while neither of the two is taken yet; a pair whose
// distance is not a number is never taken.
template <class Distance>
std::vector<RootPair> pairNearest(const std::vector<std::complex<long double>> &found,
                                  const std::vector<std::complex<long double>> &reference,
                                  Distance distance)
{
    std::vector<RootPair> pairs;
    for (std::size_t i = 0; i < found.size(); ++i)
        for (std::size_t j = 0; j < reference.size(); ++j) {
            const double d = distance(found[i], reference[j]);
            if (!std::isnan(d))
                pairs.push_back({i, j, d});
        }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const RootPair &a, const RootPair &b) { return a.distance < b.distance; });
    std::vector<bool> foundTaken(found.size()), referenceTaken(reference.size());
    std::vector<RootPair> taken;
    for (const RootPair &pair : pairs) {
        if (foundTaken[pair.found] || referenceTaken[pair.reference])
            continue;
        foundTaken[pair.found] = referenceTaken[pair.reference] = true;
        taken.push_back(pair);
    }
    return taken;
}

#endif
