#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "rroots_oo_1.h"

#include <QMainWindow>
#include <QPointer>
#include <QString>

#include <complex>
#include <string>
#include <vector>

class MyPlot;
class QAction;
class QCheckBox;
class QKeySequence;
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

    // A new plot window for the polynomial held, beside this window.
    void openPlot();
    // The plot of the polynomial held, opened where none is.
    void showPlot();

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
    void makeReachableByKeyboard();
    void addMenus();
    void nameTextsInWords();
    QAction *newAction(const QString &text, const QKeySequence &key, const QString &tip);
    QAction *optionAction(QCheckBox *box, const QString &text, const QKeySequence &key);
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
    // The plot window last opened, and the polynomial it shows.
    QPointer<MyPlot> latestPlot;
    std::vector<std::complex<long double>> plottedCoeffs;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

#endif
