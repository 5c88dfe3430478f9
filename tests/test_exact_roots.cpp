// The roots shown are the exact roots of the polynomial as typed: decimal
// coefficients, exact multiplicities, every digit shown right.
#include "decimal_polynomial.h"
#include "long_double_balls.h"
#include "reference_roots.h"
#include "root_conventions.h"
#include "same_bits.h"
#include "solving.h"

#include <QtTest>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

using cplx = std::complex<long double>;
using Values = std::vector<cplx>;
Q_DECLARE_METATYPE(Values)

namespace {

const long double pi = 3.141592653589793238462643383279503L;

// What the main window shows for a root, with parts within 1e-12 of zero
// shown as 0, as the solver hands them back.
QString shown(cplx z)
{
    return QString::fromStdString(roots::root_text(cplx(roots::cleaned(z.real()), roots::cleaned(z.imag()))));
}

QStringList texts(const Values &roots)
{
    QStringList list;
    for (const cplx &z : roots)
        list << shown(z);
    return list;
}

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// Each root found paired with a true root, nearest first: within 1e-6,
// relatively, and of the same kind, real or complex.
QString unpolishedFault(const Values &found, const Values &truth)
{
    if (found.size() != truth.size())
        return QString("%1 roots of %2").arg(found.size()).arg(truth.size());
    std::vector<bool> used(truth.size());
    for (const cplx &z : found) {
        size_t best = truth.size();
        for (size_t j = 0; j < truth.size(); ++j)
            if (!used[j] && (best == truth.size() || std::abs(z - truth[j]) < std::abs(z - truth[best])))
                best = j;
        used[best] = true;
        const cplx &r = truth[best];
        if (!(std::abs(z - r) <= 1e-6L * std::abs(r)) || (z.imag() == 0) != (shown(r).indexOf('I') < 0))
            return QString("%1 shown for %2").arg(shown(z), shown(r));
    }
    return {};
}

// Polished, the texts are those of the true roots; with reverse deflation
// in order of decreasing modulus; unpolished, each within 1e-6.
QString fault(const Values &found, const Values &truth, const SolveOptions &how)
{
    if (!how.polish && !how.reverse)
        return unpolishedFault(found, truth);
    if (sorted(texts(found)) != sorted(texts(truth)))
        return texts(found).join(", ") + "  instead of  " + texts(truth).join(", ");
    // Polishing after the sort may swap roots that show alike.
    for (size_t i = 1; how.reverse && i < found.size(); ++i)
        if (std::abs(found[i]) > std::abs(found[i - 1]) * (1 + 1e-11L))
            return "not in decreasing modulus: " + texts(found).join(", ");
    return {};
}

Values repeated(cplx z, int times)
{
    return Values(times, z);
}

Values operator+(Values a, const Values &b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// e^(i pi (2k + offset) / n), with the parts that are exactly 0 made so.
Values unitRoots(int n, long double offset)
{
    auto exact = [](long double x) { return std::fabs(x) < 1e-18L ? 0.0L : x; };
    Values roots;
    for (int k = 0; k < n; ++k) {
        const cplx z = std::polar(1.0L, pi * (2 * k + offset) / n);
        roots.push_back(cplx(exact(z.real()), exact(z.imag())));
    }
    return roots;
}

// Exact decimal arithmetic on coefficients scaled by 10^8.
using Scaled = std::vector<long long>;
const long long unit = 100000000;

Scaled times(const Scaled &p, const Scaled &factor)
{
    Scaled r(p.size() + factor.size() - 1, 0);
    for (size_t i = 0; i < p.size(); ++i)
        for (size_t j = 0; j < factor.size(); ++j)
            r[i + j] += p[i] * factor[j];
    return r;
}

// The roots of the polynomial as written, from Arb's own root finder, with
// parts well inside 1e-12 as the 0 they show as.
Values referenceRoots(Values coeffs)
{
    IntegerPolynomial p;
    decimal_polynomial(coeffs.data(), int32_t(coeffs.size()) - 1, p.value);
    const ReferenceRoots reference(p.value);
    const auto part = [](const arb_t x) { return roots::cleaned(to_long_double(arb_midref(x))); };
    Values roots;
    for (size_t i = 0; i < reference.size(); ++i)
        roots.push_back(cplx(part(acb_realref(reference[i])), part(acb_imagref(reference[i]))));
    return roots;
}

// x^n - (a x - 1)^2, highest power first.
Values squareBeside(int n, long double a)
{
    Values c(n + 1, 0);
    c[0] = 1;
    c[n - 2] = -a * a;
    c[n - 1] = 2 * a;
    c[n] = -1;
    return c;
}

// The texts the window writes for the roots as handed back, sorted.
QStringList rawTexts(const Values &roots)
{
    QStringList list;
    for (const cplx &z : roots)
        list << QString::fromStdString(roots::root_text(z));
    return sorted(list);
}

} // namespace

class TestExactRoots : public QObject
{
    Q_OBJECT

private slots:
    // The complaints: decimal multiple roots split by the binary error of
    // their coefficients, shown in every setting as typed.
    void decimalMultipleRootsShowExactly_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<QString>("text");
        QTest::newRow("(x - 0.1)^2") << Values{1, -0.2, 0.01} << "0.1<br>0.1<br>";
        QTest::newRow("(x - 0.3)^3") << Values{1, -0.9, 0.27, -0.027} << "0.3<br>0.3<br>0.3<br>";
        QTest::newRow("(x + 1.8)^2") << Values{1, 3.6, 3.24} << "-1.8<br>-1.8<br>";
    }

    void decimalMultipleRootsShowExactly()
    {
        QFETCH(Values, coeffs);
        QFETCH(QString, text);
        for (const SolveOptions &how : solveOptions) {
            QString got;
            for (const cplx &z : solve(coeffs, how.polish, how.reverse))
                got += shown(z) + "<br>";
            QCOMPARE(got, text);
        }
    }

    // Given exactly, the polynomial decides the roots, whatever long double
    // values the search works on: fractions, more digits than a double
    // holds, a leading coefficient scaled up for the search.
    void exactCoefficientsDecideTheRoots_data()
    {
        QTest::addColumn<QStringList>("exact");
        QTest::addColumn<Values>("searched");
        QTest::addColumn<QString>("text");
        QTest::newRow("(x - 1/3)^3") << QStringList{"1", "-1", "1/3", "-1/27"}
                                     << Values{1, -1, 1.0L / 3, -1.0L / 27}
                                     << "0.333333333333<br>0.333333333333<br>0.333333333333<br>";
        QTest::newRow("(x - 12345.6789)^2")
            << QStringList{"1", "-123456789/5000", "15241578750190521/100000000"}
            << Values{1, -24691.3578, 152415787.50190521} << "12345.6789<br>12345.6789<br>";
        QTest::newRow("0.001x^2 + x - 1, searched ten times larger")
            << QStringList{"1/1000", "1", "-1"} << Values{0.01, 10, -10}
            << "-1000.999002<br>0.999001995014<br>";
        QTest::newRow("x^2 - 2 searched as x^2 - 3") << QStringList{"1", "0", "-2"}
                                                   << Values{1, 0, -3}
                                                   << "-1.41421356237<br>1.41421356237<br>";
    }

    void exactCoefficientsDecideTheRoots()
    {
        QFETCH(QStringList, exact);
        QFETCH(Values, searched);
        QFETCH(QString, text);
        std::vector<std::string> given;
        for (const QString &c : exact)
            given.push_back(c.toStdString());
        for (const SolveOptions &how : solveOptions) {
            PolySolver solver(int32_t(searched.size()) - 1, searched.data(), given);
            const QStringList found = sorted(texts(solveWith(solver, how.polish, how.reverse)));
            QCOMPARE(found.join("<br>") + "<br>", text);
        }
    }

    void typedPolynomials_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Values>("truth");
        QTest::newRow("0.001, 0.001001, 0.001002")
            << Values{10000000000, -30030000, 30060.02, -10.03002}
            << Values{0.001L, 0.001001L, 0.001002L};
        QTest::newRow("x^3 (x - 1e-8)") << Values{1, -0.00000001, 0, 0, 0}
                                        << repeated(0, 3) + Values{1e-8L};
        QTest::newRow("x^21 (x - 1e-7)") << Values{1, -0.0000001} + repeated(0, 21)
                                         << repeated(0, 21) + Values{1e-7L};
        QTest::newRow("x^2 (x - 1) ... (x - 12)")
            << Values{1, -78, 2717, -55770, 749463, -6926634, 44990231, -206070150, 657206836,
                      -1414014888, 1931559552, -1486442880, 479001600, 0, 0}
            << Values{0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
        QTest::newRow("(x + 0.0001)^2 (x - 1)(x - 3)")
            << Values{1, -3.9998, 2.99920001, 0.00059996, 0.00000003}
            << Values{-0.0001L, -0.0001L, 1, 3};
        QTest::newRow("0.001, 0.00101") << Values{10000000000, -20100000, 10100}
                                        << Values{0.001L, 0.00101L};
        QTest::newRow("(x - 3)^14 (x - 2.5)")
            << Values{1, -44.5, 924, -11875.5, 105651, -689188.5, 3405402, -12978751.5,
                      38467143, -88662073.5, 157621464, -212251630.5, 209564901, -143223349.5,
                      60584274, -11957422.5}
            << repeated(3, 14) + Values{2.5};
        QTest::newRow("x^10 + 1e300") << Values{1} + repeated(0, 9) + Values{1e300}
                                      << [] {
                                             Values r = unitRoots(10, 1);
                                             for (cplx &z : r)
                                                 z *= 1e30L;
                                             return r;
                                         }();
        QTest::newRow("(x - 0.5)^22") << [] {
            Values c;
            for (int k = 0; k <= 22; ++k) {
                long double binomial = 1;
                for (int i = 0; i < k; ++i)
                    binomial = binomial * (22 - i) / (i + 1);
                c.push_back(binomial * std::pow(-0.5L, k));
            }
            return c;
        }() << repeated(0.5L, 22);
        QTest::newRow("(x^2 + 0.25)^2") << Values{1, 0, 0.5, 0, 0.0625}
                                        << repeated(cplx(0, 0.5L), 2) + repeated(cplx(0, -0.5L), 2);
        QTest::newRow("(x - 0.1)(x - 0.1000001)") << Values{1, -0.2000001, 0.01000001}
                                                  << Values{0.1L, 0.1000001L};
        QTest::newRow("(x - 3)^3") << Values{1, -9, 27, -27} << repeated(3, 3);
        QTest::newRow("x^17 + 1") << Values{1} + repeated(0, 16) + Values{1} << unitRoots(17, 1);
        QTest::newRow("x^21 - 1") << Values{1} + repeated(0, 20) + Values{-1} << unitRoots(21, 0);
        QTest::newRow("lead 0.005 stands for 1") << Values{0.005, 0, -0.25} << Values{0.5, -0.5};
    }

    void typedPolynomials()
    {
        QFETCH(Values, coeffs);
        QFETCH(Values, truth);
        for (const SolveOptions &how : solveOptions) {
            const QString wrong = fault(solve(coeffs, how.polish, how.reverse), truth, how);
            QVERIFY2(wrong.isEmpty(), qPrintable(QString(how.name) + ": " + wrong));
        }
    }

    // Products of decimal factors with multiplicities, as users type them:
    // roots with one decimal and complex pairs p +- qi, to degree 8.
    void decimalProducts()
    {
        std::mt19937_64 rng(20261209);
        std::uniform_int_distribution<int> tenths(-30, 30), multiplicity(1, 4), kind(0, 2);
        int checked = 0;
        while (checked < 300) {
            Scaled p{1};
            Values truth;
            int decimals = 0;
            while (truth.size() < 8 && (truth.empty() || kind(rng) > 0)) {
                const int m = multiplicity(rng);
                const long long a = tenths(rng), b = std::abs(tenths(rng)) + 1;
                const bool pair = kind(rng) == 0 && truth.size() + 2 * m <= 8;
                if (truth.size() + (pair ? 2 : 1) * m > 8)
                    break;
                for (int i = 0; i < m; ++i) {
                    p = pair ? times(p, {100, -20 * a, a * a + b * b}) : times(p, {10, -a});
                    decimals += pair ? 2 : 1;
                    if (pair)
                        truth = truth + Values{cplx(a / 10.0L, b / 10.0L), cplx(a / 10.0L, -b / 10.0L)};
                    else
                        truth.push_back(a / 10.0L);
                }
            }
            // Each coefficient is the decimal p_k / 10^decimals; a double
            // reads back as it only up to 15 significant digits.
            Values coeffs;
            bool exact = decimals <= 8;
            for (long long k : p) {
                exact = exact && std::llabs(k) < 1000000000000000LL;
                coeffs.push_back(std::strtod(qPrintable(QString("%1e-%2").arg(k).arg(decimals)), nullptr));
            }
            if (!exact)
                continue;
            for (const SolveOptions &how : solveOptions) {
                const QString wrong = fault(solve(coeffs, how.polish, how.reverse), truth, how);
                QVERIFY2(wrong.isEmpty(), qPrintable(QString("%1 degree %2: %3")
                                                         .arg(how.name).arg(truth.size()).arg(wrong)));
            }
            ++checked;
        }
    }

    // Near-multiple roots and clusters that long double cannot tell apart:
    // every root, each right.
    void clustersAndNearMultipleRoots_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::newRow("x^20 - (1e4 x - 1)^2") << squareBeside(20, 1e4);
        QTest::newRow("x^22 - (1e4 x - 1)^2") << squareBeside(22, 1e4);
        QTest::newRow("0.01 x^13 - 10000 x^2 + 200 x - 1")
            << Values{0.01, 0, 0, 0, 0, 0, 0, 0, 0, 0, -10000, 200, -1};
        QTest::newRow("near-multiple, degree 6")
            << Values{1, -1991.4, 982825.73, 8548571.72, 25666573.32, 31693360, 13320000.0000001};
        QTest::newRow("near-multiple, degree 7")
            << Values{100, 73017.97, 9413118.90453, -1048310232.6933556, -188609374.36658857,
                      -8447589.02681391, 2683.746702, 5.9535};
        QTest::newRow("((x - 100)^2 - 1e-8)(x^2 + 1)")
            << Values{1, -200, 10000.99999999, -200, 9999.99999999};
        QTest::newRow("subnormals beside integers")
            << Values{5.909106315382871e-126, -24, 392, -1760, -25536, 59136, 59136, -101376,
                      126720, -112640, 67584, 9.71373e-319, 2.4391e-319};
    }

    void clustersAndNearMultipleRoots()
    {
        QFETCH(Values, coeffs);
        const Values truth = referenceRoots(coeffs);
        for (const SolveOptions &how : solveOptions) {
            const QString wrong = fault(solve(coeffs, how.polish, how.reverse), truth, how);
            QVERIFY2(wrong.isEmpty(), qPrintable(QString(how.name) + ": " + wrong));
        }
    }

    // A part shows as 0 exactly where the exact root's part is at most
    // 1e-12 in magnitude: at the edge itself, just inside and just outside.
    void bandAtTheEdge_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("root -1e-12") << Values{10000000000, 0.01} << QStringList{"0"};
        QTest::newRow("root -0.99999999e-12") << Values{10000000000, 0.0099999999}
                                              << QStringList{"0"};
        QTest::newRow("root -1.00000001e-12") << Values{10000000000, 0.0100000001}
                                              << QStringList{"-1.00000001e-12"};
        QTest::newRow("real part -1e-12")
            << Values{10000000000, 0.02, 5}
            << QStringList{"(0 + (-2.2360679775e-05)I)", "(0 + (2.2360679775e-05)I)"};
        QTest::newRow("real part -0.99999999e-12")
            << Values{10000000000, 0.0199999998, 5}
            << QStringList{"(0 + (-2.2360679775e-05)I)", "(0 + (2.2360679775e-05)I)"};
        QTest::newRow("real part -1.00000001e-12")
            << Values{10000000000, 0.0200000002, 5}
            << QStringList{"(-1.00000001e-12 + (-2.2360679775e-05)I)",
                           "(-1.00000001e-12 + (2.2360679775e-05)I)"};
        QTest::newRow("imaginary part 1e-12") << Values{1, 0, 1e-24} << QStringList{"0", "0"};
        QTest::newRow("imaginary part at 0.999999995e-12") << Values{1, 0, 0.99999999e-24}
                                                        << QStringList{"0", "0"};
        QTest::newRow("imaginary part at 1.000000005e-12")
            << Values{1, 0, 1.00000001e-24}
            << QStringList{"(0 + (-1.000000005e-12)I)", "(0 + (1.000000005e-12)I)"};
    }

    void bandAtTheEdge()
    {
        QFETCH(Values, coeffs);
        QFETCH(QStringList, shown);
        for (const SolveOptions &how : solveOptions)
            QCOMPARE(rawTexts(solve(coeffs, how.polish, how.reverse)), shown);
    }

    // x^22 - (1e12 x - 1)^2 has two roots 1e-144 either side of 1e-12,
    // closer to it than long double resolves: one shows as 0, the other not.
    void rootsEitherSideOfTheEdge()
    {
        for (const SolveOptions &how : solveOptions) {
            const Values roots = solve(squareBeside(22, 1e12), how.polish, how.reverse);
            QCOMPARE(int(roots.size()), 22);
            QStringList near;
            for (const cplx &z : roots)
                if (std::abs(z) < 1e-11L)
                    near << QString::fromStdString(roots::root_text(z));
            QCOMPARE(sorted(near), (QStringList{"0", "1e-12"}));
        }
    }

    // With reverse deflation the roots the check keeps stay in the search's
    // order, even among roots of equal modulus (4 and -4 here); the four
    // the search got wrong, 0 four times, take their places by modulus.
    void reverseOrderKept()
    {
        Values coeffs{1, 14, -31, -1128, -1352, 36544, 83216, -595200, -1628928, 4866048, 14266368,
                      -15925248, -47775744, 0, 0, 0, 0};
        Values designed(16);
        int32_t count = 0;
        Values c = coeffs;
        PolySolver search(16, c.data());
        search.solve_by_levels(false, true, &count, designed.data());
        QCOMPARE(count, 16);
        const Values shown = solve(coeffs, false, true);
        QCOMPARE(int(shown.size()), 16);
        for (int i = 0; i < 12; ++i)
            QVERIFY2(sameBits(shown[size_t(i)], designed[size_t(i)]), qPrintable(QString::number(i)));
        for (int i = 12; i < 16; ++i)
            QCOMPARE(shown[size_t(i)], cplx(0, 0));
    }

    // Roots the search did not find come after those it found, by real
    // part; at equal real part the real one first, then by the size of the
    // imaginary part, the positive one before its conjugate.
    void addedRootsInOrder()
    {
        // 0.01 x^21 + 1e10: the search finds none of its roots.
        Values coeffs(22, 0);
        coeffs[0] = 0.01;
        coeffs[21] = 1e10;
        Values c = coeffs, designed(21);
        int32_t count = -1;
        PolySolver search(21, c.data());
        search.solve_by_levels(true, false, &count, designed.data());
        QCOMPARE(count, 0);
        const auto inOrder = [](cplx a, cplx b) {
            if (a.real() != b.real())
                return a.real() < b.real();
            if (std::fabs(a.imag()) != std::fabs(b.imag()))
                return std::fabs(a.imag()) < std::fabs(b.imag());
            return a.imag() >= b.imag();
        };
        for (bool polish : {true, false}) {
            const Values shown = solve(coeffs, polish, false);
            QCOMPARE(int(shown.size()), 21);
            for (size_t i = 1; i < shown.size(); ++i)
                QVERIFY2(inOrder(shown[i - 1], shown[i]), qPrintable(QString::number(i)));
        }
    }

    // Through the solver's interface anything may come: every call comes
    // back with at most n roots, all n wherever the coefficients are exact.
    void hostileInputEnds_data()
    {
        const long double inf = std::numeric_limits<long double>::infinity();
        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<bool>("exact");
        QTest::newRow("1e300 beside 1e-300") << Values{1e300, 1, 1e-300} << true;
        QTest::newRow("subnormal constant") << Values{1, 2, std::numeric_limits<double>::denorm_min()}
                                            << true;
        // Two roots 1e-180 apart beside one of 1e-241, far beyond the
        // dialog's range.
        QTest::newRow("x (x + 1.39e120)^2 + 1") << Values{1, 2.78e120, 1.9321e240, 1} << true;
        QTest::newRow("long double range") << Values{1, 1e4000L, 1e-4000L} << false;
        QTest::newRow("degree 22, 1e300 .. 1e-300") << [] {
            Values c;
            for (int k = 0; k <= 22; ++k)
                c.push_back(std::pow(10.0L, 300 - 27 * k) * (k % 2 ? -1 : 1));
            return c;
        }() << true;
        QTest::newRow("infinite") << Values{1, inf, 2} << false;
        QTest::newRow("NaN") << Values{1, nan, 2, 3} << false;
        QTest::newRow("complex coefficient") << Values{1, cplx(0, 1)} << false;
        QTest::newRow("zero lead") << Values{0, 0, -4} << true;
        QTest::newRow("Wilkinson 20") << [] {
            Values c{1};
            for (int r = 1; r <= 20; ++r) {
                c.push_back(0);
                for (size_t k = c.size() - 1; k > 0; --k)
                    c[k] -= c[k - 1] * cplx(r, 0);
            }
            return c;
        }() << true;
    }

    void hostileInputEnds()
    {
        QFETCH(Values, coeffs);
        QFETCH(bool, exact);
        const int n = int(coeffs.size()) - 1;
        for (const SolveOptions &how : solveOptions) {
            const Values roots = solve(coeffs, how.polish, how.reverse);
            QVERIFY(int(roots.size()) <= n);
            if (exact)
                QCOMPARE(int(roots.size()), n);
        }
    }
};

QTEST_APPLESS_MAIN(TestExactRoots)
#include "test_exact_roots.moc"
