// Records, bit for bit, what the level-by-level search alone returns for
// every corpus polynomial in the three option settings, where it found every
// root and each is right as shown: polished, it shows the same 12 digits as
// its reference root; unpolished, it lies within 1e-6 of it, relatively, and
// shows 0 in just the parts where its reference root is at most 1e-12 in
// magnitude. The exact check must hand those outputs back untouched.
//   cmake --build build --target record_designed_outputs
//   build/tools/record_designed_outputs tests/data/corpus.txt > tests/data/designed_outputs.txt
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
    const auto sameZero = [](long double f, long double r) {
        return (shownPart(f) == 0) == (std::fabs(r) <= 1e-12L);
    };
    return std::abs(found - reference) <= 1e-6L * std::abs(reference)
           && sameZero(found.real(), reference.real()) && sameZero(found.imag(), reference.imag());
}

// Every root right, paired with the reference roots nearest first.
bool allRight(const std::vector<std::complex<long double>> &found,
              const std::vector<std::complex<long double>> &reference, bool polished)
{
    if (found.size() != reference.size())
        return false;
    const auto distance = [](std::complex<long double> a, std::complex<long double> b) {
        return double(std::abs(a - b));
    };
    const std::vector<RootPair> pairs = pairNearest(found, reference, distance);
    return pairs.size() == found.size()
           && std::all_of(pairs.begin(), pairs.end(), [&](const RootPair &pair) {
                  return right(found[pair.found], reference[pair.reference], polished);
              });
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
