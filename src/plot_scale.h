#ifndef PLOT_SCALE_H
#define PLOT_SCALE_H

// The numbers along one axis of a plot: where its ticks go, which of them
// carry a number, and how the numbers are written.
#include <QString>

class QLocale;

#include <functional>
#include <vector>

// A tick at a position in the axis's own coordinates: the value itself on
// a linear axis, its signed logarithm on a signed-log one.
struct ScaleTick {
    double at;
    QString text; // empty: a tick without a number
};

struct AxisScale {
    std::vector<ScaleTick> ticks;
    double step = 0; // distance of neighbouring ticks on a linear axis
};

namespace plotscale {

// sign(y) log10(1 + |y|): linear near 0, logarithmic far from it, so that
// values of every size and both signs share one axis; and its inverse.
double signedLog(double y);
double signedPow(double t);

// The distance between ticks for a range: more than 4 and at most 10 of
// them, 1, 2.5 or 5 times a power of ten. The power comes from exp, so it
// can lie a few units in the last place off.
double tickStep(double range);

// A tick's number on an axis whose numbered ticks lie labelStep apart and
// reach magnitude: as many decimals as the step needs, exponent notation
// for very large and very small magnitudes.
QString tickText(double value, double labelStep, double magnitude);

// A coordinate of the cursor, written to the resolution of one pixel.
QString valueText(double value, double resolution);

// A number written above, with "." as its decimal point, as the locale
// writes it: with the locale's decimal separator.
QString inLocale(const QString &number, const QLocale &locale);

// How much room a number needs along the axis, in pixels.
using Extent = std::function<double(const QString &)>;

// Ticks over [low, high], an axis pixels long, at tickStep(high - low);
// numbered at every tick or at every 2nd, 4th, 5th, 10th ... as the room
// between the numbers asks, so that they keep gap pixels apart.
AxisScale linearScale(double low, double high, double pixels, const Extent &extent, double gap);

// Ticks of a signed-log axis over [low, high] in its own coordinates: 0
// and the powers of ten of both signs, numbered where room allows; where
// fewer than three of those are in range, linear ticks over the values
// that the range covers.
AxisScale signedLogScale(double low, double high, double pixels, const Extent &extent,
                         double gap);

} // namespace plotscale

#endif
