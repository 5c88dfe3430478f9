#include "plot_scale.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace plotscale {

namespace {

const double ln10 = 2.302585092994046;

// Power-of-ten exponent and mantissa of a step that is 1, 2, 2.5 or 5 times
// a power of ten, tolerant of the last bits that exp leaves.
int exponentOf(double step)
{
    return static_cast<int>(std::floor(std::log10(step) + 1e-9));
}

bool hasHalfDigit(double step)
{
    return std::fabs(step / std::pow(10.0, exponentOf(step)) - 2.5) < 1e-6;
}

// "1.50e+06" as "1.5e6", "2.0e-05" as "2e-5": short, and alike on an axis
// whose numbers have different exponents.
QString shortExponent(const QString &text)
{
    const int e = text.indexOf(QLatin1Char('e'));
    if (e < 0)
        return text;
    QString mantissa = text.left(e);
    if (mantissa.contains(QLatin1Char('.'))) {
        while (mantissa.endsWith(QLatin1Char('0')))
            mantissa.chop(1);
        if (mantissa.endsWith(QLatin1Char('.')))
            mantissa.chop(1);
    }
    return mantissa + QLatin1Char('e') + QString::number(text.mid(e + 1).toInt());
}

// The multiples of step, smallest first, that are themselves 1, 2, 2.5 or
// 5 times a power of ten: numbering every such multiple keeps the numbers
// round.
std::vector<long long> roundMultiples(double step, long long most)
{
    std::vector<long long> multiples;
    const int first = exponentOf(step);
    for (int e = first; e <= first + 19 && (multiples.empty() || multiples.back() <= most); ++e)
        for (const double mantissa : {1.0, 2.0, 2.5, 5.0}) {
            const double m = mantissa * std::pow(10.0, e) / step;
            const double whole = std::round(m);
            if (whole >= 1 && std::fabs(m - whole) < 1e-6 * m
                && (multiples.empty() || whole > multiples.back()))
                multiples.push_back(static_cast<long long>(whole));
        }
    return multiples;
}

// Whether a number keeps gap pixels from each number kept.
bool clearOf(const std::vector<std::pair<double, double>> &kept, double from, double to, double gap)
{
    return std::all_of(kept.begin(), kept.end(), [&](const std::pair<double, double> &k) {
        return to + gap <= k.first || from >= k.second + gap;
    });
}

// Clears the numbers that would come closer than gap to another, keeping
// first the one nearest 0 and then going outwards from it, so that 0 and
// the numbers nearest it stay.
void dropCrowded(std::vector<ScaleTick> &ticks, double low, double perUnit, const Extent &extent,
                 double gap)
{
    if (ticks.empty())
        return;
    const auto nearest = std::min_element(
        ticks.begin(), ticks.end(),
        [](const ScaleTick &a, const ScaleTick &b) { return std::fabs(a.at) < std::fabs(b.at); });
    const long middle = nearest - ticks.begin();
    std::vector<std::pair<double, double>> kept;
    const auto keep = [&](ScaleTick &tick) {
        if (tick.text.isEmpty())
            return;
        const double centre = (tick.at - low) * perUnit;
        const double half = extent(tick.text) / 2;
        if (clearOf(kept, centre - half, centre + half, gap))
            kept.emplace_back(centre - half, centre + half);
        else
            tick.text.clear();
    };
    keep(ticks[middle]);
    for (long i = 1; middle - i >= 0 || middle + i < static_cast<long>(ticks.size()); ++i) {
        if (middle - i >= 0)
            keep(ticks[middle - i]);
        if (middle + i < static_cast<long>(ticks.size()))
            keep(ticks[middle + i]);
    }
}

// Ticks at the multiples of step from first to last steps, each placed at
// its value mapped onto the axis, numbered at every multiple of `every`.
std::vector<ScaleTick> multiplesOf(double step, double first, double last, long long every,
                                   double magnitude, double (*place)(double))
{
    std::vector<ScaleTick> ticks;
    for (double k = first; k <= last; ++k) {
        const double value = k * step;
        const bool numbered = std::fmod(std::fabs(k), static_cast<double>(every)) == 0;
        ticks.push_back({place(value), numbered ? tickText(value, every * step, magnitude) : QString()});
    }
    return ticks;
}

// Whether neighbouring numbers keep gap pixels apart.
bool spacedOut(const std::vector<ScaleTick> &ticks, double perUnit, const Extent &extent,
               double gap)
{
    const ScaleTick *before = nullptr;
    for (const ScaleTick &tick : ticks) {
        if (tick.text.isEmpty())
            continue;
        if (before
            && (tick.at - before->at) * perUnit
                   < (extent(tick.text) + extent(before->text)) / 2 + gap)
            return false;
        before = &tick;
    }
    return true;
}

// Ticks at the multiples of step over [from, to] in values, numbered at
// the smallest round multiple of the step whose numbers keep apart.
std::vector<ScaleTick> roundTicks(double step, double from, double to, double magnitude,
                                  double (*place)(double), double perUnit, const Extent &extent,
                                  double gap)
{
    const double first = std::ceil(from / step), last = std::floor(to / step);
    const long long count = static_cast<long long>(last - first) + 1;
    std::vector<ScaleTick> ticks;
    for (const long long every : roundMultiples(step, count)) {
        ticks = multiplesOf(step, first, last, every, magnitude, place);
        if (every >= count || spacedOut(ticks, perUnit, extent, gap))
            break;
    }
    return ticks;
}

double unchanged(double value)
{
    return value;
}

QString decadeText(int sign, int power)
{
    if (sign == 0)
        return QStringLiteral("0");
    const QString minus = sign < 0 ? QStringLiteral("-") : QString();
    if (power <= 4)
        return minus + QString::number(static_cast<int>(std::pow(10.0, power)));
    return minus + QStringLiteral("1e") + QString::number(power);
}

struct Decade {
    double at;
    int sign;
    int power;
};

std::vector<Decade> decadesIn(double low, double high)
{
    std::vector<Decade> decades;
    if (low <= 0 && high >= 0)
        decades.push_back({0, 0, 0});
    for (int power = 0; power <= 308; ++power) {
        const double at = signedLog(std::pow(10.0, power));
        if (at >= low && at <= high)
            decades.push_back({at, 1, power});
        if (-at >= low && -at <= high)
            decades.push_back({-at, -1, power});
    }
    std::sort(decades.begin(), decades.end(),
              [](const Decade &a, const Decade &b) { return a.at < b.at; });
    return decades;
}

// Linear ticks over the values a narrow stretch of a signed-log axis
// covers, placed at their signed logarithms.
AxisScale valueTicks(double low, double high, double perUnit, const Extent &extent, double gap)
{
    AxisScale scale;
    const double from = signedPow(low), to = signedPow(high);
    const double step = tickStep(to - from);
    if (!(step > 0) || !(std::fabs(from / step) < 9e15 && std::fabs(to / step) < 9e15))
        return scale;
    const double magnitude = std::max(std::fabs(from), std::fabs(to));
    scale.ticks = roundTicks(step, from, to, magnitude, signedLog, perUnit, extent, gap);
    dropCrowded(scale.ticks, low, perUnit, extent, gap);
    return scale;
}

} // namespace

double signedLog(double y)
{
    return std::copysign(std::log1p(std::fabs(y)) / ln10, y);
}

double signedPow(double t)
{
    return std::copysign(std::expm1(std::fabs(t) * ln10), t);
}

double tickStep(double range)
{
    const double k = std::floor(std::log10(range / 5));
    double t = std::exp(k * ln10);
    const double ratio = range / t;
    if (ratio > 25)
        t = t * 5;
    else if (ratio > 10)
        t = t * 2.5;
    return t;
}

QString tickText(double value, double labelStep, double magnitude)
{
    if (std::fabs(value) < labelStep * 1e-9)
        return QStringLiteral("0");
    const int e = exponentOf(labelStep);
    const int half = hasHalfDigit(labelStep) ? 1 : 0;
    const int decimals = std::max(0, half - e);
    if (magnitude < 1e6 && decimals <= 4)
        return QString::number(value, 'f', decimals);
    const int leading = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int digits = std::clamp(leading - e + 1 + half, 1, 17);
    return shortExponent(QString::number(value, 'e', digits - 1));
}

QString valueText(double value, double resolution)
{
    if (!std::isfinite(value) || !(resolution > 0))
        return QString::number(value);
    const int e = static_cast<int>(std::floor(std::log10(resolution)));
    const int decimals = std::max(0, -e);
    if (std::fabs(value) < 1e6 && decimals <= 6) {
        // No "-0.00" for a value that rounds to 0.
        if (std::fabs(value) < 0.5 * std::pow(10.0, -decimals))
            value = 0;
        return QString::number(value, 'f', decimals);
    }
    if (value == 0)
        return QStringLiteral("0");
    const int leading = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int digits = std::clamp(leading - e + 1, 1, 17);
    return shortExponent(QString::number(value, 'e', digits - 1));
}

QString inLocale(const QString &number, const QLocale &locale)
{
    QString text = number;
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

AxisScale linearScale(double low, double high, double pixels, const Extent &extent, double gap)
{
    AxisScale scale;
    const double range = high - low;
    if (!(range > 0) || !std::isfinite(range) || !(pixels > 0))
        return scale;
    const double step = tickStep(range);
    // Past 2^53 steps from 0 neighbouring multiples are no longer apart.
    if (!(step > 0) || !(std::fabs(low / step) < 9e15 && std::fabs(high / step) < 9e15))
        return scale;
    scale.step = step;
    const double perUnit = pixels / range;
    const double magnitude = std::max(std::fabs(low), std::fabs(high));
    scale.ticks = roundTicks(step, low, high, magnitude, unchanged, perUnit, extent, gap);
    dropCrowded(scale.ticks, low, perUnit, extent, gap);
    return scale;
}

AxisScale signedLogScale(double low, double high, double pixels, const Extent &extent,
                         double gap)
{
    AxisScale scale;
    if (!(high > low) || !std::isfinite(high - low) || !(pixels > 0))
        return scale;
    const double perUnit = pixels / (high - low);
    const std::vector<Decade> decades = decadesIn(low, high);
    if (decades.size() < 3)
        return valueTicks(low, high, perUnit, extent, gap);
    // Far from 0 the decades lie one unit apart: number every `every`-th.
    int every = 1;
    for (const int candidate : {1, 2, 5, 10, 20, 50, 100}) {
        every = candidate;
        double most = 0;
        for (const Decade &d : decades)
            if (d.power % every == 0)
                most = std::max(most, extent(decadeText(d.sign, d.power)));
        if (every * perUnit >= most + gap)
            break;
    }
    // Unnumbered decades only where they stand well apart.
    const bool allDecades = perUnit >= 12;
    for (const Decade &d : decades) {
        const bool numbered = d.power % every == 0;
        if (numbered || allDecades)
            scale.ticks.push_back({d.at, numbered ? decadeText(d.sign, d.power) : QString()});
    }
    dropCrowded(scale.ticks, low, perUnit, extent, gap);
    return scale;
}

} // namespace plotscale
