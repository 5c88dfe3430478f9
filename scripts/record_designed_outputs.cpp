// Records, bit for bit, what the level-by-level search alone returns for
// every corpus polynomial in the three option settings, where it found every
// root and each is right as shown: polished, it shows the same 12 digits as
// its reference root; unpolished, it lies within 1e-6 of it, relatively, and
// shows the same kind, real or complex. The exact check must hand those
// outputs back untouched.
//   cmake --build build --target record_designed_outputs
//   build/tests/record_designed_outputs tests/data/corpus.txt > tests/data/designed_outputs.txt
#include "corpus.h"
#include "root_conventions.h"

#include <cstdio>
#include <string>

namespace {

long double shownPart(long double x)
{
    return roots::cleaned(x);
}

std::string text(std::complex<long double> z)
{
    return roots::number_text(double(shownPart(z.real()))) + " "
           + roots::number_text(double(shownPart(z.imag())));
}

bool right(std::complex<long double> found, std::complex<long double> reference, bool polished)
{
    if (polished)
        return text(found) == text(reference);
    const bool sameKind = (shownPart(found.imag()) != 0) == (shownPart(reference.imag()) != 0);
    return std::abs(found - reference) <= 1e-6L * std::abs(reference) && sameKind;
}

// Pairs found and reference roots, nearest first, as the exact check pairs them.
bool allRight(const std::vector<std::complex<long double>> &found,
              const std::vector<std::complex<long double>> &reference, bool polished)
{
    if (found.size() != reference.size())
        return false;
    struct Pair {
        long double distance;
        size_t found, reference;
    };
    std::vector<Pair> pairs;
    for (size_t i = 0; i < found.size(); ++i)
        for (size_t j = 0; j < reference.size(); ++j)
            pairs.push_back({std::abs(found[i] - reference[j]), i, j});
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const Pair &a, const Pair &b) { return a.distance < b.distance; });
    std::vector<bool> foundUsed(found.size()), referenceUsed(reference.size());
    size_t matched = 0;
    for (const Pair &pair : pairs) {
        if (foundUsed[pair.found] || referenceUsed[pair.reference])
            continue;
        if (!right(found[pair.found], reference[pair.reference], polished))
            return false;
        foundUsed[pair.found] = referenceUsed[pair.reference] = true;
        ++matched;
    }
    return matched == found.size();
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s corpus.txt\n", argv[0]);
        return 2;
    }
    const std::vector<CorpusEntry> corpus = readCorpus(argv[1]);
    std::printf("# <setting> <corpus index> <count> then re im of each root as hex floats\n");
    for (const SolveSetting &setting : solveSettings) {
        for (size_t index = 0; index < corpus.size(); ++index) {
            const CorpusEntry &entry = corpus[index];
            const std::vector<std::complex<long double>> roots = solveEntry(entry, setting, true);
            if (!allRight(roots, entry.roots, setting.polish || setting.reverse))
                continue;
            std::printf("%s %zu %zu", setting.name, index, roots.size());
            for (const std::complex<long double> &z : roots)
                std::printf(" %La %La", z.real(), z.imag());
            std::printf("\n");
        }
    }
    return 0;
}
