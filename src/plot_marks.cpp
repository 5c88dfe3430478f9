#include "plot_marks.h"
#include "plot_colours.h"
#include "plot_scale.h"
#include "root_conventions.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

const double radius = 4.5;
// How far from its centre a mark answers the pointer.
const double reach = 7;

QString multiplicityText(int multiplicity)
{
    return QStringLiteral("\u00d7") + QString::number(multiplicity);
}

// The multiplicity beside the mark, on a patch of the background so that
// the curve or the grid behind it does not blur it.
void drawMultiplicity(QPainter &painter, const PlacedMark &placed, const PlotColours &colours)
{
    const QString text = multiplicityText(placed.mark.multiplicity);
    const QFontMetricsF metrics(painter.font(), painter.device());
    QRectF box(QPointF(), QSizeF(metrics.horizontalAdvance(text), metrics.height()));
    const double offset = radius + 2;
    box.moveLeft(placed.at.x() + offset - 2);
    if (placed.textBelow)
        box.moveTop(placed.at.y() + offset - 2);
    else
        box.moveBottom(placed.at.y() - offset + 2);
    QColor patch = colours.background;
    patch.setAlphaF(0.8);
    painter.fillRect(box.adjusted(-1, 0, 1, 0), patch);
    painter.setPen(colours.root);
    painter.drawText(box, Qt::AlignCenter, text);
}

} // namespace

std::vector<RootMark> rootMarks(const std::complex<long double> *roots, int count)
{
    std::vector<RootMark> marks;
    for (int i = 0; i < count; ++i) {
        auto same = std::find_if(marks.begin(), marks.end(),
                                 [&](const RootMark &m) { return m.root == roots[i]; });
        if (same != marks.end())
            ++same->multiplicity;
        else
            marks.push_back({roots[i], 1});
    }
    return marks;
}

bool isReal(const RootMark &mark)
{
    return roots::shown_real(mark.root);
}

QString markText(const RootMark &mark, const QLocale &locale)
{
    const QString root = plotscale::inLocale(QString::fromStdString(roots::root_text(mark.root)), locale);
    if (mark.multiplicity == 1)
        return QCoreApplication::translate("RootMark", "Root %1").arg(root);
    return QCoreApplication::translate("RootMark", "Root %1, multiplicity %2")
        .arg(root)
        .arg(mark.multiplicity);
}

void drawMarks(QPainter &painter, const std::vector<PlacedMark> &marks, const PlotColours &colours)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const PlacedMark &placed : marks) {
        if (!std::isfinite(placed.at.x()) || !std::isfinite(placed.at.y()))
            continue;
        painter.setPen(QPen(colours.background, 1.5));
        painter.setBrush(colours.root);
        painter.drawEllipse(placed.at, radius, radius);
        if (placed.mark.multiplicity > 1)
            drawMultiplicity(painter, placed, colours);
    }
    painter.restore();
}

QString marksNear(const std::vector<PlacedMark> &marks, QPointF pixel, const QLocale &locale)
{
    QStringList texts;
    for (const PlacedMark &placed : marks) {
        const QPointF d = placed.at - pixel;
        if (std::hypot(d.x(), d.y()) <= reach)
            texts << markText(placed.mark, locale);
    }
    return texts.join(QLatin1Char('\n'));
}
