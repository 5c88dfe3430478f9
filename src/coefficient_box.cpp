#include "coefficient_box.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <QLocale>
#include <QTextDocumentFragment>
#include <QWheelEvent>

#include <cmath>

std::u32string readerText(const QString &text)
{
    std::u32string points = text.toStdU32String();
    for (char32_t &c : points) {
        const int digit = QChar::digitValue(c);
        if (digit >= 0 && QChar::isDigit(c))
            c = U'0' + char32_t(digit);
    }
    return points;
}

QString fieldText(const std::u32string &text)
{
    return QString::fromStdU32String(text);
}

QString plainText(const QString &richText)
{
    return QTextDocumentFragment::fromHtml(richText).toPlainText();
}

char32_t decimalPoint(const QLocale &locale)
{
    // A character in one toolkit, a string in the other.
    return QString(locale.decimalPoint()).toStdU32String().front();
}

CoefficientBox::CoefficientBox(QWidget *parent) : QAbstractSpinBox(parent)
{
    // Without wheel focus, a wheel turned over the box scrolls past it.
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleDescription(usage());
    connect(lineEdit(), &QLineEdit::textEdited, this, &CoefficientBox::edited);
}

CoefficientReading CoefficientBox::reading() const
{
    return read_coefficient(readerText(text()), decimalPoint(locale()));
}

double CoefficientBox::value() const
{
    const CoefficientReading r = reading();
    return r.problem.kind == TextProblem::none ? double(nearest_long_double(r.exact)) : NAN;
}

void CoefficientBox::setExact(const std::string &exact)
{
    setText(fieldText(coefficient_text(exact, decimalPoint(locale()))));
}

void CoefficientBox::setText(const QString &text)
{
    lineEdit()->setText(text);
}

// A palette that sets only the text colour; an empty one takes the
// window's again.
void CoefficientBox::setRefusal(const QString &why)
{
    QPalette shown;
    if (!why.isEmpty())
        shown.setColor(QPalette::Text, Qt::red);
    setPalette(shown);
    setToolTip(why);
    setAccessibleDescription(why.isEmpty() ? usage() : plainText(why));
    isRefused = !why.isEmpty();
}

QString CoefficientBox::usage()
{
    return tr("A number, a fraction such as 1/3, or an expression without x; "
              "the arrow keys step it by 1");
}

bool CoefficientBox::refused() const
{
    return isRefused;
}

// Every keystroke stays: what does not read yet is only unfinished, and
// the dialog says why.
QValidator::State CoefficientBox::validate(QString &text, int &) const
{
    const CoefficientReading r = read_coefficient(readerText(text), decimalPoint(locale()));
    return r.problem.kind == TextProblem::none ? QValidator::Acceptable : QValidator::Intermediate;
}

void CoefficientBox::stepBy(int steps)
{
    const CoefficientReading r = reading();
    if (r.problem.kind != TextProblem::none)
        return;
    setExact(stepped(r.exact, steps));
    selectAll();
    emit edited();
}

QAbstractSpinBox::StepEnabled CoefficientBox::stepEnabled() const
{
    return reading().problem.kind == TextProblem::none ? StepUpEnabled | StepDownEnabled : StepNone;
}

// Room for a coefficient with ten digits before the decimal separator and
// eight after it.
QSize CoefficientBox::sizeHint() const
{
    QSize hint = QAbstractSpinBox::sizeHint();
    hint.rwidth() += fontMetrics().horizontalAdvance(QStringLiteral("-1000000000.00000000"));
    return hint;
}

// Turning the wheel over the boxes on the way down the list scrolls the
// list; only the box being edited takes the wheel.
void CoefficientBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QAbstractSpinBox::wheelEvent(event);
    else
        event->ignore();
}
