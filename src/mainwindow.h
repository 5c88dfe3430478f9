#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "rroots_oo_1.h"

#include <QMainWindow>
#include <QString>

#include <complex>
#include <string>
#include <vector>

class QLabel;
class RootTable;
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
    // The polynomial exactly as typed, where exactCoeffs still stand for the
    // coefficients held (whoever sets coeffs alone leaves them behind);
    // else none.
    std::vector<std::string> exactPolynomial() const;

    // Shared with the definition dialog and the plot window.
    int coeffCount;
    std::complex<long double> *coeffs;
    // The same polynomial exactly, each coefficient an integer or a fraction
    // in decimal, highest power first; coeffs holds their nearest values.
    std::vector<std::string> exactCoeffs;
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
    PolySolver *newSolver() const;
    void makeRootsScrollable();
    void addQuitKey();
    void addRootTable();
    void showAnswers();
    void reportMissingRoots();
    void reportTrust();
    void placeLayoutArea();
    void makeRoomForTable(bool shown);

    QLabel *missingRootsLabel;
    QLabel *trustLabel;
    RootTable *rootTable;
    // The width the window took on to show the table beside it.
    int widenedBy;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif
