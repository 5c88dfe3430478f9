// The solver against certified reference roots: every root found, each as
// accurate as the setting promises, and the level-by-level procedure's own
// output kept bit for bit wherever it was already complete and right.
#include "corpus.h"
#include "same_bits.h"

#include <QtTest>

Q_DECLARE_METATYPE(std::vector<double>)
Q_DECLARE_METATYPE(std::vector<std::complex<long double>>)

namespace {

const std::vector<CorpusEntry> &corpus()
{
    static const std::vector<CorpusEntry> entries =
        readCorpus(QFINDTESTDATA("data/corpus.txt").toStdString());
    return entries;
}

} // namespace

class TestSolverCorpus : public QObject
{
    Q_OBJECT

private slots:
    void corpusIsThere()
    {
        QVERIFY(corpus().size() >= 300);
        for (const CorpusEntry &entry : corpus()) {
            QCOMPARE(int(entry.coeffs.size()), entry.degree + 1);
            QCOMPARE(int(entry.roots.size()), entry.degree);
        }
    }

    void everyRootAccurate_data()
    {
        QTest::addColumn<int>("setting");
        for (int s = 0; s < 3; ++s)
            QTest::newRow(solveSettings[s].name) << s;
    }

    // Each polynomial's worst error within max(the setting's accuracy,
    // 10 x what a double-precision companion-matrix solver gets on it).
    void everyRootAccurate()
    {
        QFETCH(int, setting);
        const SolveSetting &how = solveSettings[setting];
        QStringList failures;
        for (const CorpusEntry &entry : corpus()) {
            const auto roots = solveEntry(entry, how);
            const double allowed = std::max(how.accuracy, 10 * entry.baseline);
            const double error = worstRelativeError(roots, entry.roots);
            if (int(roots.size()) != entry.degree || !(error <= allowed))
                failures << QString("%1 degree %2: %3 of %4 roots, error %5 > %6")
                                .arg(entry.family.c_str()).arg(entry.degree).arg(roots.size())
                                .arg(entry.degree).arg(error).arg(allowed);
        }
        QVERIFY2(failures.isEmpty(), qPrintable(failures.join('\n')));
    }

    // Polynomials whose own search gives up on level 0: the pre-test fails
    // for x^17 + 1 and x^21 + 1, the search stalls on x^4 - 4x^3 - 3.
    void completesWhatTheSearchMisses_data()
    {
        QTest::addColumn<std::vector<double>>("coeffs");
        QTest::addColumn<std::vector<std::complex<long double>>>("roots");
        const long double pi = 3.141592653589793238462643383279503L;
        for (int n : {17, 21}) {
            std::vector<double> c(n + 1, 0.0);
            c[0] = c[n] = 1;
            std::vector<std::complex<long double>> roots;
            for (int k = 0; k < n; ++k)
                roots.push_back(std::polar(1.0L, pi * (2 * k + 1) / n));
            QTest::newRow(qPrintable(QString("x^%1 + 1").arg(n))) << c << roots;
        }
        // Roots from an independent double-precision eigenvalue solver.
        QTest::newRow("x^4 - 4x^3 - 3")
            << std::vector<double>{1, -4, 0, 0, -3}
            << std::vector<std::complex<long double>>{
                   {4.045317244745593L, 0}, {-0.851926906846152L, 0},
                   {0.40330483105027987L, 0.8413324666092246L},
                   {0.40330483105027987L, -0.8413324666092246L}};
    }

    void completesWhatTheSearchMisses()
    {
        QFETCH(std::vector<double>, coeffs);
        QFETCH(std::vector<std::complex<long double>>, roots);
        const CorpusEntry entry{"", int(roots.size()), 0, coeffs, roots};
        for (const SolveSetting &how : solveSettings) {
            const auto found = solveEntry(entry, how);
            QCOMPARE(int(found.size()), entry.degree);
            QVERIFY2(worstRelativeError(found, roots) <= 1e-14, how.name);
        }
    }

    void completeAndRightOutputUnchanged()
    {
        QFile file(QFINDTESTDATA("data/designed_outputs.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        int compared = 0;
        while (!file.atEnd()) {
            const QStringList fields = QString(file.readLine()).simplified().split(' ');
            if (fields[0].isEmpty() || fields[0].startsWith('#'))
                continue;
            const SolveSetting *how = nullptr;
            for (const SolveSetting &s : solveSettings)
                if (fields[0] == s.name)
                    how = &s;
            QVERIFY(how);
            const CorpusEntry &entry = corpus().at(fields[1].toInt());
            const auto roots = solveEntry(entry, *how);
            QCOMPARE(int(roots.size()), fields[2].toInt());
            for (size_t i = 0; i < roots.size(); ++i) {
                const long double re = std::strtold(qPrintable(fields[3 + 2 * i]), nullptr);
                const long double im = std::strtold(qPrintable(fields[4 + 2 * i]), nullptr);
                QVERIFY2(sameBits(roots[i], std::complex<long double>(re, im)),
                         qPrintable(QString("%1 #%2 root %3").arg(how->name).arg(fields[1]).arg(i)));
            }
            ++compared;
        }
        QVERIFY(compared > 700);
    }
};

QTEST_APPLESS_MAIN(TestSolverCorpus)
#include "test_solver_corpus.moc"
