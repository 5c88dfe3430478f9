// Whole solves over many random polynomials, and over input no dialog
// would let through: every call must come back, with at most n roots.
#include "dialog_polynomials.h"
#include "solving.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <vector>

using cplx = std::complex<long double>;
using Coeffs = std::vector<cplx>;
Q_DECLARE_METATYPE(Coeffs)

namespace {

const long double nan_ld = std::numeric_limits<long double>::quiet_NaN();
const long double inf_ld = std::numeric_limits<long double>::infinity();
const long double subnormal = std::numeric_limits<double>::denorm_min();

struct Outcome {
    Coeffs roots;
    int32_t degreeAfter; // of the solver's own polynomial
};

// A solve, then a reading of the solver's polynomial as the plot takes it.
Outcome solveAndRead(Coeffs c, bool polish, bool reverse)
{
    PolySolver solver(static_cast<int32_t>(c.size()) - 1, c.data());
    const Outcome o{solveWith(solver, polish, reverse), solver.poly.degree};
    solver.at(0.5);
    return o;
}

bool finite(cplx z)
{
    return std::isfinite(z.real()) && std::isfinite(z.imag());
}

QByteArray describe(const Coeffs &c)
{
    QByteArray text;
    for (const cplx &z : c)
        text += QByteArray::number(static_cast<double>(z.real()), 'g', 17) + " ";
    return text;
}

// Reverse deflation reports the roots by decreasing modulus. The roots are
// sorted before they are polished, and a root is kept once it is within
// 1e-9 of the polynomial's root, so polishing may move a modulus that far.
bool rootsDescend(const Coeffs &roots)
{
    long double previous = inf_ld;
    for (const cplx &z : roots) {
        const long double m = std::abs(z);
        if (m > previous * (1 + 4e-9L) + 2e-12L)
            return false;
        previous = m;
    }
    return true;
}

// Each root but the first was tried once more and deflated the solver's
// polynomial if accepted.
bool degreeMatchesRechecks(int32_t n, const Outcome &o)
{
    const int32_t count = static_cast<int32_t>(o.roots.size());
    if (count < 2)
        return o.degreeAfter == n;
    return o.degreeAfter <= n && o.degreeAfter >= n - (count - 1);
}

} // namespace

class TestSolverProperties : public QObject
{
    Q_OBJECT

private slots:
    void randomPolynomials_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::addColumn<bool>("reverse");
        for (const SolveOptions &options : solveOptions)
            QTest::newRow(options.name) << options.polish << options.reverse;
    }

    void randomPolynomials()
    {
        QFETCH(bool, polish);
        QFETCH(bool, reverse);
        DialogPolynomials polynomials(20240611);
        for (int trial = 0; trial < 2000; ++trial) {
            const std::vector<double> typed = polynomials.next();
            const Coeffs c(typed.begin(), typed.end());
            const int32_t n = static_cast<int32_t>(c.size()) - 1;
            const Outcome o = solveAndRead(c, polish, reverse);
            const QByteArray input = describe(c);
            QVERIFY2(int32_t(o.roots.size()) == n, input);
            for (const cplx &z : o.roots)
                QVERIFY2(finite(z), input);
            if (reverse) {
                QVERIFY2(rootsDescend(o.roots), input);
                QVERIFY2(degreeMatchesRechecks(n, o), input);
            } else {
                QCOMPARE(o.degreeAfter, n);
            }
        }
    }

    void badInput_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<bool>("finiteRoots");
        Coeffs ones22(23, cplx(1, 0));
        Coeffs nanInside = ones22;
        nanInside[11] = nan_ld;
        Coeffs huge22(23, cplx(1e300, 0));
        Coeffs alternating = huge22;
        for (std::size_t k = 1; k < alternating.size(); k += 2)
            alternating[k] = -alternating[k];
        Coeffs mixed = ones22;
        for (std::size_t k = 0; k < mixed.size(); ++k)
            mixed[k] = k % 2 ? 1e-300 : 1e300;
        Coeffs hugeConstant = ones22;
        hugeConstant[22] = 1e300;

        QTest::newRow("NaN lead") << Coeffs{nan_ld, 1, 2} << false;
        QTest::newRow("NaN inside, degree 22") << nanInside << false;
        QTest::newRow("infinite lead") << Coeffs{inf_ld, 1, 2, 3} << false;
        QTest::newRow("infinite constant") << Coeffs{1, 2, -inf_ld} << false;
        QTest::newRow("opposite infinities") << Coeffs{1, inf_ld, -inf_ld} << false;
        QTest::newRow("extended 1e4000") << Coeffs{1, 0, 0, 1e4000L} << false;
        QTest::newRow("1e300 everywhere") << huge22 << true;
        QTest::newRow("alternating 1e300") << alternating << true;
        QTest::newRow("1e300 and 1e-300") << mixed << true;
        QTest::newRow("constant 1e300") << hugeConstant << true;
        QTest::newRow("subnormal everywhere") << Coeffs(6, cplx(subnormal, 0)) << true;
        QTest::newRow("subnormal lead") << Coeffs{subnormal, 1, 2} << true;
        QTest::newRow("zero lead") << Coeffs{0, 0, 0, 1} << true;
        QTest::newRow("all zero") << Coeffs(4, cplx(0, 0)) << true;
        QTest::newRow("tiny lead") << Coeffs{1e-300, -3, 2} << true;
        QTest::newRow("degree 0") << Coeffs{4} << true;
        QTest::newRow("degree 0 zero") << Coeffs{0} << true;
        QTest::newRow("degree 0 NaN") << Coeffs{nan_ld} << true;
    }

    void badInput()
    {
        QFETCH(Coeffs, c);
        QFETCH(bool, finiteRoots);
        const int32_t n = static_cast<int32_t>(c.size()) - 1;
        for (const SolveOptions &options : solveOptions) {
            const Outcome o = solveAndRead(c, options.polish, options.reverse);
            QVERIFY(int32_t(o.roots.size()) <= n);
            if (finiteRoots)
                for (const cplx &z : o.roots)
                    QVERIFY(finite(z));
        }
    }
};

QTEST_APPLESS_MAIN(TestSolverProperties)
#include "test_solver_properties.moc"
