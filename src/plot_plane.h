#ifndef PLOT_PLANE_H
#define PLOT_PLANE_H

#include "plot_view.h"

#include <vector>

// Every root as a point in the complex plane, real part across, imaginary
// part up, one unit as long in both directions. The readout gives the
// complex number under the pointer.
class PlaneView : public PlotView
{
    Q_OBJECT

public:
    PlaneView(std::vector<RootMark> roots, QPixmap *surface, QWidget *parent = nullptr);

    QString pictureName() const override;

protected:
    PlotRange startRange(QSizeF area) const override;
    void drawContent(QPainter &painter, const PlotFrame &frame, const PlotColours &colours,
                     qreal devicePixelRatio) override;
    std::vector<PlacedMark> placedMarks(const PlotFrame &frame) const override;
    QString readoutAt(const PlotFrame &frame, QPointF pixel) const override;
    // A larger window shows more of the plane at the same scale.
    PlotRange resized(const PlotRange &range, QSizeF from, QSizeF to) const override;

private:
    std::vector<RootMark> roots;
};

#endif
