#ifndef PLOT_H
#define PLOT_H

#include "plot_graph.h"
#include "plot_plane.h"

#include <QMainWindow>
#include <QPointF>

#include <vector>

class MainWindow;
class PolySolver;
class QKeyEvent;
class QLabel;
class QPixmap;
class QTabWidget;
class QVBoxLayout;
class QWidget;

// A window for the polynomial that the main window holds when the window
// is built. It keeps its own copy of the polynomial and of the roots and
// never reads the main window again. Above: the polynomial. In the middle,
// one tab each: the graph with the real roots marked, and every root in
// the complex plane, both to explore. Below: the caption with the x tick
// distance, and the readout. The graph opens at the start view that the
// roots decide.
class MyPlot : public QMainWindow
{
    Q_OBJECT

public:
    explicit MyPlot(MainWindow *mainWindow);
    ~MyPlot() override;

    void FindInterval();

    // The graph's start view.
    double xMin;
    double xMax;
    double yMin;
    double yMax;
    double xRange;
    double yRange;
    MainWindow *mainWindow;
    // The curve as the graph last drew it, in its logical pixels; a point
    // that is not a number separates two pieces.
    std::vector<QPointF> samples;
    // The graph's picture as last drawn, in device pixels.
    QPixmap *pixmap;
    QVBoxLayout *vLayout;
    QWidget *central;
    GraphView *plotLabel;
    QLabel *infoLabel;
    // The x tick distance of the start view.
    double tickInterval;
    int intervalSide;

    // The polynomial as the user typed it.
    PolySolver *polynomial;
    QLabel *polynomialLabel;
    QTabWidget *views;
    PlaneView *planeLabel;
    QPixmap *planePixmap;
    QLabel *readoutLabel;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildWidgets(const std::vector<RootMark> &roots);
    QWidget *polynomialLine();
    void followViews();
    PlotView *currentView() const;
    void showCaption();
    void includeValue(double v);
    void scanValues(double span, double margin);
    void chooseTickInterval();
};

#endif
