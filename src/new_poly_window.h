#ifndef NEW_POLY_WINDOW_H
#define NEW_POLY_WINDOW_H

#include <QWidget>

class MainWindow;
class QDoubleSpinBox;
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
    QDoubleSpinBox *coeffBoxes;

private slots:
    void changeDegree(int new_degree);
    void submitReceived();
    void validateBox(double attempt);
};

#endif
