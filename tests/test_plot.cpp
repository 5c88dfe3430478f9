// The plot window: the interval it chooses, its ticks and caption, and the
// picture a user sees.
#include "window_testing.h"

#include <QtTest>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

using cplx = std::complex<long double>;
using Values = std::vector<long double>;
using Roots = std::vector<cplx>;
using Xs = std::vector<double>;
Q_DECLARE_METATYPE(Values)
Q_DECLARE_METATYPE(Roots)
Q_DECLARE_METATYPE(Xs)

namespace {

const long double notANumber = std::numeric_limits<long double>::quiet_NaN();

// What the window shows: the pixmap its label holds.
QImage shownPicture(const MyPlot &plot)
{
    return plot.plotLabel->property("pixmap").value<QPixmap>().toImage();
}

MainWindow *holding(MainWindow &window, const Values &coeffs, const Roots &roots)
{
    installSolved(window, coeffs, roots);
    return &window;
}

// A plot window built for a polynomial with the given roots.
struct Plotted {
    Plotted(const Values &coeffs, const Roots &roots) : plot(holding(window, coeffs, roots)) {}

    QImage shown()
    {
        plot.show();
        return shownPicture(plot);
    }

    double column(double x) const { return (x - plot.xMin) * 400 / plot.xRange; }
    double row(double y) const { return (plot.yMax - y) * 400 / plot.yRange; }

    MainWindow window;
    MyPlot plot;
};

// A polynomial of degree 22 whose real roots are 0 (21 times) and top.
Values spike(long double top)
{
    Values coeffs(23, 0);
    coeffs[0] = 1;
    coeffs[1] = -top;
    return coeffs;
}

// White, or white blended into the gray background, untouched by the curve.
bool lit(QRgb p)
{
    return qRed(p) >= 0xb8 && qGreen(p) >= 0xb8 && qBlue(p) >= 0xb8 && qBlue(p) - qRed(p) <= 8;
}

// Touched by the blue curve.
bool bluish(QRgb p)
{
    return qBlue(p) - qRed(p) > 8;
}

// The curve where it crosses the middle of the picture.
bool blueAtCentre(const QImage &image)
{
    return bluish(image.pixel(200, 199)) || bluish(image.pixel(200, 200));
}

bool inside(int column, int row)
{
    return column >= 0 && column < 400 && row >= 0 && row < 400;
}

// Every pixel for which the test holds.
QVector<QPoint> pixels(const QImage &image, bool (*test)(QRgb))
{
    QVector<QPoint> found;
    for (int r = 0; r < image.height(); ++r)
        for (int c = 0; c < image.width(); ++c)
            if (test(image.pixel(c, r)))
                found << QPoint(c, r);
    return found;
}

QString where(QPoint p)
{
    return QString("%1,%2").arg(p.x()).arg(p.y());
}

// Whether the test holds somewhere in the rows and columns within reach.
bool anyNear(const QImage &image, double column, double row, QPoint reach, bool (*test)(QRgb))
{
    const int c0 = static_cast<int>(std::lround(column));
    const int r0 = static_cast<int>(std::lround(row));
    for (int r = r0 - reach.y(); r <= r0 + reach.y(); ++r)
        for (int c = c0 - reach.x(); c <= c0 + reach.x(); ++c)
            if (inside(c, r) && test(image.pixel(c, r)))
                return true;
    return false;
}

// A dot shows white two rows above the axis, clear of the axis line.
bool dotAt(const QImage &image, double column, int axisRow, int reach)
{
    return anyNear(image, column, axisRow - 2, {reach, 0}, lit);
}

// Where white may show: the axes, a disc round each tick dot and the label.
struct WhiteParts {
    int axisRow = -1;
    int axisColumn = -1000;
    std::vector<double> dotColumns;
    QRect label;

    bool allows(QPoint p) const
    {
        const bool onAxis = p.y() == axisRow - 1 || p.y() == axisRow;
        if (onAxis || p.x() == axisColumn - 1 || p.x() == axisColumn)
            return true;
        for (double dot : dotColumns)
            if (std::abs(p.x() - dot) <= 4.5 && std::abs(p.y() - axisRow) <= 4)
                return true;
        return label.contains(p);
    }
};

int strayWhitePixels(const QImage &image, const WhiteParts &parts)
{
    const QVector<QPoint> white = pixels(image, lit);
    return std::count_if(white.begin(), white.end(), [&](QPoint p) { return !parts.allows(p); });
}

// The text as a 14-point white label with its baseline starting at origin.
QImage labelAlone(const QString &text, QPointF origin)
{
    QPixmap reference(400, 400);
    reference.fill(Qt::gray);
    QPainter painter(&reference);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPointSize(14);
    painter.setFont(font);
    painter.drawText(origin, text);
    painter.end();
    return reference.toImage();
}

QRect litBounds(const QImage &image)
{
    QRect box;
    for (QPoint p : pixels(image, lit))
        box |= QRect(p, QSize(1, 1));
    return box;
}

// Pixels above dot and axis where the picture's white differs from the
// label drawn alone; pixels the curve touches are skipped.
int labelMismatches(const QImage &image, const QImage &alone, int axisRow, int *litInLabel)
{
    const QRect box = litBounds(alone).adjusted(-1, -1, 1, 1);
    int mismatches = 0;
    *litInLabel = 0;
    for (int r = box.top(); r <= box.bottom() && r < axisRow - 4; ++r)
        for (int c = box.left(); c <= box.right(); ++c) {
            if (!inside(c, r) || bluish(image.pixel(c, r)))
                continue;
            *litInLabel += lit(alone.pixel(c, r));
            mismatches += lit(image.pixel(c, r)) != lit(alone.pixel(c, r));
        }
    return mismatches;
}

} // namespace

class TestPlot : public QObject
{
    Q_OBJECT

    // The polynomials both tables describe, with the roots the window gets.
    static QTestData &newPolynomialRow(int index)
    {
        static const struct {
            const char *name;
            Values coeffs;
            Roots roots;
        } rows[] = {
            {"x - 2", {1, -2}, {{2, 0}}},
            {"x^2 - 1", {1, 0, -1}, {{1, 0}, {-1, 0}}},
            {"(x - 2)(x - 3)", {1, -5, 6}, {{3, 0}, {2, 0}}},
            {"(x + 2)(x + 3)", {1, 5, 6}, {{-3, 0}, {-2, 0}}},
            {"x^2 + 1", {1, 0, 1}, {{0, 1}, {0, -1}}},
            // Each value found is exactly 0 in double: the flat curve gets
            // the narrow cluster's y pad instead of a y interval of no height.
            {"flat x(x - 1) / 10^400", {1e-400L, -1e-400L, 0}, {{1, 0}, {0, 0}}},
            // x from -1 to 9 and from -2.5 to 22.5: against the power 10^0,
            // which exp gives exactly, the range is exactly 10 or 25 times
            // it, and only a range larger than that takes the next step.
            {"range exactly 10 ticks", {1, -12, 32, 0}, {{8, 0}, {4, 0}, {0, 0}}},
            {"range exactly 25 ticks", {1, -30, 200, 0}, {{20, 0}, {10, 0}, {0, 0}}},
        };
        return QTest::newRow(rows[index].name) << rows[index].coeffs << rows[index].roots;
    }

    static void addPolynomialColumns()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Roots>("roots");
    }

private slots:
    void widgetTree()
    {
        Plotted p({1, 0, -1}, {{1, 0}, {-1, 0}});
        const MyPlot &plot = p.plot;
        QCOMPARE(plot.windowTitle(), QString("Plot Of Polynomial"));
        QVERIFY(plot.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(plot.parentWidget(), static_cast<QWidget *>(&p.window));
        QVERIFY(plot.isWindow());
        QCOMPARE(plot.size(), QSize(420, 420));
        QCOMPARE(plot.centralWidget(), plot.central);
        QCOMPARE(plot.central->layout(), static_cast<QLayout *>(plot.vLayout));
        QCOMPARE(plot.vLayout->count(), 2);
        QCOMPARE(plot.vLayout->itemAt(0)->widget(), static_cast<QWidget *>(plot.plotLabel));
        QCOMPARE(plot.vLayout->itemAt(1)->widget(), static_cast<QWidget *>(plot.infoLabel));
        QCOMPARE(plot.vLayout->stretch(0), 132);
        QCOMPARE(plot.vLayout->stretch(1), 1);
        QCOMPARE(plot.infoLabel->textFormat(), Qt::PlainText);
        QCOMPARE(plot.infoLabel->margin(), 5);
        // Nothing is drawn before the first resize event.
        QVERIFY(shownPicture(plot).isNull());
        QCOMPARE(plot.pixmap->size(), QSize(400, 400));
    }

    void interval_data()
    {
        addPolynomialColumns();
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<double>("yMin");
        QTest::addColumn<double>("yMax");
        QTest::addColumn<int>("side");
        newPolynomialRow(0) << 0.75 << 3.25 << -1.25 << 1.25 << 1;
        newPolynomialRow(1) << -1.5 << 1.5 << -1.5 << 0.5 << 0;
        newPolynomialRow(2) << 1.75 << 3.25 << -0.375 << 0.125 << 1;
        newPolynomialRow(3) << -3.25 << -1.75 << -0.375 << 0.125 << -1;
        newPolynomialRow(4) << -1.25 << 1.25 << -1.25 << 2.25 << 0;
        newPolynomialRow(5) << -0.25 << 1.25 << -1.25 << 1.25 << 0;
    }

    void interval()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        const Plotted p(coeffs, roots);
        QTEST(p.plot.xMin, "xMin");
        QTEST(p.plot.xMax, "xMax");
        QTEST(p.plot.yMin, "yMin");
        QTEST(p.plot.yMax, "yMax");
        QCOMPARE(p.plot.xRange, p.plot.xMax - p.plot.xMin);
        QCOMPARE(p.plot.yRange, p.plot.yMax - p.plot.yMin);
        QTEST(p.plot.intervalSide, "side");
    }

    // The tick interval, its caption, a dot at every tick and nowhere else,
    // and where 0 is not shown the value of the tick nearest to it.
    void ticks_data()
    {
        addPolynomialColumns();
        QTest::addColumn<double>("tick");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<Xs>("dots");
        QTest::addColumn<Xs>("noDots");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("labelAt");
        newPolynomialRow(0) << 0.5 << "X-Tick-Interval: 0.5" << Xs{1, 1.5, 2, 2.5, 3}
                            << Xs{0.75, 1.25, 2.75, 3.25} << "1" << 1.0;
        newPolynomialRow(1) << 0.5 << "X-Tick-Interval: 0.5" << Xs{-1.5, -1, -0.5, 0, 0.5, 1, 1.5}
                            << Xs{-1.25, -0.75, 0.25, 1.25} << "" << 0.0;
        newPolynomialRow(2) << 0.25 << "X-Tick-Interval: 0.25" << Xs{2, 2.25, 2.5, 2.75, 3, 3.25}
                            << Xs{1.75, 1.875, 2.625} << "2" << 2.0;
        newPolynomialRow(3) << 0.25 << "X-Tick-Interval: 0.25"
                            << Xs{-3.25, -3, -2.75, -2.5, -2.25, -2} << Xs{-1.75, -1.875, -2.625}
                            << "-2" << -2.0;
        newPolynomialRow(4) << 0.5 << "X-Tick-Interval: 0.5" << Xs{-1, -0.5, 0, 0.5, 1}
                            << Xs{-1.25, -0.75, 0.75, 1.25} << "" << 0.0;
        newPolynomialRow(5) << 0.25 << "X-Tick-Interval: 0.25"
                            << Xs{-0.25, 0, 0.25, 0.5, 0.75, 1, 1.25} << Xs{-0.125, 0.625} << ""
                            << 0.0;
        newPolynomialRow(6) << 1.0 << "X-Tick-Interval: 1" << Xs{-1, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9}
                            << Xs{2.5, 7.5} << "" << 0.0;
        newPolynomialRow(7) << 2.5 << "X-Tick-Interval: 2.5"
                            << Xs{-2.5, 0, 2.5, 5, 7.5, 10, 12.5, 15, 17.5, 20, 22.5}
                            << Xs{1.25, 6.25, 13.75} << "" << 0.0;
    }

    void ticks()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        QFETCH(Xs, dots);
        QFETCH(Xs, noDots);
        QFETCH(QString, label);
        QFETCH(double, labelAt);
        Plotted p(coeffs, roots);
        QTEST(p.plot.tickInterval, "tick");
        QTEST(p.plot.infoLabel->text(), "caption");

        const QImage image = p.shown();
        const double axisRow = (p.plot.yMin + p.plot.yRange) * 400 / p.plot.yRange;
        WhiteParts parts;
        parts.axisRow = static_cast<int>(axisRow);
        if (p.plot.intervalSide == 0)
            parts.axisColumn = static_cast<int>(p.column(0));
        for (double x : dots) {
            QVERIFY2(dotAt(image, p.column(x), parts.axisRow, 1),
                     qPrintable(QString("dot at %1").arg(x)));
            parts.dotColumns.push_back(p.column(x));
        }
        for (double x : noDots)
            QVERIFY2(!dotAt(image, p.column(x), parts.axisRow, 3),
                     qPrintable(QString("no dot at %1").arg(x)));
        if (!label.isEmpty()) {
            // Text is placed to fractions of a pixel, and the tick from exp
            // can lie a hair off labelAt: take the tick the window computed.
            const double tick = std::round(labelAt / p.plot.tickInterval) * p.plot.tickInterval;
            const QImage alone = labelAlone(label, QPointF(p.column(tick) - 12, axisRow));
            parts.label = litBounds(alone).adjusted(-1, -1, 1, 1);
            int litInLabel = 0;
            QCOMPARE(labelMismatches(image, alone, parts.axisRow, &litInLabel), 0);
            QVERIFY(litInLabel > 10);
        }
        QCOMPARE(strayWhitePixels(image, parts), 0);
    }

    // The picture as a whole: gray, the axes where 0 is, the blue curve
    // through its samples.
    void picture_data() { interval_data(); }

    void picture()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        Plotted p(coeffs, roots);
        const QImage image = p.shown();
        QCOMPARE(image.size(), QSize(400, 400));
        QCOMPARE(image.pixel(100, 399) & 0xffffff, QColor(Qt::gray).rgb() & 0xffffff);
        for (int c = 10; c < 400; c += 50) {
            const QRgb axis = image.pixel(c, static_cast<int>(p.row(0)));
            QVERIFY2(lit(axis) || bluish(axis), qPrintable(QString("axis at column %1").arg(c)));
        }
        const int zero = static_cast<int>(p.column(0));
        if (p.plot.intervalSide == 0)
            QVERIFY(lit(image.pixel(zero, 5)) || lit(image.pixel(zero - 1, 5)));
        int samplesInside = 0;
        for (int i = 0; i <= 80; ++i) {
            const double x = p.plot.xMin + p.plot.xRange * i / 80;
            const double c = p.column(x), r = p.row(p.window.solver->at(x));
            if (c < 1 || c > 398 || r < 1 || r > 398)
                continue;
            ++samplesInside;
            QVERIFY2(anyNear(image, c, r, {1, 1}, bluish), qPrintable(QString("sample %1").arg(i)));
        }
        QVERIFY(samplesInside >= 40);
    }

    void diagonalIsTheOnlyBlue()
    {
        Plotted p({1, -2}, {{2, 0}});
        const QImage image = p.shown();
        for (QPoint b : pixels(image, bluish))
            QVERIFY2(std::abs(b.x() + b.y() - 399) <= 2, qPrintable(where(b)));
        QVERIFY(blueAtCentre(image));
    }

    // Positions that do not fit an int are left out of the picture.
    void unrepresentablePositions_data()
    {
        addPolynomialColumns();
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("curve");
        QTest::newRow("ticks beyond int, right") << Values{1, -5e9} << Roots{{5e9, 0}}
                                                 << "X-Tick-Interval: 0.5" << true;
        QTest::newRow("ticks beyond int, left") << Values{1, 5e9} << Roots{{-5e9, 0}}
                                                << "X-Tick-Interval: 0.5" << true;
        QTest::newRow("NaN first root") << Values{1, 0, -1} << Roots{{notANumber, 0}, {1, 0}}
                                        << "X-Tick-Interval: nan" << false;
    }

    void unrepresentablePositions()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        QFETCH(bool, curve);
        Plotted p(coeffs, roots);
        const QImage image = p.shown();
        QTEST(p.plot.infoLabel->text(), "caption");
        WhiteParts axisOnly;
        axisOnly.axisRow = 200;
        QCOMPARE(strayWhitePixels(image, axisOnly), 0);
        QVERIFY(lit(image.pixel(10, 200)));
        QCOMPARE(blueAtCentre(image), curve);
    }

    // Samples far above the picture are kept as they are: the curve still
    // shows where it passes through.
    void samplesFarOutside()
    {
        Values coeffs(23, 0);
        coeffs[0] = 1;
        Plotted p(coeffs, {{0, 0}, {0.1, 0}});
        const QImage image = p.shown();
        QVERIFY(p.plot.samples[80].y() < -1e13);
        QVERIFY(anyNear(image, p.plot.samples[40].x(), p.plot.samples[40].y(), {1, 1}, bluish));
        // It leaves the top near x = -0.102 and x = 0.102.
        QVERIFY(anyNear(image, 98, 1, {8, 8}, bluish));
        QVERIFY(anyNear(image, 234, 1, {8, 8}, bluish));
        QVERIFY(!bluish(image.pixel(20, 200)));
    }

    // Values beyond double's range leave infinite rows at both ends; the
    // finite middle of the curve is still drawn, and nothing else.
    void infiniteSamples()
    {
        Plotted p({1.5e308L, 0, 0}, {{0, 0}, {0, 0}});
        const QImage image = p.shown();
        QVERIFY(std::isinf(p.plot.samples[0].y()));
        QVERIFY(std::isfinite(p.plot.samples[40].y()));
        QVERIFY(blueAtCentre(image));
        QVERIFY(anyNear(image, 200, 100, {2, 2}, bluish));
        for (QPoint b : pixels(image, bluish))
            QVERIFY2(std::abs(b.x() - 200) <= 3 && b.y() <= 201, qPrintable(where(b)));
    }

    // A degree-22 polynomial as large as the dialog allows, with roots at
    // the magnitude its coefficients bound them to, opens its window.
    void widestPolynomial()
    {
        Values coeffs(23, 1e10L);
        coeffs[0] = 0.01L;
        for (size_t i = 1; i < coeffs.size(); i += 2)
            coeffs[i] = -1e10L;
        Roots roots(22, cplx(0, 0));
        roots[0] = cplx(-1e12L, 0);
        roots[1] = cplx(1e12L, 0);
        Plotted p(coeffs, roots);
        QCOMPARE(p.shown().size(), QSize(400, 400));
        const double margin = 2e12 * std::pow(0.5, 22);
        QCOMPARE(p.plot.xMin, -1e12 - margin);
        QCOMPARE(p.plot.xMax, 1e12 + margin);
        QVERIFY(std::isfinite(p.plot.yMin) && std::isfinite(p.plot.yMax));
        QVERIFY(p.plot.yRange > 0);
        for (int i = 0; i <= 80; ++i)
            QVERIFY(std::isfinite(p.plot.samples[i].y()));
    }

    // Steps of 0.01 would take 10^5 points; the bounded scan spreads fewer
    // over the whole span, so the deep minimum near x = 954.5 still counts.
    void longScanCoversTheSpan()
    {
        Roots roots(22, cplx(0, 0));
        roots[21] = cplx(1000, 0);
        const Plotted p(spike(1000), roots);
        const long double x = 21000.0L / 22;
        const double deepest = static_cast<double>(std::pow(x, 21) * (x - 1000));
        QVERIFY(p.plot.yMin <= 1.5 * deepest * 0.999);
        QVERIFY(p.plot.yMin >= 1.5 * deepest);
        QCOMPARE(p.plot.yMax, -0.5 * p.plot.yMin / 1.5);
    }

    // 9600 points at steps of 0.01: the scan runs as given, every point.
    void shorterScanIsExact()
    {
        Values coeffs(10, 0);
        coeffs[0] = 1;
        coeffs[1] = -96;
        Roots roots(9, cplx(0, 0));
        roots[8] = cplx(96, 0);
        Plotted p(coeffs, roots);
        PolySolver &solver = *p.window.solver;
        double lowest = 0, highest = solver.at(96);
        for (double x = 0; x < 96; x = x + 0.25 / 25) {
            lowest = std::min(lowest, solver.at(x));
            highest = std::max(highest, solver.at(x));
        }
        const double pad = (highest - lowest) * 0.5;
        QVERIFY(p.plot.yMin == lowest - pad);
        QVERIFY(p.plot.yMax == highest + pad);
    }

    // Far from 0 a step of 0.02 is lost in rounding; the scan still ends.
    void scanBeyondStepResolution()
    {
        const long double a = 1e15L, b = 1e15L + 2;
        const Plotted p({1, -(a + b), a * b}, {{b, 0}, {a, 0}});
        QCOMPARE(p.plot.xMin, 1e15 - 0.5);
        QCOMPARE(p.plot.xMax, 1e15 + 2.5);
        QCOMPARE(p.plot.intervalSide, 1);
    }

    void resizeRedrawsTheSamePicture()
    {
        Plotted p({1, -5, 6}, {{3, 0}, {2, 0}});
        const QImage first = p.shown();
        // The picture is fixed once built: a changed main window does not reach it.
        installSolved(p.window, {1, 0, 1}, {cplx(0, 1), cplx(0, -1)});
        delete p.window.solver;
        p.window.solver = nullptr;
        MyPlot &plot = p.plot;
        const auto forget = [&plot] {
            plot.pixmap->fill(Qt::black);
            plot.plotLabel->clear();
        };
        forget();
        plot.resize(640, 480);
        QTRY_COMPARE(shownPicture(plot), first);
        for (const QSize size : {QSize(700, 520), QSize(250, 200)}) {
            forget();
            QResizeEvent event(size, plot.size());
            QCoreApplication::sendEvent(&plot, &event);
            QCOMPARE(shownPicture(plot), first);
            QCOMPARE(plot.plotLabel->alignment(), Qt::AlignCenter);
        }
    }

    void closingDeletesTheWindow_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");
        QTest::newRow("closed") << 0 << true;
        QTest::newRow("Esc") << int(Qt::Key_Escape) << true;
        QTest::newRow("another key") << int(Qt::Key_Space) << false;
    }

    void closingDeletesTheWindow()
    {
        QFETCH(int, key);
        QFETCH(bool, closes);
        MainWindow window;
        installSolved(window, {1, 0, -1}, {cplx(1, 0), cplx(-1, 0)});
        QPointer<MyPlot> plot = new MyPlot(&window);
        plot->show();
        if (key)
            QTest::keyClick(plot, Qt::Key(key));
        else
            QVERIFY(plot->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(plot.isNull(), closes);
    }

    void mainWindowTakesOpenPlotsAlong()
    {
        auto *window = new MainWindow;
        installSolved(*window, {1, 0, -1}, {cplx(1, 0), cplx(-1, 0)});
        QPointer<MyPlot> shown = new MyPlot(window);
        QPointer<MyPlot> hidden = new MyPlot(window);
        shown->show();
        delete window;
        QVERIFY(shown.isNull());
        QVERIFY(hidden.isNull());
    }
};

QTEST_MAIN(TestPlot)
#include "test_plot.moc"
