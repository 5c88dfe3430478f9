// Evaluation, normalisation and synthetic division of the solver's
// polynomial record.
#include "rroots_oo_1.h"
#include "same_bits.h"

#include <QtTest>

#include <random>
#include <vector>

using cplx = std::complex<long double>;
using Coeffs = std::vector<cplx>;
Q_DECLARE_METATYPE(cplx)
Q_DECLARE_METATYPE(Coeffs)

namespace {

Polynomial record(Coeffs &coeffs)
{
    return Polynomial{coeffs.data(), static_cast<int32_t>(coeffs.size()) - 1, 0, nullptr, 0};
}

// The evaluation scheme written out literally: every power rebuilt from 1.
cplx evaluateLiterally(const Coeffs &c, cplx x)
{
    const int d = static_cast<int>(c.size()) - 1;
    cplx result = c[d];
    for (int i = 1; i <= d; ++i) {
        cplx power(1, 0);
        for (int j = 0; j < i; ++j)
            power = x * power;
        const cplx term = c[d - i] * power;
        result = cplx(result.real() + term.real(), result.imag() + term.imag());
    }
    return result;
}

} // namespace

class TestPolynomial : public QObject
{
    Q_OBJECT

private slots:
    void constructorCopiesAndOwns()
    {
        cplx c[] = {{2, 0}, {0, 0}, {-8, 0}};
        PolySolver solver(2, c);
        QCOMPARE(solver.deriv_list, nullptr);
        QCOMPARE(solver.poly.degree, 2);
        QCOMPARE(solver.poly.start, 0);
        QVERIFY(solver.poly.coeffs != c);
        c[2] = cplx(100, 0);
        QCOMPARE(solver.at(1.0), -6.0);
    }

    // The polynomial as given, not normalised; a constant whatever x is.
    void atRealPoint_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("value");
        QTest::newRow("2x^2 - 8 at 1") << Coeffs{2, 0, -8} << 1.0 << -6.0;
        QTest::newRow("2x^2 - 8 at 2") << Coeffs{2, 0, -8} << 2.0 << 0.0;
        QTest::newRow("constant at -3.5") << Coeffs{7} << -3.5 << 7.0;
        QTest::newRow("constant at 1e300") << Coeffs{7} << 1e300 << 7.0;
    }

    void atRealPoint()
    {
        QFETCH(Coeffs, c);
        QFETCH(double, x);
        QFETCH(double, value);
        PolySolver solver(int32_t(c.size()) - 1, c.data());
        QCOMPARE(solver.at(x), value);
    }

    void evaluation_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<int>("start");
        QTest::addColumn<cplx>("x");
        QTest::addColumn<cplx>("value");
        QTest::newRow("x^2 + 1 at i") << Coeffs{1, 0, 1} << 0 << cplx(0, 1) << cplx(0, 0);
        QTest::newRow("constant at 1e10 - 3i") << Coeffs{{-2.5, 1}} << 0 << cplx(1e10, -3)
                                              << cplx(-2.5, 1);
        QTest::newRow("constant at 0") << Coeffs{{-2.5, 1}} << 0 << cplx(0, 0) << cplx(-2.5, 1);
        QTest::newRow("from start 1") << Coeffs{99, 1, -3, 2} << 1 << cplx(5, 0) << cplx(12, 0);
    }

    void evaluation()
    {
        QFETCH(Coeffs, c);
        QFETCH(int, start);
        QFETCH(cplx, x);
        QFETCH(cplx, value);
        Polynomial p{c.data(), int32_t(c.size()) - 1 - start, start, nullptr, 0};
        QVERIFY(sameBits(PolySolver::apply_poly(&p, x), value));
    }

    // The incremental powers must give the very bits of the literal scheme.
    void evaluationMatchesLiteralSchemeBitForBit()
    {
        std::mt19937_64 rng(20261209);
        std::uniform_real_distribution<double> coeff(-10, 10);
        std::uniform_real_distribution<double> point(-3, 3);
        for (int trial = 0; trial < 500; ++trial) {
            Coeffs c(1 + trial % 23);
            for (cplx &v : c)
                v = cplx(coeff(rng), trial % 3 ? 0 : coeff(rng));
            Polynomial p = record(c);
            const cplx x(point(rng), point(rng));
            QVERIFY2(sameBits(PolySolver::apply_poly(&p, x), evaluateLiterally(c, x)),
                     qPrintable(QString("trial %1").arg(trial)));
        }
    }

    // Monic in place; a constant gets only its leading 1.
    void normalize_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<int>("degree");
        QTest::addColumn<Coeffs>("monic");
        QTest::newRow("2x^2 + 4x - 6") << Coeffs{2, 4, -6} << 2 << Coeffs{1, 2, -3};
        QTest::newRow("degree 0") << Coeffs{{5, 2}, 3} << 0 << Coeffs{1, 3};
    }

    void normalize()
    {
        QFETCH(Coeffs, c);
        QFETCH(int, degree);
        QFETCH(Coeffs, monic);
        Polynomial p{c.data(), degree, 0, nullptr, 0};
        PolySolver solver(0, c.data());
        solver.normalize(&p);
        QCOMPARE(c, monic);
    }

    // In place: the quotient in front, the remainder p(r) behind it.
    void divide_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<cplx>("r");
        QTest::addColumn<Coeffs>("after");
        QTest::addColumn<cplx>("remainder");
        QTest::newRow("x^2 - 3x + 2 by 2") << Coeffs{1, -3, 2} << cplx(2, 0) << Coeffs{1, -1, 0}
                                          << cplx(0, 0);
        QTest::newRow("x^2 + 1 by i") << Coeffs{1, 0, 1} << cplx(0, 1) << Coeffs{1, {0, 1}, 0}
                                     << cplx(0, 0);
        QTest::newRow("cubic by 4") << Coeffs{1, -6, 11, -6} << cplx(4, 0) << Coeffs{1, -2, 3, 6}
                                   << cplx(6, 0);
    }

    void divide()
    {
        QFETCH(Coeffs, c);
        QFETCH(cplx, r);
        QFETCH(Coeffs, after);
        QFETCH(cplx, remainder);
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx rem(9, 9);
        solver.divide(&p, r, &rem);
        QCOMPARE(p.degree, int32_t(after.size()) - 2);
        QCOMPARE(p.start, 0);
        QCOMPARE(c, after);
        QCOMPARE(rem, remainder);
    }

    void divideDegreeZeroDropsToMinusOne()
    {
        Coeffs c = {{4, -1}};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx rem;
        solver.divide(&p, cplx(3, 0), &rem);
        QCOMPARE(rem, cplx(4, -1));
        QCOMPARE(p.degree, -1);
        solver.divide(&p, cplx(3, 0), &rem);
        QCOMPARE(p.degree, -2);
        QCOMPARE(rem, cplx(0, 0));
    }
};

QTEST_APPLESS_MAIN(TestPolynomial)
#include "test_polynomial.moc"
