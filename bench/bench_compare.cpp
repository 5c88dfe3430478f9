// Our solver beside itself before its arithmetic was made faster ("before",
// bench/baseline/), beside its literal arithmetic (the same procedure with
// every value from its defining formula), and beside two general-purpose
// solvers, GSL's gsl_poly_complex_solve (double, companion matrix) and
// Eigen's PolynomialSolver (long double, companion matrix):
//   bench_compare [benchmark flags]   one full solve each, on the same fixed
//                                     random polynomials as bench_solver, then
//                                     a table of median CPU times and ratios
//                                     to ours, all from that one run
//   bench_compare --slowest [N] [benchmark flags]
//                                     times N (default 10000) random
//                                     polynomials from the definition dialog's
//                                     range before and now, then benchmarks
//                                     the slowest of each the same way
//   bench_compare --accuracy [FILE]   every solver on the accuracy corpus
//                                     (default: the committed one), per family
#include "baseline_solver.h"
#include "corpus.h"
#include "fixed_polynomials.h"
#include "random_polynomials.h"
#include "rroots_oo_1.h"

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

std::vector<cplx> solveWithArithmetic(const std::vector<double> &coeffs, bool literal)
{
    const int32_t degree = static_cast<int32_t>(coeffs.size()) - 1;
    std::vector<cplx> c(coeffs.begin(), coeffs.end());
    PolySolver solver(degree, c.data());
    solver.literal_arithmetic = literal;
    std::vector<cplx> roots(degree);
    int32_t count = 0;
    solver.poly_solve(true, false, &count, roots.data());
    roots.resize(count);
    return roots;
}

std::vector<cplx> solveOurs(const std::vector<double> &coeffs)
{
    return solveWithArithmetic(coeffs, false);
}

std::vector<cplx> solveLiteral(const std::vector<double> &coeffs)
{
    return solveWithArithmetic(coeffs, true);
}

std::vector<cplx> solveBefore(const std::vector<double> &coeffs)
{
    return solveBaseline(std::vector<cplx>(coeffs.begin(), coeffs.end()), true, false);
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
const Solver timedSolvers[] = {{"before", solveBefore},
                               {"literal", solveLiteral},
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
                "| %s | before | literal | ours | GSL | Eigen | ours / before "
                "| literal / ours | GSL / ours | Eigen / ours |\n"
                "| ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: |\n",
                what);
    for (int row : rows) {
        const double before = time("before", row), literal = time("literal", row),
                     ours = time("ours", row), gsl = time("gsl", row), eigen = time("eigen", row);
        if (std::isnan(ours))
            continue; // filtered out
        std::printf("| %d | %.1f | %.1f | %.1f | %.2f | %.1f | %.3f | %.3f | %.3f | %.3f |\n", row,
                    before, literal, ours, gsl, eigen, ours / before, literal / ours, gsl / ours,
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

struct Slowest {
    int index = -1;
    double seconds = 0;
};

// The fastest of a number of solves, each solver in turn, so that the
// noise of the shared machine falls on both alike.
std::pair<double, double> fastestTimes(const std::vector<double> &coeffs, int rounds)
{
    const Solver before{"before", solveBefore}, ours{"ours", solveOurs};
    double b = INFINITY, o = INFINITY;
    for (int round = 0; round < rounds; ++round) {
        b = std::min(b, secondsToSolve(before, coeffs));
        o = std::min(o, secondsToSolve(ours, coeffs));
    }
    return {b, o};
}

// The slowest polynomial before and now: every one timed 3 times, then the
// 20 slowest of each timed 25 times more.
std::pair<Slowest, Slowest> findSlowest(const std::vector<std::vector<double>> &polynomials)
{
    std::vector<std::pair<double, int>> before, ours;
    for (size_t i = 0; i < polynomials.size(); ++i) {
        const auto [b, o] = fastestTimes(polynomials[i], 3);
        before.emplace_back(b, int(i));
        ours.emplace_back(o, int(i));
    }
    auto slowest = [&](std::vector<std::pair<double, int>> &times, bool wantBefore) {
        const size_t candidates = std::min<size_t>(20, times.size());
        std::partial_sort(times.begin(), times.begin() + candidates, times.end(), std::greater<>());
        Slowest worst;
        for (size_t k = 0; k < candidates; ++k) {
            const auto [b, o] = fastestTimes(polynomials[times[k].second], 25);
            const double seconds = wantBefore ? b : o;
            if (seconds > worst.seconds)
                worst = {times[k].second, seconds};
        }
        return worst;
    };
    return {slowest(before, true), slowest(ours, false)};
}

std::vector<std::vector<double>> dialogPolynomials(int count)
{
    std::mt19937_64 rng(20261211);
    std::vector<std::vector<double>> polynomials;
    for (int i = 0; i < count; ++i) {
        const int degree = random_polynomials::uniformInt(rng, 1, 22);
        polynomials.push_back(random_polynomials::dialogCoefficients(rng, degree));
    }
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
        const auto [before, ours] = findSlowest(polynomials);
        std::printf("Slowest of %d polynomials from the dialog's range (fastest of 25 solves):\n"
                    "  before: #%d, degree %zu, %.3f ms\n  ours: #%d, degree %zu, %.3f ms\n",
                    count, before.index, polynomials[before.index].size() - 1,
                    before.seconds * 1e3, ours.index, polynomials[ours.index].size() - 1,
                    ours.seconds * 1e3);
        rows.emplace_back(before.index, polynomials[before.index]);
        if (ours.index != before.index)
            rows.emplace_back(ours.index, polynomials[ours.index]);
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
