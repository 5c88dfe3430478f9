// The polynomial as typed, factored over the rationals, and the roots its
// linear and quadratic factors have in closed form, written as people
// write them.
#include "exact_forms.h"

#include <QtTest>

namespace {

std::vector<std::string> strings(const QStringList &texts)
{
    std::vector<std::string> items;
    for (const QString &text : texts)
        items.push_back(text.toStdString());
    return items;
}

} // namespace

class TestExactForms : public QObject
{
    Q_OBJECT

private slots:
    void factorsAndClosedForms_data()
    {
        QTest::addColumn<QStringList>("coeffs");
        QTest::addColumn<QString>("factored");
        QTest::addColumn<QStringList>("forms"); // "text ×multiplicity"
        QTest::newRow("x^2 - 2") << QStringList{"1", "0", "-2"} << "(x² − 2)"
                                 << QStringList{"√2 ×1", "−√2 ×1"};
        QTest::newRow("x^2 + x + 1") << QStringList{"1", "1", "1"} << "(x² + x + 1)"
                                     << QStringList{"(−1 + i√3)/2 ×1", "(−1 − i√3)/2 ×1"};
        QTest::newRow("3x^2 - 4x + 1") << QStringList{"3", "-4", "1"} << "3(x − 1/3)(x − 1)"
                                       << QStringList{"1/3 ×1", "1 ×1"};
        QTest::newRow("(x - 1)^2 (x + 2)") << QStringList{"1", "0", "-3", "2"} << "(x + 2)(x − 1)²"
                                           << QStringList{"−2 ×1", "1 ×2"};
        QTest::newRow("(x^2 + 1)^2") << QStringList{"1", "0", "2", "0", "1"} << "(x² + 1)²"
                                     << QStringList{"i ×2", "−i ×2"};
        QTest::newRow("x^4 + 1, no closed form") << QStringList{"1", "0", "0", "0", "1"} << "(x⁴ + 1)"
                                                 << QStringList{};
        QTest::newRow("(x - 1/3)^3") << QStringList{"1", "-1", "1/3", "-1/27"} << "(x − 1/3)³"
                                     << QStringList{"1/3 ×3"};
        QTest::newRow("-x^2 + 1") << QStringList{"-1", "0", "1"} << "−(x + 1)(x − 1)"
                                  << QStringList{"−1 ×1", "1 ×1"};
        QTest::newRow("x/3 + 1/3") << QStringList{"1/3", "1/3"} << "(1/3)(x + 1)" << QStringList{"−1 ×1"};
        QTest::newRow("-x/2") << QStringList{"-1/2", "0"} << "−(1/2)x" << QStringList{"0 ×1"};
        QTest::newRow("x^3 (x - 5)") << QStringList{"1", "-5", "0", "0", "0"} << "x³(x − 5)"
                                     << QStringList{"0 ×3", "5 ×1"};
        QTest::newRow("x^2 - 8: square out") << QStringList{"1", "0", "-8"} << "(x² − 8)"
                                             << QStringList{"2√2 ×1", "−2√2 ×1"};
        QTest::newRow("x^2 + 12") << QStringList{"1", "0", "12"} << "(x² + 12)"
                                  << QStringList{"2i√3 ×1", "−2i√3 ×1"};
        QTest::newRow("2x^2 + 2x + 1: fraction reduced") << QStringList{"2", "2", "1"} << "(2x² + 2x + 1)"
                                                         << QStringList{"(−1 + i)/2 ×1", "(−1 − i)/2 ×1"};
        QTest::newRow("x^2 + 2x - 1") << QStringList{"1", "2", "-1"} << "(x² + 2x − 1)"
                                      << QStringList{"−1 + √2 ×1", "−1 − √2 ×1"};
        QTest::newRow("4x^2 - 2: over 2") << QStringList{"4", "0", "-2"} << "2(2x² − 1)"
                                          << QStringList{"√2/2 ×1", "−√2/2 ×1"};
        QTest::newRow("x^2 - x - 1") << QStringList{"1", "-1", "-1"} << "(x² − x − 1)"
                                     << QStringList{"(1 + √5)/2 ×1", "(1 − √5)/2 ×1"};
        QTest::newRow("(x - 1)^12: two-digit power") << QStringList{"1", "-12", "66", "-220", "495", "-792",
                                                                    "924", "-792", "495", "-220", "66", "-12", "1"}
                                                     << "(x − 1)¹²" << QStringList{"1 ×12"};
    }

    void factorsAndClosedForms()
    {
        QFETCH(QStringList, coeffs);
        QFETCH(QString, factored);
        QFETCH(QStringList, forms);
        const Factorization f = factor_exactly(strings(coeffs));
        QCOMPARE(QString::fromStdString(factored_text(f, false)), factored);
        QStringList found;
        for (const ClosedForm &form : closed_forms(f))
            found << QString::fromStdString(form.text) + QString(" ×%1").arg(form.multiplicity);
        QCOMPARE(found, forms);
    }

    // Each closed form comes with a value near the root it writes.
    void closedFormValuesAreTheRoots()
    {
        // (x^2 - x - 1)(x^2 + x + 1)(3x - 1)(x^2 - 8)
        const std::vector<long double> c{3, -1, -27, 3, 23, 41, 8, -8};
        const std::vector<ClosedForm> forms =
            closed_forms(factor_exactly({"3", "-1", "-27", "3", "23", "41", "8", "-8"}));
        QCOMPARE(forms.size(), std::size_t(7));
        for (const ClosedForm &form : forms) {
            std::complex<long double> p = 0;
            for (const long double k : c)
                p = p * form.value + k;
            QVERIFY2(std::abs(p) < 1e-14L, form.text.c_str());
        }
    }

    void richTextRaisesThePowers()
    {
        const Factorization f = factor_exactly({"1", "0", "-3", "2"});
        QCOMPARE(QString::fromStdString(factored_text(f, true)),
                 QString("(x + 2)(x − 1)<sup>2</sup>"));
        QCOMPARE(QString::fromStdString(factored_text(factor_exactly({"2", "0", "0", "1"}), true)),
                 QString("(2x<sup>3</sup> + 1)"));
    }

    void unreadableOrConstantGivesNothing_data()
    {
        QTest::addColumn<QStringList>("coeffs");
        QTest::newRow("constant") << QStringList{"0", "5"};
        QTest::newRow("words") << QStringList{"1", "two"};
        QTest::newRow("zero denominator") << QStringList{"1", "1/0"};
        QTest::newRow("empty") << QStringList{};
    }

    void unreadableOrConstantGivesNothing()
    {
        QFETCH(QStringList, coeffs);
        const Factorization f = factor_exactly(strings(coeffs));
        QVERIFY(f.factors.empty());
        QVERIFY(f.constant.empty());
        QVERIFY(closed_forms(f).empty());
    }
};

QTEST_APPLESS_MAIN(TestExactForms)
#include "test_exact_forms.moc"
