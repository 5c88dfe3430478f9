// Seeded random polynomials over the dialog's whole range through the real
// solve cycle and the plot window: degree 1..22, coefficients up to 1e10 in
// magnitude with 8 decimals, a leading coefficient of magnitude 0.01..1e10,
// and the extreme spreads between them. Nothing may crash, hang or draw from
// undefined values (the sanitized build watches the latter); every solve
// must list every root, and every plot must have a usable picture.
#include "dialog_polynomials.h"
#include "dialog_testing.h"
#include "window_testing.h"

#include <QtTest>
#include <QLabel>
#include <QPixmap>
#include <QPointer>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>
#include <vector>

using cplx = std::complex<long double>;

namespace {

const int polynomialCount = 22 * 20; // 20 of each degree
const int dialogEvery = 8; // every 8th one goes through the dialog itself

// Through the dialog as the user drives it; the plot window it opened.
MyPlot *submitThroughDialog(MainWindow &window, const std::vector<double> &c)
{
    DialogWindow *dialog = openDialog(window);
    if (!dialog || !submitPolynomial(dialog, c))
        return nullptr;
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
    // The picture fills the graph at the screen's pixel ratio.
    const QSize device = plot.plotLabel->size() * plot.pixmap->devicePixelRatio();
    if (plot.pixmap->isNull() || plot.pixmap->size() != device)
        return "picture of width " + QString::number(plot.pixmap->width());
    const QPixmap shown = plot.plotLabel->property("pixmap").value<QPixmap>();
    if (shown.size() != device)
        return "label shows a picture of width " + QString::number(shown.width());
    for (const QPointF &p : plot.samples)
        if (!std::isnan(p.x()) && !(std::isfinite(p.x()) && std::isfinite(p.y())))
            return QString("curve point (%1, %2)").arg(p.x()).arg(p.y());
    return QString();
}

// Showing the window draws the picture, and so does every resize.
void draw(MyPlot &plot)
{
    plot.show();
    plot.resize(500, 480);
    QCoreApplication::processEvents();
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
        DialogPolynomials polynomials(20240611);
        QStringList faults;
        for (int index = 0; index < polynomialCount; ++index) {
            const std::vector<double> c = polynomials.next();
            QString fault;
            if (index % dialogEvery == 0) {
                QPointer<MyPlot> plot = submitThroughDialog(window, c);
                if (!plot) {
                    fault = "the dialog opened no plot window";
                } else {
                    fault = solveFault(window, c);
                    draw(*plot);
                    if (fault.isEmpty())
                        fault = plotFault(*plot);
                    plot->close();
                }
                processDeferredDeletes();
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
                faults << QString("#%1 [%2]: %3").arg(index).arg(describe(c), fault);
        }
        QVERIFY(plotsOf(window).isEmpty());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }
};

QTEST_MAIN(TestRobustness)
#include "test_robustness.moc"
