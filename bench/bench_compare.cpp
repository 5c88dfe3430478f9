// Our solver: its level-by-level search alone ("search"), the same search
// with every value from its defining formula ("literal", the reference of
// tests/support/literal_search.h), and the whole certified solve ("ours"),
// beside two general-purpose solvers, GSL's gsl_poly_complex_solve (double,
// companion matrix) and Eigen's PolynomialSolver (long double, companion
// matrix):
//   bench_compare [benchmark flags]   one full solve each, on the same fixed
//                                     random polynomials as bench_solver, then
//                                     a table of median CPU times and ratios
//                                     to ours, all from that one run
//   bench_compare --slowest [N] [benchmark flags]
//                                     times N (default 10000) random
//                                     polynomials from the definition dialog's
//                                     range, then benchmarks the slowest the
//                                     same way
//   bench_compare --accuracy [FILE]   every solver on the accuracy corpus
//                                     (default: the committed one), per family
#include "corpus.h"
#include "dialog_polynomials.h"
#include "fixed_polynomials.h"
#include "literal_search.h"
#include "solving.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_poly.h>
#include <unsupported/Eigen/Polynomials>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <unistd.h>

namespace {

using cplx = std::complex<long double>;
using EigenCoeffs = Eigen::Matrix<long double, Eigen::Dynamic, 1>;

// Each solver takes real coefficients highest power first and returns the
// roots it found; GSL and Eigen want them lowest power first.

std::vector<cplx> solveOurs(const std::vector<double> &coeffs)
{
    return solve(std::vector<cplx>(coeffs.begin(), coeffs.end()), true, false);
}

std::vector<cplx> searchOnly(const std::vector<double> &coeffs)
{
    std::vector<cplx> c(coeffs.begin(), coeffs.end());
    PolySolver solver(int32_t(c.size()) - 1, c.data());
    return searchWith(solver, true, false);
}

std::vector<cplx> searchLiterally(const std::vector<double> &coeffs)
{
    std::vector<cplx> c(coeffs.begin(), coeffs.end());
    PolySolver solver(int32_t(c.size()) - 1, c.data());
    return literal::solve_by_levels(solver, true, false);
}

std::vector<cplx> solveGsl(const std::vector<double> &coeffs)
{
    const size_t terms = coeffs.size();
    std::vector<double> a(coeffs.rbegin(), coeffs.rend());
    std::vector<double> z(2 * (terms - 1));
    gsl_poly_complex_workspace *w = gsl_poly_complex_workspace_alloc(terms);
    const int status = gsl_poly_complex_solve(a.data(), terms, w, z.data());
    gsl_poly_complex_workspace_free(w);
    std::vector<cplx> roots;
    if (status == GSL_SUCCESS)
        for (size_t i = 0; i + 1 < terms; ++i)
            roots.emplace_back(z[2 * i], z[2 * i + 1]);
    return roots;
}

std::vector<cplx> solveEigen(const std::vector<double> &coeffs)
{
    EigenCoeffs c(coeffs.size());
    for (size_t i = 0; i < coeffs.size(); ++i)
        c[Eigen::Index(i)] = coeffs[coeffs.size() - 1 - i];
    Eigen::PolynomialSolver<long double, Eigen::Dynamic> solver(c);
    const auto &found = solver.roots();
    return std::vector<cplx>(found.data(), found.data() + found.size());
}

struct Solver {
    const char *name;
    std::vector<cplx> (*solve)(const std::vector<double> &);
};

// The accuracy table needs only one of ours: the others give the same bits.
const Solver solvers[] = {{"ours", solveOurs}, {"gsl", solveGsl}, {"eigen", solveEigen}};
const Solver timedSolvers[] = {{"literal", searchLiterally},
                               {"search", searchOnly},
                               {"ours", solveOurs},
                               {"gsl", solveGsl},
                               {"eigen", solveEigen}};

// ---- accuracy on the corpus ----

struct Tally {
    int total = 0;
    int complete = 0; // every root found, none of them NaN or unpaired
    double worst = 0; // over the complete ones
};

int printAccuracy(const std::string &path)
{
    const std::vector<CorpusEntry> corpus = readCorpus(path);
    if (corpus.empty()) {
        std::fprintf(stderr, "no polynomials read from %s\n", path.c_str());
        return 1;
    }
    std::vector<std::string> families;
    std::map<std::string, Tally> tallies[std::size(solvers)];
    std::map<std::string, double> baseline;
    for (const CorpusEntry &entry : corpus) {
        if (!baseline.count(entry.family))
            families.push_back(entry.family);
        for (const std::string &family : {entry.family, std::string("all")})
            baseline[family] = std::max(baseline[family], entry.baseline);
        for (size_t s = 0; s < std::size(solvers); ++s) {
            const std::vector<cplx> roots = solvers[s].solve(entry.coeffs);
            const double error = worstRelativeError(roots, entry.roots);
            const bool complete = int(roots.size()) == entry.degree && std::isfinite(error);
            for (const std::string &family : {entry.family, std::string("all")}) {
                Tally &tally = tallies[s][family];
                ++tally.total;
                if (complete) {
                    ++tally.complete;
                    tally.worst = std::max(tally.worst, error);
                }
            }
        }
    }
    families.push_back("all");

    std::printf("Accuracy on %s: polynomials with every root found / in family,\n"
                "worst max |z - ref| / max(1, |ref|) over those\n\n", path.c_str());
    std::printf("| family | ours (polished) | GSL (double) | Eigen (long double) "
                "| corpus baseline (double) |\n| --- | --- | --- | --- | --- |\n");
    for (const std::string &family : families) {
        std::printf("| %s |", family.c_str());
        for (auto &bySolver : tallies) {
            const Tally &t = bySolver[family];
            std::printf(" %d/%d, %.1e |", t.complete, t.total, t.worst);
        }
        std::printf(" %.1e |\n", baseline[family]);
    }
    return 0;
}

// ---- speed ----

void solveRepeatedly(benchmark::State &state, const Solver &solver,
                     const std::vector<double> &coeffs)
{
    size_t count = 0;
    for (auto _ : state) {
        std::vector<cplx> roots = solver.solve(coeffs);
        count = roots.size();
        benchmark::DoNotOptimize(roots.data());
        benchmark::ClobberMemory();
    }
    state.counters["roots"] = double(count);
}

// Shows every run as usual and keeps each benchmark's median CPU time (its
// only time when it ran once), for the ratio table.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    // Colour on a terminal only, as the library's own reporter does.
    MedianReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    std::map<std::pair<std::string, int>, double> medians;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            const bool single = run.run_type == Run::RT_Iteration && run.repetitions == 1;
            if ((median || single) && !run.error_occurred)
                medians[{run.run_name.function_name, std::stoi(run.run_name.args)}] =
                    run.GetAdjustedCPUTime();
        }
    }
};

const int degrees[] = {5, 10, 15, 22};

std::vector<double> fixedCoefficients(int degree)
{
    std::vector<double> coeffs;
    for (const cplx &x : fixedPolynomial(degree))
        coeffs.push_back(double(x.real()));
    return coeffs;
}

// One row per benchmark argument: a degree, or a polynomial's number.
void printRatios(const MedianReporter &reporter, const char *what, const std::vector<int> &rows)
{
    auto time = [&](const char *name, int row) {
        const auto found = reporter.medians.find({name, row});
        return found == reporter.medians.end() ? NAN : found->second;
    };
    std::printf("\nMedian CPU time per solve, us, and ratio to ours (same run)\n\n"
                "| %s | literal search | search | ours | GSL | Eigen | literal / search "
                "| search / ours | GSL / ours | Eigen / ours |\n"
                "| ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |\n",
                what);
    for (int row : rows) {
        const double literal = time("literal", row), search = time("search", row),
                     ours = time("ours", row), gsl = time("gsl", row), eigen = time("eigen", row);
        if (std::isnan(ours))
            continue; // filtered out
        std::printf("| %d | %.1f | %.1f | %.1f | %.2f | %.1f | %.3f | %.3f | %.3f | %.3f |\n", row,
                    literal, search, ours, gsl, eigen, literal / search, search / ours, gsl / ours,
                    eigen / ours);
    }
}

// ---- the slowest polynomials of the dialog's range ----

double secondsToSolve(const Solver &solver, const std::vector<double> &coeffs)
{
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(solver.solve(coeffs).data());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The slowest solve of ours: every polynomial timed 3 times, then the 20
// slowest timed 25 times more, each time the fastest of the solves.
std::pair<int, double> findSlowest(const std::vector<std::vector<double>> &polynomials)
{
    const Solver ours{"ours", solveOurs};
    auto fastest = [&](const std::vector<double> &coeffs, int rounds) {
        double seconds = INFINITY;
        for (int round = 0; round < rounds; ++round)
            seconds = std::min(seconds, secondsToSolve(ours, coeffs));
        return seconds;
    };
    std::vector<std::pair<double, int>> times;
    for (size_t i = 0; i < polynomials.size(); ++i)
        times.emplace_back(fastest(polynomials[i], 3), int(i));
    const size_t candidates = std::min<size_t>(20, times.size());
    std::partial_sort(times.begin(), times.begin() + candidates, times.end(), std::greater<>());
    std::pair<int, double> worst{-1, 0};
    for (size_t k = 0; k < candidates; ++k) {
        const double seconds = fastest(polynomials[times[k].second], 25);
        if (seconds > worst.second)
            worst = {times[k].second, seconds};
    }
    return worst;
}

std::vector<std::vector<double>> dialogPolynomials(int count)
{
    DialogPolynomials source(20261211);
    std::vector<std::vector<double>> polynomials;
    for (int i = 0; i < count; ++i)
        polynomials.push_back(source.next());
    return polynomials;
}

} // namespace

int main(int argc, char **argv)
{
    // A failed solve is counted, not fatal.
    gsl_set_error_handler_off();

    if (argc >= 2 && std::strcmp(argv[1], "--accuracy") == 0)
        return printAccuracy(argc >= 3 ? argv[2] : CORPUS_PATH);

    // Row by row, the solvers one after the other, so that a noisy stretch
    // of the shared machine falls on all of them alike.
    std::vector<std::pair<int, std::vector<double>>> rows;
    const bool slowest = argc >= 2 && std::strcmp(argv[1], "--slowest") == 0;
    // What follows our own arguments is for the benchmark library.
    std::vector<char *> benchmarkArgs{argv[0]};
    int first = slowest ? 2 : 1;
    int count = 10000;
    if (slowest && argc >= 3 && argv[2][0] != '-')
        count = std::atoi(argv[first++]);
    benchmarkArgs.insert(benchmarkArgs.end(), argv + first, argv + argc);
    int benchmarkArgc = int(benchmarkArgs.size());
    if (slowest) {
        const std::vector<std::vector<double>> polynomials = dialogPolynomials(count);
        const auto [index, seconds] = findSlowest(polynomials);
        std::printf("Slowest of %d polynomials from the dialog's range (fastest of 25 solves):\n"
                    "  #%d, degree %zu, %.3f ms\n",
                    count, index, polynomials[index].size() - 1, seconds * 1e3);
        rows.emplace_back(index, polynomials[index]);
    } else {
        for (int degree : degrees)
            rows.emplace_back(degree, fixedCoefficients(degree));
    }
    for (const auto &[row, coeffs] : rows)
        for (const Solver &solver : timedSolvers)
            benchmark::RegisterBenchmark(solver.name,
                                         [&solver, &coeffs = coeffs](benchmark::State &state) {
                                             solveRepeatedly(state, solver, coeffs);
                                         })
                ->Arg(row)
                ->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&benchmarkArgc, benchmarkArgs.data());
    if (benchmark::ReportUnrecognizedArguments(benchmarkArgc, benchmarkArgs.data()))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    std::vector<int> rowNames;
    for (const auto &row : rows)
        rowNames.push_back(row.first);
    printRatios(reporter, slowest ? "polynomial" : "degree", rowNames);
    return 0;
}
