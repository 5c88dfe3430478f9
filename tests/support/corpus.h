#ifndef CORPUS_H
#define CORPUS_H

// The committed root-accuracy corpus (tests/data/corpus.txt): polynomials
// with certified reference roots, and how the solver is run and judged on it.
#include "root_pairing.h"
#include "solving.h"

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
    return levelsOnly ? searchWith(solver, setting.polish, setting.reverse)
                      : solveWith(solver, setting.polish, setting.reverse);
}

// |found - reference| / max(1, |reference|).
inline double relativeError(std::complex<long double> found, std::complex<long double> reference)
{
    return double(std::abs(found - reference) / std::max(1.0L, std::abs(reference)));
}

// The worst relative error of the found roots paired with the reference
// roots, closest pairs first; infinity when a found root is left without
// a partner or is not a number.
inline double worstRelativeError(const std::vector<std::complex<long double>> &found,
                                 const std::vector<std::complex<long double>> &reference)
{
    const std::vector<RootPair> pairs = pairNearest(found, reference, relativeError);
    if (pairs.size() != found.size())
        return std::numeric_limits<double>::infinity();
    double worst = 0;
    for (const RootPair &pair : pairs)
        worst = std::max(worst, pair.distance);
    return worst;
}

#endif
