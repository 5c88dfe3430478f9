#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "rroots_oo_1.h"

#include <QMainWindow>
#include <QString>

#include <complex>

class QLabel;
class Ui_MainWindow;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void UpdateView();
    void unsetReverse();

    static QString formatComplex(std::complex<long double> z);
    QString formatPoly();
    QString formatSolutions();

    // Shared with the definition dialog and the plot window.
    int coeffCount;
    std::complex<long double> *coeffs;
    PolySolver *solver;
    int rootCount;
    std::complex<long double> *roots;
    bool polish;
    bool reverse;
    Ui_MainWindow *ui;
    QString *licenseText;

private slots:
    void on_polishBox_stateChanged(int arg1);
    void on_reverseBox_stateChanged(int arg1);
    void on_newPolyButton_clicked();
    void showAbout();

private:
    void makeRootsScrollable();
    void addQuitKey();
    void reportMissingRoots();

    QLabel *missingRootsLabel;

protected:
    void resizeEvent(QResizeEvent *event) override;
};

#endif
