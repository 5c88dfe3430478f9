#include "new_poly_window.h"
#include "mainwindow.h"
#include "plot.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// The overloads carrying the new value; spelled out, since the helper that
// picks an overload by its arguments is younger than the toolkit we support.
const auto degreeChanged = static_cast<void (QSpinBox::*)(int)>(&QSpinBox::valueChanged);
const auto coefficientChanged =
    static_cast<void (QDoubleSpinBox::*)(double)>(&QDoubleSpinBox::valueChanged);

} // namespace

DialogWindow::DialogWindow(MainWindow *mainWindow)
    : QWidget(nullptr), mainWindow(mainWindow), vLayout(nullptr), degree(2),
      coeffBoxes(nullptr)
{
    vLayout = new QVBoxLayout(this);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowTitle(QStringLiteral("Define Polynomial"));

    vLayout->addWidget(new QLabel(QStringLiteral("Start by defining degree of new polynomial")));

    auto *degreeBox = new QSpinBox;
    degreeBox->setValue(degree);
    degreeBox->setMinimum(1);
    degreeBox->setMaximum(22);
    vLayout->addWidget(degreeBox);

    auto *submitButton = new QPushButton(QStringLiteral("Create the Polynomial"));
    vLayout->addWidget(submitButton);

    newCoefficients(degree + 1);

    // Connected last, so that setting the initial degree changes nothing.
    connect(degreeBox, degreeChanged, this,
            &DialogWindow::changeDegree);
    connect(submitButton, &QPushButton::clicked, this, &DialogWindow::submitReceived);
}

DialogWindow::~DialogWindow()
{
    clearCoefficients();
    delete vLayout;
}

void DialogWindow::newCoefficients(int n)
{
    coeffBoxes = new QDoubleSpinBox[n];
    for (int i = 0; i < n; ++i) {
        QDoubleSpinBox &box = coeffBoxes[i];
        box.setValue(0);
        box.setDecimals(8);
        box.setMinimum(-1e10);
        box.setMaximum(1e10);
        vLayout->addWidget(&box);
    }
    coeffBoxes[0].setValue(1);
    degree = n - 1;
    // Connected last, so that the start values pass unchecked.
    connect(&coeffBoxes[0], coefficientChanged, this,
            &DialogWindow::validateBox);
}

void DialogWindow::clearCoefficients()
{
    if (coeffBoxes) {
        disconnect(&coeffBoxes[0], coefficientChanged,
                   nullptr, nullptr);
        // Array delete destroys the boxes from the last to the first; each
        // one leaves the dialog and its layout as it goes.
        delete[] coeffBoxes;
    }
    coeffBoxes = nullptr;
}

void DialogWindow::changeDegree(int new_degree)
{
    if (new_degree == degree)
        return;
    if (coeffBoxes)
        clearCoefficients();
    newCoefficients(new_degree + 1);
}

// Keeps the leading coefficient at magnitude 0.01 or more, so the
// polynomial really has the degree shown.
void DialogWindow::validateBox(double attempt)
{
    if (-0.01 < attempt && attempt < 0)
        coeffBoxes[0].setValue(-0.01);
    else if (0 <= attempt && attempt < 0.01)
        coeffBoxes[0].setValue(0.01);
}

void DialogWindow::submitReceived()
{
    mainWindow->coeffCount = degree + 1;
    delete[] mainWindow->coeffs;
    mainWindow->coeffs = new std::complex<long double>[degree + 1]();
    for (int i = 0; i <= degree; ++i)
        mainWindow->coeffs[i] = std::complex<long double>(coeffBoxes[i].value(), 0);

    // The plot evaluates the solver's own copy of the polynomial, which only a
    // solve without reverse deflation leaves intact.
    mainWindow->unsetReverse();
    mainWindow->UpdateView();

    auto *plot = new MyPlot(mainWindow);
    plot->show();
    close();
}
