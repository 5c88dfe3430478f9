#include "coefficient_box.h"

#include <QLocale>
#include <QRegularExpression>
#include <QWheelEvent>

#include <optional>

namespace {

// The text with the locale's digits, signs, decimal point and exponent mark
// in their ASCII forms, "." counting as a decimal point as well; nothing if
// it holds any other character, a group separator among them.
std::optional<QString> asciiNumber(const QString &text, const QLocale &locale)
{
    QString ascii;
    for (const QChar c : text) {
        if (c.isDigit())
            ascii += QLatin1Char(char('0' + c.digitValue()));
        else if (c == QLatin1Char('.') || c == locale.decimalPoint())
            ascii += QLatin1Char('.');
        else if (c == QLatin1Char('-') || c == locale.negativeSign())
            ascii += QLatin1Char('-');
        else if (c == QLatin1Char('+') || c == locale.positiveSign())
            ascii += QLatin1Char('+');
        else if (c.toLower() == QLatin1Char('e') || c == locale.exponential())
            ascii += QLatin1Char('e');
        else
            return std::nullopt;
    }
    return ascii;
}

// Decimal places that the number digits * 10^(exponent - fractionDigits)
// needs, counted on the digits as written, so that no rounding of a binary
// value can make 0.1 look as if it had more.
qint64 decimalPlaces(QString digits, qint64 fractionDigits, qint64 exponent)
{
    while (digits.endsWith(QLatin1Char('0'))) {
        digits.chop(1);
        --fractionDigits;
    }
    if (digits.isEmpty())
        return 0;
    return fractionDigits - exponent;
}

} // namespace

CoefficientBox::CoefficientBox(QWidget *parent) : QDoubleSpinBox(parent)
{
    // The value follows the text only when the user commits it, so a guard on
    // the value never fights the digits still being typed.
    setKeyboardTracking(false);
    // Without wheel focus, a wheel turned over the box scrolls past it.
    setFocusPolicy(Qt::StrongFocus);
}

QValidator::State CoefficientBox::validate(QString &text, int &) const
{
    return read(text).state;
}

double CoefficientBox::valueFromText(const QString &text) const
{
    return read(text).value;
}

// Sign, digits with at most one decimal point, and an optional exponent.
// Unfinished forms such as "-", "." or "2e-" may still become a number;
// anything else, or a number outside the range or finer than the decimals,
// is refused.
CoefficientBox::Reading CoefficientBox::read(const QString &text) const
{
    const Reading refused{QValidator::Invalid, value()};
    const Reading unfinished{QValidator::Intermediate, value()};
    const std::optional<QString> number = asciiNumber(text.trimmed(), locale());
    if (!number)
        return refused;
    static const QRegularExpression form(
        QStringLiteral("^([+-]?)(\\d*)(?:\\.(\\d*))?(?:e([+-]?)(\\d*))?$"));
    const QRegularExpressionMatch parts = form.match(*number);
    if (!parts.hasMatch())
        return refused;
    const QString whole = parts.captured(2);
    const QString fraction = parts.captured(3);
    const bool hasExponent = parts.capturedStart(4) >= 0;
    const QString exponentDigits = parts.captured(5);
    if (whole.isEmpty() && fraction.isEmpty())
        return hasExponent ? refused : unfinished;
    if (hasExponent && exponentDigits.isEmpty())
        return unfinished;
    // Six exponent digits already reach far beyond the range and the decimals.
    if (exponentDigits.size() > 6)
        return refused;

    const qint64 exponent = (parts.captured(4) + exponentDigits).toLongLong();
    if (decimalPlaces(whole + fraction, fraction.size(), exponent) > decimals())
        return refused;
    bool ok = false;
    const double v = number->toDouble(&ok);
    if (!ok || !(v >= minimum() && v <= maximum()))
        return refused;
    // "-0" is 0: a coefficient must not come out as -0.
    return {QValidator::Acceptable, v == 0 ? 0.0 : v};
}

// Turning the wheel over the boxes on the way down the list scrolls the
// list; only the box being edited takes the wheel.
void CoefficientBox::wheelEvent(QWheelEvent *event)
{
    if (hasFocus())
        QDoubleSpinBox::wheelEvent(event);
    else
        event->ignore();
}
