// Defining a polynomial as a user does: the dialog, the solve cycle it
// drives, and the windows' lifetimes.
#include "dialog_testing.h"
#include "screen_room.h"
#include "window_testing.h"

#include <QtTest>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

#include <cmath>

namespace {

QList<double> boxValues(DialogWindow *dialog)
{
    QList<double> values;
    for (int i = 0; i <= dialog->degree; ++i)
        values << dialog->coeffBoxes[i].value();
    return values;
}

// The row of each coefficient box in the scrolling list below the button.
QList<int> boxRows(DialogWindow *dialog)
{
    QList<int> rows;
    auto *grid = qobject_cast<QGridLayout *>(dialog->coeffBoxes[0].parentWidget()->layout());
    for (int i = 0; i <= dialog->degree; ++i) {
        int row = -1, column, rowSpan, columnSpan;
        grid->getItemPosition(grid->indexOf(&dialog->coeffBoxes[i]), &row, &column, &rowSpan,
                              &columnSpan);
        rows << row;
    }
    return rows;
}

// (x - 1)(x - 2)(x - 3), typed in.
void typeCubic(DialogWindow *dialog)
{
    setDegree(dialog, 3);
    typeInto(&dialog->coeffBoxes[1], "-6");
    typeInto(&dialog->coeffBoxes[2], "11");
    typeInto(&dialog->coeffBoxes[3], "-6");
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
        typeCubic(dialog);
        QCOMPARE(dialog->degree, 3);
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
        typeCubic(dialog);
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
        QCOMPARE(dialog->vLayout->itemAt(3)->widget(), dialog->findChild<QScrollArea *>());
        QCOMPARE(dialog->vLayout->count(), 4);
        QCOMPARE(boxRows(dialog), (QList<int>{0, 1, 2}));
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
        QCOMPARE(boxRows(dialog), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(dialog->vLayout->count(), 4);
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
        // Beside each box, the power it is for.
        auto *grid = qobject_cast<QGridLayout *>(dialog->coeffBoxes[0].parentWidget()->layout());
        const QList<int> rows = boxRows(dialog);
        QStringList powers, expected;
        for (int i = 0; i <= 22; ++i) {
            auto *label = qobject_cast<QLabel *>(grid->itemAtPosition(rows[i], 0)->widget());
            QCOMPARE(label->buddy(), &dialog->coeffBoxes[i]);
            powers << label->text();
        }
        for (int power = 22; power >= 2; --power)
            expected << QString("x<sup>%1</sup>").arg(power);
        QCOMPARE(powers, expected << "x" << "constant");
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

    // Keystrokes into a box and the value they leave once committed (by
    // Tab, the arrows or the wheel in the box; by Enter or the button, which
    // submit; Esc closes). The guard works on committed values only, so a
    // leading coefficient can start with 0. Numbers are read as the locale
    // writes them or with ".", also in exponent notation; what cannot be read
    // leaves the box as it was (1 for the leading box, 7 for the others).
    void typedInputLeavesCommittedValues_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<double>("value");
        const auto row = [](const char *name, const char *locale, int box, bool paste,
                            const char *text, const char *commit, double value) {
            QTest::newRow(name) << locale << box << paste << text << commit << value;
        };
        row("lead 0.5", "C", 0, false, "0.5", "Tab", 0.5);
        row("lead -0.5", "C", 0, false, "-0.5", "Tab", -0.5);
        row("lead -0.005", "C", 0, false, "-0.005", "Tab", -0.01);
        row("lead 0", "C", 0, false, "0", "Tab", 0.01);
        row("lead 0 by keypad Enter", "C", 0, false, "0", "keypad Enter", 0.01);
        row("lead -0.005 by the button", "C", 0, false, "-0.005", "button", -0.01);
        row("lead 0.5, then Esc", "C", 0, false, "0.5", "Esc", 1);
        row("lead down from 1", "C", 0, false, "", "Down", 0.01);
        row("lead up from -0.5", "C", 0, false, "-0.5", "Up", 0.5);
        row("lead wheel from 1", "C", 0, false, "", "wheel", 0.01);
        row("lead pasted 0.000", "C", 0, true, "0.000", "Tab", 0.01);
        row("lead words refused", "C", 0, false, "abc", "Tab", 1);
        row("lead second sign refused", "C", 0, false, "--3", "Tab", -3);
        row("0 unguarded", "C", 1, false, "0", "Enter", 0);
        row("-0 is 0", "C", 1, false, "-0", "Tab", 0);
        row("comma refused", "C", 1, true, "2,5", "Tab", 7);
        row("exponent", "C", 1, false, "1e5", "Tab", 1e5);
        row("negative exponent", "C", 1, false, "2.5e-3", "Tab", 0.0025);
        row("capital E and signs", "C", 1, false, "-1.5E+2", "Tab", -150);
        row("largest", "C", 1, false, "1e10", "Tab", 1e10);
        row("beyond the range refused", "C", 1, true, "1e11", "Tab", 7);
        row("typing stops at the range", "C", 1, false, "99999999999999", "Tab", 9999999999);
        row("typing stops at 8 decimals", "C", 1, false, "0.123456789", "Tab", 0.12345678);
        row("unfinished refused", "C", 1, false, "2e-", "Tab", 7);
        row("German 2,5", "de_DE", 1, false, "2,5", "Tab", 2.5);
        row("German 2.5", "de_DE", 1, false, "2.5", "Tab", 2.5);
        row("German exponent", "de_DE", 1, false, "1,5e3", "Enter", 1500);
        row("German two separators refused", "de_DE", 1, true, "1.000,5", "Tab", 7);
    }

    void typedInputLeavesCommittedValues()
    {
        QFETCH(QString, locale);
        QFETCH(int, box);
        QFETCH(bool, paste);
        QFETCH(QString, text);
        QFETCH(QString, commit);
        QFETCH(double, value);
        const QLocale systemLocale;
        QLocale::setDefault(QLocale(locale));
        MainWindow window;
        QPointer<DialogWindow> dialog = openDialog(window);
        QLocale::setDefault(systemLocale);
        QDoubleSpinBox &entry = dialog->coeffBoxes[box];
        if (box > 0)
            entry.setValue(7);
        const double before = entry.value();
        typeOver(&entry, text, paste);
        QCOMPARE(entry.value(), before);

        const QMap<QString, QPair<int, int>> keys = {
            {"Tab", {Qt::Key_Tab, Qt::NoModifier}}, {"Enter", {Qt::Key_Return, Qt::NoModifier}},
            {"keypad Enter", {Qt::Key_Enter, Qt::KeypadModifier}}, {"Esc", {Qt::Key_Escape, 0}},
            {"Up", {Qt::Key_Up, Qt::NoModifier}}, {"Down", {Qt::Key_Down, Qt::NoModifier}}};
        if (commit == "button")
            QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        else if (commit == "wheel")
            turnWheelDown(&entry);
        else
            QTest::keyClick(&entry, Qt::Key(keys[commit].first),
                            Qt::KeyboardModifiers(keys[commit].second));
        processDeferredDeletes();
        const bool closes = commit.contains("Enter") || commit == "button" || commit == "Esc";
        QCOMPARE(dialog.isNull(), closes);
        QCOMPARE(plotsOf(window).size(), closes && commit != "Esc" ? 1 : 0);
        const double left = dialog ? entry.value() : double(window.coeffs[box].real());
        QCOMPARE(left, value);
        QVERIFY(!std::signbit(left) || value < 0);
    }

    // After every change of degree the dialog takes the size its boxes need,
    // at most the screen's height; where they do not fit they scroll, and the
    // wheel over a box without focus scrolls them.
    void dialogFitsItsBoxesOnTheScreen()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QScrollBar *bar = dialog->findChild<QScrollArea *>()->verticalScrollBar();
        setDegree(dialog, 1);
        const QSize degreeOne = dialog->size();
        setDegree(dialog, 8);
        QVERIFY(dialog->height() > degreeOne.height());
        QCOMPARE(bar->maximum(), 0);

        setDegree(dialog, 22);
        QVERIFY(dialog->frameGeometry().height() <= availableArea(dialog).height());
        QVERIFY(bar->maximum() > 0);
        QVERIFY(!dialog->findChild<QScrollArea *>()->horizontalScrollBar()->isVisible());
        turnWheelDown(&dialog->coeffBoxes[2]);
        QCOMPARE(dialog->coeffBoxes[2].value(), 0.0);
        QVERIFY(bar->value() > 0);

        setDegree(dialog, 1);
        QCOMPARE(dialog->size(), degreeOne);
    }

    // The quit key works from the dialog too, and ends the program although
    // an open dialog would keep it running.
    void quitKeyClosesEveryWindow()
    {
        MainWindow window;
        window.show();
        QTest::mouseClick(submitButton(openDialog(window)), Qt::LeftButton);
        QPointer<DialogWindow> dialog = openDialog(window);
        // A key goes to the window the user works in.
        dialog->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QTimer::singleShot(0, &window, [&] { QTest::keyClick(dialog, Qt::Key_Q, Qt::ControlModifier); });
        QTimer::singleShot(5000, &window, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(dialog.isNull());
        QVERIFY(plotsOf(window).isEmpty());
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
