#ifndef PLOT_H
#define PLOT_H

#include <QMainWindow>
#include <QPointF>

class MainWindow;
class QLabel;
class QKeyEvent;
class QPainter;
class QPixmap;
class QResizeEvent;
class QVBoxLayout;
class QWidget;

// The graph of the main window's polynomial at the moment the window is
// built; it never reads the main window again.
class MyPlot : public QMainWindow
{
public:
    explicit MyPlot(MainWindow *mainWindow);
    ~MyPlot() override;

    void FindInterval();

    double xMin;
    double xMax;
    double yMin;
    double yMax;
    double xRange;
    double yRange;
    MainWindow *mainWindow;
    QPointF *samples;
    QPixmap *pixmap;
    QVBoxLayout *vLayout;
    QWidget *central;
    QLabel *plotLabel;
    QLabel *infoLabel;
    double tickInterval;
    int intervalSide;

protected:
    void resizeEvent(QResizeEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void matchScreenPixels();
    void includeValue(double v);
    void scanValues(double span, double margin);
    void chooseTickInterval();
    void sampleCurve();
    double column(double x) const;
    double row(double y) const;
    void drawAxes(QPainter &painter, double axisRow);
    void drawTicks(QPainter &painter, double axisRow);
    void drawTickLabel(QPainter &painter, long long k, double axisRow);
    void drawCurve(QPainter &painter);
};

#endif
