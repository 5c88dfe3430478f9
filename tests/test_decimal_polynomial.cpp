// The polynomial as written: each coefficient read as the shortest decimal
// that reads back as it, the leading one below 0.01 as 1, all scaled to
// integers by one power of ten; or given exactly as integers and
// fractions. Where there is no such reading, none is claimed.
#include "decimal_polynomial.h"
#include "reference_roots.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

using cplx = std::complex<long double>;
using Values = std::vector<cplx>;
using Coefficients = std::vector<std::string>;
Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Coefficients)

namespace {

// "1" followed by k zeros.
std::string tenTo(int k)
{
    return "1" + std::string(size_t(k), '0');
}

// The integers expected, constant first, as a polynomial.
bool sameAs(const fmpz_poly_t p, const Coefficients &expected)
{
    IntegerPolynomial q;
    integerPolynomial(q.value, expected);
    return fmpz_poly_equal(p, q.value);
}

} // namespace

class TestDecimalPolynomial : public QObject
{
    Q_OBJECT

private slots:
    void decimals_data()
    {
        const long double inf = std::numeric_limits<long double>::infinity();
        QTest::addColumn<Values>("coeffs");     // highest power first
        QTest::addColumn<bool>("readable");
        QTest::addColumn<Coefficients>("integers"); // constant first

        QTest::newRow("(x - 0.1)^2: tenths, not binary fractions")
            << Values{1, -0.2, 0.01} << true << Coefficients{"1", "-20", "100"};
        QTest::newRow("one power of ten for all") << Values{0.25, 0.1} << true
                                                  << Coefficients{"10", "25"};
        QTest::newRow("lead below 0.01 stands for 1") << Values{0.005, 0, -0.25} << true
                                                     << Coefficients{"-25", "0", "100"};
        QTest::newRow("lead 0.01 stays") << Values{0.01, 0, -0.25} << true
                                         << Coefficients{"-25", "0", "1"};
        QTest::newRow("integers stay") << Values{2, -3, 0} << true << Coefficients{"0", "-3", "2"};
        QTest::newRow("1e300 beside 1e-300") << Values{1e300, 1, 1e-300} << true
                                             << Coefficients{"1", tenTo(300), tenTo(600)};
        // The README once said a subnormal beside 1 had no exact reading.
        QTest::newRow("the smallest subnormal beside 1")
            << Values{1, 2, std::numeric_limits<double>::denorm_min()} << true
            << Coefficients{"5", "2" + std::string(324, '0'), tenTo(324)};
        QTest::newRow("a long double of its own") << Values{1, 0.1L} << true
                                                  << Coefficients{"1", "10"};
        // 2 + 2^-62 is 2.0000000000000000002 at the shortest: 20 digits, more
        // than a machine word holds.
        QTest::newRow("digits beyond a machine word")
            << Values{1, -(2 + std::ldexp(1.0L, -62))} << true
            << Coefficients{"-20000000000000000002", "10000000000000000000"};
        QTest::newRow("700 digits wide") << Values{1e350L, 1e-349L} << true
                                         << Coefficients{"1", tenTo(699)};
        QTest::newRow("701 digits wide") << Values{1e350L, 1e-350L} << false << Coefficients{};
        QTest::newRow("infinite") << Values{1, inf} << false << Coefficients{};
        QTest::newRow("not a number") << Values{1, cplx(NAN, 0)} << false << Coefficients{};
        QTest::newRow("not real") << Values{1, cplx(0, 1)} << false << Coefficients{};
    }

    void decimals()
    {
        QFETCH(Values, coeffs);
        QFETCH(bool, readable);
        QFETCH(Coefficients, integers);
        IntegerPolynomial p;
        QCOMPARE(decimal_polynomial(coeffs.data(), int32_t(coeffs.size()) - 1, p.value), readable);
        if (readable)
            QVERIFY(sameAs(p.value, integers));
    }

    void exactly_data()
    {
        QTest::addColumn<Coefficients>("given"); // highest power first
        QTest::addColumn<bool>("readable");
        QTest::addColumn<Coefficients>("integers"); // constant first

        QTest::newRow("(x - 1/3)^3, over 27") << Coefficients{"1", "-1", "1/3", "-1/27"} << true
                                              << Coefficients{"-1", "9", "-27", "27"};
        QTest::newRow("no floor on the lead") << Coefficients{"1/1000", "1", "-1"} << true
                                              << Coefficients{"-1000", "1000", "1"};
        QTest::newRow("fractions not in lowest terms") << Coefficients{"2/4", "-3/6"} << true
                                                       << Coefficients{"-1", "1"};
        QTest::newRow("a zero lead") << Coefficients{"0", "1"} << false << Coefficients{};
        QTest::newRow("a zero denominator") << Coefficients{"1", "1/0"} << false << Coefficients{};
        QTest::newRow("not a number") << Coefficients{"1", "one"} << false << Coefficients{};
        QTest::newRow("wider than 700 digits") << Coefficients{tenTo(701), "1"} << false
                                               << Coefficients{};
        QTest::newRow("700 digits wide") << Coefficients{tenTo(699), "1"} << true
                                         << Coefficients{"1", tenTo(699)};
    }

    void exactly()
    {
        QFETCH(Coefficients, given);
        QFETCH(bool, readable);
        QFETCH(Coefficients, integers);
        IntegerPolynomial p;
        QCOMPARE(rational_polynomial(given, p.value), readable);
        if (readable)
            QVERIFY(sameAs(p.value, integers));
    }
};

QTEST_APPLESS_MAIN(TestDecimalPolynomial)
#include "test_decimal_polynomial.moc"
