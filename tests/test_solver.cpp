// Root search, acceptance and deflation, the derivative chain, climbing,
// ordering, reverse deflation and the solve driver.
#include "rroots_oo_1.h"
#include "same_bits.h"
#include "solving.h"

#include <QtTest>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <new>
#include <vector>

using cplx = std::complex<long double>;
using Coeffs = std::vector<cplx>;
Q_DECLARE_METATYPE(cplx)
Q_DECLARE_METATYPE(Coeffs)

namespace {

const long double eps = 1e-12;
const long double nan_ld = std::numeric_limits<long double>::quiet_NaN();
const long double inf_ld = std::numeric_limits<long double>::infinity();

Polynomial record(Coeffs &c)
{
    return Polynomial{c.data(), static_cast<int32_t>(c.size()) - 1, 0, nullptr, 0};
}

QByteArray show(cplx z)
{
    return QByteArray::number(static_cast<double>(z.real()), 'g', 19) + "," +
           QByteArray::number(static_cast<double>(z.imag()), 'g', 19) + "i";
}

QByteArray show(const Coeffs &v)
{
    QByteArray text;
    for (const cplx &z : v)
        text += "(" + show(z) + ") ";
    return text;
}

// Exact when tol is 0, otherwise within tol in modulus.
bool near(cplx a, cplx b, long double tol)
{
    return tol == 0 ? sameBits(a, b) : std::abs(a - b) <= tol;
}

bool allNear(const Coeffs &got, const Coeffs &want, long double tol)
{
    if (got.size() != want.size())
        return false;
    for (std::size_t i = 0; i < got.size(); ++i)
        if (!near(got[i], want[i], tol))
            return false;
    return true;
}

Coeffs live(const Polynomial &p)
{
    return Coeffs(p.coeffs + p.start, p.coeffs + p.start + p.degree + 1);
}

Coeffs recorded(const Polynomial &p)
{
    return Coeffs(p.roots, p.roots + p.num_roots);
}

// (x + 1)(x^2 - sqrt(2) x + 1): its roots -1 and e^(+-i pi/4) are exactly
// the two starting points of a cubic search.
Coeffs cubicThroughStartPoints()
{
    const long double r2 = std::sqrt(2.0L);
    return {1, 1 - r2, 1 - r2, 1};
}

// x^2 + g with g chosen so that the first secant step from -1 and
// w = e^(i pi/3) lands on a' = i/(2 - i/2); the second point is then
// b' = -a' exactly, where p(b') = p(a'), though a' is no root.
Coeffs flatAfterFirstStep()
{
    const std::complex<double> wd = std::exp(std::complex<double>(0, 3.141592653589793 / 3));
    const cplx w(wd.real(), wd.imag());
    const cplx landing = cplx(0, 0.5L) / cplx(2, -0.5L);
    return {1, 0, -(landing + 1.0L) * (w - 1.0L) - 1.0L};
}

} // namespace

class TestSolver : public QObject
{
    Q_OBJECT

private slots:
    // search_root

    void searchLinearNegatesConstant_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<cplx>("root");
        // Both parts are negated, the zero imaginary part too.
        QTest::newRow("x + 3") << Coeffs{1, 3} << cplx(-3, -0.0L);
        QTest::newRow("x + 2 - i") << Coeffs{1, {2, -1}} << cplx(-2, 1);
        QTest::newRow("2x + 3 reads no lead") << Coeffs{2, 3} << cplx(-3, -0.0L);
    }

    void searchLinearNegatesConstant()
    {
        QFETCH(Coeffs, c);
        QFETCH(cplx, root);
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        for (cplx z : {cplx(42, -42), cplx(nan_ld, nan_ld)}) {
            QVERIFY(solver.search_root(&p, &z, eps));
            QVERIFY2(sameBits(z, root), show(z));
        }
    }

    void searchDegreeZeroFails()
    {
        Coeffs c{5};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(42, -42);
        QVERIFY(!solver.search_root(&p, &z, eps));
        QVERIFY(sameBits(z, cplx(42, -42)));
    }

    void searchAcceptsFirstTrialPoint_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::newRow("x^2 - 1") << Coeffs{1, 0, -1};
        QTest::newRow("x^2 + x") << Coeffs{1, 1, 0};
    }

    void searchAcceptsFirstTrialPoint()
    {
        QFETCH(Coeffs, c);
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(42, 42);
        QVERIFY(solver.search_root(&p, &z, eps));
        QVERIFY2(sameBits(z, cplx(-1, 0)), show(z));
    }

    void searchSquarePlusOneFindsUpperRoot()
    {
        Coeffs c{1, 0, 1};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z;
        QVERIFY(solver.search_root(&p, &z, eps));
        QVERIFY2(std::abs(z * z + 1.0L) <= 2e-12L, show(z));
        QVERIFY(z.imag() > 0);
        QVERIFY(allNear(live(p), Coeffs{1, 0, 1}, 0));
    }

    void searchDoubleRootOnlyApproximated()
    {
        Coeffs c{1, 0, 0};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z;
        QVERIFY(solver.search_root(&p, &z, eps));
        QVERIFY2(std::abs(z) <= 7.1e-7L && std::abs(z) > 0, show(z));
    }

    // Each of these polynomials has roots, yet the search must give up:
    // at the pre-test (nearly equal values at the starting points), at
    // the flat guard, or on the stall count (on both quartics |p| fails to
    // fall at 7 secant steps, one more than d + 2, within 19 steps).
    void searchGivesUp_data()
    {
        QTest::addColumn<Coeffs>("c");
        Coeffs x19(20, cplx(0, 0));
        x19[0] = 1;
        QTest::newRow("pre-test x^19") << x19;
        QTest::newRow("pre-test roots at start points") << cubicThroughStartPoints();
        QTest::newRow("flat guard") << flatAfterFirstStep();
        QTest::newRow("stall x^4 - 4x^3 - 3") << Coeffs{1, -4, 0, 0, -3};
        QTest::newRow("stall x^4 - x^3 + 2x + 2") << Coeffs{1, -1, 0, 2, 2};
    }

    void searchGivesUp()
    {
        QFETCH(Coeffs, c);
        const Coeffs before = c;
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(42, -42);
        QVERIFY2(!solver.search_root(&p, &z, eps), show(z));
        QVERIFY(sameBits(z, cplx(42, -42)));
        QVERIFY(allNear(live(p), before, 0));
    }

    // Once a value is NaN every test of the search says go on; it must
    // end anyway, without a root.
    void searchEndsOnNonFiniteValues_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::newRow("NaN coefficient") << Coeffs{1, nan_ld, 1};
        QTest::newRow("infinite coefficient") << Coeffs{1, inf_ld, 1};
        QTest::newRow("NaN constant, degree 22") << [] {
            Coeffs c(23, cplx(1, 0));
            c[22] = nan_ld;
            return c;
        }();
        // The first secant step leaps to |a| ~ 1e4000, whose cube overflows.
        QTest::newRow("constant 1e4000") << Coeffs{1, 0, 0, 1e4000L};
    }

    void searchEndsOnNonFiniteValues()
    {
        QFETCH(Coeffs, c);
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(42, -42);
        QVERIFY2(!solver.search_root(&p, &z, eps), show(z));
        QVERIFY(sameBits(z, cplx(42, -42)));
    }

    // try_root

    void tryRootDegreeZeroRefuses()
    {
        Coeffs c{1};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(0, 0);
        QVERIFY(!solver.try_root(&p, &z, true, eps));
        QCOMPARE(p.degree, 0);
    }

    void tryRootLinearTakesNoCorrection()
    {
        Coeffs c{1, -3};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(3, 0);
        QVERIFY(solver.try_root(&p, &z, true, eps));
        QVERIFY(sameBits(z, cplx(3, 0)));
        QCOMPARE(p.degree, 0);
        QVERIFY(sameBits(c[0], cplx(1, 0)));
        QVERIFY(sameBits(c[1], cplx(-3, 0)));
    }

    // |p(1 + 1e-7)| ~ 1e-7 is far above 2 sqrt(2) eps.
    void tryRootRefusesNonRoot_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::newRow("polish") << true;
        QTest::newRow("no polish") << false;
    }

    void tryRootRefusesNonRoot()
    {
        QFETCH(bool, polish);
        Coeffs c{1, -3, 2};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        const cplx start(1 + 1e-7L, 0);
        cplx z = start;
        const bool accepted = solver.try_root(&p, &z, polish, eps);
        QVERIFY(!accepted);
        QVERIFY(sameBits(z, start));
        QCOMPARE(p.degree, 2);
        QVERIFY(allNear(c, Coeffs{1, -3, 2}, 0));
    }

    void tryRootPolishesOnRequest()
    {
        const cplx start(1 + 1e-13L, 0);
        {
            Coeffs c{1, -3, 2};
            Polynomial p = record(c);
            PolySolver solver(0, c.data());
            cplx z = start;
            QVERIFY(solver.try_root(&p, &z, true, eps));
            QVERIFY2(std::abs(z - 1.0L) <= 1e-18L, show(z));
            QCOMPARE(p.degree, 1);
            QVERIFY2(allNear(live(p), Coeffs{1, -2}, 1e-18L), show(live(p)));
            QVERIFY(sameBits(c[2], cplx(2, 0)));
        }
        {
            Coeffs c{1, -3, 2};
            Polynomial p = record(c);
            PolySolver solver(0, c.data());
            cplx z = start;
            QVERIFY(solver.try_root(&p, &z, false, eps));
            QVERIFY(sameBits(z, start));
            QVERIFY2(allNear(live(p), Coeffs{1, -2 + 1e-13L}, 1e-18L), show(live(p)));
            QVERIFY(sameBits(c[2], cplx(2, 0)));
        }
    }

    void tryRootDeflatesDoubleRootTwice()
    {
        Coeffs c{1, -2, 1};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(1, 0);
        QVERIFY(solver.try_root(&p, &z, false, eps));
        QVERIFY(allNear(live(p), Coeffs{1, -1}, 0));
        QVERIFY(solver.try_root(&p, &z, false, eps));
        QVERIFY(allNear(live(p), Coeffs{1}, 0));
        QVERIFY(!solver.try_root(&p, &z, false, eps));
        QCOMPARE(p.degree, 0);
        QVERIFY(sameBits(z, cplx(1, 0)));
    }

    // At a root 0 the correction is -p(0)/p'(0) = 0, and none at all where
    // p'(0) = 0 too.
    void tryRootAtZero_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<Coeffs>("quotient");
        QTest::newRow("x^2 + x") << Coeffs{1, 1, 0} << Coeffs{1, 1};
        QTest::newRow("x^2") << Coeffs{1, 0, 0} << Coeffs{1, 0};
    }

    void tryRootAtZero()
    {
        QFETCH(Coeffs, c);
        QFETCH(Coeffs, quotient);
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(0, 0);
        QVERIFY(solver.try_root(&p, &z, true, eps));
        QVERIFY(sameBits(z, cplx(0, 0)));
        QVERIFY2(allNear(live(p), quotient, 0), show(live(p)));
    }

    // The bound (|z|^2 + 1)^(d-1) d^2 overflows double at |z| = 1e200, so
    // anything is accepted there; at 1e150 it is finite and p(z) ~ 1e300.
    void tryRootBoundOverflow()
    {
        Coeffs c{1, -3, 2};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(1e150L, 0);
        QVERIFY(!solver.try_root(&p, &z, false, eps));
        z = cplx(1e200L, 0);
        QVERIFY(solver.try_root(&p, &z, false, eps));
        QVERIFY(allNear(live(p), Coeffs{1, 1e200L}, 0));
    }

    // The derivative chain

    void chainLevels_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<QVector<Coeffs>>("levels");
        QTest::newRow("x^2 - 1") << Coeffs{1, 0, -1}
                                 << QVector<Coeffs>{{1, 0, -1}, {1, 0}};
        QTest::newRow("2x^3 + 6x") << Coeffs{2, 0, 6, 0}
                                   << QVector<Coeffs>{{1, 0, 3, 0}, {1, 0, 1}, {1, 0}};
        QTest::newRow("lead below floor") << Coeffs{0.005, 0, 1}
                                          << QVector<Coeffs>{{1, 0, 1}, {1, 0}};
        QTest::newRow("zero lead") << Coeffs{0, 2, 4}
                                   << QVector<Coeffs>{{1, 2, 4}, {1, 1}};
        QTest::newRow("degree 1") << Coeffs{2, 4} << QVector<Coeffs>{{1, 2}};
        QTest::newRow("degree 0") << Coeffs{5} << QVector<Coeffs>{{1}};
        QTest::newRow("x^3 - 6x^2 + 11x - 6")
            << Coeffs{1, -6, 11, -6}
            << QVector<Coeffs>{{1, -6, 11, -6}, {1, -4, 11.0L / 3}, {1, -2}};
    }

    void chainLevels()
    {
        QFETCH(Coeffs, c);
        QFETCH(QVector<Coeffs>, levels);
        const Coeffs given = c;
        const int32_t n = static_cast<int32_t>(c.size()) - 1;
        PolySolver solver(n, c.data());
        Polynomial *list = nullptr;
        // Whole coefficient and root arrays, taken before the chain is freed.
        std::vector<Polynomial> records;
        std::vector<Coeffs> coeffArrays, rootArrays;

        const int32_t last = solver.create_deriv_list(solver.poly, &list);
        for (int k = 0; k < levels.size(); ++k) {
            records.push_back(list[k]);
            coeffArrays.emplace_back(list[k].coeffs, list[k].coeffs + n + 1);
            rootArrays.emplace_back(list[k].roots, list[k].roots + list[k].degree);
        }
        solver.destroy_deriv_list(list);

        QCOMPARE(last, n > 0 ? n - 1 : 0);
        QVERIFY(allNear(live(solver.poly), given, 0));
        for (int k = 0; k < levels.size(); ++k) {
            const Coeffs &want = levels[k];
            QCOMPARE(records[k].degree, static_cast<int32_t>(want.size()) - 1);
            QCOMPARE(records[k].start, 0);
            QCOMPARE(records[k].num_roots, 0);
            Coeffs padded = want;
            padded.resize(n + 1, cplx(0, 0));
            QVERIFY2(allNear(coeffArrays[k], padded, 1e-18L), show(coeffArrays[k]));
            QVERIFY(allNear(rootArrays[k], Coeffs(want.size() - 1, cplx(0, 0)), 0));
        }
    }

    // Moduli at the floor, or NaN, are not replaced.
    void chainLeadFloor_data()
    {
        QTest::addColumn<cplx>("lead");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("at floor") << cplx(0.01, 0) << false;
        QTest::newRow("below floor") << cplx(std::nextafter(static_cast<long double>(0.01), 0.0L), 0)
                                     << true;
        // The floor is the double nearest 0.01, which lies above 0.01L.
        QTest::newRow("0.01L") << cplx(0.01L, 0) << true;
        QTest::newRow("imaginary below floor") << cplx(0, -0.009L) << true;
        QTest::newRow("NaN") << cplx(nan_ld, 0) << false;
    }

    void chainLeadFloor()
    {
        QFETCH(cplx, lead);
        QFETCH(bool, replaced);
        Coeffs c{lead, 1};
        PolySolver solver(1, c.data());
        Polynomial *list = nullptr;
        solver.create_deriv_list(solver.poly, &list);
        const cplx constant = list[0].coeffs[1];
        solver.destroy_deriv_list(list);
        if (replaced)
            QVERIFY2(sameBits(constant, cplx(1, 0)), show(constant));
        else if (std::isnan(lead.real()))
            QVERIFY(std::isnan(constant.real()));
        else
            QVERIFY2(std::abs(constant - 100.0L) < 1e-13L, show(constant));
    }

    // Climbing

    void climbRecordsMultiplicity()
    {
        Coeffs c{1, -2, 1};
        PolySolver solver(2, c.data());
        Polynomial *list = nullptr;
        solver.create_deriv_list(solver.poly, &list);
        cplx z(1, 0);
        QVERIFY(solver.climb_root(list, &z, 0, 2, eps));
        QCOMPARE(list[0].degree, 0);
        QVERIFY(allNear(recorded(list[0]), Coeffs{1, 1}, 0));
        QCOMPARE(list[1].num_roots, 0);
        solver.destroy_deriv_list(list);
    }

    // 1 is a root of (x - 1)^3 and of its first derivative, but 0 is not.
    void climbStopsAtFirstRefusal_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<cplx>("z");
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<QVector<int>>("recordedPerLevel");
        QTest::newRow("x^2 - 1, z = 0") << Coeffs{1, 0, -1} << cplx(0, 0) << 0 << 2 << false
                                        << QVector<int>{0, 0};
        QTest::newRow("no level below") << Coeffs{1, 0, -1} << cplx(0, 0) << -1 << 2 << true
                                        << QVector<int>{0, 0};
        QTest::newRow("(x - 1)^3 from level 2") << Coeffs{1, -3, 3, -1} << cplx(1, 0) << 1 << 2
                                                << true << QVector<int>{3, 2, 0};
        QTest::newRow("(x - 1)^3, copies beyond multiplicity")
            << Coeffs{1, -3, 3, -1} << cplx(1, 0) << 0 << 4 << false << QVector<int>{3, 0, 0};
    }

    void climbStopsAtFirstRefusal()
    {
        QFETCH(Coeffs, c);
        QFETCH(cplx, z);
        QFETCH(int, top);
        QFETCH(int, copies);
        QFETCH(bool, complete);
        QFETCH(QVector<int>, recordedPerLevel);
        const int32_t n = static_cast<int32_t>(c.size()) - 1;
        PolySolver solver(n, c.data());
        Polynomial *list = nullptr;
        solver.create_deriv_list(solver.poly, &list);
        QCOMPARE(solver.climb_root(list, &z, top, copies, eps), complete);
        for (int k = 0; k < recordedPerLevel.size(); ++k) {
            QCOMPARE(list[k].num_roots, recordedPerLevel[k]);
            QCOMPARE(list[k].degree + list[k].num_roots, n - k);
        }
        solver.destroy_deriv_list(list);
    }

    // A chain whose levels were all deflated to degree 0 is still freed
    // level by level.
    void chainReleasedAfterFullDeflation()
    {
        Coeffs c{1, -3, 3, -1};
        PolySolver solver(3, c.data());
        Polynomial *list = nullptr;
        solver.create_deriv_list(solver.poly, &list);
        cplx z(1, 0);
        const bool accepted = solver.try_root(&list[2], &z, false, eps);
        const bool climbed = solver.climb_root(list, &z, 1, 2, eps);
        const int32_t degrees[] = {list[0].degree, list[1].degree, list[2].degree};
        solver.destroy_deriv_list(list);

        QVERIFY(accepted && climbed);
        QCOMPARE(degrees[0] + degrees[1] + degrees[2], 0);
    }

    // Ordering

    void sortRoots_data()
    {
        QTest::addColumn<Coeffs>("roots");
        QTest::addColumn<Coeffs>("sorted");
        const cplx i(0, 1);
        QTest::newRow("tie swapped") << Coeffs{3, -3, 4} << Coeffs{4, -3, 3};
        QTest::newRow("complex tie kept") << Coeffs{1, i, -i, 2} << Coeffs{2, i, -i, 1};
        QTest::newRow("equal moduli") << Coeffs{-1, 1} << Coeffs{-1, 1};
        QTest::newRow("NaN never swaps") << Coeffs{1, nan_ld, 2} << Coeffs{2, nan_ld, 1};
        QTest::newRow("single") << Coeffs{5} << Coeffs{5};
        QTest::newRow("none") << Coeffs{} << Coeffs{};
    }

    void sortRoots()
    {
        QFETCH(Coeffs, roots);
        QFETCH(Coeffs, sorted);
        Polynomial p{nullptr, 0, 0, roots.data(), static_cast<int32_t>(roots.size())};
        cplx one(1, 0);
        PolySolver solver(0, &one);
        solver.sort_roots(&p);
        QVERIFY2(allNear(roots, sorted, 0), show(roots));
    }

    // Reverse deflation

    void reverseFactor_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<Coeffs>("found");
        QTest::addColumn<Coeffs>("rechecked");
        QTest::addColumn<Coeffs>("remainder");
        const cplx i(0, 1);
        QTest::newRow("cubic") << Coeffs{1, -6, 11, -6} << Coeffs{1, 2, 3}
                               << Coeffs{3, 2, 1} << Coeffs{1, -3};
        QTest::newRow("x^2 - 1") << Coeffs{1, 0, -1} << Coeffs{-1, 1}
                                 << Coeffs{-1, 1} << Coeffs{1, 1};
        QTest::newRow("(x - 1)(x^2 + 1)(x - 2)") << Coeffs{1, -3, 3, -3, 2}
                                                 << Coeffs{1, i, -i, 2}
                                                 << Coeffs{2, i, -i, 1} << Coeffs{1, -2};
        QTest::newRow("refused keeps its value") << Coeffs{1, -3, 2} << Coeffs{1.5L, 2}
                                                 << Coeffs{2, 1.5L} << Coeffs{1, -3, 2};
        QTest::newRow("single root: monic, not deflated")
            << Coeffs{2, -8} << Coeffs{4} << Coeffs{4} << Coeffs{1, -4};
        QTest::newRow("lead below floor") << Coeffs{0.005, 0, -1} << Coeffs{-1, 1}
                                          << Coeffs{-1, 1} << Coeffs{1, 1};
    }

    void reverseFactor()
    {
        QFETCH(Coeffs, c);
        QFETCH(Coeffs, found);
        QFETCH(Coeffs, rechecked);
        QFETCH(Coeffs, remainder);
        const int32_t n = static_cast<int32_t>(c.size()) - 1;
        PolySolver solver(n, c.data());
        Polynomial *list = nullptr;
        solver.create_deriv_list(solver.poly, &list);
        // As if the forward pass had found these and deflated level 0.
        std::copy(found.begin(), found.end(), list[0].roots);
        list[0].num_roots = static_cast<int32_t>(found.size());
        list[0].degree -= list[0].num_roots;

        solver.reverse_factor(&solver.poly, list, eps);
        const Coeffs roots = recorded(list[0]);
        solver.destroy_deriv_list(list);
        QVERIFY2(allNear(roots, rechecked, 1e-17L), show(roots));
        QVERIFY2(allNear(live(solver.poly), remainder, 1e-17L), show(live(solver.poly)));
    }
    // Newton's step only halves the distance to a double root: the fifth
    // pass still moves z, by the fourth and last correction.
    void tryRootTakesFourCorrections()
    {
        Coeffs c{1, -2, 1};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx z(1 + 1e-7L, 0);
        QVERIFY(solver.try_root(&p, &z, true, eps));
        QVERIFY2(std::abs(z - cplx(1 + 1e-7L / 16, 0)) <= 1e-10L, show(z));
    }

    // The solve driver

    void solveExamples_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<bool>("polish");
        QTest::addColumn<bool>("reverse");
        QTest::addColumn<Coeffs>("roots");
        QTest::addColumn<double>("tolerance");
        const cplx i(0, 1);
        for (bool polish : {true, false}) {
            const QByteArray tag = polish ? " polish" : " plain";
            QTest::newRow("x^2 - 1" + tag) << Coeffs{1, 0, -1} << polish << false
                                           << Coeffs{-1, 1} << 0.0;
            QTest::newRow("(x - 1)^2" + tag) << Coeffs{1, -2, 1} << polish << false
                                             << Coeffs{1, 1} << 0.0;
            QTest::newRow("(x - 1)^3" + tag) << Coeffs{1, -3, 3, -1} << polish << false
                                             << Coeffs{1, 1, 1} << 0.0;
            QTest::newRow("cubic" + tag) << Coeffs{1, -6, 11, -6} << polish << false
                                         << Coeffs{1, 2, 3} << 1e-12;
            // Climbed copies come before roots of level 0 itself.
            QTest::newRow("(x - 1)^2 (x + 2)" + tag) << Coeffs{1, 0, -3, 2} << polish << false
                                                    << Coeffs{1, 1, -2} << 0.0;
        }
        QTest::newRow("x^2 + 1 polish") << Coeffs{1, 0, 1} << true << false
                                        << Coeffs{i, cplx(0, -1)} << 0.0;
        // Each complex root found is followed by its conjugate.
        for (bool reverse : {false, true})
            QTest::newRow(reverse ? "(x^2 + 1)(x^2 + 4) reverse" : "(x^2 + 1)(x^2 + 4) polish")
                << Coeffs{1, 0, 5, 0, 4} << !reverse << reverse
                << Coeffs{cplx(0, 2), cplx(0, -2), i, cplx(0, -1)} << 1e-15;
        QTest::newRow("cubic reverse") << Coeffs{1, -6, 11, -6} << false << true
                                       << Coeffs{3, 2, 1} << 1e-15;
        QTest::newRow("x^2 - 1 reverse") << Coeffs{1, 0, -1} << false << true
                                         << Coeffs{-1, 1} << 0.0;
        QTest::newRow("degree 0") << Coeffs{5} << true << false << Coeffs{} << 0.0;
        QTest::newRow("degree 0 reverse") << Coeffs{5} << false << true << Coeffs{} << 0.0;
        // A root that is not a number is no root of anything.
        QTest::newRow("NaN coefficient") << Coeffs{1, cplx(nan_ld, 1e-13L)} << false << false
                                         << Coeffs{} << 0.0;
    }

    void solveExamples()
    {
        QFETCH(Coeffs, c);
        QFETCH(bool, polish);
        QFETCH(bool, reverse);
        QFETCH(Coeffs, roots);
        QFETCH(double, tolerance);
        const Coeffs got = solve(c, polish, reverse);
        QVERIFY2(allNear(got, roots, tolerance), show(got));
    }

    void solveSquarePlusOneUnpolished()
    {
        const Coeffs roots = solve({1, 0, 1}, false, false);
        QCOMPARE(roots.size(), std::size_t(2));
        QVERIFY(sameBits(roots[0], cplx(0, roots[0].imag())));
        QVERIFY2(std::abs(roots[0] - cplx(0, 1)) <= 1e-12L, show(roots));
        QVERIFY(sameBits(roots[1], std::conj(roots[0])));
    }

    // Parts within eps of zero, eps itself included, are reported as 0.
    void solveCleansNegligibleParts_data()
    {
        QTest::addColumn<cplx>("root");
        QTest::addColumn<cplx>("reported");
        QTest::newRow("real 3e-13") << cplx(3e-13L, 2) << cplx(0, 2);
        QTest::newRow("imaginary exactly eps") << cplx(2, eps) << cplx(2, 0);
        QTest::newRow("imaginary -eps") << cplx(2, -eps) << cplx(2, 0);
        QTest::newRow("just above eps") << cplx(2, 2e-12L) << cplx(2, 2e-12L);
    }

    void solveCleansNegligibleParts()
    {
        QFETCH(cplx, root);
        QFETCH(cplx, reported);
        const Coeffs roots = solve({1, -root}, false, false);
        QCOMPARE(roots.size(), std::size_t(1));
        QVERIFY2(sameBits(roots[0], reported), show(roots[0]));
    }

    // With reverse deflation the solver's own polynomial is left monic and
    // deflated by every root it accepted again.
    void reverseLeavesDeflatedPolynomial()
    {
        Coeffs c{2, 0, -8};
        PolySolver solver(2, c.data());
        QCOMPARE(solver.at(0.0), -8.0);
        Coeffs out(2);
        int32_t count = 0;
        QVERIFY(solver.poly_solve(false, true, &count, out.data()));
        QCOMPARE(count, 2);
        QVERIFY(allNear(out, Coeffs{-2, 2}, 0));
        QCOMPARE(solver.poly.degree, 1);
        QCOMPARE(solver.at(0.0), 2.0);
        QCOMPARE(solver.deriv_list, nullptr);
    }

    // A negative degree is refused as an invalid array length before the
    // chain takes any memory.
    void solveNegativeDegreeThrows()
    {
        cplx unused(1, 0);
        PolySolver solver(-1, &unused);
        Coeffs out(1);
        int32_t count = 0;
        bool thrown = false;
        try {
            solver.poly_solve(true, false, &count, out.data());
        } catch (const std::bad_array_new_length &) {
            thrown = true;
        }
        QVERIFY(thrown);
        QCOMPARE(solver.deriv_list, nullptr);
    }

    // A complex multiple root climbs down the chain with its conjugate: each
    // records its full multiplicity on level 0 before the roots level 0
    // finds itself, in the order the climbs happened.
    void searchClimbsComplexMultipleRoots_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<Coeffs>("roots");
        const cplx i(0, 1);
        QTest::newRow("(x^2 + 1)^2") << Coeffs{1, 0, 2, 0, 1} << Coeffs{i, i, -i, -i};
        QTest::newRow("x (x^2 + 1)^2") << Coeffs{1, 0, 2, 0, 1, 0} << Coeffs{i, i, -i, -i, 0};
        QTest::newRow("(x^2 + 1)^3") << Coeffs{1, 0, 3, 0, 3, 0, 1} << Coeffs{i, i, i, -i, -i, -i};
        QTest::newRow("(x^2 - 2x + 5)^2")
            << Coeffs{1, -4, 14, -20, 25} << Coeffs{{1, 2}, {1, 2}, {1, -2}, {1, -2}};
    }

    void searchClimbsComplexMultipleRoots()
    {
        QFETCH(Coeffs, c);
        QFETCH(Coeffs, roots);
        for (const bool polish : {true, false}) {
            PolySolver solver(int32_t(c.size()) - 1, c.data());
            const Coeffs got = searchWith(solver, polish, false);
            QVERIFY2(allNear(got, roots, 1e-14L), show(got));
        }
    }

    // Whatever the input and options, a solve ends with at most n roots.
    void solveEndsOnAnyInput_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::newRow("degree 0") << Coeffs{3};
        QTest::newRow("triple root") << Coeffs{1, -3, 3, -1};
        QTest::newRow("x^2 + 1") << Coeffs{1, 0, 1};
        QTest::newRow("search gives up") << Coeffs{1, -4, 0, 0, -3};
        QTest::newRow("NaN") << Coeffs{1, nan_ld, 2, 3};
        QTest::newRow("infinite") << Coeffs{inf_ld, 1, 2, 3};
        QTest::newRow("degree 22") << [] {
            Coeffs c(23);
            for (std::size_t k = 0; k < c.size(); ++k)
                c[k] = cplx(k % 3 == 0 ? -1.5L : 2.25L * k, 0);
            return c;
        }();
    }

    void solveEndsOnAnyInput()
    {
        QFETCH(Coeffs, c);
        for (int option = 0; option < 3; ++option) {
            const Coeffs got = solve(c, option == 0, option == 2);
            QVERIFY(got.size() <= c.size() - 1);
        }
    }
};

QTEST_APPLESS_MAIN(TestSolver)
#include "test_solver.moc"
