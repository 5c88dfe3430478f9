// Seeded random polynomials over the dialog's whole range through the real
// solve cycle and the plot window: degree 1..22, coefficients up to 1e10 in
// magnitude with 8 decimals, a leading coefficient of magnitude 0.01..1e10,
// and the extreme spreads between them. Nothing may crash, hang or draw from
// undefined values (the sanitized build watches the latter); every solve
// must list every root, and every plot must have a usable picture.
#include "mainwindow.h"
#include "new_poly_window.h"
#include "plot.h"
#include "ui_mainwindow.h"
#include "window_testing.h"

#include <QtTest>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QResizeEvent>
#include <QSpinBox>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using cplx = std::complex<long double>;

namespace {

const double largest = 1e10; // the dialog's boxes' range
const double smallestLead = 0.01; // the dialog's floor for the leading coefficient
const int casesPerDegree = 20; // 22 * 20 = 440 polynomials
const int dialogEvery = 8; // every 8th one goes through the dialog itself

// What a box with 8 decimals holds for v.
double toBox(double v)
{
    return std::round(v * 1e8) / 1e8;
}

// A polynomial as a user could enter it. Most are drawn at random; some
// are the extremes the dialog allows.
class Generator
{
public:
    explicit Generator(std::uint64_t seed) : random(seed) {}

    std::vector<double> polynomial(int degree, int index)
    {
        std::vector<double> c(degree + 1, 0.0);
        switch (index % 7) {
        case 0: // the smallest leading coefficient, the largest constant
            c[0] = sign() * smallestLead;
            c[degree] = sign() * largest;
            break;
        case 1: // the largest leading coefficient, the smallest constant
            c[0] = sign() * largest;
            c[degree] = sign() * 1e-8;
            break;
        case 2: // smallest lead, every other coefficient at the limit
            c[0] = sign() * smallestLead;
            for (int k = 1; k <= degree; ++k)
                c[k] = sign() * largest;
            break;
        default: // anything in range, sizes spread over 18 decades
            c[0] = sign() * toBox(logUniform(smallestLead, largest));
            for (int k = 1; k <= degree; ++k)
                c[k] = coefficient();
            break;
        }
        return c;
    }

private:
    double sign() { return std::bernoulli_distribution(0.5)(random) ? 1.0 : -1.0; }

    double logUniform(double low, double high)
    {
        std::uniform_real_distribution<double> exponent(std::log10(low), std::log10(high));
        return std::min(high, std::pow(10.0, exponent(random)));
    }

    double coefficient()
    {
        switch (std::uniform_int_distribution<int>(0, 5)(random)) {
        case 0:
            return 0;
        case 1:
            return sign() * largest;
        case 2:
            return std::uniform_int_distribution<int>(-9, 9)(random);
        default:
            return sign() * toBox(logUniform(1e-8, largest));
        }
    }

    std::mt19937_64 random;
};

// Through the dialog as the user drives it: open, pick the degree, fill
// the boxes, submit. Returns the plot window it opened.
MyPlot *submitThroughDialog(MainWindow &window, const std::vector<double> &c)
{
    QTest::mouseClick(window.ui->newPolyButton, Qt::LeftButton);
    DialogWindow *dialog = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<DialogWindow *>(widget); d && d->isVisible())
            dialog = d;
    if (!dialog)
        return nullptr;
    const int degree = static_cast<int>(c.size()) - 1;
    dialog->findChild<QSpinBox *>(QString(), Qt::FindDirectChildrenOnly)->setValue(degree);
    if (dialog->degree != degree)
        return nullptr;
    for (int i = 0; i <= degree; ++i)
        dialog->coeffBoxes[i].setValue(c[i]);
    QTest::mouseClick(dialog->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly),
                      Qt::LeftButton);
    const QList<MyPlot *> plots = plotsOf(window);
    return plots.size() == 1 ? plots[0] : nullptr;
}

// Any root of a_0 x^n + ... + a_n lies within 1 + max |a_k / a_0|.
double cauchyBound(const std::vector<double> &c)
{
    double most = 0;
    for (size_t k = 1; k < c.size(); ++k)
        most = std::max(most, std::fabs(c[k] / c[0]));
    return 1 + most;
}

// The first thing wrong with the window's state after a solve, if any.
QString solveFault(const MainWindow &window, const std::vector<double> &c)
{
    const int degree = static_cast<int>(c.size()) - 1;
    if (window.coeffCount != degree + 1)
        return "coefficient count " + QString::number(window.coeffCount);
    for (int i = 0; i <= degree; ++i)
        if (!(std::fabs(static_cast<double>(window.coeffs[i].real()) - c[i]) <= 0.5e-8))
            return QString("coefficient %1 is %2, entered %3")
                .arg(i).arg(double(window.coeffs[i].real()), 0, 'g', 17).arg(c[i], 0, 'g', 17);
    if (window.rootCount != degree)
        return QString("%1 roots of %2").arg(window.rootCount).arg(degree);
    const double bound = cauchyBound(c) * (1 + 1e-9);
    for (int i = 0; i < window.rootCount; ++i) {
        const cplx z = window.roots[i];
        if (!std::isfinite(z.real()) || !std::isfinite(z.imag()) || std::abs(z) > bound)
            return QString("root %1 is (%2, %3), beyond the bound %4")
                .arg(i).arg(double(z.real())).arg(double(z.imag())).arg(bound);
    }
    const QString roots = window.ui->solutionsLabel->text();
    if (roots.count("<br>") != degree || roots.contains("nan") || roots.contains("inf"))
        return "roots shown as " + roots;
    const QString poly = window.ui->polynomialLabel->text();
    if (!poly.endsWith("= &nbsp; 0") || poly.contains("nan") || poly.contains("inf"))
        return "polynomial shown as " + poly;
    const auto *report = window.ui->statusBar->findChild<QLabel *>();
    if (!report || !report->text().isEmpty())
        return "status bar says " + (report ? report->text() : QString("nothing at all"));
    return QString();
}

// The first thing wrong with a plot window that has drawn, if any.
QString plotFault(const MyPlot &plot)
{
    if (!(std::isfinite(plot.xMin) && std::isfinite(plot.xMax) && plot.xMin < plot.xMax))
        return QString("x interval [%1, %2]").arg(plot.xMin).arg(plot.xMax);
    if (!(plot.xRange > 0 && std::isfinite(plot.xRange)))
        return QString("x range %1").arg(plot.xRange);
    if (!(plot.yMin < plot.yMax && plot.yRange > 0) || std::isnan(plot.yRange))
        return QString("y interval [%1, %2]").arg(plot.yMin).arg(plot.yMax);
    if (!(plot.tickInterval > 0 && std::isfinite(plot.tickInterval)))
        return QString("tick interval %1").arg(plot.tickInterval);
    if (!plot.infoLabel->text().startsWith("X-Tick-Interval: "))
        return "caption " + plot.infoLabel->text();
    if (plot.pixmap->size() != QSize(400, 400))
        return "picture of size " + QString::number(plot.pixmap->width());
    const QPixmap shown = plot.plotLabel->pixmap(Qt::ReturnByValue);
    if (shown.size() != QSize(400, 400))
        return "label shows a picture of width " + QString::number(shown.width());
    return QString();
}

// A resize draws the picture; a hidden window gets no resize event of its
// own, so one is sent as the window system would.
void draw(MyPlot &plot)
{
    QResizeEvent event(QSize(500, 480), plot.size());
    QCoreApplication::sendEvent(&plot, &event);
}

QString describe(const std::vector<double> &c)
{
    QStringList parts;
    for (double v : c)
        parts << QString::number(v, 'g', 17);
    return parts.join(' ');
}

} // namespace

class TestRobustness : public QObject
{
    Q_OBJECT

private slots:
    void randomPolynomialsThroughSolveAndPlot()
    {
        MainWindow window;
        window.show();
        Generator generator(20240611);
        int throughDialog = 0;
        QStringList faults;
        for (int index = 0; index < 22 * casesPerDegree; ++index) {
            const int degree = 1 + index % 22;
            const std::vector<double> c = generator.polynomial(degree, index / 22);
            QString fault;
            if (index % dialogEvery == 0) {
                QPointer<MyPlot> plot = submitThroughDialog(window, c);
                ++throughDialog;
                if (!plot) {
                    fault = "the dialog opened no plot window";
                } else {
                    fault = solveFault(window, c);
                    draw(*plot);
                    if (fault.isEmpty())
                        fault = plotFault(*plot);
                    plot->close();
                }
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            } else {
                // Options as the check boxes would set them, the last solve
                // with the chosen one, as the main window does it.
                window.polish = index % 3 != 0;
                window.reverse = index % 5 == 0;
                installCoefficients(window, c);
                window.UpdateView();
                fault = solveFault(window, c);
                if (window.reverse) {
                    // The plot reads the solver's copy, which only a solve
                    // without reverse deflation leaves whole: the dialog
                    // always plots after such a solve.
                    window.reverse = false;
                    window.UpdateView();
                }
                MyPlot plot(&window);
                draw(plot);
                if (fault.isEmpty())
                    fault = plotFault(plot);
            }
            if (!fault.isEmpty())
                faults << QString("#%1 degree %2 [%3]: %4").arg(index).arg(degree).arg(describe(c), fault);
        }
        QCOMPARE(throughDialog, (22 * casesPerDegree + dialogEvery - 1) / dialogEvery);
        QVERIFY(plotsOf(window).isEmpty());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    // The generator really covers the range it claims: every degree, both
    // ends of the leading coefficient's range, and the largest coefficients.
    void generatorCoversTheRange()
    {
        Generator generator(20240611);
        std::vector<bool> degrees(23, false);
        double smallest = largest, biggest = 0, widest = 0;
        for (int index = 0; index < 22 * casesPerDegree; ++index) {
            const int degree = 1 + index % 22;
            const std::vector<double> c = generator.polynomial(degree, index / 22);
            QCOMPARE(int(c.size()), degree + 1);
            degrees[degree] = true;
            smallest = std::min(smallest, std::fabs(c[0]));
            biggest = std::max(biggest, std::fabs(c[0]));
            widest = std::max(widest, cauchyBound(c));
            for (double v : c) {
                QVERIFY(std::fabs(v) <= largest);
                QCOMPARE(toBox(v), v);
            }
            QVERIFY(std::fabs(c[0]) >= smallestLead);
        }
        QVERIFY(std::all_of(degrees.begin() + 1, degrees.end(), [](bool seen) { return seen; }));
        QCOMPARE(smallest, smallestLead);
        QCOMPARE(biggest, largest);
        QVERIFY(widest >= 1e12);
    }
};

QTEST_MAIN(TestRobustness)
#include "test_robustness.moc"
