#include "new_poly_window.h"
#include "content_scroll_area.h"
#include "mainwindow.h"
#include "plot.h"
#include "screen_room.h"

#include <QGridLayout>
#include <QKeyEvent>
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

QString powerText(int power)
{
    if (power == 0)
        return QStringLiteral("constant");
    if (power == 1)
        return QStringLiteral("x");
    return QStringLiteral("x<sup>%1</sup>").arg(power);
}

} // namespace

DialogWindow::DialogWindow(MainWindow *mainWindow)
    : QWidget(nullptr), mainWindow(mainWindow), vLayout(nullptr), degree(2),
      coeffBoxes(nullptr), powerLabels(nullptr), boxGrid(nullptr), boxArea(nullptr)
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

    // The boxes, each beside the power it is for, scroll where the screen is
    // too short for all of them.
    auto *boxPanel = new QWidget;
    boxGrid = new QGridLayout(boxPanel);
    boxGrid->setContentsMargins(0, 0, 0, 0);
    boxGrid->setColumnStretch(1, 1);
    boxArea = new ContentScrollArea(boxPanel);
    vLayout->addWidget(boxArea);

    newCoefficients(degree + 1);
    fitToContent();

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

// Row i of the grid holds the box for element i; rows left over from a
// higher degree stay empty and take no room.
void DialogWindow::newCoefficients(int n)
{
    coeffBoxes = new CoefficientBox[n];
    powerLabels = new QLabel[n];
    for (int i = 0; i < n; ++i) {
        CoefficientBox &box = coeffBoxes[i];
        box.setValue(0);
        box.setDecimals(8);
        box.setMinimum(-1e10);
        box.setMaximum(1e10);
        QLabel &power = powerLabels[i];
        power.setTextFormat(Qt::RichText);
        power.setText(powerText(n - 1 - i));
        power.setBuddy(&box);
        boxGrid->addWidget(&power, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        boxGrid->addWidget(&box, i, 1);
        // In a shown dialog the layout would show them only later, and
        // until then leave them out of the size that the dialog fits to.
        power.show();
        box.show();
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
        // one leaves the dialog and its layout as it goes, and so do the
        // labels beside them.
        delete[] coeffBoxes;
        delete[] powerLabels;
    }
    coeffBoxes = nullptr;
    powerLabels = nullptr;
}

void DialogWindow::changeDegree(int new_degree)
{
    if (new_degree == degree)
        return;
    if (coeffBoxes)
        clearCoefficients();
    newCoefficients(new_degree + 1);
    fitToContent();
}

// As large as the content asks for, down to the smaller size of a lower
// degree, but never taller than the screen: the boxes scroll instead. One
// request for size and place, so that a window manager keeping windows on
// the screen sees where the dialog is going.
void DialogWindow::fitToContent()
{
    boxArea->updateGeometry();
    vLayout->activate();
    const QSize wanted =
        sizeHint().boundedTo(QSize(QWIDGETSIZE_MAX, roomOnScreen(this).height()));
    if (isVisible())
        setGeometry(keptOnScreen(this, wanted));
    else
        resize(wanted);
}

// Keeps the leading coefficient at magnitude 0.01 or more, so the
// polynomial really has the degree shown. The box reports only the values
// the user commits, so a 0 on the way to 0.5 is never seen here.
void DialogWindow::validateBox(double attempt)
{
    if (-0.01 < attempt && attempt < 0)
        coeffBoxes[0].setValue(-0.01);
    else if (0 <= attempt && attempt < 0.01)
        coeffBoxes[0].setValue(0.01);
}

void DialogWindow::submitReceived()
{
    // Text still being typed counts as entered, the leading box's guard
    // included.
    for (int i = 0; i <= degree; ++i)
        coeffBoxes[i].interpretText();

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

// Enter submits from anywhere in the dialog, as the default button of a
// dialog would; Esc closes it.
void DialogWindow::keyPressEvent(QKeyEvent *event)
{
    const bool plain = event->modifiers() == Qt::NoModifier
                       || (event->modifiers() == Qt::KeypadModifier && event->key() == Qt::Key_Enter);
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter))
        submitReceived();
    else if (plain && event->key() == Qt::Key_Escape)
        close();
    else
        QWidget::keyPressEvent(event);
}
