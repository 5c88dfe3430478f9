#ifndef PLOT_TESTING_H
#define PLOT_TESTING_H

// The polynomials the plot tests share, with their exact roots, and a plot
// window shown for one of them.
#include "window_testing.h"

#include <QApplication>
#include <QMouseEvent>
#include <QHelpEvent>
#include <QRectF>
#include <QToolTip>
#include <QWheelEvent>
#include <QTest>

#include <complex>
#include <vector>

using cplx = std::complex<long double>;

struct PlotCase {
    const char *name;
    std::vector<long double> coeffs;
    std::vector<cplx> roots;
};

// Multiplied out, highest power first: real where the roots come in
// conjugate pairs.
inline std::vector<long double> coefficientsOf(const std::vector<cplx> &roots)
{
    std::vector<cplx> c{1};
    for (const cplx &r : roots) {
        c.push_back(0);
        for (size_t i = c.size() - 1; i >= 1; --i)
            c[i] -= r * c[i - 1];
    }
    std::vector<long double> real;
    for (const cplx &v : c)
        real.push_back(v.real());
    return real;
}

// Degree 22 with roots of several sizes, a double one and three conjugate
// pairs: its values span many orders of magnitude.
inline std::vector<cplx> degree22Roots()
{
    std::vector<cplx> roots;
    for (long double r : {-3.0L, -2.5L, -2.0L, -1.5L, -1.0L, -0.5L, 0.25L, 0.5L, 0.75L, 1.0L, 1.0L,
                          1.5L, 2.0L, 3.0L, 4.0L, 5.0L})
        roots.push_back(r);
    for (const cplx &z : {cplx(0, 1), cplx(2, 1), cplx(-1, 2)}) {
        roots.push_back(z);
        roots.push_back(std::conj(z));
    }
    return roots;
}

inline const std::vector<PlotCase> &plotCases()
{
    static const std::vector<PlotCase> cases = {
        {"x - 2", {1, -2}, {2}},
        {"x^2 - 1", {1, 0, -1}, {1, -1}},
        {"(x - 2)(x - 3)", {1, -5, 6}, {3, 2}},
        {"x^2 + 1", {1, 0, 1}, {cplx(0, 1), cplx(0, -1)}},
        {"x^2 - 1000.001x + 1", {1, -1000.001L, 1}, {1000, 0.001L}},
        {"(x - 1)^3 (x + 2)", {1, -1, -3, 5, -2}, {1, 1, 1, -2}},
        {"degree 22", coefficientsOf(degree22Roots()), degree22Roots()},
    };
    return cases;
}

// A plot window for a polynomial with known roots, shown at a size.
struct ShownPlot {
    explicit ShownPlot(const PlotCase &polynomial, QSize size = QSize(420, 420))
    {
        installSolved(window, polynomial.coeffs, polynomial.roots);
        plot = new MyPlot(&window);
        plot->resize(size);
        plot->show();
    }

    bool exposed() { return QTest::qWaitForWindowExposed(plot); }

    MainWindow window;
    MyPlot *plot; // the window's child
};

// The wheel turned by angle eighths of a degree with the pointer at a
// point of the widget, away from the user for a positive angle.
inline void turnWheel(QWidget *widget, QPointF at, int angle,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent wheel(at, widget->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, angle), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

// The pointer moved to a point of the widget with the buttons held.
inline void movePointer(QWidget *widget, QPoint at, Qt::MouseButtons buttons = Qt::NoButton)
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

// The view in front of its window, with the keyboard's focus.
inline void focus(PlotView *view)
{
    QApplication::setActiveWindow(view->window());
    view->setFocus();
}

// The tool tip a view shows with the pointer resting at a point: empty
// where it shows none.
inline QString toolTipAt(PlotView *view, QPointF at)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("a tool tip that stays");
    const QPoint local = at.toPoint();
    QHelpEvent help(QEvent::ToolTip, local, view->mapToGlobal(local));
    QCoreApplication::sendEvent(view, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Whether two boxes come closer than gap to each other.
inline bool crowded(const QRectF &a, const QRectF &b, double gap = 0)
{
    return a.adjusted(-gap, -gap, gap, gap).intersects(b);
}

#endif
