#ifndef WINDOW_TESTING_H
#define WINDOW_TESTING_H

// Setting up the main window's state by hand, and finding the plot windows
// it owns: shared by the window tests and the plot benchmark.
#include "mainwindow.h"
#include "plot.h"

#include <QApplication>
#include <QList>
#include <QTest>
#include <QWidget>

#include <complex>
#include <vector>

// Puts a polynomial, highest power first, into the window as the definition
// dialog does, before any solve.
template <typename Values = std::vector<long double>>
void installCoefficients(MainWindow &window, const Values &values)
{
    delete[] window.coeffs;
    window.coeffCount = static_cast<int>(values.size());
    window.coeffs = new std::complex<long double>[values.size()]();
    for (size_t i = 0; i < values.size(); ++i)
        window.coeffs[i] = std::complex<long double>(values[i], 0);
}

// A polynomial with its roots and a fresh solver, as the solve cycle would
// leave them, with roots known exactly instead of solved for.
template <typename Values = std::vector<long double>>
void installSolved(MainWindow &window, const Values &coeffs,
                   const std::vector<std::complex<long double>> &roots)
{
    installCoefficients(window, coeffs);
    const int degree = window.coeffCount - 1;
    delete[] window.roots;
    window.roots = new std::complex<long double>[degree]();
    window.rootCount = static_cast<int>(roots.size());
    for (size_t i = 0; i < roots.size(); ++i)
        window.roots[i] = roots[i];
    delete window.solver;
    window.solver = new PolySolver(degree, window.coeffs);
}

// Makes the widget's window the one the user works in, as a click on it
// would; keys and shortcuts go there. At once, without letting through the
// events that a change of focus brings, where the toolkit still can.
inline void activate(QWidget *widget)
{
    QWidget *window = widget->window();
#if QT_VERSION < QT_VERSION_CHECK(6, 5, 0)
    QApplication::setActiveWindow(window);
#else
    window->activateWindow();
    if (window->isVisible())
        (void)QTest::qWaitForWindowActive(window);
#endif
}

inline QList<MyPlot *> plotsOf(MainWindow &window)
{
    QList<MyPlot *> plots;
    for (QMainWindow *child : window.findChildren<QMainWindow *>())
        if (auto *plot = dynamic_cast<MyPlot *>(child))
            plots << plot;
    return plots;
}

#endif
