// Defining a polynomial as a user does: the polynomial line and the boxes,
// the solve cycle they drive, and the windows' lifetimes.
#include "dialog_testing.h"
#include "root_conventions.h"
#include "screen_room.h"
#include "window_testing.h"

#include <QStyle>
#include <QtTest>
#include <QGridLayout>
#include <QLineEdit>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace {

QStringList boxTexts(DialogWindow *dialog)
{
    QStringList texts;
    for (int i = 0; i <= dialog->degree; ++i)
        texts << dialog->coeffBoxes[i].text();
    return texts;
}

QLabel *readingLabel(DialogWindow *dialog)
{
    return dialog->findChild<QLabel *>(QStringLiteral("readingLabel"));
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

QStringList exactOf(const MainWindow &window)
{
    QStringList exact;
    for (const std::string &c : window.exactCoeffs)
        exact << QString::fromStdString(c);
    return exact;
}

QStringList sortedRoots(const MainWindow &window)
{
    QStringList roots = window.ui->solutionsLabel->text().split("<br>", Qt::SkipEmptyParts);
    std::sort(roots.begin(), roots.end());
    return roots;
}

// (x - 1)(x - 2)(x - 3), typed into the boxes.
void typeCubic(DialogWindow *dialog)
{
    setDegree(dialog, 3);
    typeInto(&dialog->coeffBoxes[1], "-6");
    typeInto(&dialog->coeffBoxes[2], "11");
    typeInto(&dialog->coeffBoxes[3], "-6");
}

const QString cubicText = "1 x<sup>3</sup> &nbsp; + &nbsp; -6 x<sup>2</sup> &nbsp; + &nbsp; "
                          "11 x &nbsp; + &nbsp; (-6) &nbsp; = &nbsp; 0";

// The main window and a dialog opened on it, built in the given locale.
struct Opened {
    explicit Opened(const QString &locale)
    {
        const QLocale systemLocale;
        QLocale::setDefault(QLocale(locale));
        window.reset(new MainWindow);
        dialog = openDialog(*window);
        QLocale::setDefault(systemLocale);
    }
    std::unique_ptr<MainWindow> window;
    QPointer<DialogWindow> dialog;
};

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
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "-6", "11", "-6"}));
        QCOMPARE(polynomialLine(dialog)->text(), QString("x^3 - 6x^2 + 11x - 6"));
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);

        QCOMPARE(window.coeffCount, 4);
        QCOMPARE(exactOf(window), (QStringList{"1", "-6", "11", "-6"}));
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

    // The dialog opens with the polynomial the main window shows, ready to
    // be typed over or edited; the designed widgets follow the line.
    void newDialogShowsTheMainWindowsPolynomial()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QVERIFY(dialog->testAttribute(Qt::WA_DeleteOnClose));
        QVERIFY(!dialog->isModal());
        QLineEdit *line = polynomialLine(dialog);
        QVERIFY(line);
        QCOMPARE(line->text(), QString("x^2 - 1"));
        QCOMPARE(line->selectedText(), line->text());
        QCOMPARE(dialog->focusWidget(), line);
        QVERIFY(!line->toolTip().isEmpty());
        QCOMPARE(readingLabel(dialog)->text(), QString("Read as: x<sup>2</sup> \u2212 1"));
        QCOMPARE(dialog->degree, 2);
        QCOMPARE(degreeBox(dialog)->value(), 2);
        QCOMPARE(degreeBox(dialog)->minimum(), 1);
        QCOMPARE(degreeBox(dialog)->maximum(), 22);
        QCOMPARE(submitButton(dialog)->text(), QString("Create the Polynomial"));
        QCOMPARE(dialog->vLayout->itemAt(0)->layout()->indexOf(line), 1);
        QCOMPARE(dialog->vLayout->itemAt(1)->widget(), readingLabel(dialog));
        QCOMPARE(qobject_cast<QLabel *>(dialog->vLayout->itemAt(2)->widget())->text(),
                 QString("Start by defining degree of new polynomial"));
        QCOMPARE(dialog->vLayout->itemAt(3)->widget(), degreeBox(dialog));
        QCOMPARE(dialog->vLayout->itemAt(4)->widget(), submitButton(dialog));
        QCOMPARE(dialog->vLayout->itemAt(5)->widget(), dialog->findChild<QScrollArea *>());
        QCOMPARE(dialog->vLayout->count(), 6);
        QCOMPARE(boxRows(dialog), (QList<int>{0, 1, 2}));
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "0", "-1"}));

        // A typo after submitting: the next dialog holds what was submitted.
        typeOver(line, "x^3 - 6x^2 + 11x - 7");
        QTest::keyClick(line, Qt::Key_Return);
        DialogWindow *again = openDialog(window);
        QCOMPARE(polynomialLine(again)->text(), QString("x^3 - 6x^2 + 11x - 7"));
        QCOMPARE(boxTexts(again), (QStringList{"1", "-6", "11", "-7"}));
        typeInto(&again->coeffBoxes[3], "-6");
        QCOMPARE(polynomialLine(again)->text(), QString("x^3 - 6x^2 + 11x - 6"));
        QTest::mouseClick(submitButton(again), Qt::LeftButton);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("1<br>2<br>3<br>"));
    }

    // A change of degree keeps every coefficient typed at its power, also
    // those above a lower degree chosen on the way; a leading box with
    // nothing typed for its power starts at 1.
    void changingTheDegreeKeepsCoefficientsAtTheirPowers()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        typeInto(&dialog->coeffBoxes[0], "7");
        typeInto(&dialog->coeffBoxes[2], "-3");
        setDegree(dialog, 4);
        QCOMPARE(dialog->degree, 4);
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "0", "7", "0", "-3"}));
        QCOMPARE(polynomialLine(dialog)->text(), QString("x^4 + 7x^2 - 3"));
        QCOMPARE(boxRows(dialog), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(dialog->vLayout->count(), 6);
        QCOMPARE(dialog->findChildren<CoefficientBox *>().size(), 5);

        typeInto(&dialog->coeffBoxes[3], "2.5");
        CoefficientBox *boxesBefore = dialog->coeffBoxes;
        QMetaObject::invokeMethod(dialog, "changeDegree", Q_ARG(int, 4));
        QCOMPARE(dialog->coeffBoxes, boxesBefore);
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "0", "7", "2.5", "-3"}));

        setDegree(dialog, 1);
        QCOMPARE(boxTexts(dialog), (QStringList{"2.5", "-3"}));
        QCOMPARE(polynomialLine(dialog)->text(), QString("2.5x - 3"));
        setDegree(dialog, 4);
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "0", "7", "2.5", "-3"}));

        setDegree(dialog, 22);
        QTest::keyClick(degreeBox(dialog), Qt::Key_Up);
        QCOMPARE(degreeBox(dialog)->value(), 22);
        QCOMPARE(dialog->findChildren<CoefficientBox *>().size(), 23);
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
        QCOMPARE(dialog->findChildren<CoefficientBox *>().size(), 2);
    }

    // Keystrokes into a box, and what it holds once committed (by Tab, the
    // arrows or the wheel in the box; by Enter or the button, which submit;
    // Esc closes). Every keystroke stays: what does not read, or cannot be
    // solved, is kept and refused visibly, in the box and in the line. The
    // other boxes of x^2 - 1 hold 7 and -1.
    void boxKeystrokes_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("commit");
        QTest::addColumn<QString>("shown"); // the box's text afterwards
        QTest::addColumn<QString>("exact"); // how it reads; empty: it does not
        QTest::addColumn<bool>("refused");
        const auto row = [](const char *name, const char *locale, int box, bool paste,
                            const char *text, const char *commit, const char *shown,
                            const QString &exact, bool refused = false) {
            QTest::newRow(name) << locale << box << paste << text << commit << shown << exact
                                << (refused || exact.isEmpty());
        };
        row("a fraction", "C", 1, false, "1/3", "Tab", "1/3", "1/3");
        row("a comma in English", "en_US", 1, false, "-0,5", "Tab", "-0,5", "");
        row("a comma in German", "de_DE", 1, false, "-0,5", "Tab", "-0,5", "-1/2");
        row("a point in German", "de_DE", 1, false, "2.5", "Tab", "2.5", "5/2");
        row("German two separators", "de_DE", 1, true, "1.000,5", "Tab", "1.000,5", "");
        row("below 1e-8", "C", 1, false, "-1e-9", "Tab", "-1e-9", "-1/1000000000");
        row("nine decimals", "C", 1, false, "0.123456789", "Tab", "0.123456789",
            "123456789/1000000000");
        row("beyond 1e10", "C", 1, true, "1e11", "Tab", "1e11", "100000000000");
        row("many digits", "C", 2, false, "152415787.50190521", "Tab", "152415787.50190521",
            "15241578750190521/100000000");
        row("-0 is 0", "C", 1, false, "-0", "Tab", "-0", "0");
        row("an expression", "C", 1, false, "(1/2)^3", "Tab", "(1/2)^3", "1/8");
        row("words", "C", 1, false, "abc", "Tab", "abc", "");
        row("an unfinished exponent", "C", 1, false, "2e-", "Tab", "2e-", "");
        row("x in a box", "C", 1, false, "2x", "Tab", "2x", "");
        row("beyond 1e300", "C", 1, true, "1e301", "Tab", "1e301", "1" + QString(301, '0'), true);
        row("lead 0", "C", 0, false, "0", "Tab", "0", "0", true);
        row("lead 0.001", "C", 0, false, "0.001", "Tab", "0.001", "1/1000");
        row("lead -0.005", "C", 0, false, "-0.005", "Tab", "-0.005", "-1/200");
        row("lead down to 0", "C", 0, false, "", "Down", "0", "0", true);
        row("up by 1 exactly", "C", 1, false, "1/3", "Up", "4/3", "4/3");
        row("the wheel", "C", 1, false, "", "wheel", "6", "6");
        row("Enter submits", "C", 1, false, "2.5", "Enter", "2.5", "5/2");
        row("keypad Enter submits", "C", 2, false, "-0.5", "keypad Enter", "-0.5", "-1/2");
        row("the button submits", "C", 0, false, "0.001", "button", "0.001", "1/1000");
        row("Enter refused", "C", 1, false, "1/0", "Enter", "1/0", "");
        row("Esc closes", "C", 1, false, "0.5", "Esc", "0.5", "1/2");
    }

    void boxKeystrokes()
    {
        QFETCH(QString, locale);
        QFETCH(int, box);
        QFETCH(bool, paste);
        QFETCH(QString, text);
        QFETCH(QString, commit);
        QFETCH(QString, shown);
        QFETCH(QString, exact);
        QFETCH(bool, refused);
        Opened opened(locale);
        MainWindow &window = *opened.window;
        QPointer<DialogWindow> dialog = opened.dialog;
        CoefficientBox &entry = dialog->coeffBoxes[box];
        typeInto(&dialog->coeffBoxes[1], "7");
        typeOver(&entry, text, paste);

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
        const bool submits = !refused && (commit.contains("Enter") || commit == "button");
        const bool closes = submits || commit == "Esc";
        QCOMPARE(dialog.isNull(), closes);
        QCOMPARE(plotsOf(window).size(), submits ? 1 : 0);
        if (submits) {
            QCOMPARE(QString::fromStdString(window.exactCoeffs[size_t(box)]), exact);
            return;
        }
        if (closes) {
            QCOMPARE(exactOf(window), (QStringList{"1", "0", "-1"}));
            return;
        }
        QCOMPARE(entry.text(), shown);
        QCOMPARE(QString::fromStdString(entry.reading().exact), exact);
        QCOMPARE(!entry.toolTip().isEmpty(), refused);
        const QString said = readingLabel(dialog)->text();
        QCOMPARE(!said.startsWith("Read as: "), refused);
        if (refused)
            QVERIFY2(said.startsWith(box == 0 ? "In the box for x<sup>2</sup>: " : "In the box for x: "),
                     qPrintable(said));
        // The line writes what the boxes hold: a box refused as typed, in
        // parentheses at its power.
        const QString line = polynomialLine(dialog)->text();
        if (refused) {
            QCOMPARE(line, box == 0 ? "(" + shown + ")x^2 + 7x - 1" : "x^2 + (" + shown + ")x - 1");
        } else {
            const PolynomialReading read =
                read_polynomial(readerText(line), decimalPoint(dialog->locale()));
            QCOMPARE(read.coefficients.size(), size_t(3));
            for (int i = 0; i < 3; ++i)
                QCOMPARE(read.coefficients[size_t(i)], dialog->coeffBoxes[i].reading().exact);
        }
    }

    // What the line shows the user as it reads a pasted text, or why it cannot;
    // what does not read leaves the degree and the boxes as they were, and
    // is kept for mending.
    void lineSaysWhatItReads_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QStringList>("boxes");
        const QStringList unchanged{"1", "0", "-1"};
        const auto row = [](const char *name, const char *locale, const QString &text,
                            const QString &said, const QStringList &boxes) {
            QTest::newRow(name) << locale << text << said << boxes;
        };
        row("cubic", "C", "x^3 - 6x^2 + 11x - 6",
            "Read as: x<sup>3</sup> \u2212 6x<sup>2</sup> + 11x \u2212 6", {"1", "-6", "11", "-6"});
        row("fractions", "C", "(x - 1/3)^2", "Read as: x<sup>2</sup> \u2212 2/3 x + 1/9",
            {"1", "-2/3", "1/9"});
        row("German", "de_DE", "2,5x^2 - 1", "Read as: 2,5x<sup>2</sup> \u2212 1", {"2,5", "0", "-1"});
        row("German list", "de_DE", "1,5 -2,25", "Read as: 1,5x \u2212 2,25", {"1,5", "-2,25"});
        row("unclosed", "C", "(x-1", "At character 1: This bracket is never closed.", unchanged);
        row("degree 23", "C", "x^23",
            "At character 2: Degree 23 is above 22, the highest this program solves.", unchanged);
        row("sin x", "C", "sin x",
            "At character 1: “sin” is not x, the only name a polynomial here can hold.", unchanged);
        row("x^-1", "C", "x^-1",
            "At character 3: A power must be a whole number, and 0 or more where it is a power of x.",
            unchanged);
        row("ambiguous comma", "de_DE", "1,5",
            "At character 2: This “,” could be a decimal separator or separate coefficients: "
            "separate them by spaces, new lines or “;”, or write decimals with “.”.",
            unchanged);
        row("a constant", "C", "5", "This is a constant: a polynomial here has degree 1 or more.",
            unchanged);
        row("a leading 0", "C", "0 1 -1",
            "At character 1: The coefficient of the highest power must not be 0: leave it out, or "
            "lower the degree.",
            unchanged);
        row("a name escaped", "C", "x<b>", "At character 2: “&lt;” cannot stand here.", unchanged);
    }

    void lineSaysWhatItReads()
    {
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QFETCH(QString, said);
        QFETCH(QStringList, boxes);
        Opened opened(locale);
        DialogWindow *dialog = opened.dialog;
        typeOver(polynomialLine(dialog), text, true);
        QCOMPARE(readingLabel(dialog)->text(), said);
        QCOMPARE(boxTexts(dialog), boxes);
        QCOMPARE(degreeBox(dialog)->value(), boxes.size() - 1);
        QCOMPARE(polynomialLine(dialog)->text(), text);
    }

    // Submitting what does not read changes nothing and points at it.
    void refusedTextIsKeptAndPointedAt()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QLineEdit *line = polynomialLine(dialog);
        typeOver(line, "(x-1)^2 + sin x");
        QTest::keyClick(line, Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        QVERIFY(plotsOf(window).isEmpty());
        QCOMPARE(exactOf(window), (QStringList{"1", "0", "-1"}));
        QCOMPARE(line->text(), QString("(x-1)^2 + sin x"));
        QCOMPARE(line->cursorPosition(), 10);
        QCOMPARE(dialog->focusWidget(), line);

        // Degree 3, a leading 0, then 1, 0, -1: refused, not solved as
        // 0.01x^3 + x^2 - 1; the coefficients stay for degree 2.
        setDegree(dialog, 3);
        typeInto(&dialog->coeffBoxes[0], "0");
        typeInto(&dialog->coeffBoxes[1], "1");
        typeInto(&dialog->coeffBoxes[2], "0");
        typeInto(&dialog->coeffBoxes[3], "-1");
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), &dialog->coeffBoxes[0]);
        QCOMPARE(readingLabel(dialog)->text(),
                 QString("In the box for x<sup>3</sup>: The coefficient of the highest power must "
                         "not be 0: leave it out, or lower the degree."));
        setDegree(dialog, 2);
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "0", "-1"}));
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("-1<br>1<br>"));
    }

    // The rows of the complaint, typed as the user typed them, and the roots
    // the main window shows; each text goes into the line, or, as a list
    // after "boxes:", into the boxes of its degree.
    void typedAsPeopleWriteIt_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("roots"); // sorted as text
        const auto row = [](const char *name, const char *locale, const QString &typed,
                            const QStringList &roots) {
            QTest::newRow(name) << locale << typed << roots;
        };
        const QStringList third{"0.333333333333", "0.333333333333", "0.333333333333"};
        row("(x - 1/3)^3", "C", "(x - 1/3)^3", third);
        row("(x - 1/3)^3 in German", "de_DE", "(x - 1/3)^3", third);
        row("(x - 12345.6789)^2 in the boxes", "C", "boxes: 1 -24691.3578 152415787.50190521",
            {"12345.6789", "12345.6789"});
        row("0.001x^2 + x - 1", "C", "0.001x^2 + x - 1", {"-1000.999002", "0.999001995014"});
        row("a leading 0.001 in the boxes", "de_DE", "boxes: 0,001 1 -1",
            {"-1000.999002", "0.999001995014"});
        row("1/3 in a box", "C", "boxes: 1 -1/3", {"0.333333333333"});
        row("-0,5 in a German box", "de_DE", "boxes: 1 -0,5", {"0.5"});
        row("-1e-9 in a box", "C", "boxes: 1 -1e-9", {"1e-09"});
        row("0.123456789 in a box", "C", "boxes: 1 -0.123456789", {"0.123456789"});
        row("MPSolve's cubic", "C", "x^3 - 0.3*x^2 + 0.03*x - 0.001", {"0.1", "0.1", "0.1"});
        row("an equation", "C", "x² = 2", {"-1.41421356237", "1.41421356237"});
    }

    void typedAsPeopleWriteIt()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(QStringList, roots);
        Opened opened(locale);
        DialogWindow *dialog = opened.dialog;
        if (typed.startsWith("boxes: ")) {
            const QStringList values = typed.mid(7).split(' ');
            setDegree(dialog, values.size() - 1);
            for (int i = 0; i < values.size(); ++i)
                typeInto(&dialog->coeffBoxes[i], values[i]);
        } else {
            typeOver(polynomialLine(dialog), typed);
        }
        QTest::keyClick(dialog, Qt::Key_Return);
        QCOMPARE(plotsOf(*opened.window).size(), 1);
        QCOMPARE(sortedRoots(*opened.window), roots);
    }

    // A leading coefficient below the search's floor is solved as typed:
    // the window keeps it, and the search works on a multiple of the
    // polynomial whose leading coefficient the floor leaves alone.
    void smallLeadingCoefficientIsSolvedAsTyped()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        typeOver(polynomialLine(dialog), "0.001x^2 + x - 1");
        QTest::keyClick(polynomialLine(dialog), Qt::Key_Return);
        QCOMPARE(exactOf(window), (QStringList{"1/1000", "1", "-1"}));
        QCOMPARE(window.coeffs[0].real(), 0.001L);
        QVERIFY(window.ui->polynomialLabel->text().startsWith("0.001 x<sup>2</sup>"));
        const std::complex<long double> *searched = window.solver->poly.coeffs;
        QVERIFY(std::fabs(searched[0].real()) >= roots::lead_floor);
        QCOMPARE(double(searched[1].real() / searched[0].real()), 1000.0);
        QCOMPARE(sortedRoots(window), (QStringList{"-1000.999002", "0.999001995014"}));
    }

    // Coefficients put into the window without their exact polynomial are
    // solved as their decimals, as before, not as the polynomial left over
    // from the last typing; the dialog opens with those decimals.
    void coefficientsWithoutTheirExactPolynomial()
    {
        MainWindow window;
        installCoefficients(window, {2, -1});
        window.UpdateView();
        QVERIFY(window.exactPolynomial().empty());
        QCOMPARE(window.ui->solutionsLabel->text(), QString("0.5<br>"));
        DialogWindow *dialog = openDialog(window);
        QCOMPARE(polynomialLine(dialog)->text(), QString("2x - 1"));
        QCOMPARE(boxTexts(dialog), (QStringList{"2", "-1"}));
    }

    // (x - 1)^22 in its 8 characters, typed at once into the dialog as it
    // opens: the degree and the boxes follow every keystroke that reads.
    void xMinusOneTo22InEightKeystrokes()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        activate(dialog);
        QList<int> degrees;
        for (const QChar c : QString("(x-1)^22")) {
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
            degrees << dialog->degree;
        }
        QCOMPARE(degrees, (QList<int>{2, 2, 2, 2, 1, 1, 2, 22}));
        QCOMPARE(dialog->coeffBoxes[11].text(), QString("-705432"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("1<br>").repeated(22));
    }

    // Coefficients pasted as Octave, numpy or a spreadsheet writes them.
    void pastedLists_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("pasted");
        const QList<QPair<QString, QString>> lists = {
            {"Octave", "1 -6 11 -6"},         {"commas", "1, -6, 11, -6"},
            {"brackets", "[1 -6 11 -6]"},     {"numpy", "[ 1. -6. 11. -6.]"},
            {"a column", "1\n-6\n11\n-6\n"}, {"a spreadsheet row", "1\t-6\t11\t-6"}};
        for (const char *locale : {"C", "de_DE"})
            for (const auto &list : lists)
                QTest::newRow(qPrintable(QString("%1, %2").arg(list.first, locale)))
                    << locale << list.second;
    }

    void pastedLists()
    {
        QFETCH(QString, locale);
        QFETCH(QString, pasted);
        Opened opened(locale);
        DialogWindow *dialog = opened.dialog;
        typeOver(polynomialLine(dialog), pasted, true);
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "-6", "11", "-6"}));
        QTest::keyClick(polynomialLine(dialog), Qt::Key_Return);
        QCOMPARE(opened.window->ui->solutionsLabel->text(), QString("1<br>2<br>3<br>"));
    }

    // Undo in the line takes back what was typed there and what the boxes
    // wrote into it; the boxes follow.
    void undoInTheLine()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        QLineEdit *line = polynomialLine(dialog);
        typeOver(line, "(x-1)^2");
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "-2", "1"}));
        typeInto(&dialog->coeffBoxes[2], "5");
        QCOMPARE(line->text(), QString("x^2 - 2x + 5"));

        line->setFocus();
        QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(line->text(), QString("(x-1)^2"));
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "-2", "1"}));
        QTest::keyClick(line, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(line->text(), QString("x^2 - 2x + 5"));
        QCOMPARE(boxTexts(dialog), (QStringList{"1", "-2", "5"}));
    }

    // The line's tooltip says how "," is read in the user's locale.
    void toolTipSaysTheSeparatorRule_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("rule");
        QTest::newRow("English") << "en_US" << "Decimals are written with “.”. In a list, “,” "
                                                "separates coefficients.";
        QTest::newRow("German") << "de_DE"
                                << "Decimals are written with “,” or “.”. In a list, a “,” between "
                                   "two digits is a decimal separator where spaces, new lines or "
                                   "“;” separate the coefficients (1,5 -2,25); any other “,” "
                                   "separates coefficients. A list in which a “,” could be either "
                                   "is refused.";
    }

    void toolTipSaysTheSeparatorRule()
    {
        QFETCH(QString, locale);
        QFETCH(QString, rule);
        Opened opened(locale);
        QVERIFY2(polynomialLine(opened.dialog)->toolTip().contains(rule),
                 qPrintable(polynomialLine(opened.dialog)->toolTip()));
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
        QCOMPARE(dialog->coeffBoxes[2].text(), QString("0"));
        QVERIFY(bar->value() > 0);

        setDegree(dialog, 1);
        QCOMPARE(dialog->size(), degreeOne);
    }

    // A reading that wraps over several lines makes the dialog taller
    // instead of squeezing the few boxes into a scrolling list.
    void longReadingGrowsTheDialog()
    {
        MainWindow window;
        DialogWindow *dialog = openDialog(window);
        typeOver(polynomialLine(dialog),
                 "123456789.123456789x^2 - 123456789.123456789x - 987654321.987654321");
        QCOMPARE(dialog->degree, 2);
        // The layouts as they stand once the events of the typing are in.
        QCoreApplication::sendPostedEvents();
        QLabel *reading = readingLabel(dialog);
        QVERIFY(reading->heightForWidth(reading->width()) > 2 * reading->fontMetrics().height());
        QCOMPARE(dialog->findChild<QScrollArea *>()->verticalScrollBar()->maximum(), 0);
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

    // The dialog belongs to the main window: a dialog of the window's own
    // (a dialog to assistive technology too), over it, and gone when it is
    // closed, which ends the program; never a dialog left behind whose
    // result has nowhere to go.
    void dialogBelongsToTheMainWindow()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QPointer<DialogWindow> dialog = openDialog(window);
        QCOMPARE(dialog->parentWidget(), &window);
        QCOMPARE(dialog->windowType(), Qt::Dialog);
        // Centred, within the frame the window manager puts round it once shown.
        const QPoint off = dialog->frameGeometry().center() - window.frameGeometry().center();
        const int title = dialog->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, dialog);
        QVERIFY2(off.manhattanLength() <= title, qPrintable(QString("%1, %2").arg(off.x()).arg(off.y())));
        QTimer::singleShot(0, &window, [&] { window.close(); });
        QTimer::singleShot(5000, &window, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);
        QVERIFY(!dialog || !dialog->isVisible());
        processDeferredDeletes();
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
