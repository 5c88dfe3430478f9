#include "new_poly_window.h"
#include "content_scroll_area.h"
#include "mainwindow.h"
#include "plot.h"
#include "screen_room.h"
#include "spoken_text.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The overload carrying the new value; spelled out, since the helper that
// picks an overload by its arguments is younger than the toolkit we support.
const auto degreeChanged = static_cast<void (QSpinBox::*)(int)>(&QSpinBox::valueChanged);

QString powerText(int power)
{
    if (power == 0)
        return QStringLiteral("constant");
    if (power == 1)
        return QStringLiteral("x");
    return QStringLiteral("x<sup>%1</sup>").arg(power);
}

// A power as a person says it: "x to the power 3", "x squared", "x",
// "constant term".
QString spokenPower(int power)
{
    if (power == 0)
        return DialogWindow::tr("constant term");
    return QString::fromStdString(spoken_power(power));
}

// A polynomial read, in words: "x to the power 3 minus 6 x squared plus 11 x minus 6".
QString spokenPolynomial(const std::vector<Term> &terms)
{
    QStringList words;
    for (const Term &term : terms) {
        if (term.negative)
            words << DialogWindow::tr("minus");
        else if (!words.isEmpty())
            words << DialogWindow::tr("plus");
        if (!term.coefficient.empty())
            words << fieldText(term.coefficient);
        if (term.power > 0)
            words << QString::fromStdString(spoken_power(term.power));
    }
    return words.join(QLatin1Char(' '));
}

// A polynomial read, as rich text: x<sup>3</sup> − 6x<sup>2</sup> + 11x − 6.
QString richPolynomial(const std::vector<Term> &terms)
{
    const QString minus = QStringLiteral("\u2212");
    QString text;
    for (const Term &term : terms) {
        if (text.isEmpty())
            text += term.negative ? minus : QString();
        else
            text += QLatin1Char(' ') + (term.negative ? minus : QStringLiteral("+")) + QLatin1Char(' ');
        text += fieldText(term.coefficient).toHtmlEscaped();
        if (term.power > 0 && term.spaced)
            text += QLatin1Char(' ');
        if (term.power > 0)
            text += QLatin1Char('x');
        if (term.power > 1)
            text += QStringLiteral("<sup>%1</sup>").arg(term.power);
    }
    return text;
}

} // namespace

DialogWindow::DialogWindow(MainWindow *mainWindow)
    : QWidget(mainWindow, Qt::Dialog), mainWindow(mainWindow), vLayout(nullptr), degree(2),
      coeffBoxes(nullptr), polynomialEdit(nullptr), readingLabel(nullptr), degreeBox(nullptr),
      submitButton(nullptr), writingLine(false), powerLabels(nullptr), boxGrid(nullptr), boxArea(nullptr)
{
    vLayout = new QVBoxLayout(this);
    setAttribute(Qt::WA_DeleteOnClose, true);
    setWindowTitle(QStringLiteral("Define Polynomial"));

    // The whole polynomial in one line, above the degree and its boxes.
    auto *lineRow = new QHBoxLayout;
    auto *caption = new QLabel(tr("&Polynomial:"));
    polynomialEdit = new QLineEdit;
    polynomialEdit->setObjectName(QStringLiteral("polynomialEdit"));
    polynomialEdit->setPlaceholderText(tr("x^3 - 6x^2 + 11x - 6, or 1 -6 11 -6"));
    polynomialEdit->setToolTip(lineToolTip());
    polynomialEdit->setAccessibleName(tr("Polynomial"));
    polynomialEdit->setAccessibleDescription(
        tr("The polynomial in x as you write it, or its coefficients, highest power first. "
           "The boxes below follow it."));
    // Room for a cubic with decimals at a glance, where the screen has it;
    // longer ones scroll.
    polynomialEdit->setMinimumWidth(std::min(polynomialEdit->fontMetrics().averageCharWidth() * 36,
                                             roomOnScreen(this).width() / 2));
    caption->setBuddy(polynomialEdit);
    lineRow->addWidget(caption);
    lineRow->addWidget(polynomialEdit, 1);
    vLayout->addLayout(lineRow);
    readingLabel = new QLabel;
    readingLabel->setObjectName(QStringLiteral("readingLabel"));
    readingLabel->setTextFormat(Qt::RichText);
    readingLabel->setWordWrap(true);
    readingLabel->setAccessibleDescription(tr("What the dialog reads in the polynomial typed"));
    vLayout->addWidget(readingLabel);

    auto *degreeCaption = new QLabel(QStringLiteral("Start by defining degree of new polynomial"));
    vLayout->addWidget(degreeCaption);

    degreeBox = new QSpinBox;
    degreeCaption->setBuddy(degreeBox);
    degreeBox->setAccessibleName(tr("Degree"));
    degreeBox->setAccessibleDescription(
        tr("The degree of the new polynomial, %1 to %2: one box per coefficient below").arg(1).arg(max_degree));
    degreeBox->setValue(degree);
    degreeBox->setMinimum(1);
    degreeBox->setMaximum(max_degree);
    // A degree typed digit by digit counts once it is committed, not on
    // the way through its first digit.
    degreeBox->setKeyboardTracking(false);
    degreeBox->installEventFilter(this);
    vLayout->addWidget(degreeBox);

    submitButton = new QPushButton(QStringLiteral("Create the Polynomial"));
    submitButton->setAccessibleDescription(tr("Solve the polynomial and plot it"));
    vLayout->addWidget(submitButton);

    // The boxes, each beside the power it is for, scroll where the screen is
    // too short for all of them.
    auto *boxPanel = new QWidget;
    boxGrid = new QGridLayout(boxPanel);
    boxGrid->setContentsMargins(0, 0, 0, 0);
    boxGrid->setColumnStretch(1, 1);
    boxArea = new ContentScrollArea(boxPanel);
    vLayout->addWidget(boxArea);

    startWith(mainWindow->exactPolynomial());
    fitToContent();
    placeOver(this, mainWindow);

    // Connected last, so that the start changes nothing.
    connect(degreeBox, degreeChanged, this, &DialogWindow::changeDegree);
    connect(submitButton, &QPushButton::clicked, this, &DialogWindow::submitReceived);
    connect(polynomialEdit, &QLineEdit::textChanged, this, &DialogWindow::readLine);
    // Typing at once replaces the polynomial shown.
    polynomialEdit->setFocus();
    polynomialEdit->selectAll();
}

DialogWindow::~DialogWindow()
{
    clearCoefficients();
    deleteRetired();
    delete vLayout;
}

// The main window's polynomial, exactly as typed where it was, else each
// coefficient as its shortest decimal; the line starts without history to
// undo.
void DialogWindow::startWith(const std::vector<std::string> &exact)
{
    const int n = mainWindow->coeffCount;
    for (int power = 0; power <= max_degree; ++power)
        typed << QStringLiteral("0");
    for (int i = 0; i < n; ++i)
        typed[n - 1 - i] = exact.empty()
                               ? QString::number(double(mainWindow->coeffs[i].real()), 'g',
                                                 QLocale::FloatingPointShortest)
                               : fieldText(coefficient_text(exact[size_t(i)], point()));
    newCoefficients(n);
    degreeBox->setValue(degree);
    std::vector<std::string> read;
    const Refusal refusal = boxesRefusal(read);
    polynomialEdit->setText(boxesLine());
    refusal.why.isEmpty() ? showRead(read) : showRefusal(refusal);
}

// Row i of the grid holds the box for element i; rows left over from a
// higher degree stay empty and take no room. Each box shows what was typed
// for its power; a leading box with nothing but 0 for its power starts at
// 1, so that the polynomial has the degree chosen.
void DialogWindow::newCoefficients(int n)
{
    coeffBoxes = new CoefficientBox[n];
    powerLabels = new QLabel[n];
    for (int i = 0; i < n; ++i) {
        CoefficientBox &box = coeffBoxes[i];
        box.setText(typed[n - 1 - i]);
        box.setAccessibleName(boxName(n - 1 - i));
        QLabel &power = powerLabels[i];
        power.setTextFormat(Qt::RichText);
        power.setText(powerText(n - 1 - i));
        power.setAccessibleName(spokenPower(n - 1 - i));
        power.setBuddy(&box);
        boxGrid->addWidget(&power, i, 0, Qt::AlignRight | Qt::AlignVCenter);
        boxGrid->addWidget(&box, i, 1);
        connect(&box, &CoefficientBox::edited, this, [this, i] { validateBox(i); });
        // In a shown dialog the layout would show them only later, and
        // until then leave them out of the size that the dialog fits to.
        power.show();
        box.show();
    }
    const CoefficientReading lead = coeffBoxes[0].reading();
    if (lead.exact == "0" || lead.problem.kind == TextProblem::empty)
        coeffBoxes[0].setText(QStringLiteral("1"));
    degree = n - 1;
    orderTabs();
}

// Tab runs from the line to the degree, down the boxes, highest power
// first, and on to the button, as the dialog is filled in.
void DialogWindow::orderTabs()
{
    setTabOrder(polynomialEdit, degreeBox);
    QWidget *previous = degreeBox;
    for (int i = 0; i <= degree; ++i) {
        setTabOrder(previous, &coeffBoxes[i]);
        previous = &coeffBoxes[i];
    }
    setTabOrder(previous, submitButton);
}

QString DialogWindow::boxName(int power)
{
    if (power == 0)
        return tr("Constant term");
    return tr("Coefficient of %1").arg(spokenPower(power));
}

void DialogWindow::clearCoefficients()
{
    const int focused = focusedBox();
    if (focused >= 0)
        return retireCoefficients(focused);
    // Array delete destroys the boxes from the last to the first; each one
    // leaves the dialog, its layout and its connections as it goes, and so
    // do the labels beside them.
    delete[] coeffBoxes;
    delete[] powerLabels;
    coeffBoxes = nullptr;
    powerLabels = nullptr;
}

// The box that has the focus, or that the focus is on its way to: a click
// into a box commits a degree typed while the focus is already given to
// the box. -1 where it is elsewhere.
int DialogWindow::focusedBox() const
{
    QWidget *focus = QApplication::focusWidget();
    for (int i = 0; coeffBoxes && focus && i <= degree; ++i)
        if (focus == &coeffBoxes[i] || coeffBoxes[i].isAncestorOf(focus))
            return i;
    return -1;
}

// Boxes cannot be deleted while the focus moves into one of them: they
// leave the dialog at once and are deleted once the event is over, the
// focus going to the new box in the same row.
void DialogWindow::retireCoefficients(int focused)
{
    for (int i = 0; i <= degree; ++i) {
        coeffBoxes[i].disconnect(this);
        coeffBoxes[i].hide();
        powerLabels[i].hide();
        boxGrid->removeWidget(&coeffBoxes[i]);
        boxGrid->removeWidget(&powerLabels[i]);
    }
    retired.push_back({coeffBoxes, powerLabels});
    coeffBoxes = nullptr;
    powerLabels = nullptr;
    QTimer::singleShot(0, this, [this, focused] {
        deleteRetired();
        if (coeffBoxes)
            coeffBoxes[std::min(focused, degree)].setFocus(Qt::OtherFocusReason);
    });
}

void DialogWindow::deleteRetired()
{
    for (const Retired &boxes : retired) {
        delete[] boxes.boxes;
        delete[] boxes.labels;
    }
    retired.clear();
}

// The coefficients typed stay at their powers; the line follows.
void DialogWindow::changeDegree(int new_degree)
{
    if (new_degree == degree)
        return;
    if (coeffBoxes)
        clearCoefficients();
    newCoefficients(new_degree + 1);
    followBoxes();
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
    // The size hint leaves out the lines that the wrapped reading takes.
    QSize wanted = sizeHint();
    wanted.setHeight(std::max(wanted.height(), heightForWidth(wanted.width())));
    wanted = wanted.boundedTo(roomOnScreen(this));
    if (isVisible())
        setGeometry(keptOnScreen(this, wanted));
    else
        resize(wanted);
}

// A box edited: what it holds is kept for its power, and the line follows
// the boxes wherever they read.
void DialogWindow::validateBox(int index)
{
    typed[degree - index] = coeffBoxes[index].text();
    followBoxes();
}

void DialogWindow::followBoxes()
{
    std::vector<std::string> exact;
    const Refusal refusal = boxesRefusal(exact);
    writeLine(boxesLine());
    refusal.why.isEmpty() ? showRead(exact) : showRefusal(refusal);
}

// The line edited: the degree and the boxes follow what it reads; what does
// not read leaves them as they were.
void DialogWindow::readLine()
{
    if (writingLine)
        return;
    std::vector<std::string> exact;
    const Refusal refusal = lineRefusal(exact);
    if (!refusal.why.isEmpty())
        return showRefusal(refusal);
    showCoefficients(exact);
    showRead(exact);
}

// The boxes hold a polynomial read from the line; the powers above its
// degree hold 0.
void DialogWindow::showCoefficients(const std::vector<std::string> &exact)
{
    const int n = int(exact.size());
    for (int power = 0; power <= max_degree; ++power)
        typed[power] = power < n ? fieldText(coefficient_text(exact[size_t(n - 1 - power)], point()))
                                 : QStringLiteral("0");
    if (n - 1 != degree) {
        clearCoefficients();
        newCoefficients(n);
        fitToContent();
    }
    for (int i = 0; i < n; ++i) {
        coeffBoxes[i].setText(typed[degree - i]);
        coeffBoxes[i].setRefusal(QString());
    }
    const QSignalBlocker quiet(degreeBox);
    degreeBox->setValue(degree);
}

// Why the boxes do not make a polynomial to solve, if they do not: each box
// refused is marked, and the first one named.
DialogWindow::Refusal DialogWindow::boxesRefusal(std::vector<std::string> &exact)
{
    QStringList refused;
    exact.clear();
    for (int i = 0; i <= degree; ++i) {
        const CoefficientReading r = coeffBoxes[i].reading();
        refused << why(r.problem);
        exact.push_back(r.exact);
    }
    Refusal whole;
    if (refused.join(QString()).isEmpty()) {
        const Problem problem = check_coefficients(exact);
        if (problem.at < size_t(refused.size()))
            refused[int(problem.at)] = why(problem);
        else
            whole = Refusal{&coeffBoxes[0], -1, why(problem), QString()};
    }
    Refusal first = whole;
    for (int i = degree; i >= 0; --i) {
        coeffBoxes[i].setRefusal(refused[i]);
        if (!refused[i].isEmpty()) {
            const int power = degree - i;
            first = Refusal{&coeffBoxes[i], -1,
                            power == 0 ? tr("In the box for the constant term: %1").arg(refused[i])
                                       : tr("In the box for %1: %2").arg(powerText(power), refused[i]),
                            power == 0 ? QString()
                                       : tr("In the box for %1: %2").arg(spokenPower(power), plainText(refused[i]))};
        }
    }
    return first;
}

// Why the line does not read, if it does not, with the place in it.
DialogWindow::Refusal DialogWindow::lineRefusal(std::vector<std::string> &exact) const
{
    const std::u32string text = readerText(polynomialEdit->text());
    const PolynomialReading reading = read_polynomial(text, point());
    exact = reading.coefficients;
    if (reading.problem.kind == TextProblem::none)
        return Refusal{};
    if (reading.problem.at == std::string::npos)
        return Refusal{polynomialEdit, -1, why(reading.problem), QString()};
    const int place = fieldText(text.substr(0, reading.problem.at)).size();
    return Refusal{polynomialEdit, place,
                   tr("At character %1: %2").arg(place + 1).arg(why(reading.problem)), QString()};
}

// What the boxes hold, as the line writes it: each coefficient as it is
// typed, and the text of a box refused as typed, in parentheses at its
// power, so that the line never shows a polynomial the boxes do not hold.
QString DialogWindow::boxesLine() const
{
    std::vector<std::string> exact;
    std::vector<std::u32string> asTyped;
    for (int i = 0; i <= degree; ++i) {
        exact.push_back(coeffBoxes[i].reading().exact);
        asTyped.push_back(coeffBoxes[i].refused() ? coeffBoxes[i].text().toStdU32String()
                                                  : std::u32string());
    }
    return fieldText(polynomial_text(exact, point(), asTyped));
}

// Replaced as an edit, so that undo in the line takes it back.
void DialogWindow::writeLine(const QString &text)
{
    if (text == polynomialEdit->text())
        return;
    writingLine = true;
    polynomialEdit->selectAll();
    polynomialEdit->insert(text);
    writingLine = false;
}

void DialogWindow::showRead(const std::vector<std::string> &exact)
{
    readingLabel->setPalette(QPalette());
    const std::vector<Term> terms = polynomial_terms(exact, point());
    readingLabel->setAccessibleName(tr("Read as: %1").arg(spokenPolynomial(terms)));
    showReading(tr("Read as: %1").arg(richPolynomial(terms)));
}

void DialogWindow::showRefusal(const Refusal &refusal)
{
    QPalette refused;
    refused.setColor(QPalette::WindowText, Qt::red);
    readingLabel->setPalette(refused);
    readingLabel->setAccessibleName(refusal.said.isEmpty() ? plainText(refusal.why) : refusal.said);
    showReading(refusal.why);
}

// A reading longer than the room it had grows the dialog rather than
// squeezing the boxes, as far as the screen lets it; it shrinks again with
// the next change of degree.
void DialogWindow::showReading(const QString &text)
{
    readingLabel->setText(text);
    if (heightForWidth(width()) > height() && height() < roomOnScreen(this).height())
        fitToContent();
}

QString DialogWindow::why(const Problem &problem) const
{
    const QString name = fieldText(problem.name).toHtmlEscaped();
    switch (problem.kind) {
    case TextProblem::none:
        return QString();
    case TextProblem::empty:
        return tr("Nothing typed yet: type a polynomial in x, or its coefficients.");
    case TextProblem::unexpected:
        return tr("“%1” cannot stand here.").arg(name);
    case TextProblem::missing:
        return tr("A number, x or “(” is missing here.");
    case TextProblem::unclosed:
        return tr("This bracket is never closed.");
    case TextProblem::unopened:
        return tr("This “)” closes no “(”.");
    case TextProblem::bad_number:
        return tr("This number has a second decimal separator, or an exponent without digits.");
    case TextProblem::number_after:
        return tr("A number cannot follow here without an operator, such as “*” or “^”.");
    case TextProblem::unknown_name:
        return tr("“%1” is not x, the only name a polynomial here can hold.").arg(name);
    case TextProblem::power_not_whole:
        return tr("A power must be a whole number, and 0 or more where it is a power of x.");
    case TextProblem::divided_by_x:
        return tr("Dividing by an expression in x gives no polynomial.");
    case TextProblem::division_by_zero:
        return tr("Division by zero.");
    case TextProblem::too_large:
        return tr("This number is too large to work with exactly.");
    case TextProblem::x_in_coefficient:
        return tr("A box takes one number: type a polynomial in x into the line above.");
    case TextProblem::constant:
        return tr("This is a constant: a polynomial here has degree 1 or more.");
    case TextProblem::degree_too_high:
        return problem.value > 0 ? tr("Degree %1 is above %2, the highest this program solves.")
                                       .arg(problem.value)
                                       .arg(max_degree)
                                 : tr("The degree is above %1, the highest this program solves.")
                                       .arg(max_degree);
    case TextProblem::sign_apart:
        return tr("In a list, a sign stands right before its coefficient.");
    case TextProblem::empty_item:
        return tr("A coefficient is missing between these separators.");
    case TextProblem::ambiguous_comma:
        return tr("This “,” could be a decimal separator or separate coefficients: separate "
                  "them by spaces, new lines or “;”, or write decimals with “.”.");
    case TextProblem::leading_zero:
        return tr("The coefficient of the highest power must not be 0: leave it out, or lower "
                  "the degree.");
    case TextProblem::out_of_range:
        return tr("A coefficient must be 0 or between 1e-%1 and 1e%1 in magnitude.")
            .arg(coefficient_range_exponent);
    case TextProblem::roots_too_large:
        return tr("A coefficient more than 1e%1 times the leading one gives roots too large to show.")
            .arg(coefficient_range_exponent);
    case TextProblem::too_wide:
        return tr("Over a common denominator the coefficients have more digits than the exact "
                  "check of the roots takes.");
    }
    return QString();
}

QString DialogWindow::lineToolTip() const
{
    const QString point = fieldText(std::u32string(1, this->point()));
    QString tip = tr("<p>Type the polynomial as you write it: x^3 - 6x^2 + 11x - 6, (x-1)^22, "
                     "2x(x - 1/3), x² − 2 = 0. Powers with ^, ** or superscript digits; products "
                     "with *, ·, × or side by side (2x, 3(x-1)); fractions, decimals and "
                     "exponents (2.5e-3).</p>"
                     "<p>Or paste its coefficients, highest power first, as Octave, numpy or a "
                     "spreadsheet writes them: 1 -6 11 -6, [1, -6, 11, -6], or one per line.</p>");
    tip += point == QLatin1String(".") ? tr("<p>Decimals are written with “.”.")
                                       : tr("<p>Decimals are written with “%1” or “.”.").arg(point);
    if (point == QLatin1String(","))
        tip += tr(" In a list, a “,” between two digits is a decimal separator where spaces, new "
                  "lines or “;” separate the coefficients (1,5 -2,25); any other “,” separates "
                  "coefficients. A list in which a “,” could be either is refused.</p>");
    else
        tip += tr(" In a list, “,” separates coefficients.</p>");
    return tip;
}

char32_t DialogWindow::point() const
{
    return decimalPoint(locale());
}

void DialogWindow::submitReceived()
{
    // A box refused is named before the line that writes it.
    std::vector<std::string> exact, line;
    Refusal refusal = boxesRefusal(exact);
    if (refusal.why.isEmpty())
        refusal = lineRefusal(line);
    if (!refusal.why.isEmpty()) {
        showRefusal(refusal);
        refusal.field->setFocus();
        if (refusal.place >= 0)
            polynomialEdit->setCursorPosition(refusal.place);
        return;
    }

    const int n = int(exact.size());
    mainWindow->coeffCount = n;
    delete[] mainWindow->coeffs;
    mainWindow->coeffs = new std::complex<long double>[n]();
    for (int i = 0; i < n; ++i)
        mainWindow->coeffs[i] = std::complex<long double>(nearest_long_double(exact[size_t(i)]), 0);
    mainWindow->exactCoeffs = exact;

    // The plot evaluates the solver's own copy of the polynomial, which only a
    // solve without reverse deflation leaves intact.
    mainWindow->unsetReverse();
    mainWindow->UpdateView();

    mainWindow->openPlot();
    close();
}

// A degree typed and left with Tab counts before Tab moves on: the boxes
// it asks for are there to move to, and the boxes Tab would have moved to
// are not deleted on the way.
bool DialogWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == degreeBox && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            degreeBox->interpretText();
    }
    return QWidget::eventFilter(watched, event);
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
