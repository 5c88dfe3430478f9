// Records, bit for bit, what the level-by-level procedure alone returns for
// every corpus polynomial in the three option settings, where it found every
// root and each lies within the setting's accuracy of its reference root.
// Build it against the solver library of commit f0e6cf5 (the last one
// before roots were verified and completed), e.g.
//   git worktree add /tmp/designed f0e6cf5 && cmake -S /tmp/designed -B /tmp/designed/build
//   cmake --build /tmp/designed/build --target rroots_oo_1
//   g++ -std=c++17 -O2 -I/tmp/designed/src -Itests scripts/record_designed_outputs.cpp \
//       /tmp/designed/build/src/librroots_oo_1.a -o /tmp/record
//   /tmp/record tests/data/corpus.txt > tests/data/designed_outputs.txt
#include "rroots_oo_1.h"
#include "corpus.h"

#include <cstdio>

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
            const std::vector<std::complex<long double>> roots = solveEntry(entry, setting);
            if (int(roots.size()) != entry.degree
                || worstRelativeError(roots, entry.roots) > setting.accuracy)
                continue;
            std::printf("%s %zu %zu", setting.name, index, roots.size());
            for (const std::complex<long double> &z : roots)
                std::printf(" %La %La", z.real(), z.imag());
            std::printf("\n");
        }
    }
    return 0;
}
