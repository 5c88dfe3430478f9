#ifndef COEFFICIENT_BOX_H
#define COEFFICIENT_BOX_H

#include <QDoubleSpinBox>

// A spin box for one coefficient. It reads what the user types in the
// user's own way or with ".", in exponent notation too, and refuses what
// it cannot read instead of guessing. Its value changes only when the
// user commits one (Enter, leaving the box, the arrows, the wheel), and
// the wheel turns it only while it has the focus.
class CoefficientBox : public QDoubleSpinBox
{
    Q_OBJECT

public:
    explicit CoefficientBox(QWidget *parent = nullptr);

    QValidator::State validate(QString &text, int &pos) const override;
    double valueFromText(const QString &text) const override;

protected:
    void wheelEvent(QWheelEvent *event) override;

private:
    struct Reading {
        QValidator::State state;
        double value;
    };
    Reading read(const QString &text) const;
};

#endif
