// The parts of a plot that need no window: the numbers along an axis, the
// signed-log axis, the traced curve and the roots counted into marks.
#include "plot_curve.h"
#include "plot_marks.h"
#include "plot_scale.h"

#include <QtTest>

#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <vector>

using cplx = std::complex<long double>;
using Function = std::function<double(double)>;
using Marks = std::vector<std::pair<double, int>>;
Q_DECLARE_METATYPE(Function)
Q_DECLARE_METATYPE(Marks)
Q_DECLARE_METATYPE(std::vector<cplx>)
Q_DECLARE_METATYPE(cplx)

namespace {

// Seven pixels a character, as a fixed-pitch font would take.
double sevenPerCharacter(const QString &text)
{
    return 7.0 * text.size();
}

const double gap = 14;

// What is wrong with the numbers of an axis pixels long over [low, high],
// if anything: ticks out of order or off their steps, numbers that do not
// read as their tick's value, or that come closer than the gap.
QString numberFault(const AxisScale &scale, double low, double high, double pixels,
                    const std::function<double(double)> &valueOf)
{
    const double perUnit = pixels / (high - low);
    double lastEnd = -HUGE_VAL;
    for (size_t i = 0; i < scale.ticks.size(); ++i) {
        const ScaleTick &tick = scale.ticks[i];
        if (tick.at < low || tick.at > high)
            return QString("tick %1 outside").arg(tick.at);
        if (i > 0 && !(tick.at > scale.ticks[i - 1].at))
            return QString("tick %1 out of order").arg(tick.at);
        if (tick.text.isEmpty())
            continue;
        bool isNumber = false;
        const double written = tick.text.toDouble(&isNumber);
        const double value = valueOf(tick.at);
        if (!isNumber || std::fabs(written - value) > 1e-9 * std::max(1.0, std::fabs(value)))
            return QString("tick %1 written %2").arg(value, 0, 'g', 17).arg(tick.text);
        const double centre = (tick.at - low) * perUnit;
        const double half = sevenPerCharacter(tick.text) / 2;
        if (centre - half < lastEnd + gap)
            return QString("%1 crowds the number before it").arg(tick.text);
        lastEnd = centre + half;
    }
    return QString();
}

int numbered(const AxisScale &scale)
{
    return std::count_if(scale.ticks.begin(), scale.ticks.end(),
                         [](const ScaleTick &t) { return !t.text.isEmpty(); });
}

double same(double at)
{
    return at;
}

PlotFrame frame400(PlotRange range)
{
    return PlotFrame{QRectF(40, 10, 400, 300), range, false};
}

} // namespace

class TestPlotScale : public QObject
{
    Q_OBJECT

private slots:
    // The start view's tick distance: 1, 2.5 or 5 times a power of ten
    // from exp, strictly more than 10 or 25 times it taking the next step.
    void tickStep_data()
    {
        QTest::addColumn<double>("range");
        QTest::addColumn<double>("step");
        QTest::newRow("x - 2") << 2.5 << 0.5;
        QTest::newRow("(x - 2)(x - 3)") << 1.5 << 0.25;
        QTest::newRow("x^2 - 1") << 3.0 << 0.5;
        QTest::newRow("exactly 10 of 10^0") << 10.0 << 1.0;
        QTest::newRow("exactly 25 of 10^0") << 25.0 << 2.5;
        QTest::newRow("x^2 - 1000.001x + 1") << 1499.999 << 250.0;
        QTest::newRow("narrow") << 3e-6 << 5e-7;
    }

    void tickStep()
    {
        QFETCH(double, range);
        QFETCH(double, step);
        const double t = plotscale::tickStep(range);
        QVERIFY2(std::fabs(t - step) <= 1e-12 * step, qPrintable(QString::number(t, 'g', 17)));
        QVERIFY(range / t > 4 && range / t <= 10 * (1 + 1e-12));
    }

    void tickText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("labelStep");
        QTest::addColumn<double>("magnitude");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1.0 << 1.0 << 3.0 << "1";
        QTest::newRow("halves") << -2.0 << 0.5 << 3.0 << "-2.0";
        QTest::newRow("quarters") << 0.25 << 0.25 << 3.0 << "0.25";
        QTest::newRow("0 from rounding") << 1e-17 << 0.5 << 3.0 << "0";
        QTest::newRow("a step from exp") << 2.9999999999999991 << 0.49999999999999989 << 3.25
                                         << "3.0";
        QTest::newRow("hundreds") << 250.0 << 250.0 << 1250.0 << "250";
        QTest::newRow("large") << -1e6 << 5e5 << 2e6 << "-1e6";
        QTest::newRow("large, a half") << -1.5e12 << 5e11 << 2.5e12 << "-1.5e12";
        QTest::newRow("small") << 2.5e-5 << 2.5e-5 << 1e-4 << "2.5e-5";
        QTest::newRow("far from 0") << 1e15 + 0.5 << 0.5 << 1e15 << "1.0000000000000005e15";
    }

    void tickText()
    {
        QFETCH(double, value);
        QFETCH(double, labelStep);
        QFETCH(double, magnitude);
        QTEST(plotscale::tickText(value, labelStep, magnitude), "text");
    }

    void valueText_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("resolution");
        QTest::addColumn<QString>("text");
        QTest::newRow("hundredths") << 1.234567 << 0.01 << "1.23";
        QTest::newRow("no minus zero") << -0.001 << 0.01 << "0.00";
        QTest::newRow("whole") << 1234.4 << 2.0 << "1234";
        QTest::newRow("large") << 1234567.8 << 0.5 << "1.2345678e6";
        QTest::newRow("fine") << 3.0e-9 << 1e-10 << "3e-9";
    }

    void valueText()
    {
        QFETCH(double, value);
        QFETCH(double, resolution);
        QTEST(plotscale::valueText(value, resolution), "text");
    }

    // Numbers that read as their ticks and never crowd each other, over
    // ranges near and far from 0 on axes short and long.
    void linearNumbersNeverCrowd_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<int>("leastNumbers");
        const struct {
            const char *name;
            double low, high;
        } ranges[] = {{"x - 2", 0.75, 3.25},
                      {"x^2 - 1", -1.5, 1.5},
                      {"wide", -249.999, 1250.001},
                      {"tall", -375000, 125000},
                      {"tiny", -1e-6, 3e-6},
                      {"far from 0", 1e15 - 0.5, 1e15 + 2.5},
                      {"zoomed in", 0.999, 1.001}};
        for (const auto &r : ranges)
            for (double pixels : {60.0, 150.0, 400.0, 1600.0})
                QTest::addRow("%s, %g pixels", r.name, pixels)
                    << r.low << r.high << pixels << (pixels >= 400 ? 2 : pixels >= 150 ? 1 : 0);
    }

    void linearNumbersNeverCrowd()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, pixels);
        QFETCH(int, leastNumbers);
        const AxisScale scale = plotscale::linearScale(low, high, pixels, sevenPerCharacter, gap);
        QCOMPARE(scale.step, plotscale::tickStep(high - low));
        QVERIFY(scale.ticks.size() >= 4);
        const QString fault = numberFault(scale, low, high, pixels, same);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(numbered(scale) >= leastNumbers);
        for (size_t i = 1; i < scale.ticks.size(); ++i)
            QVERIFY(std::fabs(scale.ticks[i].at - scale.ticks[i - 1].at - scale.step)
                    <= 1e-9 * scale.step + 4 * std::numeric_limits<double>::epsilon() * high);
    }

    // Decades where the range holds three or more, else plain values, each
    // number the value at its tick.
    void signedLogNumbers_data()
    {
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<QString>("expected");
        QTest::newRow("both signs") << -5.6 << 5.1 << 300.0 << "-10000";
        QTest::newRow("many decades") << -60.0 << 120.0 << 300.0 << "1e100";
        QTest::newRow("within a decade") << 2.05 << 2.2 << 300.0 << "130";
        QTest::newRow("around 0") << -0.2 << 0.25 << 300.0 << "0.50";
    }

    void signedLogNumbers()
    {
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(double, pixels);
        QFETCH(QString, expected);
        const AxisScale scale = plotscale::signedLogScale(low, high, pixels, sevenPerCharacter, gap);
        const QString fault = numberFault(scale, low, high, pixels, plotscale::signedPow);
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
        QVERIFY(numbered(scale) >= 3);
        QVERIFY(std::any_of(scale.ticks.begin(), scale.ticks.end(),
                            [&](const ScaleTick &t) { return t.text == expected; }));
    }

    void signedLogRoundTrip_data()
    {
        QTest::addColumn<double>("y");
        for (double y : {0.0, 1e-300, 1e-9, 0.5, 1.0, 7.0, 1e6, 1e300})
            for (double sign : {1.0, -1.0})
                QTest::addRow("%g", sign * y) << sign * y;
    }

    void signedLogRoundTrip()
    {
        QFETCH(double, y);
        const double t = plotscale::signedLog(y);
        QCOMPARE(std::signbit(t), std::signbit(y));
        // The logarithm rounds to a unit in its last place, which its power
        // magnifies by up to 308 ln 10.
        QVERIFY(std::fabs(plotscale::signedPow(t) - y) <= 1e-12 * std::fabs(y));
    }

    // Every point is a separator or lies on the curve within the band just
    // outside the area; the points run left to right, no more than a
    // device column apart where the curve is in view.
    void tracedCurve_data()
    {
        QTest::addColumn<Function>("f");
        QTest::addColumn<double>("ratio");
        QTest::addColumn<int>("pieces");
        QTest::newRow("x^22, steep at both ends") << Function([](double x) { return std::pow(x, 22); })
                                                  << 1.0 << 1;
        QTest::newRow("x^22 at pixel ratio 2") << Function([](double x) { return std::pow(x, 22); })
                                               << 2.0 << 1;
        QTest::newRow("through the area three times")
            << Function([](double x) { return 40 * x * (x - 1) * (x + 1); }) << 1.0 << 3;
        QTest::newRow("not a number left of 0")
            << Function([](double x) { return x < 0 ? std::nan("") : x - 0.5; }) << 1.0 << 1;
        QTest::newRow("infinite beyond 1")
            << Function([](double x) { return std::fabs(x) > 1 ? HUGE_VAL : 0.0; }) << 1.0 << 1;
        QTest::newRow("far above") << Function([](double) { return 1e300; }) << 1.0 << 0;
    }

    void tracedCurve()
    {
        QFETCH(Function, f);
        QFETCH(double, ratio);
        const PlotFrame frame = frame400({-2, 2, -1, 1});
        std::vector<QPointF> points;
        traceCurve(f, frame, ratio, points);
        const double top = frame.area.top() - 1, bottom = frame.area.bottom() + 1;
        int pieces = 0;
        bool inPiece = false;
        double lastColumn = -HUGE_VAL;
        QPointF before(std::nan(""), std::nan(""));
        for (const QPointF &p : points) {
            if (std::isnan(p.x()) && std::isnan(p.y())) {
                inPiece = false;
                before = p;
                continue;
            }
            QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));
            QVERIFY2(p.y() >= top - 1e-9 && p.y() <= bottom + 1e-9, qPrintable(QString::number(p.y())));
            QVERIFY(p.x() >= lastColumn);
            lastColumn = p.x();
            pieces += !inPiece;
            inPiece = true;
            // Points strictly inside the band are samples of the curve;
            // those on its edges are where the curve crosses them.
            const bool sample = p.y() > top + 1e-6 && p.y() < bottom - 1e-6;
            if (sample)
                QVERIFY(std::fabs(frame.row(f(frame.x(p.x()))) - p.y()) < 1e-6);
            const bool bothInside = sample && before.y() > frame.area.top() && before.y() < frame.area.bottom();
            if (bothInside)
                QVERIFY2(p.x() - before.x() <= 1 / ratio + 1e-9, qPrintable(QString::number(p.x())));
            before = p;
        }
        QTEST(pieces, "pieces");
    }

    void rootMarks_data()
    {
        QTest::addColumn<std::vector<cplx>>("roots");
        QTest::addColumn<Marks>("marks");
        QTest::newRow("simple") << std::vector<cplx>{3, 2} << Marks{{3, 1}, {2, 1}};
        QTest::newRow("(x - 1)^3 (x + 2)") << std::vector<cplx>{1, 1, 1, -2} << Marks{{1, 3}, {-2, 1}};
        QTest::newRow("(x^2 + 1)^2") << std::vector<cplx>{cplx(0, 1), cplx(0, -1), cplx(0, 1), cplx(0, -1)}
                                     << Marks{{0, 2}, {0, 2}};
        // Roots that differ in the last bit are two roots.
        QTest::newRow("apart by a bit") << std::vector<cplx>{1, std::nextafter(1.0L, 2.0L)}
                                        << Marks{{1, 1}, {1, 1}};
    }

    void rootMarks()
    {
        QFETCH(std::vector<cplx>, roots);
        QFETCH(Marks, marks);
        const std::vector<RootMark> found = ::rootMarks(roots.data(), static_cast<int>(roots.size()));
        QCOMPARE(found.size(), marks.size());
        for (size_t i = 0; i < marks.size(); ++i) {
            QCOMPARE(static_cast<double>(found[i].root.real()), marks[i].first);
            QCOMPARE(found[i].multiplicity, marks[i].second);
        }
    }

    void markText_data()
    {
        QTest::addColumn<cplx>("root");
        QTest::addColumn<int>("multiplicity");
        QTest::addColumn<QString>("text");
        QTest::newRow("real") << cplx(0.001L, 0) << 1 << "Root 0.001";
        QTest::newRow("triple") << cplx(1, 0) << 3 << "Root 1, multiplicity 3";
        QTest::newRow("complex") << cplx(2, -1) << 2 << "Root (2 + (-1)I), multiplicity 2";
        QTest::newRow("12 digits") << cplx(1.0L / 3, 0) << 1 << "Root 0.333333333333";
    }

    void markText()
    {
        QFETCH(cplx, root);
        QFETCH(int, multiplicity);
        QTEST(::markText({root, multiplicity}), "text");
    }
};

QTEST_MAIN(TestPlotScale)
#include "test_plot_scale.moc"
