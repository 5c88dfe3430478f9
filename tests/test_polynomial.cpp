// Evaluation, normalisation and synthetic division of the solver's
// polynomial record.
#include "rroots_oo_1.h"

#include <QtTest>

#include <cstring>
#include <random>
#include <vector>

using cplx = std::complex<long double>;

namespace {

Polynomial record(std::vector<cplx> &coeffs)
{
    return Polynomial{coeffs.data(), static_cast<int32_t>(coeffs.size()) - 1, 0, nullptr, 0};
}

// The evaluation scheme written out literally: every power rebuilt from 1.
cplx evaluateLiterally(const std::vector<cplx> &c, cplx x)
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

// The 80-bit value occupies the first ten bytes of a long double.
bool sameBits(long double a, long double b)
{
    return std::memcmp(&a, &b, 10) == 0;
}

bool sameBits(cplx a, cplx b)
{
    return sameBits(a.real(), b.real()) && sameBits(a.imag(), b.imag());
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
        QCOMPARE(solver.at(1.0), -6.0);
        QCOMPARE(solver.at(2.0), 0.0);
        c[2] = cplx(100, 0);
        QCOMPARE(solver.at(1.0), -6.0);
    }

    void degreeZeroSolverEvaluatesItsConstant()
    {
        cplx c[] = {{7, 0}};
        PolySolver solver(0, c);
        QCOMPARE(solver.at(-3.5), 7.0);
        QCOMPARE(solver.at(1e300), 7.0);
    }

    void evaluationAtComplexPoint()
    {
        std::vector<cplx> c = {{1, 0}, {0, 0}, {1, 0}};
        Polynomial p = record(c);
        const cplx v = PolySolver::apply_poly(&p, cplx(0, 1));
        QCOMPARE(v.real(), 0.0L);
        QCOMPARE(v.imag(), 0.0L);
    }

    void evaluationOfConstantIgnoresPoint()
    {
        std::vector<cplx> c = {{-2.5, 1}};
        Polynomial p = record(c);
        QCOMPARE(PolySolver::apply_poly(&p, cplx(1e10, -3)), cplx(-2.5, 1));
        QCOMPARE(PolySolver::apply_poly(&p, cplx(0, 0)), cplx(-2.5, 1));
    }

    // The incremental powers must give the very bits of the literal scheme.
    void evaluationMatchesLiteralSchemeBitForBit()
    {
        std::mt19937_64 rng(20261209);
        std::uniform_real_distribution<double> coeff(-10, 10);
        std::uniform_real_distribution<double> point(-3, 3);
        for (int trial = 0; trial < 500; ++trial) {
            std::vector<cplx> c(1 + trial % 23);
            for (cplx &v : c)
                v = cplx(coeff(rng), trial % 3 ? 0 : coeff(rng));
            Polynomial p = record(c);
            const cplx x(point(rng), point(rng));
            QVERIFY2(sameBits(PolySolver::apply_poly(&p, x), evaluateLiterally(c, x)),
                     qPrintable(QString("trial %1").arg(trial)));
        }
    }

    void evaluationHonoursStart()
    {
        std::vector<cplx> c = {{99, 0}, {1, 0}, {-3, 0}, {2, 0}};
        Polynomial p{c.data(), 2, 1, nullptr, 0};
        QCOMPARE(PolySolver::apply_poly(&p, cplx(5, 0)), cplx(12, 0));
    }

    void normalizeMakesMonic()
    {
        std::vector<cplx> c = {{2, 0}, {4, 0}, {-6, 0}};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        solver.normalize(&p);
        QCOMPARE(c[0], cplx(1, 0));
        QCOMPARE(c[1], cplx(2, 0));
        QCOMPARE(c[2], cplx(-3, 0));
    }

    void normalizeDegreeZeroOnlySetsLeadingOne()
    {
        std::vector<cplx> c = {{5, 2}, {3, 0}};
        Polynomial p{c.data(), 0, 0, nullptr, 0};
        PolySolver solver(0, c.data());
        solver.normalize(&p);
        QCOMPARE(c[0], cplx(1, 0));
        QCOMPARE(c[1], cplx(3, 0));
    }

    void divideByRealRoot()
    {
        std::vector<cplx> c = {{1, 0}, {-3, 0}, {2, 0}};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx rem(9, 9);
        solver.divide(&p, cplx(2, 0), &rem);
        QCOMPARE(p.degree, 1);
        QCOMPARE(p.start, 0);
        QCOMPARE(c[0], cplx(1, 0));
        QCOMPARE(c[1], cplx(-1, 0));
        QCOMPARE(rem, cplx(0, 0));
        QCOMPARE(c[2], cplx(0, 0));
    }

    void divideByComplexRoot()
    {
        std::vector<cplx> c = {{1, 0}, {0, 0}, {1, 0}};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx rem;
        solver.divide(&p, cplx(0, 1), &rem);
        QCOMPARE(c[0], cplx(1, 0));
        QCOMPARE(c[1], cplx(0, 1));
        QCOMPARE(rem, cplx(0, 0));
    }

    void divideRemainderIsValueAtPoint()
    {
        std::vector<cplx> c = {{1, 0}, {-6, 0}, {11, 0}, {-6, 0}};
        Polynomial p = record(c);
        PolySolver solver(0, c.data());
        cplx rem;
        solver.divide(&p, cplx(4, 0), &rem);
        QCOMPARE(rem, cplx(6, 0));
        QCOMPARE(c[3], cplx(6, 0));
        QCOMPARE(PolySolver::apply_poly(&p, cplx(4, 0)), cplx(11, 0));
    }

    void divideDegreeZeroDropsToMinusOne()
    {
        std::vector<cplx> c = {{4, -1}};
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
