// Replays the fuzz target's committed inputs (fuzz/seeds/ and every input
// the fuzzer ever found a fault with, fuzz/regressions/) through the same
// decoding and checks as the fuzz target, in the ordinary test suite; and
// shows that those checks catch each fault they look for.
#include "solver_input.h"

#include <QtTest>
#include <QDir>
#include <QFile>

#include <cmath>
#include <limits>

using solver_input::cplx;

Q_DECLARE_METATYPE(QByteArray)

namespace {

const QString inputsDir = QStringLiteral(FUZZ_INPUTS_DIR);

solver_input::Input decodeBytes(const QByteArray &bytes)
{
    return solver_input::decode(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                size_t(bytes.size()));
}

// A healthy outcome to spoil one way at a time.
struct Spoilable {
    solver_input::Input in;
    solver_input::Outcome outcome;
};

Spoilable cubic(bool reverse)
{
    solver_input::Input in;
    in.degree = 3;
    in.polish = true;
    in.reverse = reverse;
    in.coeffs = {1, -6, 11, -6};
    return {in, solver_input::solve(in)};
}

void writeEntry(std::vector<unsigned char> &bytes, int i, cplx z)
{
    std::memcpy(bytes.data() + sizeof(cplx) * size_t(i), static_cast<const void *>(&z), sizeof(cplx));
}

} // namespace

class TestFuzzRegressions : public QObject
{
    Q_OBJECT

private slots:
    void committedInputs_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        int seeds = 0;
        for (const QString &sub : {QStringLiteral("seeds"), QStringLiteral("regressions")}) {
            const QDir dir(inputsDir + '/' + sub);
            for (const QFileInfo &file : dir.entryInfoList(QDir::Files, QDir::Name)) {
                if (file.fileName().startsWith('.') || file.suffix() == "md")
                    continue;
                QFile f(file.filePath());
                QVERIFY(f.open(QIODevice::ReadOnly));
                QTest::newRow(qPrintable(sub + '/' + file.fileName())) << f.readAll();
                seeds += sub == "seeds";
            }
        }
        // The seed corpus is committed; an empty list would pass for nothing.
        QVERIFY(seeds >= 10);
    }

    void committedInputs()
    {
        QFETCH(QByteArray, bytes);
        const solver_input::Input in = decodeBytes(bytes);
        const std::string fault = solver_input::check(in, solver_input::solve(in));
        QVERIFY2(fault.empty(), fault.c_str());
    }

    void decodeLayout()
    {
        const solver_input::Input in{7, true, false, {0.01, -1e10, 0, std::nan(""), 5e-324,
                                                      std::numeric_limits<double>::infinity(), 1, 2}};
        const std::vector<uint8_t> bytes = solver_input::encode(in);
        QCOMPARE(bytes.size(), size_t(2 + 8 * 8));
        const solver_input::Input back = solver_input::decode(bytes.data(), bytes.size());
        QCOMPARE(back.degree, 7);
        QVERIFY(back.polish);
        QVERIFY(!back.reverse);
        QCOMPARE(back.coeffs.size(), size_t(8));
        QCOMPARE(std::memcmp(back.coeffs.data(), in.coeffs.data(), 8 * sizeof(double)), 0);

        // The degree wraps into 1..22; missing coefficient bytes are zero.
        const uint8_t shortInput[] = {43, 2, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0x55};
        const solver_input::Input partial = solver_input::decode(shortInput, sizeof shortInput);
        QCOMPARE(partial.degree, 22);
        QVERIFY(!partial.polish);
        QVERIFY(partial.reverse);
        QCOMPARE(partial.coeffs.size(), size_t(23));
        QCOMPARE(partial.coeffs[0], 1.0);
        QCOMPARE(partial.coeffs[1], 0x55 * std::numeric_limits<double>::denorm_min());
        for (size_t k = 2; k < partial.coeffs.size(); ++k)
            QCOMPARE(partial.coeffs[k], 0.0);
        QCOMPARE(solver_input::decode(nullptr, 0).degree, 1);
    }

    // Each check on its own catches the fault it is there for.
    void checksCatchFaults()
    {
        for (bool reverse : {false, true}) {
            const Spoilable healthy = cubic(reverse);
            QCOMPARE(solver_input::check(healthy.in, healthy.outcome), std::string());
            QCOMPARE(healthy.outcome.count, 3);
        }
        auto faultOf = [](bool reverse, auto spoil) {
            Spoilable s = cubic(reverse);
            spoil(s.in, s.outcome);
            return solver_input::check(s.in, s.outcome);
        };
        using In = solver_input::Input;
        using Out = solver_input::Outcome;
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.returned = false; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.count = 4; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.count = -1; }).empty());
        // Two roots reported, the third slot written all the same.
        QVERIFY(!faultOf(true, [](In &, Out &o) { o.count = 2; }).empty());
        QVERIFY(!faultOf(true, [](In &, Out &o) { o.out.back() ^= 1; o.count = 2; }).empty());
        QVERIFY(!faultOf(true, [](In &, Out &o) { writeEntry(o.out, 0, cplx(1e-13L, 0)); }).empty());
        QVERIFY(!faultOf(true, [](In &, Out &o) { writeEntry(o.out, 1, cplx(2, -1e-13L)); }).empty());
        QVERIFY(!faultOf(true, [](In &, Out &o) { o.callerCoeffs[2] = cplx(11, 1e-300L); }).empty());
        QVERIFY(!faultOf(true, [](In &, Out &o) { o.chainReleased = false; }).empty());
        QVERIFY(!faultOf(true, [](In &, Out &o) { o.solverDegree = 4; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.solverDegree = 2; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.solverCoeffs[3] = cplx(-6.000000001L, 0); }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.solvedAgain = false; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.returnedAgain = false; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.countAgain = 2; }).empty());
        QVERIFY(!faultOf(false, [](In &, Out &o) { o.outAgain[0] ^= 1; }).empty());
        // The reverse-deflating solve deflates the solver's copy on purpose.
        QVERIFY(faultOf(true, [](In &, Out &o) { o.solverDegree = 2; o.solverCoeffs[1] = 0; }).empty());
    }
};

QTEST_APPLESS_MAIN(TestFuzzRegressions)
#include "test_fuzz_regressions.moc"
