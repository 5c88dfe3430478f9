// The solver's written-out complex arithmetic against std::complex itself:
// quotients against the runtime's division, products against its product
// wherever the textbook formulas do not give NaN twice, and polynomial
// values and Horner steps against their std::complex forms, bit for bit.
#include "complex_arithmetic.h"
#include "same_bits.h"

#include <QtTest>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

using cplx = std::complex<long double>;
using Coeffs = std::vector<cplx>;
Q_DECLARE_METATYPE(cplx)
Q_DECLARE_METATYPE(Coeffs)

namespace {

const long double inf = std::numeric_limits<long double>::infinity();
const long double nan_ld = std::numeric_limits<long double>::quiet_NaN();

// Every special case of the runtime's division: zeros of both signs,
// infinities, NaN, subnormals, the limits at which it scales its operands
// (LDBL_MAX / 2, LDBL_EPSILON, LDBL_MIN, LDBL_MAX / 2 * LDBL_EPSILON) and
// their neighbours, huge and tiny parts, and ordinary ones, some equal.
// (3 + LDBL_MIN i) / (LDBL_MIN / 4 + 3i) takes the branch for a quotient of
// the denominator's parts that is subnormal.
const long double specials[] = {
    0, -0.0L, 1, -1, 0.5L, 3, -3, 7.25L, inf, -inf, nan_ld,
    LDBL_TRUE_MIN, -LDBL_MIN / 4, LDBL_MIN, std::nextafter(LDBL_MIN, 0.0L),
    LDBL_MAX, -LDBL_MAX / 2, std::nextafter(LDBL_MAX / 2, 0.0L),
    LDBL_EPSILON, std::nextafter(LDBL_EPSILON, 0.0L), 1 / LDBL_EPSILON,
    LDBL_MAX / 2 * LDBL_EPSILON, -std::nextafter(LDBL_MAX / 2 * LDBL_EPSILON, 0.0L), 1e-4000L, 1e4000L};

// The operands pass through memory, so that the compiler cannot divide or
// multiply constants at compile time, where it rounds differently.
cplx opaque(long double re, long double im)
{
    volatile long double parts[2] = {re, im};
    return cplx(parts[0], parts[1]);
}

QByteArray show(cplx a, cplx b)
{
    char text[128];
    std::snprintf(text, sizeof text, "(%La, %La) and (%La, %La)", a.real(), a.imag(), b.real(), b.imag());
    return text;
}

// Random parts over the whole exponent range, subnormals included, or
// over the range of the solver's own values.
long double randomPart(std::mt19937_64 &rng, bool ordinary)
{
    const long double significand = std::uniform_real_distribution<long double>(-1, 1)(rng);
    if (ordinary)
        return significand * std::pow(10.0L, std::uniform_int_distribution<int>(-12, 12)(rng));
    return std::ldexp(significand, std::uniform_int_distribution<int>(-16450, 16384)(rng));
}

} // namespace

class TestComplexArithmetic : public QObject
{
    Q_OBJECT

private slots:
    // The product is checked where the fast loops rely on it: wherever the
    // textbook formulas do not give NaN in both parts.
    void specialOperands()
    {
        for (long double a : specials)
            for (long double b : specials)
                for (long double c : specials)
                    for (long double d : specials) {
                        const cplx x = opaque(a, b), y = opaque(c, d);
                        if (!sameBits(complex_arithmetic::quotient(x, y), x / y))
                            QFAIL("quotient of " + show(x, y));
                        const cplx product = complex_arithmetic::textbook_product(x, y);
                        if (!(std::isnan(product.real()) && std::isnan(product.imag())) &&
                            !sameBits(product, x * y))
                            QFAIL("product of " + show(x, y));
                    }
    }

    void randomQuotients()
    {
        std::mt19937_64 rng(20261212);
        for (int trial = 0; trial < 200000; ++trial) {
            const bool ordinary = trial % 2 == 0;
            auto part = [&] { return randomPart(rng, ordinary); };
            const cplx x = opaque(part(), part()), y = opaque(part(), part());
            if (!sameBits(complex_arithmetic::quotient(x, y), x / y))
                QFAIL(show(x, y));
        }
    }

    void valueAndDeflation_data()
    {
        QTest::addColumn<Coeffs>("c");
        QTest::addColumn<cplx>("x");
        const cplx big(1e3000L, -1e3000L);
        QTest::newRow("signed zeros") << Coeffs{cplx(-0.0L, 0), cplx(0, -0.0L), cplx(-0.0L, -0.0L)}
                                      << cplx(-0.0L, 0);
        QTest::newRow("infinite coefficient") << Coeffs{1, {inf, 0}, 2} << cplx(0.5L, -2);
        QTest::newRow("infinite lead, point on an axis") << Coeffs{{0, inf}, 0, 1} << cplx(0, 3);
        // The runtime's product recovers the infinity from NaN + NaN i here.
        QTest::newRow("infinite lead at a real point") << Coeffs{cplx(inf, inf), 1} << cplx(1, 0);
        QTest::newRow("NaN coefficient") << Coeffs{1, {0, nan_ld}, 1} << cplx(1, 1);
        QTest::newRow("infinite point") << Coeffs{1, -2, 3} << cplx(inf, 0);
        QTest::newRow("NaN point") << Coeffs{1, -2, 3} << cplx(1, nan_ld);
        QTest::newRow("powers overflow") << Coeffs{1, 0, 0, 0, 5} << big;
        QTest::newRow("products overflow") << Coeffs{{LDBL_MAX, LDBL_MAX}, 1} << cplx(LDBL_MAX, -LDBL_MAX);
        QTest::newRow("subnormal") << Coeffs{LDBL_TRUE_MIN, {0, LDBL_MIN}, -LDBL_TRUE_MIN} << cplx(0.5L, 0.25L);
        QTest::newRow("ordinary") << Coeffs{1, {-2.5L, 1}, {0.125L, -3}, 7} << cplx(0.75L, 1.5L);
    }

    void valueAndDeflation()
    {
        QFETCH(Coeffs, c);
        QFETCH(cplx, x);
        const int32_t d = int32_t(c.size()) - 1;
        QVERIFY(sameBits(complex_arithmetic::value(c.data(), d, x),
                         complex_arithmetic::literal_value(c.data(), d, x)));
        Coeffs fast(d), literal(d);
        const cplx remainder = complex_arithmetic::deflation(c.data(), d, x, fast.data());
        QVERIFY(sameBits(remainder, complex_arithmetic::literal_deflation(c.data(), d, x, literal.data())));
        for (int k = 0; k < d; ++k)
            QVERIFY2(sameBits(fast[k], literal[k]), qPrintable(QString("quotient entry %1").arg(k)));
    }
};

QTEST_APPLESS_MAIN(TestComplexArithmetic)
#include "test_complex_arithmetic.moc"
