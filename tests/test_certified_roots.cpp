// Certified enclosures of the roots of one square-free integer factor,
// judged against Arb's own root finder: each holds exactly one root, a
// narrowed one lies inside the one it replaces, and real roots are proved
// real.
#include "certified_roots.h"
#include "reference_roots.h"

#include <QtTest>

#include <complex>
#include <memory>
#include <string>
#include <vector>

Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

using Coefficients = std::vector<std::string>;

// prod (x - r) over integer roots, constant first.
Coefficients integerRoots(int from, int to)
{
    IntegerPolynomial p, factor;
    fmpz_poly_one(p.value);
    for (int r = from; r <= to; ++r) {
        fmpz_poly_set_coeff_si(factor.value, 1, 1);
        fmpz_poly_set_coeff_si(factor.value, 0, -r);
        fmpz_poly_mul(p.value, p.value, factor.value);
    }
    Coefficients c;
    for (slong k = 0; k <= fmpz_poly_degree(p.value); ++k) {
        char *text = fmpz_get_str(nullptr, 10, fmpz_poly_get_coeff_ptr(p.value, k));
        c.push_back(text);
        flint_free(text);
    }
    return c;
}

std::string tenTo(int k)
{
    return "1" + std::string(size_t(k), '0');
}

// The polynomial with the given coefficients, a budget of work that the
// narrowing below, far beyond what the window needs, does not exhaust, its
// reference roots, and its roots enclosed from nothing but the polynomial.
struct Case {
    explicit Case(const Coefficients &coefficients)
        : p(polynomial(coefficients)), budget(100 * WorkBudget::standard), reference(p->value),
          roots(p->value, 1, budget)
    {
        roots.isolate({});
    }
    static std::unique_ptr<IntegerPolynomial> polynomial(const Coefficients &coefficients)
    {
        auto p = std::make_unique<IntegerPolynomial>();
        integerPolynomial(p->value, coefficients);
        return p;
    }
    std::unique_ptr<IntegerPolynomial> p;
    WorkBudget budget;
    ReferenceRoots reference;
    CertifiedRoots roots;
};

// Every enclosure holds exactly one reference root, and every reference
// root lies in exactly one enclosure; an enclosure with imaginary part
// exactly 0 holds a real root.
QString fault(const CertifiedRoots &roots, const ReferenceRoots &reference)
{
    if (!roots.isolated())
        return "not isolated";
    std::vector<int> holding(reference.size(), 0);
    for (slong i = 0; i < roots.degree; ++i) {
        const bool real = arb_is_zero(acb_imagref(roots.root(i)));
        for (size_t j = 0; j < reference.size(); ++j) {
            if (!reference.heldBy(roots.root(i), j))
                continue;
            ++holding[j];
            if (real && !acb_is_real(reference[j]))
                return QString("enclosure %1 is real, its root not").arg(i);
        }
        if (reference.heldBy(roots.root(i)) != 1)
            return QString("enclosure %1 holds %2 roots").arg(i).arg(reference.heldBy(roots.root(i)));
    }
    for (size_t j = 0; j < reference.size(); ++j)
        if (holding[j] != 1)
            return QString("root %1 in %2 enclosures").arg(j).arg(holding[j]);
    return {};
}

} // namespace

class TestCertifiedRoots : public QObject
{
    Q_OBJECT

private slots:
    void enclosures_data()
    {
        QTest::addColumn<Coefficients>("coefficients");
        QTest::newRow("x^3 - 2") << Coefficients{"-2", "0", "0", "1"};
        QTest::newRow("Wilkinson 12") << integerRoots(1, 12);
        QTest::newRow("(x + 6) ... (x - 6)") << integerRoots(-6, 6);
        QTest::newRow("Chebyshev T_11")
            << Coefficients{"0", "-11", "0", "220", "0", "-1232", "0", "2816", "0", "-2816", "0", "1024"};
        // (x - 1)(10^30 x - 10^30 - 1)(x + 2): roots 10^-30 apart.
        QTest::newRow("a pair 1e-30 apart beside -2")
            << [] {
                   IntegerPolynomial a, b;
                   integerPolynomial(a.value, {"-2", "1", "1"});
                   Integer big;
                   fmpz_set_str(big.value, tenTo(30).c_str(), 10);
                   fmpz_poly_set_coeff_fmpz(b.value, 1, big.value);
                   fmpz_add_ui(big.value, big.value, 1);
                   fmpz_neg(big.value, big.value);
                   fmpz_poly_set_coeff_fmpz(b.value, 0, big.value);
                   fmpz_poly_mul(a.value, a.value, b.value);
                   Coefficients c;
                   for (slong k = 0; k <= fmpz_poly_degree(a.value); ++k) {
                       char *text = fmpz_get_str(nullptr, 10, fmpz_poly_get_coeff_ptr(a.value, k));
                       c.push_back(text);
                       flint_free(text);
                   }
                   return c;
               }();
        QTest::newRow("x^20 - (10^4 x - 1)^2")
            << Coefficients{"-1", "20000", "-100000000", "0", "0", "0", "0", "0", "0", "0", "0",
                            "0",  "0",     "0",          "0", "0", "0", "0", "0", "0", "1"};
        // (x^2 + 1)(10^40 x^2 + 10^40 + 1): two pairs 5e-41 apart.
        QTest::newRow("conjugate pairs 5e-41 apart")
            << Coefficients{"1" + std::string(39, '0') + "1", "0", "2" + std::string(39, '0') + "1",
                            "0", tenTo(40)};
        // (10^40 x - 1)(x - 10^40)(x^2 + 1)
        QTest::newRow("1e-40 and 1e40")
            << Coefficients{tenTo(40), "-1" + std::string(80, '0') + "1", "1" + std::string(39, '0') + "1",
                            "-1" + std::string(80, '0') + "1", tenTo(40)};
    }

    void enclosures()
    {
        QFETCH(Coefficients, coefficients);
        const Case c(coefficients);
        const QString wrong = fault(c.roots, c.reference);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // Each narrowing lies inside the enclosure it replaces and still holds
    // exactly its root; real ones stay real; four of them make it exact, or
    // exact to 200 bits at least.
    void narrowedInsideTheOneReplaced_data() { enclosures_data(); }

    void narrowedInsideTheOneReplaced()
    {
        QFETCH(Coefficients, coefficients);
        Case c(coefficients);
        CertifiedRoots &roots = c.roots;
        QVERIFY(roots.isolated());
        Balls before(1);
        for (slong i = 0; i < roots.degree; ++i) {
            for (int step = 0; step < 4; ++step) {
                acb_set(before.value, roots.root(i));
                if (!roots.refine(i))
                    break;
                QVERIFY2(acb_contains(before.value, roots.root(i)),
                         qPrintable(QString("root %1, step %2").arg(i).arg(step)));
                QVERIFY(!arb_is_zero(acb_imagref(before.value)) || arb_is_zero(acb_imagref(roots.root(i))));
            }
            QVERIFY2(acb_is_exact(roots.root(i)) || acb_rel_accuracy_bits(roots.root(i)) >= 200,
                     qPrintable(QString("root %1").arg(i)));
        }
        const QString wrong = fault(roots, c.reference);
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
    }

    // Every real root is proved real: its enclosure's imaginary part is
    // exactly 0.
    void realRootsAreReal_data() { enclosures_data(); }

    void realRootsAreReal()
    {
        QFETCH(Coefficients, coefficients);
        Case c(coefficients);
        CertifiedRoots &roots = c.roots;
        const ReferenceRoots &reference = c.reference;
        for (int pass = 0; pass < 2; ++pass) {
            for (slong i = 0; i < roots.degree; ++i) {
                for (size_t j = 0; j < reference.size(); ++j)
                    if (acb_is_real(reference[j]) && reference.heldBy(roots.root(i), j))
                        QVERIFY2(arb_is_zero(acb_imagref(roots.root(i))),
                                 qPrintable(QString("root %1, pass %2").arg(i).arg(pass)));
            }
            // Then once more after narrowing each.
            for (slong i = 0; i < roots.degree; ++i)
                roots.refine(i);
        }
    }

    // The long double test alone proves a polynomial square-free from one
    // approximation of each root; it claims nothing for a multiple root.
    void quickIsolationProvesSquareFree_data()
    {
        QTest::addColumn<Coefficients>("coefficients");
        QTest::addColumn<bool>("squareFree");
        QTest::newRow("(x - 1)(x - 2)(x - 3)") << integerRoots(1, 3) << true;
        QTest::newRow("(x - 1)^2 (x - 2)") << Coefficients{"-2", "5", "-4", "1"} << false;
    }

    void quickIsolationProvesSquareFree()
    {
        QFETCH(Coefficients, coefficients);
        QFETCH(bool, squareFree);
        IntegerPolynomial p;
        integerPolynomial(p.value, coefficients);
        WorkBudget budget;
        CertifiedRoots roots(p.value, 1, budget);
        const std::vector<std::complex<long double>> near{0.999L, 1.001L, 2.0001L};
        const std::vector<std::complex<long double>> spread{0.999L, 2.0001L, 3.002L};
        QCOMPARE(roots.isolate_quickly(squareFree ? spread : near), squareFree);
        if (squareFree)
            QCOMPARE(fault(roots, ReferenceRoots(p.value)), QString());
    }
};

QTEST_APPLESS_MAIN(TestCertifiedRoots)
#include "test_certified_roots.moc"
