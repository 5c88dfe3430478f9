// The polynomial and the roots read aloud: words a person says, with the
// digits the window shows.
#include "spoken_text.h"

#include <QtTest>

#include <cmath>
#include <complex>
#include <vector>

using cplx = std::complex<long double>;
using Values = std::vector<cplx>;
Q_DECLARE_METATYPE(Values)

class TestSpokenText : public QObject
{
    Q_OBJECT

private slots:
    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("said");
        QTest::newRow("whole") << 11.0 << "11";
        QTest::newRow("negative") << -6.0 << "minus 6";
        QTest::newRow("decimal") << 0.5 << "0.5";
        QTest::newRow("12 digits") << 1.0 / 3 << "0.333333333333";
        QTest::newRow("negative zero") << -0.0 << "0";
        QTest::newRow("small") << 1.5e-13 << "1.5 times 10 to the power minus 13";
        QTest::newRow("exponent with a zero") << -1e-5 << "minus 1 times 10 to the power minus 5";
        QTest::newRow("large") << 2e20 << "2 times 10 to the power 20";
        QTest::newRow("infinite") << -HUGE_VAL << "minus infinity";
        QTest::newRow("not a number") << double(NAN) << "not a number";
    }

    void numbers()
    {
        QFETCH(double, value);
        QTEST(QString::fromStdString(spoken_number(value)), "said");
    }

    void polynomials_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<QString>("said");
        QTest::newRow("start polynomial") << Values{1, 0, -1} << "x squared minus 1 equals 0";
        QTest::newRow("cubic") << Values{1, -6, 11, -6}
                               << "x to the power 3 minus 6 x squared plus 11 x minus 6 equals 0";
        QTest::newRow("degree 1") << Values{2, 3} << "2 x plus 3 equals 0";
        QTest::newRow("negative lead, -1 and 1 of x")
            << Values{-1, 0, -1, 1} << "minus x to the power 3 minus x plus 1 equals 0";
        QTest::newRow("constant 0 dropped") << Values{0.5, -2.5, 0} << "0.5 x squared minus 2.5 x equals 0";
        QTest::newRow("constant -1 kept") << Values{3, -1} << "3 x minus 1 equals 0";
        QTest::newRow("degree 22, middle terms 0")
            << [] {
                   Values c(23, 0);
                   c[0] = 1;
                   c[12] = -1e-13L;
                   c[22] = 1;
                   return c;
               }()
            << "x to the power 22 minus 1 times 10 to the power minus 13 x to the power 10 plus 1 "
               "equals 0";
        QTest::newRow("12 digits") << Values{1, 1.0L / 3} << "x plus 0.333333333333 equals 0";
        QTest::newRow("not real") << Values{1, cplx(0, 2), 1} << "x squared plus (2 i) x plus 1 equals 0";
    }

    void polynomials()
    {
        QFETCH(Values, coeffs);
        QTEST(QString::fromStdString(spoken_polynomial(coeffs.data(), int(coeffs.size()))), "said");
    }

    void roots_data()
    {
        QTest::addColumn<Values>("roots");
        QTest::addColumn<QString>("said");
        QTest::newRow("none") << Values{} << "no roots";
        QTest::newRow("one") << Values{-2} << "1 root: minus 2";
        QTest::newRow("real and complex")
            << Values{1, 2, cplx(0.5L, std::sqrt(3.0L) / 2)}
            << "3 roots: 1; 2; 0.5 plus 0.866025403784 i";
        QTest::newRow("negative imaginary part") << Values{cplx(-1, -2), cplx(-1, 2)}
                                                 << "2 roots: minus 1 minus 2 i; minus 1 plus 2 i";
        QTest::newRow("imaginary") << Values{cplx(0, 1), cplx(0, -1)} << "2 roots: i; minus i";
        QTest::newRow("imaginary part within the tolerance") << Values{cplx(1.5L, 1e-15L)}
                                                             << "1 root: 1.5";
        QTest::newRow("small imaginary part")
            << Values{cplx(1, 2e-12L)} << "1 root: 1 plus 2 times 10 to the power minus 12 i";
        QTest::newRow("double root listed twice") << Values{1, 1} << "2 roots: 1; 1";
    }

    void roots()
    {
        QFETCH(Values, roots);
        QTEST(QString::fromStdString(spoken_roots(roots.data(), int(roots.size()))), "said");
    }
};

QTEST_GUILESS_MAIN(TestSpokenText)
#include "test_spoken_text.moc"
