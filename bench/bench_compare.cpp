// Our solver beside two general-purpose ones, GSL's gsl_poly_complex_solve
// (double, companion matrix) and Eigen's PolynomialSolver (long double,
// companion matrix):
//   bench_compare [benchmark flags]   one full solve each, on the same fixed
//                                     random polynomials as bench_solver, then
//                                     a table of median CPU times and ratios
//                                     to ours, all from that one run
//   bench_compare --accuracy [FILE]   every solver on the accuracy corpus
//                                     (default: the committed one), per family
#include "corpus.h"
#include "fixed_polynomials.h"
#include "rroots_oo_1.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_errno.h>
#include <gsl/gsl_poly.h>
#include <unsupported/Eigen/Polynomials>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <cstring>
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
    const int32_t degree = static_cast<int32_t>(coeffs.size()) - 1;
    std::vector<cplx> c(coeffs.begin(), coeffs.end());
    PolySolver solver(degree, c.data());
    std::vector<cplx> roots(degree);
    int32_t count = 0;
    solver.poly_solve(true, false, &count, roots.data());
    roots.resize(count);
    return roots;
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

const Solver solvers[] = {{"ours", solveOurs}, {"gsl", solveGsl}, {"eigen", solveEigen}};

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

void solveRepeatedly(benchmark::State &state, const Solver &solver, int degree)
{
    const std::vector<cplx> c = fixedPolynomial(degree);
    std::vector<double> coeffs;
    for (const cplx &x : c)
        coeffs.push_back(double(x.real()));
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

void printRatios(const MedianReporter &reporter)
{
    auto time = [&](const char *name, int degree) {
        const auto found = reporter.medians.find({name, degree});
        return found == reporter.medians.end() ? NAN : found->second;
    };
    std::printf("\nMedian CPU time per solve, us, and ratio to ours (same run)\n\n"
                "| degree | ours | GSL | Eigen | GSL / ours | Eigen / ours |\n"
                "| ---: | ---: | ---: | ---: | ---: | ---: |\n");
    for (int degree : degrees) {
        const double ours = time("ours", degree), gsl = time("gsl", degree),
                     eigen = time("eigen", degree);
        if (std::isnan(ours) && std::isnan(gsl) && std::isnan(eigen))
            continue; // filtered out
        std::printf("| %d | %.1f | %.2f | %.1f | %.3f | %.3f |\n", degree, ours, gsl, eigen,
                    gsl / ours, eigen / ours);
    }
}

} // namespace

int main(int argc, char **argv)
{
    // A failed solve is counted, not fatal.
    gsl_set_error_handler_off();

    if (argc >= 2 && std::strcmp(argv[1], "--accuracy") == 0)
        return printAccuracy(argc >= 3 ? argv[2] : CORPUS_PATH);

    // Degree by degree, the three solvers one after the other, so that a
    // noisy stretch of the shared machine falls on all of them alike.
    for (int degree : degrees)
        for (const Solver &solver : solvers)
            benchmark::RegisterBenchmark(solver.name,
                                         [&solver, degree](benchmark::State &state) {
                                             solveRepeatedly(state, solver, degree);
                                         })
                ->Arg(degree)
                ->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    printRatios(reporter);
    return 0;
}
