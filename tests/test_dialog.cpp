// Defining a polynomial as a user does: the dialog, the solve cycle it
// drives, and the windows' lifetimes.
#include "mainwindow.h"
#include "new_poly_window.h"
#include "plot.h"
#include "ui_mainwindow.h"
#include "window_testing.h"

#include <QtTest>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>

namespace {

DialogWindow *openDialog(MainWindow &window)
{
    const auto before = QApplication::topLevelWidgets();
    QTest::mouseClick(window.ui->newPolyButton, Qt::LeftButton);
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *dialog = qobject_cast<DialogWindow *>(widget); dialog && !before.contains(dialog))
            return dialog;
    return nullptr;
}

QSpinBox *degreeBox(DialogWindow *dialog)
{
    return dialog->findChild<QSpinBox *>(QString(), Qt::FindDirectChildrenOnly);
}

QPushButton *submitButton(DialogWindow *dialog)
{
    return dialog->findChild<QPushButton *>(QString(), Qt::FindDirectChildrenOnly);
}

void typeInto(QAbstractSpinBox *box, const QString &text)
{
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

void setDegree(DialogWindow *dialog, int degree)
{
    typeInto(degreeBox(dialog), QString::number(degree));
}

void processDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QList<double> boxValues(DialogWindow *dialog)
{
    QList<double> values;
    for (int i = 0; i <= dialog->degree; ++i)
        values << dialog->coeffBoxes[i].value();
    return values;
}

// The index in the dialog's layout of each coefficient box, in order.
QList<int> boxPositions(DialogWindow *dialog)
{
    QList<int> positions;
    for (int i = 0; i <= dialog->degree; ++i)
        positions << dialog->vLayout->indexOf(&dialog->coeffBoxes[i]);
    return positions;
}

const QString cubicText = "1 x<sup>3</sup> &nbsp; + &nbsp; -6 x<sup>2</sup> &nbsp; + &nbsp; "
                          "11 x &nbsp; + &nbsp; (-6) &nbsp; = &nbsp; 0";

} // namespace

class TestDialog : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (qobject_cast<DialogWindow *>(widget))
                delete widget;
        processDeferredDeletes();
    }

    void startSolveShowsRootsOfXSquaredMinusOne()
    {
        MainWindow window;
        QCOMPARE(window.ui->solutionsLabel->text(), QString("-1<br>1<br>"));
        QCOMPARE(window.rootCount, 2);
    }

    void typicalRequestEndToEnd()
    {
        MainWindow window;
        window.show();
        DialogWindow *dialog = openDialog(window);
        QVERIFY(dialog);
        QPointer<DialogWindow> guard(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->windowTitle(), QString("Define Polynomial"));
        setDegree(dialog, 3);
        QCOMPARE(dialog->degree, 3);
        typeInto(&dialog->coeffBoxes[1], "-6");
        typeInto(&dialog->coeffBoxes[2], "11");
        typeInto(&dialog->coeffBoxes[3], "-6");
        QCOMPARE(boxValues(dialog), (QList<double>{1, -6, 11, -6}));
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);

        QCOMPARE(window.coeffCount, 4);
        QCOMPARE(window.ui->polynomialLabel->text(), cubicText);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("1<br>2<br>3<br>"));
        const QList<MyPlot *> plots = plotsOf(window);
        QCOMPARE(plots.size(), 1);
        QCOMPARE(plots[0]->windowTitle(), QString("Plot Of Polynomial"));
        QVERIFY(plots[0]->isVisible());
        QVERIFY(!dialog->isVisible());
        processDeferredDeletes();
        QVERIFY(guard.isNull());
    }

    void optionsResolveTheCurrentPolynomial()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        setDegree(dialog, 3);
        typeInto(&dialog->coeffBoxes[1], "-6");
        typeInto(&dialog->coeffBoxes[2], "11");
        typeInto(&dialog->coeffBoxes[3], "-6");
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);

        QTest::mouseClick(window.ui->reverseBox, Qt::LeftButton);
        QVERIFY(window.reverse);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("3<br>2<br>1<br>"));
        QCOMPARE(window.ui->polynomialLabel->text(), cubicText);
        // Reverse deflation leaves the solver's polynomial deflated to degree 1.
        QCOMPARE(window.solver->poly.degree, 1);

        QTest::mouseClick(window.ui->polishBox, Qt::LeftButton);
        QVERIFY(!window.polish);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("3<br>2<br>1<br>"));
        QCOMPARE(window.solver->poly.degree, 1);

        QTest::mouseClick(window.ui->reverseBox, Qt::LeftButton);
        QVERIFY(!window.reverse);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("1<br>2<br>3<br>"));
        QCOMPARE(window.solver->poly.degree, 3);
        QCOMPARE(window.solver->at(0.0), -6.0);
    }

    void submittingSwitchesReverseOff()
    {
        MainWindow window;
        QTest::mouseClick(window.ui->reverseBox, Qt::LeftButton);
        QVERIFY(window.reverse);
        DialogWindow *dialog = openDialog(window);
        setDegree(dialog, 1);
        typeInto(&dialog->coeffBoxes[0], "2");
        typeInto(&dialog->coeffBoxes[1], "-4");
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);

        QVERIFY(!window.reverse);
        QVERIFY(!window.ui->reverseBox->isChecked());
        QVERIFY(window.polish);
        QCOMPARE(window.coeffCount, 2);
        QCOMPARE(window.coeffs[0], std::complex<long double>(2, 0));
        QCOMPARE(window.coeffs[1], std::complex<long double>(-4, 0));
        QCOMPARE(window.ui->solutionsLabel->text(), QString("2<br>"));
        // The plot's solver holds the polynomial as entered.
        QCOMPARE(window.solver->at(0.0), -4.0);
    }

    void newDialogShowsDegreeTwoBelowTheButton()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
        QCOMPARE(dialog->parentWidget(), nullptr);
        QVERIFY(!dialog->isModal());
        QCOMPARE(dialog->degree, 2);
        QCOMPARE(degreeBox(dialog)->value(), 2);
        QCOMPARE(degreeBox(dialog)->minimum(), 1);
        QCOMPARE(degreeBox(dialog)->maximum(), 22);
        QCOMPARE(submitButton(dialog)->text(), QString("Create the Polynomial"));
        QCOMPARE(qobject_cast<QLabel *>(dialog->vLayout->itemAt(0)->widget())->text(),
                 QString("Start by defining degree of new polynomial"));
        QCOMPARE(dialog->vLayout->itemAt(1)->widget(), degreeBox(dialog));
        QCOMPARE(dialog->vLayout->itemAt(2)->widget(), submitButton(dialog));
        QCOMPARE(dialog->vLayout->count(), 6);
        QCOMPARE(boxPositions(dialog), (QList<int>{3, 4, 5}));
        QCOMPARE(boxValues(dialog), (QList<double>{1, 0, 0}));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(dialog->coeffBoxes[i].decimals(), 8);
            QCOMPARE(dialog->coeffBoxes[i].minimum(), -1e10);
            QCOMPARE(dialog->coeffBoxes[i].maximum(), 1e10);
        }
    }

    void changingTheDegreeGivesFreshBoxes()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        typeInto(&dialog->coeffBoxes[0], "7");
        typeInto(&dialog->coeffBoxes[2], "-3");
        setDegree(dialog, 4);
        QCOMPARE(dialog->degree, 4);
        QCOMPARE(boxValues(dialog), (QList<double>{1, 0, 0, 0, 0}));
        QCOMPARE(boxPositions(dialog), (QList<int>{3, 4, 5, 6, 7}));
        QCOMPARE(dialog->vLayout->count(), 8);
        QCOMPARE(dialog->findChildren<QDoubleSpinBox *>().size(), 5);

        typeInto(&dialog->coeffBoxes[3], "2.5");
        QDoubleSpinBox *boxesBefore = dialog->coeffBoxes;
        QMetaObject::invokeMethod(dialog, "changeDegree", Q_ARG(int, 4));
        QCOMPARE(dialog->coeffBoxes, boxesBefore);
        QCOMPARE(boxValues(dialog), (QList<double>{1, 0, 0, 2.5, 0}));

        setDegree(dialog, 22);
        QTest::keyClick(degreeBox(dialog), Qt::Key_Up);
        QCOMPARE(degreeBox(dialog)->value(), 22);
        QCOMPARE(dialog->findChildren<QDoubleSpinBox *>().size(), 23);
        setDegree(dialog, 1);
        QTest::keyClick(degreeBox(dialog), Qt::Key_Down);
        QCOMPARE(degreeBox(dialog)->value(), 1);
        QCOMPARE(dialog->findChildren<QDoubleSpinBox *>().size(), 2);
    }

    void leadingCoefficientIsGuarded_data()
    {
        QTest::addColumn<double>("attempt");
        QTest::addColumn<double>("shown");
        QTest::newRow("zero") << 0.0 << 0.01;
        QTest::newRow("small positive") << 0.005 << 0.01;
        QTest::newRow("small negative") << -0.005 << -0.01;
        QTest::newRow("floor") << 0.01 << 0.01;
        QTest::newRow("negative floor") << -0.01 << -0.01;
        QTest::newRow("negative") << -0.02 << -0.02;
        QTest::newRow("five") << 5.0 << 5.0;
    }

    void leadingCoefficientIsGuarded()
    {
        QFETCH(double, attempt);
        QFETCH(double, shown);
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        dialog->coeffBoxes[0].setValue(attempt);
        QCOMPARE(dialog->coeffBoxes[0].value(), shown);
        dialog->coeffBoxes[2].setValue(attempt);
        QCOMPARE(dialog->coeffBoxes[2].value(), attempt);
    }

    void typedInputEndsInAcceptedValues()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QDoubleSpinBox &lead = dialog->coeffBoxes[0];
        typeInto(&lead, "0");
        QCOMPARE(lead.value(), 0.01);
        typeInto(&lead, "-0.005");
        QCOMPARE(std::fabs(lead.value()) >= 0.01, true);
        typeInto(&lead, "abc");
        QVERIFY(std::fabs(lead.value()) >= 0.01);
        typeInto(&lead, "--3");
        QVERIFY(std::fabs(lead.value()) >= 0.01);
        typeInto(&dialog->coeffBoxes[1], "99999999999999");
        QVERIFY(std::fabs(dialog->coeffBoxes[1].value()) <= 1e10);
        QApplication::clipboard()->setText("0.000");
        lead.setFocus();
        QTest::keyClick(&lead, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&lead, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(std::fabs(lead.value()) >= 0.01);

        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        QCOMPARE(window.coeffCount, 3);
        QVERIFY(std::abs(window.coeffs[0]) >= 0.01L);
    }

    void lastSubmissionWinsAndClosingChangesNothing()
    {
        MainWindow window;
        DialogWindow *first = openDialog(window);
        DialogWindow *second = openDialog(window);
        DialogWindow *third = openDialog(window);
        QVERIFY(first && second && third && first != second && second != third);
        setDegree(first, 1);
        typeInto(&first->coeffBoxes[1], "-5");
        setDegree(second, 1);
        typeInto(&second->coeffBoxes[1], "7");
        QTest::mouseClick(submitButton(second), Qt::LeftButton);
        QTest::mouseClick(submitButton(first), Qt::LeftButton);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("5<br>"));
        QCOMPARE(plotsOf(window).size(), 2);

        QPointer<DialogWindow> guard(third);
        third->close();
        processDeferredDeletes();
        QVERIFY(guard.isNull());
        QCOMPARE(window.ui->solutionsLabel->text(), QString("5<br>"));
        QCOMPARE(window.coeffCount, 2);
    }

    void closedPlotWindowIsDeleted()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        QPointer<QMainWindow> plot(plotsOf(window).value(0));
        QVERIFY(plot);
        plot->close();
        processDeferredDeletes();
        QVERIFY(plot.isNull());
    }

    // The event loop ends on the last parentless window closing: an open
    // dialog keeps it running, plot windows (children of the main window) do not.
    void openDialogKeepsTheProgramRunning()
    {
        MainWindow window;
        window.show();
        QPointer<DialogWindow> dialog = openDialog(window);
        bool ranOnAfterMainClosed = false;
        QTimer::singleShot(0, &window, [&] { window.close(); });
        QTimer::singleShot(100, &window, [&] {
            ranOnAfterMainClosed = true;
            dialog->close();
        });
        QTimer::singleShot(5000, &window, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(ranOnAfterMainClosed);
        QVERIFY(dialog.isNull());
    }

    void plotWindowsDoNotKeepTheProgramRunning()
    {
        MainWindow window;
        window.show();
        DialogWindow *dialog = openDialog(window);
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        processDeferredDeletes();
        QCOMPARE(plotsOf(window).size(), 1);
        QVERIFY(plotsOf(window)[0]->isVisible());
        QTimer::singleShot(0, &window, [&] { window.close(); });
        QTimer::singleShot(5000, &window, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
    }
};

QTEST_MAIN(TestDialog)
#include "test_dialog.moc"
