#ifndef PLOT_MARKS_H
#define PLOT_MARKS_H

// The roots as marks on a plot: each distinct root once, with how often it
// is a root, drawn as a dot with its multiplicity and named on hovering.
#include <QLocale>
#include <QPointF>
#include <QString>

#include <complex>
#include <vector>

class QPainter;
struct PlotColours;

struct RootMark {
    std::complex<long double> root;
    int multiplicity;
};

// A mark where a view puts it, in logical pixels, with its multiplicity
// written above it or below.
struct PlacedMark {
    QPointF at;
    RootMark mark;
    bool textBelow = false;
};

// Each root of the list once, in the order listed, with the number of
// times it is listed: the solver hands a multiple root back that often.
std::vector<RootMark> rootMarks(const std::complex<long double> *roots, int count);

// Whether the main window writes the root as a real number.
bool isReal(const RootMark &mark);

// What hovering a mark tells: the root as the main window writes it, with
// the locale's decimal separator, and its multiplicity where it is above 1.
QString markText(const RootMark &mark, const QLocale &locale = QLocale::c());

void drawMarks(QPainter &painter, const std::vector<PlacedMark> &marks, const PlotColours &colours);

// The texts of the marks within reach of a pixel, one per line; empty
// where there is none.
QString marksNear(const std::vector<PlacedMark> &marks, QPointF pixel,
                  const QLocale &locale = QLocale::c());

#endif
