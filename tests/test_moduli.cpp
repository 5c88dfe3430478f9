// Every shortcut the solver takes for a decision on moduli against the
// decision's defining formula, where a shortcut can go wrong: at ties and
// rounding boundaries, constructed from the formula itself, at the edges of
// the ranges it covers, and at degrees beyond which it must not be taken.
#include "moduli.h"

#include <QtTest>

#include <cmath>
#include <cstdio>
#include <random>

using cplx = std::complex<long double>;

namespace {

// The solver's tolerance: the double nearest 1e-12, widened.
const long double eps = 1e-12;

// A point of modulus radius, nudged by k units of 2^-63, at a random angle.
cplx nudged(long double radius, int k, std::mt19937_64 &rng)
{
    const long double angle = std::uniform_real_distribution<long double>(-3.2L, 3.2L)(rng);
    return std::polar(radius * (1 + k * 0x1p-63L), angle);
}

long double around(long double magnitude, std::mt19937_64 &rng)
{
    return magnitude * std::uniform_real_distribution<long double>(0.5L, 2)(rng);
}

// Halfway between two doubles: a modulus here rounds either way.
long double roundingMidpoint(long double magnitude, std::mt19937_64 &rng)
{
    const double r = double(around(magnitude, rng));
    return r + (std::nextafter(r, INFINITY) - r) / 2.0L;
}

enum Point { One, OnePlusI, Zero, Midpoint, NearUnit, PastDouble };
const char *const pointNames[] = {"1", "1 + i", "0", "rounding midpoint", "near 1", "power past double"};

// reach: the exponent with which the point's modulus enters the power.
cplx point(Point kind, int d, int reach, std::mt19937_64 &rng)
{
    switch (kind) {
    case One:
        return 1;
    case OnePlusI:
        return cplx(1, 1);
    case Zero:
        return 0;
    case Midpoint:
        return nudged(roundingMidpoint(1, rng), 0, rng);
    case NearUnit:
        return nudged(around(1, rng), 0, rng);
    default:
        // The power about 1e310, now within double's range, now beyond.
        return nudged(around(std::pow(1e310L, 1.0L / (reach * (d - 1))), rng), 0, rng);
    }
}

} // namespace

Q_DECLARE_METATYPE(Point)
Q_DECLARE_METATYPE(long double)

class TestModuli : public QObject
{
    Q_OBJECT

private slots:
    void moduliAtTies_data()
    {
        QTest::addColumn<long double>("magnitude");
        for (long double m : {1.0L, 1e-9L, 1e12L, 1e-295L, 1e295L})
            QTest::newRow(qPrintable(QString::number(double(m)))) << m;
    }

    void moduliAtTies()
    {
        QFETCH(long double, magnitude);
        std::mt19937_64 rng(1);
        for (int trial = 0; trial < 3000; ++trial) {
            const long double mid = roundingMidpoint(magnitude, rng);
            for (int k = -3; k <= 3; ++k) {
                const cplx u = trial % 10 ? nudged(mid, k, rng) : cplx(mid * (1 + k * 0x1p-63L), 0);
                const long double m = moduli::modulus(u);
                // Exactly: QCOMPARE would allow for rounding.
                if (moduli::modulus_as_double(u) != double(m)) {
                    char text[64];
                    std::snprintf(text, sizeof text, "(%La, %La)", u.real(), u.imag());
                    QFAIL(text);
                }
                for (long double limit : {m * m, std::nextafter(m * m, 0.0L), moduli::squared_parts(u)})
                    QCOMPARE(moduli::squared_modulus_exceeds(u, limit), m * m > limit);
                const cplx root = nudged(std::sqrt(m), k, rng);
                const long double r = moduli::modulus(root);
                QCOMPARE(moduli::squared_modulus_exceeds_modulus(root, u), r * r > m);
            }
        }
    }

    void boundsAtTies_data()
    {
        QTest::addColumn<int>("degree");
        QTest::addColumn<Point>("kind");
        QTest::addColumn<long double>("tolerance");
        // At 0 the acceptance bound is eps^2 d^2 itself; whether x^2 + y^2
        // can fall below it while |v|^2 lies above depends on d: at 15 it can.
        for (int d : {1, 2, 5, 15, 22, 1000})
            for (Point kind : {One, OnePlusI, Zero, Midpoint, NearUnit, PastDouble})
                if (d > 1 || kind != PastDouble)
                    QTest::newRow(qPrintable(QString("degree %1 at %2").arg(d).arg(pointNames[kind])))
                        << d << kind << eps;
        // Past these degrees the roundings of pow's base can exceed the margin.
        QTest::newRow("degree 1001") << 1001 << Midpoint << eps;
        QTest::newRow("degree 20000") << 20000 << Midpoint << eps;
        QTest::newRow("tolerance 1e-200") << 22 << PastDouble << 1e-200L;
    }

    // Each bound is worked out as its defining formula does, and the value
    // placed within a few units of it.
    void boundsAtTies()
    {
        QFETCH(int, degree);
        QFETCH(Point, kind);
        QFETCH(long double, tolerance);
        std::mt19937_64 rng(3);
        const moduli::ConvergenceTest convergence(degree, tolerance);
        const moduli::AcceptanceTest acceptance(degree, tolerance);
        for (int trial = 0; trial < 1000; ++trial) {
            const cplx a = point(kind, degree, 1, rng);
            const long double X = std::pow(double(moduli::modulus(a)), double(degree - 1)) *
                                  static_cast<long double>(degree) * tolerance;
            const long double bound = std::max(X, tolerance / degree);
            const cplx z = point(kind, degree, 2, rng);
            const long double m = moduli::modulus(z);
            const double D = std::pow(double(m * m + 1), double(degree - 1)) * (degree * degree);
            // Where D is infinite, twice its estimate in long double.
            const long double limit = tolerance * tolerance *
                                      (std::isinf(D) ? 2 * moduli::power(m * m + 1, degree - 1) * (degree * degree) : D);
            for (int k = -4; k <= 4; ++k) {
                const cplx fa = std::isinf(bound) ? nudged(1e299L, 0, rng) : nudged(bound, k, rng);
                const bool converged = moduli::literal_converged(a, fa, degree, tolerance);
                QCOMPARE(moduli::converged(a, fa, degree, tolerance), converged);
                QCOMPARE(convergence.passes(a, fa), converged);
                const cplx v = nudged(std::sqrt(limit), k, rng);
                const bool refused = moduli::literal_refuses(v, z, degree, tolerance);
                QCOMPARE(moduli::refuses(v, z, degree, tolerance), refused);
                QCOMPARE(acceptance.refuses(v, z), refused);
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestModuli)
#include "test_moduli.moc"
