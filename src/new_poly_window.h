#ifndef NEW_POLY_WINDOW_H
#define NEW_POLY_WINDOW_H

// Complete, since the boxes are indexed through coeffBoxes.
#include "coefficient_box.h"

#include <QWidget>

class ContentScrollArea;
class MainWindow;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QVBoxLayout;

// Lets the user pick a degree and type the coefficients, highest power
// first, and hands the new polynomial to the main window.
class DialogWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DialogWindow(MainWindow *mainWindow);
    ~DialogWindow() override;

    void newCoefficients(int n);
    void clearCoefficients();

    MainWindow *mainWindow;
    QVBoxLayout *vLayout;
    int degree;
    CoefficientBox *coeffBoxes;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void changeDegree(int new_degree);
    void submitReceived();
    void validateBox(double attempt);

private:
    void fitToContent();

    // One label per box, saying which power the box is for; allocated and
    // freed together with the boxes.
    QLabel *powerLabels;
    QGridLayout *boxGrid;
    ContentScrollArea *boxArea;
};

#endif
