#ifndef COEFFICIENT_BOX_H
#define COEFFICIENT_BOX_H

#include "polynomial_text.h"

#include <QAbstractSpinBox>

#include <string>

class QLocale;

// Text from the dialog's fields as the polynomial reader takes it: code
// points, with digits of any script as ASCII digits.
std::u32string readerText(const QString &text);
// Back from the reader's code points; places in them map to places in the
// field's text through the length of the part before.
QString fieldText(const std::u32string &text);
char32_t decimalPoint(const QLocale &locale);
// What a field's rich text says, for screen readers.
QString plainText(const QString &richText);

// A box for one coefficient, exactly as typed: a number in the user's way
// or with ".", in exponent notation too, a fraction, or any expression
// without x. It keeps whatever is typed, also what it cannot read, and
// shows when it is refused; the arrows, and the wheel while the box has the
// focus, step the coefficient by 1 exactly.
class CoefficientBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit CoefficientBox(QWidget *parent = nullptr);

    // The coefficient as typed, read exactly, or why it does not read.
    CoefficientReading reading() const;
    // Its value, the nearest double; NaN where it does not read.
    double value() const;
    // Shows a coefficient given exactly, written as it is typed.
    void setExact(const std::string &exact);
    void setText(const QString &text);
    // Marks the box as refused, saying why in its tooltip; an empty text
    // takes the mark off.
    void setRefusal(const QString &why);
    bool refused() const;

    QValidator::State validate(QString &text, int &pos) const override;
    void stepBy(int steps) override;
    QSize sizeHint() const override;

signals:
    // The user changed the text: typed, pasted, stepped.
    void edited();

protected:
    StepEnabled stepEnabled() const override;
    void wheelEvent(QWheelEvent *event) override;

private:
    // What the box takes, for screen readers while it is not refused.
    static QString usage();

    bool isRefused = false;
};

#endif
