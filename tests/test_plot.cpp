// The plot window: the interval it chooses, its ticks and caption, and the
// picture a user sees.
#include "mainwindow.h"
#include "plot.h"
#include "window_testing.h"

#include <QtTest>
#include <QLabel>
#include <QPainter>
#include <QPointer>
#include <QVBoxLayout>

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

// A polynomial of degree 22 whose real roots are 0 (21 times) and top.
void installSpike(MainWindow &window, long double top)
{
    Values coeffs(23, 0);
    coeffs[0] = 1;
    coeffs[1] = -top;
    Roots roots(22, cplx(0, 0));
    roots[21] = cplx(top, 0);
    installSolved(window, coeffs, roots);
}

// What the window shows: the pixmap its label holds.
QImage shownPicture(const MyPlot &plot)
{
    return plot.plotLabel->property("pixmap").value<QPixmap>().toImage();
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

bool inside(int column, int row)
{
    return column >= 0 && column < 400 && row >= 0 && row < 400;
}

bool anyNear(const QImage &image, double column, double row, int reach, bool (*test)(QRgb))
{
    const int c0 = static_cast<int>(std::lround(column));
    const int r0 = static_cast<int>(std::lround(row));
    for (int r = r0 - reach; r <= r0 + reach; ++r)
        for (int c = c0 - reach; c <= c0 + reach; ++c)
            if (inside(c, r) && test(image.pixel(c, r)))
                return true;
    return false;
}

// Where white may show: the axes, a disc round each tick dot and the label.
struct WhiteParts {
    int axisRow = -1;
    int axisColumn = -1000;
    std::vector<double> dotColumns;
    QRect label;

    bool allows(int column, int row) const
    {
        if (row == axisRow - 1 || row == axisRow || column == axisColumn - 1 || column == axisColumn)
            return true;
        for (double dot : dotColumns)
            if (std::abs(column - dot) <= 4.5 && std::abs(row - axisRow) <= 4)
                return true;
        return label.contains(column, row);
    }
};

int strayWhitePixels(const QImage &image, const WhiteParts &parts)
{
    int stray = 0;
    for (int r = 0; r < 400; ++r)
        for (int c = 0; c < 400; ++c)
            if (lit(image.pixel(c, r)) && !parts.allows(c, r))
                ++stray;
    return stray;
}

bool litInRow(const QImage &image, int row, int from, int to)
{
    for (int c = from; c <= to; ++c)
        if (inside(c, row) && lit(image.pixel(c, row)))
            return true;
    return false;
}

// A dot shows white two rows above the axis, clear of the axis line.
bool dotAt(const QImage &image, double column, int axisRow, int reach)
{
    const int c = static_cast<int>(std::lround(column));
    return litInRow(image, axisRow - 2, c - reach, c + reach);
}

QRect litBounds(const QImage &image)
{
    QRect box;
    for (int r = 0; r < image.height(); ++r)
        for (int c = 0; c < image.width(); ++c)
            if (lit(image.pixel(c, r)))
                box |= QRect(c, r, 1, 1);
    return box;
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

private slots:
    void widgetTree()
    {
        MainWindow window;
        installSolved(window, {1, 0, -1}, {cplx(1, 0), cplx(-1, 0)});
        MyPlot plot(&window);

        QCOMPARE(plot.windowTitle(), QString("Plot Of Polynomial"));
        QVERIFY(plot.testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(plot.parentWidget(), static_cast<QWidget *>(&window));
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
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Roots>("roots");
        QTest::addColumn<double>("xMin");
        QTest::addColumn<double>("xMax");
        QTest::addColumn<double>("yMin");
        QTest::addColumn<double>("yMax");
        QTest::addColumn<int>("side");
        QTest::addColumn<double>("tick");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("label");
        QTest::addColumn<double>("labelAt");
        QTest::addColumn<Xs>("dots");
        QTest::addColumn<Xs>("noDots");

        QTest::newRow("x - 2") << Values{1, -2} << Roots{{2, 0}} << 0.75 << 3.25 << -1.25
                               << 1.25 << 1 << 0.5 << "X-Tick-Interval: 0.5" << "1" << 1.0
                               << Xs{1, 1.5, 2, 2.5, 3} << Xs{0.75, 1.25, 2.75, 3.25};
        QTest::newRow("x^2 - 1") << Values{1, 0, -1} << Roots{{1, 0}, {-1, 0}} << -1.5 << 1.5
                                 << -1.5 << 0.5 << 0 << 0.5 << "X-Tick-Interval: 0.5" << ""
                                 << 0.0 << Xs{-1.5, -1, -0.5, 0, 0.5, 1, 1.5}
                                 << Xs{-1.25, -0.75, 0.25, 1.25};
        QTest::newRow("(x - 2)(x - 3)")
            << Values{1, -5, 6} << Roots{{3, 0}, {2, 0}} << 1.75 << 3.25 << -0.375 << 0.125 << 1
            << 0.25 << "X-Tick-Interval: 0.25" << "2" << 2.0 << Xs{2, 2.25, 2.5, 2.75, 3, 3.25}
            << Xs{1.75, 1.875, 2.625};
        QTest::newRow("(x + 2)(x + 3)")
            << Values{1, 5, 6} << Roots{{-3, 0}, {-2, 0}} << -3.25 << -1.75 << -0.375 << 0.125
            << -1 << 0.25 << "X-Tick-Interval: 0.25" << "-2" << -2.0
            << Xs{-3.25, -3, -2.75, -2.5, -2.25, -2} << Xs{-1.75, -1.875, -2.625};
        QTest::newRow("x^2 + 1") << Values{1, 0, 1} << Roots{{0, 1}, {0, -1}} << -1.25 << 1.25
                                 << -1.25 << 2.25 << 0 << 0.5 << "X-Tick-Interval: 0.5" << ""
                                 << 0.0 << Xs{-1, -0.5, 0, 0.5, 1} << Xs{-1.25, -0.75, 0.75, 1.25};
        // Each value found is exactly 0 in double: the flat curve gets the
        // narrow cluster's y pad instead of a y interval of no height.
        QTest::newRow("flat x(x - 1) / 10^400")
            << Values{1e-400L, -1e-400L, 0} << Roots{{1, 0}, {0, 0}} << -0.25 << 1.25 << -1.25
            << 1.25 << 0 << 0.25 << "X-Tick-Interval: 0.25" << "" << 0.0
            << Xs{-0.25, 0, 0.25, 0.5, 0.75, 1, 1.25} << Xs{-0.125, 0.625};
    }

    void interval()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        MainWindow window;
        installSolved(window, coeffs, roots);
        MyPlot plot(&window);

        QTEST(plot.xMin, "xMin");
        QTEST(plot.xMax, "xMax");
        QTEST(plot.yMin, "yMin");
        QTEST(plot.yMax, "yMax");
        QCOMPARE(plot.xRange, plot.xMax - plot.xMin);
        QCOMPARE(plot.yRange, plot.yMax - plot.yMin);
        QTEST(plot.intervalSide, "side");
        QTEST(plot.tickInterval, "tick");
        QTEST(plot.infoLabel->text(), "caption");
    }

    void picture_data() { interval_data(); }

    void picture()
    {
        QFETCH(Values, coeffs);
        QFETCH(Roots, roots);
        QFETCH(double, xMin);
        QFETCH(double, xMax);
        QFETCH(double, yMin);
        QFETCH(double, yMax);
        QFETCH(QString, label);
        QFETCH(double, labelAt);
        QFETCH(Xs, dots);
        QFETCH(Xs, noDots);
        MainWindow window;
        installSolved(window, coeffs, roots);
        MyPlot plot(&window);
        plot.show();
        const QImage image = shownPicture(plot);
        QCOMPARE(image.size(), QSize(400, 400));

        auto column = [&](double x) { return (x - xMin) * 400 / (xMax - xMin); };
        auto row = [&](double y) { return (yMax - y) * 400 / (yMax - yMin); };
        const int axisRow = static_cast<int>(row(0));
        const bool axisShown = xMin <= 0 && xMax >= 0;

        QCOMPARE(image.pixel(100, 399) & 0xffffff, QColor(Qt::gray).rgb() & 0xffffff);
        for (int c = 10; c < 400; c += 50) {
            const QRgb p = image.pixel(c, axisRow);
            QVERIFY2(lit(p) || bluish(p), qPrintable(QString("axis at column %1").arg(c)));
        }
        if (axisShown)
            QVERIFY(lit(image.pixel(static_cast<int>(column(0)), 5))
                    || lit(image.pixel(static_cast<int>(column(0)) - 1, 5)));
        for (double x : dots)
            QVERIFY2(dotAt(image, column(x), axisRow, 1), qPrintable(QString("dot at %1").arg(x)));
        for (double x : noDots)
            QVERIFY2(!dotAt(image, column(x), axisRow, 3), qPrintable(QString("no dot at %1").arg(x)));

        WhiteParts parts;
        parts.axisRow = axisRow;
        if (axisShown)
            parts.axisColumn = static_cast<int>(column(0));
        for (double x : dots)
            parts.dotColumns.push_back(column(x));
        // Text is placed to fractions of a pixel, and the tick from exp can
        // lie a hair off labelAt: take the tick the window computed.
        const double tick = std::round(labelAt / plot.tickInterval) * plot.tickInterval;
        const QPointF labelOrigin((tick - plot.xMin) * 400 / plot.xRange - 12,
                                  (plot.yMin + plot.yRange) * 400 / plot.yRange);
        if (!label.isEmpty()) {
            const QImage alone = labelAlone(label, labelOrigin);
            parts.label = litBounds(alone).adjusted(-1, -1, 1, 1);
            int litInLabel = 0;
            QCOMPARE(labelMismatches(image, alone, axisRow, &litInLabel), 0);
            QVERIFY(litInLabel > 10);
        }
        QCOMPARE(strayWhitePixels(image, parts), 0);

        // The curve passes through its samples, wherever they lie inside.
        int samplesInside = 0;
        for (int i = 0; i <= 80; ++i) {
            const double x = xMin + (xMax - xMin) * i / 80;
            const double y = window.solver->at(x);
            const double c = column(x), r = row(y);
            if (c < 1 || c > 398 || r < 1 || r > 398)
                continue;
            ++samplesInside;
            QVERIFY2(anyNear(image, c, r, 1, bluish), qPrintable(QString("sample %1").arg(i)));
        }
        QVERIFY(samplesInside >= 40);
    }

    void diagonalIsTheOnlyBlue()
    {
        MainWindow window;
        installSolved(window, {1, -2}, {cplx(2, 0)});
        MyPlot plot(&window);
        plot.show();
        const QImage image = shownPicture(plot);
        for (int r = 0; r < 400; ++r)
            for (int c = 0; c < 400; ++c)
                if (bluish(image.pixel(c, r)))
                    QVERIFY2(std::abs(r + c - 399) <= 2, qPrintable(QString("%1,%2").arg(c).arg(r)));
        QVERIFY(bluish(image.pixel(200, 199)) || bluish(image.pixel(200, 200)));
    }

    // Positions that do not fit an int are left out of the picture.
    void unrepresentablePositions_data()
    {
        QTest::addColumn<Values>("coeffs");
        QTest::addColumn<Roots>("roots");
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
        MainWindow window;
        installSolved(window, coeffs, roots);
        MyPlot plot(&window);
        plot.show();
        const QImage image = shownPicture(plot);

        QTEST(plot.infoLabel->text(), "caption");
        WhiteParts axisOnly;
        axisOnly.axisRow = 200;
        QCOMPARE(strayWhitePixels(image, axisOnly), 0);
        QVERIFY(lit(image.pixel(10, 200)));
        QCOMPARE(bluish(image.pixel(200, 199)) || bluish(image.pixel(200, 200)), curve);
    }

    // Samples far above the picture are kept as they are: the curve still
    // shows where it passes through.
    void samplesFarOutside()
    {
        MainWindow window;
        installSolved(window, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                {cplx(0, 0), cplx(0.1, 0)});
        MyPlot plot(&window);
        plot.show();
        const QImage image = shownPicture(plot);

        QVERIFY(plot.samples[80].y() < -1e13);
        QVERIFY(anyNear(image, plot.samples[40].x(), plot.samples[40].y(), 1, bluish));
        // It leaves the top near x = -0.102 and x = 0.102.
        QVERIFY(anyNear(image, 98, 1, 8, bluish));
        QVERIFY(anyNear(image, 234, 1, 8, bluish));
        QVERIFY(!bluish(image.pixel(20, 200)));
    }

    // Values beyond double's range leave infinite rows at both ends; the
    // finite middle of the curve is still drawn, and nothing else.
    void infiniteSamples()
    {
        MainWindow window;
        installSolved(window, {1.5e308L, 0, 0}, {cplx(0, 0), cplx(0, 0)});
        MyPlot plot(&window);
        plot.show();
        const QImage image = shownPicture(plot);

        QVERIFY(std::isinf(plot.samples[0].y()));
        QVERIFY(std::isfinite(plot.samples[40].y()));
        QVERIFY(bluish(image.pixel(200, 199)) || bluish(image.pixel(200, 200)));
        QVERIFY(anyNear(image, 200, 100, 2, bluish));
        for (int r = 0; r < 400; ++r)
            for (int c = 0; c < 400; ++c)
                if (bluish(image.pixel(c, r)))
                    QVERIFY2(std::abs(c - 200) <= 3 && r <= 201, qPrintable(QString("%1,%2").arg(c).arg(r)));
    }

    // A degree-22 polynomial as large as the dialog allows, with roots at
    // the magnitude its coefficients bound them to, opens its window.
    void widestPolynomial()
    {
        MainWindow window;
        Values coeffs(23, 1e10L);
        coeffs[0] = 0.01L;
        for (size_t i = 1; i < coeffs.size(); i += 2)
            coeffs[i] = -1e10L;
        Roots roots(22, cplx(0, 0));
        roots[0] = cplx(-1e12L, 0);
        roots[1] = cplx(1e12L, 0);
        installSolved(window, coeffs, roots);
        MyPlot plot(&window);
        plot.show();

        const double margin = 2e12 * std::pow(0.5, 22);
        QCOMPARE(plot.xMin, -1e12 - margin);
        QCOMPARE(plot.xMax, 1e12 + margin);
        QVERIFY(std::isfinite(plot.yMin) && std::isfinite(plot.yMax));
        QVERIFY(plot.yRange > 0);
        for (int i = 0; i <= 80; ++i)
            QVERIFY(std::isfinite(plot.samples[i].y()));
        QCOMPARE(shownPicture(plot).size(), QSize(400, 400));
    }

    // Steps of 0.01 would take 10^5 points; the bounded scan spreads fewer
    // over the whole span, so the deep minimum near x = 954.5 still counts.
    void longScanCoversTheSpan()
    {
        MainWindow window;
        installSpike(window, 1000);
        MyPlot plot(&window);

        const long double x = 21000.0L / 22;
        const double deepest = static_cast<double>(std::pow(x, 21) * (x - 1000));
        QVERIFY(plot.yMin <= 1.5 * deepest * 0.999);
        QVERIFY(plot.yMin >= 1.5 * deepest);
        QCOMPARE(plot.yMax, -0.5 * plot.yMin / 1.5);
    }

    // 9600 points at steps of 0.01: the scan runs as given, every point.
    void shorterScanIsExact()
    {
        MainWindow window;
        Values coeffs(10, 0);
        coeffs[0] = 1;
        coeffs[1] = -96;
        Roots roots(9, cplx(0, 0));
        roots[8] = cplx(96, 0);
        installSolved(window, coeffs, roots);
        MyPlot plot(&window);

        double lowest = 0, highest = window.solver->at(96);
        int points = 0;
        for (double x = 0; x < 96; x = x + 0.25 / 25, ++points) {
            lowest = std::min(lowest, window.solver->at(x));
            highest = std::max(highest, window.solver->at(x));
        }
        QVERIFY(points > 9000);
        const double pad = (highest - lowest) * 0.5;
        QVERIFY(plot.yMin == lowest - pad);
        QVERIFY(plot.yMax == highest + pad);
    }

    // Far from 0 a step of 0.02 is lost in rounding; the scan still ends.
    void scanBeyondStepResolution()
    {
        MainWindow window;
        const long double a = 1e15L, b = 1e15L + 2;
        installSolved(window, {1, -(a + b), a * b}, {cplx(b, 0), cplx(a, 0)});
        MyPlot plot(&window);

        QCOMPARE(plot.xMin, 1e15 - 0.5);
        QCOMPARE(plot.xMax, 1e15 + 2.5);
        QCOMPARE(plot.intervalSide, 1);
    }

    void resizeRedrawsTheSamePicture()
    {
        MainWindow window;
        installSolved(window, {1, -5, 6}, {cplx(3, 0), cplx(2, 0)});
        MyPlot plot(&window);
        plot.show();
        const QImage first = shownPicture(plot);

        // The picture is fixed once built: a changed main window does not reach it.
        installSolved(window, {1, 0, 1}, {cplx(0, 1), cplx(0, -1)});
        delete window.solver;
        window.solver = nullptr;
        auto forget = [&plot] {
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
