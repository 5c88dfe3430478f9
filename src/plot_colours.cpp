#include "plot_colours.h"

#include <QPalette>

namespace {

// a moved towards b by the given share.
QColor blend(const QColor &a, const QColor &b, double share)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * share,
                            a.greenF() + (b.greenF() - a.greenF()) * share,
                            a.blueF() + (b.blueF() - a.blueF()) * share);
}

// Text lighter than the window it stands on.
bool isDark(const QPalette &palette)
{
    return palette.color(QPalette::Window).lightness()
           < palette.color(QPalette::WindowText).lightness();
}

} // namespace

PlotColours PlotColours::of(const QPalette &palette)
{
    PlotColours colours;
    colours.margin = palette.color(QPalette::Window);
    colours.text = palette.color(QPalette::WindowText);
    if (isDark(palette)) {
        colours.background = palette.color(QPalette::Base);
        colours.axis = blend(colours.background, colours.text, 0.75);
        colours.grid = blend(colours.background, colours.text, 0.18);
        colours.curve = palette.color(QPalette::Highlight);
        if (colours.curve.lightness() < 150)
            colours.curve = colours.curve.lighter(150);
        colours.root = QColor(0xff, 0x70, 0x60);
    } else {
        colours.background = QColor(Qt::gray);
        colours.axis = QColor(Qt::white);
        colours.grid = blend(colours.background, colours.axis, 0.3);
        colours.curve = QColor(Qt::blue);
        colours.root = QColor(0xb0, 0x00, 0x20);
    }
    return colours;
}
