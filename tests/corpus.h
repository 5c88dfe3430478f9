#ifndef CORPUS_H
#define CORPUS_H

// The committed root-accuracy corpus (tests/data/corpus.txt): polynomials
// with certified reference roots, and how the solver is run and judged on it.
#include "rroots_oo_1.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

struct CorpusEntry {
    std::string family;
    int degree = 0;
    double baseline = 0; // worst error of a double-precision companion-matrix solver
    std::vector<double> coeffs; // highest power first
    std::vector<std::complex<long double>> roots;
};

inline std::vector<CorpusEntry> readCorpus(const std::string &path)
{
    std::ifstream in(path);
    std::vector<CorpusEntry> corpus;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string tag;
        fields >> tag;
        if (tag == "poly") {
            corpus.emplace_back();
            fields >> corpus.back().family >> corpus.back().degree >> corpus.back().baseline;
        } else if (tag == "c" && !corpus.empty()) {
            for (std::string value; fields >> value;)
                corpus.back().coeffs.push_back(std::strtod(value.c_str(), nullptr));
        } else if (tag == "r" && !corpus.empty()) {
            std::string re, im;
            fields >> re >> im;
            corpus.back().roots.emplace_back(std::strtold(re.c_str(), nullptr),
                                              std::strtold(im.c_str(), nullptr));
        }
    }
    return corpus;
}

struct SolveSetting {
    const char *name;
    bool polish;
    bool reverse;
    double accuracy; // relative error every root must reach, at the least
};

inline const SolveSetting solveSettings[] = {
    {"polish", true, false, 1e-9},
    {"plain", false, false, 1e-6},
    {"reverse", false, true, 1e-9},
};

// The whole solve, or with levelsOnly the level-by-level search alone.
inline std::vector<std::complex<long double>> solveEntry(const CorpusEntry &entry,
                                                         const SolveSetting &setting,
                                                         bool levelsOnly = false)
{
    std::vector<std::complex<long double>> coeffs(entry.coeffs.begin(), entry.coeffs.end());
    PolySolver solver(entry.degree, coeffs.data());
    std::vector<std::complex<long double>> roots(entry.degree);
    int32_t count = 0;
    if (levelsOnly)
        solver.solve_by_levels(setting.polish, setting.reverse, &count, roots.data());
    else
        solver.poly_solve(setting.polish, setting.reverse, &count, roots.data());
    roots.resize(count);
    return roots;
}

// Pairs found and reference roots, closest pairs first, and returns the
// worst |found - reference| / max(1, |reference|); infinity when a found
// root is left without a partner or is not a number.
inline double worstRelativeError(const std::vector<std::complex<long double>> &found,
                                 const std::vector<std::complex<long double>> &reference)
{
    struct Pair {
        double error;
        size_t found, reference;
    };
    std::vector<Pair> pairs;
    for (size_t i = 0; i < found.size(); ++i)
        for (size_t j = 0; j < reference.size(); ++j) {
            const long double distance = std::abs(found[i] - reference[j]);
            const double error = double(distance / std::max(1.0L, std::abs(reference[j])));
            pairs.push_back({std::isnan(error) ? std::numeric_limits<double>::infinity() : error,
                             i, j});
        }
    std::sort(pairs.begin(), pairs.end(),
              [](const Pair &a, const Pair &b) { return a.error < b.error; });
    std::vector<bool> foundUsed(found.size()), referenceUsed(reference.size());
    double worst = 0;
    size_t matched = 0;
    for (const Pair &pair : pairs) {
        if (foundUsed[pair.found] || referenceUsed[pair.reference])
            continue;
        foundUsed[pair.found] = referenceUsed[pair.reference] = true;
        worst = std::max(worst, pair.error);
        ++matched;
    }
    return matched == found.size() ? worst : std::numeric_limits<double>::infinity();
}

#endif
