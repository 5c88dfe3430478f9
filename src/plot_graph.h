#ifndef PLOT_GRAPH_H
#define PLOT_GRAPH_H

#include "plot_view.h"

#include <vector>

class PolySolver;

// The graph of a polynomial, its real roots marked on the x axis. The
// readout gives x and p(x). Where the curve in view is flat, F fits the
// height to it, and L switches the y axis between a linear and a
// signed-log scale, which shows values of every size at once.
class GraphView : public PlotView
{
    Q_OBJECT

public:
    // The curve's points go into samples each time it is drawn.
    GraphView(PolySolver &polynomial, const PlotRange &start, std::vector<RootMark> roots,
              QPixmap *surface, std::vector<QPointF> *samples, QWidget *parent = nullptr);

    // The y range fitted to the values in the x range in view.
    void fitHeight();
    // The same values in view, on the other kind of y axis.
    void setSignedLog(bool on);
    // Whether the curve in view is out of sight or, away from the ends of
    // the x range, spans less than a tenth of the height.
    bool looksFlat() const;

    QString pictureName() const override;
    QString idleText() const override;

protected:
    PlotRange startRange(QSizeF area) const override;
    void drawContent(QPainter &painter, const PlotFrame &frame, const PlotColours &colours,
                     qreal devicePixelRatio) override;
    std::vector<PlacedMark> placedMarks(const PlotFrame &frame) const override;
    QString readoutAt(const PlotFrame &frame, QPointF pixel) const override;

private:
    double at(double x) const;

    PolySolver &polynomial;
    const PlotRange start;
    std::vector<RootMark> realRoots;
    std::vector<QPointF> &samples;
    QAction *signedLogAction;
};

#endif
