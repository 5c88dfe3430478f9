// The long double inclusion test: every disc it proves holds exactly the
// root it names, found or not by the approximations, and it declines where
// discs touch or the polynomial is not known closely enough.
#include "inclusion_discs.h"

#include <QtTest>

#include <cmath>
#include <vector>

using cplx = std::complex<long double>;
using Values = std::vector<cplx>;
using Flags = std::vector<bool>;
Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Flags)
Q_DECLARE_METATYPE(BallPolynomial)

namespace {

// The monic polynomial with the given integer roots, constant first,
// multiplied out exactly.
BallPolynomial integerRoots(const std::vector<int> &roots)
{
    std::vector<__int128> c{1};
    for (int r : roots) {
        c.insert(c.begin(), 0);
        for (size_t k = 0; k + 1 < c.size(); ++k)
            c[k] -= r * c[k + 1];
    }
    BallPolynomial p;
    for (__int128 x : c) {
        p.centre.push_back(static_cast<long double>(x));
        p.radius.push_back(0);
    }
    return p;
}

BallPolynomial exactly(std::vector<long double> centre)
{
    return {centre, std::vector<long double>(centre.size(), 0)};
}

Values shifted(Values z, cplx by)
{
    for (cplx &x : z)
        x += by;
    return z;
}

Values integers(int from, int to)
{
    Values z;
    for (int k = from; k <= to; ++k)
        z.push_back(k);
    return z;
}

// Whether the point lies in the square of the disc (on its segment, for a
// real one).
bool holds(const InclusionDisc &d, cplx z)
{
    if (d.real && z.imag() != 0)
        return false;
    return std::fabs(z.real() - d.centre.real()) <= d.radius
           && std::fabs(z.imag() - d.centre.imag()) <= d.radius;
}

} // namespace

class TestInclusionDiscs : public QObject
{
    Q_OBJECT

private slots:
    // Each disc proved holds its own root and no other, and is real just
    // where the root is.
    void provesWhereDiscsAreApart_data()
    {
        QTest::addColumn<BallPolynomial>("p");
        QTest::addColumn<Values>("roots");
        QTest::addColumn<Values>("approximations");
        QTest::addColumn<double>("narrowest");

        QTest::newRow("(x - 1)(x - 2)(x - 3), rough") << integerRoots({1, 2, 3}) << integers(1, 3)
                                                      << Values{1.01L, 1.98L, 3.03L} << 1e-17;
        QTest::newRow("x^2 + 1") << exactly({1, 0, 1}) << Values{cplx(0, 1), cplx(0, -1)}
                                 << Values{cplx(0.1L, 1.1L), cplx(-0.1L, -0.9L)} << 1e-17;
        // Roots 15 to 20 are lost in the rounding of the terms but for the
        // error bound: dropped, their discs miss them.
        QTest::newRow("Wilkinson 20") << integerRoots({1,  2,  3,  4,  5,  6,  7,  8,  9,  10,
                                                       11, 12, 13, 14, 15, 16, 17, 18, 19, 20})
                                      << integers(1, 20) << shifted(integers(1, 20), 1e-9L)
                                      << 1e-2;
        // (x - 1)^2 + 2^-40: roots 1 +- 2^-20 i, as wide apart as the
        // rounding of the terms allows them to be told apart.
        const long double high = std::ldexp(1.0L, -20);
        QTest::newRow("a pair 2^-20 off the axis")
            << exactly({1 + std::ldexp(1.0L, -40), -2, 1}) << Values{cplx(1, high), cplx(1, -high)}
            << Values{cplx(1, 1.1L * high), cplx(1.00001L, -0.9L * high)} << 1e-11;
        QTest::newRow("0 beside 1e30") << exactly({0, -1e30L, 1}) << Values{0, 1e30L}
                                       << Values{1e-5L, 1.0001e30L} << 1e-17;
    }

    void provesWhereDiscsAreApart()
    {
        QFETCH(BallPolynomial, p);
        QFETCH(Values, roots);
        QFETCH(Values, approximations);
        QFETCH(double, narrowest);
        const Inclusion inclusion = inclusion_discs(p, approximations, 6);
        for (size_t i = 0; i < roots.size(); ++i) {
            const InclusionDisc &d = inclusion.discs[i];
            QVERIFY2(d.isolated, qPrintable(QString("root %1").arg(i)));
            for (size_t j = 0; j < roots.size(); ++j)
                QVERIFY2(holds(d, roots[j]) == (i == j), qPrintable(QString("disc %1, root %2").arg(i).arg(j)));
            QCOMPARE(d.real, roots[i].imag() == 0);
            QVERIFY(d.radius <= narrowest * std::max(1.0L, std::abs(roots[i])));
        }
    }

    // Where two roots may lie in one disc, neither is claimed; roots apart
    // from them still are.
    void declinesWhereDiscsTouch_data()
    {
        QTest::addColumn<BallPolynomial>("p");
        QTest::addColumn<Values>("approximations");
        QTest::addColumn<Flags>("isolated");

        QTest::newRow("(x - 1)^2") << exactly({1, -2, 1}) << Values{1 - 1e-9L, 1 + 1e-9L}
                                   << Flags{false, false};
        QTest::newRow("(x + 5)(x - 1)^2") << exactly({5, -9, 3, 1})
                                          << Values{-5, 1 - 1e-9L, 1 + 1e-9L}
                                          << Flags{true, false, false};
        // (x - 1)(x - 1 - 2^-70): the coefficients known within their rounding.
        QTest::newRow("roots 2^-70 apart")
            << BallPolynomial{{1 + std::ldexp(1.0L, -70), -2 - std::ldexp(1.0L, -70), 1},
                              {std::ldexp(1.0L, -63), std::ldexp(1.0L, -62), 0}}
            << Values{1, 1 + std::ldexp(1.0L, -62)} << Flags{false, false};
        // (x - 1)^2 + c, c anywhere from -2^-63 to 3 2^-63: a real double
        // root among them.
        QTest::newRow("a pair near the axis, or a double root")
            << BallPolynomial{{1 + std::ldexp(1.0L, -63), -2, 1}, {std::ldexp(1.0L, -62), 0, 0}}
            << Values{cplx(1, std::ldexp(1.0L, -31.5)), cplx(1, -std::ldexp(1.0L, -31.5))}
            << Flags{false, false};
        // x^2 - 1 with the constant anywhere from -3 to 1: x^2 + 1 too.
        QTest::newRow("constant known within 2")
            << BallPolynomial{{-1, 0, 1}, {2, 0, 0}} << Values{-1, 1} << Flags{false, false};
        QTest::newRow("approximations that coincide")
            << exactly({-1, 0, 1}) << Values{1, 1} << Flags{false, false};
        QTest::newRow("an approximation that is not a number")
            << exactly({-1, 0, 1}) << Values{-1, cplx(NAN, 0)} << Flags{false, false};
    }

    void declinesWhereDiscsTouch()
    {
        QFETCH(BallPolynomial, p);
        QFETCH(Values, approximations);
        QFETCH(Flags, isolated);
        const Inclusion inclusion = inclusion_discs(p, approximations, 6);
        for (size_t i = 0; i < isolated.size(); ++i)
            QCOMPARE(inclusion.discs[i].isolated, isolated[i]);
    }
};

QTEST_APPLESS_MAIN(TestInclusionDiscs)
#include "test_inclusion_discs.moc"
