#ifndef DIALOG_TESTING_H
#define DIALOG_TESTING_H

// The definition dialog driven as a user drives it, from the main window's
// button to the submitted polynomial.
#include "mainwindow.h"
#include "new_poly_window.h"
#include "ui_mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QWheelEvent>

#include <vector>

// The dialog that a click on the main window's button opened.
inline DialogWindow *openDialog(MainWindow &window)
{
    const QWidgetList before = QApplication::topLevelWidgets();
    QTest::mouseClick(window.ui->newPolyButton, Qt::LeftButton);
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<DialogWindow *>(widget); dialog && !before.contains(dialog))
            return dialog;
    return nullptr;
}

inline QSpinBox *degreeBox(DialogWindow *dialog)
{
    return dialog->findChild<QSpinBox *>(QString(), Qt::FindDirectChildrenOnly);
}

inline QPushButton *submitButton(DialogWindow *dialog)
{
    return dialog->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
}

// Types (or pastes) over the field's text, leaving it uncommitted.
inline void typeOver(QWidget *field, const QString &text, bool paste = false)
{
    QApplication::setActiveWindow(field->window());
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(text);
    paste ? QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier) : QTest::keyClicks(field, text);
}

// Types and moves on to the next field, as a user filling in the dialog.
inline void typeInto(QWidget *field, const QString &text)
{
    typeOver(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}

inline void setDegree(DialogWindow *dialog, int degree)
{
    typeInto(degreeBox(dialog), QString::number(degree));
}

// One notch of the wheel towards the user, over the widget's top left corner.
inline void turnWheelDown(QWidget *widget)
{
    const QPoint at(5, 5);
#if QT_VERSION >= QT_VERSION_CHECK(5, 12, 0)
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
#else
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), -120, Qt::Vertical,
                      Qt::NoButton, Qt::NoModifier);
#endif
    // Only a wheel turned by the user goes on to the parents when ignored,
    // and sendEvent would take that mark off again.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    qApp->notify(widget, &wheel);
}

inline void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

inline QLineEdit *polynomialLine(DialogWindow *dialog)
{
    return dialog->findChild<QLineEdit *>(QStringLiteral("polynomialEdit"));
}

// Puts the coefficients, highest power first, into the polynomial line as a
// list, each as its shortest decimal, and clicks the button; false where the
// dialog did not take the polynomial.
inline bool submitPolynomial(DialogWindow *dialog, const std::vector<double> &c)
{
    QStringList list;
    for (const double v : c)
        list << QString::number(v, 'g', QLocale::FloatingPointShortest);
    polynomialLine(dialog)->setText(list.join(QLatin1Char(' ')));
    const QPointer<DialogWindow> open(dialog);
    QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
    return !open || !open->isVisible();
}

#endif
