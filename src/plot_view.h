#ifndef PLOT_VIEW_H
#define PLOT_VIEW_H

#include "plot_frame.h"
#include "plot_marks.h"
#include "plot_scale.h"

#include <QLabel>
#include <QPoint>
#include <QString>

#include <vector>

class QAction;
class QFontMetricsF;
class QPainter;
class QPixmap;
struct PlotColours;

// A number of a scale where it is drawn, in logical pixels.
struct ScaleLabel {
    QString text;
    QRectF box;
};

// Everything placed in one picture: the plot area with the data it shows,
// the ticks of both axes and the numbers drawn for them.
struct PictureLayout {
    PlotFrame frame;
    AxisScale x;
    AxisScale y;
    std::vector<ScaleLabel> xLabels;
    std::vector<ScaleLabel> yLabels;
};

// A plot the user explores: a label showing a picture that it draws itself
// at its own size and at the screen's pixel ratio, with scales on both
// axes, a grid, the axes and the roots marked. The wheel zooms about the
// pointer (Ctrl: x only, Shift: y only), dragging moves the picture, the
// keys +, - and the arrows do both, Home or a double-click returns to the
// start view; its context menu also copies and saves the picture. What it
// shows inside the scales comes from the derived class.
class PlotView : public QLabel
{
    Q_OBJECT

public:
    // Draws into surface, which stays its owner's.
    explicit PlotView(QPixmap *surface, QWidget *parent = nullptr);

    PlotRange range() const { return shownRange; }
    bool signedLogY() const { return logY; }
    // The picture on the screen as it was last drawn.
    const PictureLayout &pictureLayout() const { return shown; }
    const PlotFrame &frame() const { return shown.frame; }

    // Every change of the view is the user's move away from the start.
    void setRange(const PlotRange &range);
    void showStart();
    // Scales each axis by its factor about the data point under the pixel,
    // which stays where it is; a factor below 1 zooms in.
    void zoomAbout(QPointF pixel, double xFactor, double yFactor);
    // Scales both axes by the factor about the middle of the data shown.
    void zoomInPlace(double factor);
    // Moves the picture by a distance in logical pixels.
    void moveBy(QPointF distance);

    // The picture as the screen shows it, in device pixels.
    const QPixmap &picture() const { return *surface; }
    // The picture drawn at a size, its curves sampled for the pixel ratio.
    PictureLayout paintPicture(QPainter &painter, QSizeF size, qreal devicePixelRatio);
    // The name a saved picture takes unless the user gives another.
    virtual QString pictureName() const = 0;
    // What the readout says while the pointer is elsewhere: how to explore.
    virtual QString idleText() const;

signals:
    // What the readout should say: the coordinates under the pointer, or
    // a hint while the pointer is elsewhere.
    void readoutChanged(const QString &text);
    void redrawn();

protected:
    // The range shown at first and on Home, for a plot area of this size.
    virtual PlotRange startRange(QSizeF area) const = 0;
    // Draws what lies inside the plot area, clipped to it, below the marks.
    virtual void drawContent(QPainter &painter, const PlotFrame &frame,
                             const PlotColours &colours, qreal devicePixelRatio) = 0;
    virtual std::vector<PlacedMark> placedMarks(const PlotFrame &frame) const = 0;
    virtual QString readoutAt(const PlotFrame &frame, QPointF pixel) const = 0;
    // The range once the plot area has changed size from one to the other,
    // after the user has explored: by default the same stretch of data.
    virtual PlotRange resized(const PlotRange &range, QSizeF from, QSizeF to) const;

    void setScale(bool signedLog, const PlotRange &range);
    // Adds an action to the context menu, before those that export, with
    // its keys working while the view has the focus.
    QAction *addViewAction(const QString &text, const QList<QKeySequence> &keys);

    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void redraw();
    void addExportActions();
    PictureLayout layoutFor(QSizeF size, const PlotRange &range, const QFontMetricsF &metrics) const;
    QSizeF areaFor(QSize size, const PlotRange &range) const;
    PlotRange startFor(QSize size) const;
    PlotRange limited(const PlotRange &range) const;
    bool allowedWidth(double width, double x0, double x1) const;
    bool allowedHeight(double height, double y0, double y1) const;
    QPointF dataAt(QPointF pixel) const;
    // Shows a stretch of data of the given size with the data point at
    // the pixel.
    void showAt(double width, double height, QPointF pixel, QPointF data);
    // The readout for the pointer at a point of the view.
    void showReadout(QPoint pointer);

    QPixmap *surface;
    PictureLayout shown;
    PlotRange shownRange;
    bool logY = false;
    // Whether the user has moved away from the start view, which otherwise
    // follows the view's size.
    bool explored = false;
    bool dragging = false;
    // The data point the pointer took hold of.
    QPointF grabbed;
    QAction *exportSeparator = nullptr;
};

#endif
