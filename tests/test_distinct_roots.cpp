// Each distinct root once, from the polynomial as typed: its value with the
// window's 12 digits or with many more, every digit certified, its
// multiplicity and its closed form, in the table's order.
#include "decimal_digits.h"
#include "distinct_roots.h"
#include "polynomial_text.h"

#include <QtTest>

namespace {

std::vector<std::string> typed(const QString &text)
{
    const PolynomialReading reading = read_polynomial(text.toStdU32String(), U'.');
    return reading.coefficients;
}

// "re | im | multiplicity | exact form", as a row of the table reads.
QStringList rows(const DistinctRoots &result)
{
    QStringList texts;
    for (const DistinctRoot &root : result.roots)
        texts << QString::fromStdString(root.re + " | " + root.im + " | "
                                        + std::to_string(root.multiplicity) + " | " + root.exact_form);
    return texts;
}

} // namespace

class TestDistinctRoots : public QObject
{
    Q_OBJECT

private slots:
    void rowsOfTheTable_data()
    {
        QTest::addColumn<QString>("polynomial");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("x^2 - 2") << "x^2 - 2"
                                 << QStringList{"-1.41421356237 | 0 | 1 | −√2", "1.41421356237 | 0 | 1 | √2"};
        QTest::newRow("x^2 + x + 1")
            << "x^2 + x + 1"
            << QStringList{"-0.5 | 0.866025403784 | 1 | (−1 + i√3)/2", "-0.5 | -0.866025403784 | 1 | (−1 − i√3)/2"};
        QTest::newRow("3x^2 - 4x + 1") << "3x^2 - 4x + 1"
                                       << QStringList{"0.333333333333 | 0 | 1 | 1/3", "1 | 0 | 1 | 1"};
        QTest::newRow("(x - 1)^2 (x + 2), typed expanded")
            << "x^3 - 3x + 2" << QStringList{"-2 | 0 | 1 | −2", "1 | 0 | 2 | 1"};
        QTest::newRow("(x^2 + 1)^2") << "(x^2 + 1)^2" << QStringList{"0 | 1 | 2 | i", "0 | -1 | 2 | −i"};
        QTest::newRow("x^4 + 1: values only")
            << "x^4 + 1"
            << QStringList{"-0.707106781187 | 0.707106781187 | 1 | ", "-0.707106781187 | -0.707106781187 | 1 | ",
                           "0.707106781187 | 0.707106781187 | 1 | ", "0.707106781187 | -0.707106781187 | 1 | "};
        QTest::newRow("(x - 1/3)^3") << "(x - 1/3)^3" << QStringList{"0.333333333333 | 0 | 3 | 1/3"};
        QTest::newRow("(x - 1)^22") << "(x-1)^22" << QStringList{"1 | 0 | 22 | 1"};
        QTest::newRow("complex pairs by real part, the nearer one to the axis first")
            << "(x^2 - 2x + 5)(x^2 + 4)(x^2 - 2x + 2)(x + 3)"
            << QStringList{"-3 | 0 | 1 | −3",       "0 | 2 | 1 | 2i",         "0 | -2 | 1 | −2i",
                           "1 | 1 | 1 | 1 + i",     "1 | -1 | 1 | 1 − i",     "1 | 2 | 1 | 1 + 2i",
                           "1 | -2 | 1 | 1 − 2i"};
        // As the window writes a part within 10^-12 of 0; the exact form tells.
        QTest::newRow("a tiny root at 12 digits") << "x - 1e-20" << QStringList{"0 | 0 | 1 | 1/100000000000000000000"};
    }

    void rowsOfTheTable()
    {
        QFETCH(QString, polynomial);
        QFETCH(QStringList, expected);
        const DistinctRoots result = distinct_roots(typed(polynomial), {}, 12);
        QVERIFY(result.complete);
        QCOMPARE(rows(result), expected);
    }

    // The same roots, found first by a search, seed the enclosures; what
    // the table lists does not depend on them.
    void seedsChangeNothing()
    {
        const std::vector<std::string> p = typed("x^3 - 3x + 2");
        const DistinctRoots seeded = distinct_roots(p, {{1.0000001L, 0}, {-2, 0}, {0.9999L, 0}}, 12);
        QCOMPARE(rows(seeded), rows(distinct_roots(p, {}, 12)));
    }

    void manyDigitsAreTheKnownOnes_data()
    {
        QTest::addColumn<QString>("polynomial");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("largestRoot");
        QTest::newRow("sqrt 2, 50 digits")
            << "x^2 - 2" << 50 << "1.4142135623730950488016887242096980785696718753769";
        QTest::newRow("golden ratio, 40 digits")
            << "x^2 - x - 1" << 40 << "1.61803398874989484820458683436563811772";
        // The last digit of a rational root rounds a tie away from 0.
        QTest::newRow("1/8 to 2 digits is not asked: 12") << "8x - 1" << 12 << "0.125";
        QTest::newRow("2/3, 30 digits") << "3x - 2" << 30 << "0.666666666666666666666666666667";
        QTest::newRow("cube root of 2, 60 digits")
            << "x^3 - 2" << 60 << "1.25992104989487316476721060727822835057025146470150798008198";
        QTest::newRow("1e-20 shows beyond 20 digits") << "x - 1e-20" << 30 << "1e-20";
    }

    void manyDigitsAreTheKnownOnes()
    {
        QFETCH(QString, polynomial);
        QFETCH(int, digits);
        QFETCH(QString, largestRoot);
        const DistinctRoots result = distinct_roots(typed(polynomial), {}, digits);
        QVERIFY(result.complete);
        const DistinctRoot *largest = nullptr;
        for (const DistinctRoot &root : result.roots)
            if (root.real && (!largest || root.value.real() > largest->value.real()))
                largest = &root;
        QVERIFY(largest);
        QCOMPARE(QString::fromStdString(largest->re), largestRoot);
        QCOMPARE(largest->digits, digits);
    }

    // A thousand digits of every root of a degree-22 polynomial, each
    // decided: the end digits of both bounds agree.
    void thousandDigitsOfDegree22()
    {
        const DistinctRoots result = distinct_roots(typed("x^22 - 3x^7 + 2x - 1/7"), {}, 1000);
        QVERIFY(result.complete);
        QCOMPARE(int(result.roots.size()), 22);
        for (const DistinctRoot &root : result.roots) {
            QCOMPARE(root.digits, 1000);
            QVERIFY(root.re.size() > 1000 || root.im.size() > 1000);
        }
    }

    void cancelledReturnsIncomplete()
    {
        std::atomic<bool> cancelled{true};
        QVERIFY(!distinct_roots(typed("x^22 - 3x^7 + 2x - 1/7"), {}, 1000, &cancelled).complete);
    }

    void decidedTextOfBounds_data()
    {
        QTest::addColumn<QString>("low");
        QTest::addColumn<QString>("high");
        QTest::addColumn<int>("digits");
        QTest::addColumn<QString>("text");
        QTest::newRow("both round alike") << "14142/10000" << "14143/10000" << 3 << "1.41";
        QTest::newRow("a tie rounds away from 0") << "125/1000" << "125/1000" << 2 << "0.13";
        QTest::newRow("negative tie") << "-125/1000" << "-125/1000" << 2 << "-0.13";
        QTest::newRow("straddling a rounding edge") << "1249/10000" << "1251/10000" << 2 << "";
        QTest::newRow("rounding up to a power of ten") << "9996/1000" << "9997/1000" << 3 << "10";
        QTest::newRow("small: exponent form") << "12345/1000000000" << "12345/1000000000" << 12 << "1.2345e-05";
        QTest::newRow("large: exponent form") << "1234500000000000" << "1234500000000000" << 12 << "1.2345e+15";
        QTest::newRow("within 10^-digits of 0") << "-1/10000000000000" << "1/10000000000000" << 12 << "0";
        QTest::newRow("one end inside the band") << "0" << "1/1000" << 12 << "";
        QTest::newRow("across 0") << "-1/1000" << "1/1000" << 12 << "";
    }

    void decidedTextOfBounds()
    {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(int, digits);
        QFETCH(QString, text);
        Rational a, b;
        fmpq_set_str(a.value, low.toLatin1().constData(), 10);
        fmpq_set_str(b.value, high.toLatin1().constData(), 10);
        QCOMPARE(QString::fromStdString(decided_text(a.value, b.value, digits)), text);
    }
};

QTEST_APPLESS_MAIN(TestDistinctRoots)
#include "test_distinct_roots.moc"
