// The solver's search against the literal one, every value from its
// defining formula: on seeded random polynomials of every family, in every
// option setting, the two hand out the same bits.
#include "random_polynomials.h"

#include <QtTest>

using namespace random_polynomials;

class TestSameBits : public QObject
{
    Q_OBJECT

private slots:
    void fastAndLiteralAgree_data()
    {
        QTest::addColumn<bool>("polish");
        QTest::addColumn<bool>("reverse");
        QTest::newRow("polish") << true << false;
        QTest::newRow("plain") << false << false;
        QTest::newRow("reverse") << false << true;
    }

    void fastAndLiteralAgree()
    {
        QFETCH(bool, polish);
        QFETCH(bool, reverse);
        std::mt19937_64 rng(20261213);
        for (int i = 0; i < 2000; ++i) {
            const std::vector<double> coeffs = randomCoefficients(rng, i % FamilyCount);
            if (!sameBits(searchBits(coeffs, polish, reverse, false), searchBits(coeffs, polish, reverse, true)))
                QFAIL(qPrintable(QString("%1: %2").arg(familyName(i % FamilyCount)).arg(describe(coeffs).c_str())));
        }
    }
};

QTEST_APPLESS_MAIN(TestSameBits)
#include "test_same_bits.moc"
