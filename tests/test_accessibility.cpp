// What a screen reader and a keyboard user meet in the definition dialog
// and the help: names and roles through the toolkit's accessibility
// interfaces, the order Tab takes, Enter on a button.
#include "accessibility.h"
#include "dialog_testing.h"
#include "help_texts.h"
#include "window_testing.h"

#include "ui_mainwindow.h"

#include <QAccessible>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QtTest>

#include <memory>

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject *object)
{
    QAccessibleInterface *face = accessible(object);
    return face ? face->text(QAccessible::Name) : QStringLiteral("(no interface)");
}

QString descriptionOf(QObject *object)
{
    QAccessibleInterface *face = accessible(object);
    return face ? face->text(QAccessible::Description) : QString();
}

// The controls in the order Tab is expected to take: the line, the degree,
// the boxes from the highest power down, the button.
QWidgetList fillingInOrder(DialogWindow *dialog)
{
    QWidgetList order{polynomialLine(dialog), degreeBox(dialog)};
    for (int i = 0; i <= dialog->degree; ++i)
        order << &dialog->coeffBoxes[i];
    order << submitButton(dialog);
    return order;
}

// The control that has the focus, as the widget Tab stops at: a box's
// own line edit counts as the box.
QWidget *focused()
{
    QWidget *widget = QApplication::focusWidget();
    if (widget && qobject_cast<CoefficientBox *>(widget->parentWidget()))
        return widget->parentWidget();
    return widget;
}

QString nameInOrder(DialogWindow *dialog, QWidget *widget)
{
    const int at = fillingInOrder(dialog).indexOf(widget);
    return at >= 0 ? QString::number(at) + ": " + nameOf(widget)
                   : QStringLiteral("outside the dialog's controls: ") + (widget ? widget->metaObject()->className() : "nothing");
}

struct Opened {
    Opened() : dialog(openDialog(window)) { activate(dialog); }
    MainWindow window;
    QPointer<DialogWindow> dialog;
};

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        installAccessibility();
    }

    // A plain widget shown as a dialog is reported as one, with its title.
    void dialogIsADialog()
    {
        Opened opened;
        QVERIFY(opened.dialog);
        QAccessibleInterface *face = accessible(opened.dialog);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Dialog);
        QCOMPARE(face->text(QAccessible::Name), QString("Define Polynomial"));
        // The main window stays what it was.
        QCOMPARE(accessible(&opened.window)->role(), QAccessible::Window);
    }

    void boxesAreNamedInWords_data()
    {
        QTest::addColumn<int>("degree");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("degree 1") << 1 << QStringList{"Coefficient of x", "Constant term"};
        QTest::newRow("degree 2") << 2
                                  << QStringList{"Coefficient of x squared", "Coefficient of x",
                                                 "Constant term"};
        QTest::newRow("degree 3") << 3
                                  << QStringList{"Coefficient of x to the power 3",
                                                 "Coefficient of x squared", "Coefficient of x",
                                                 "Constant term"};
        QStringList names22;
        for (int power = 22; power >= 3; --power)
            names22 << QString("Coefficient of x to the power %1").arg(power);
        names22 << "Coefficient of x squared" << "Coefficient of x" << "Constant term";
        QTest::newRow("degree 22") << 22 << names22;
    }

    // Each box says which coefficient it holds, in words, and so does the
    // label beside it: never the markup that draws the superscript.
    void boxesAreNamedInWords()
    {
        QFETCH(int, degree);
        QFETCH(QStringList, names);
        Opened opened;
        setDegree(opened.dialog, degree);
        QCOMPARE(opened.dialog->degree, degree);
        QStringList boxNames;
        for (int i = 0; i <= degree; ++i) {
            CoefficientBox *box = &opened.dialog->coeffBoxes[i];
            boxNames << nameOf(box);
            QVERIFY2(!descriptionOf(box).isEmpty(), qPrintable(boxNames.last()));
            QCOMPARE(accessible(box)->role(), QAccessible::SpinBox);
        }
        QCOMPARE(boxNames, names);
        for (QLabel *label : opened.dialog->findChildren<QLabel *>())
            QVERIFY2(!nameOf(label).contains('<'), qPrintable(nameOf(label)));
    }

    void controlsAreNamed_data()
    {
        QTest::addColumn<int>("control"); // in the order of filling in
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("role");
        QTest::newRow("polynomial line") << 0 << "Polynomial" << int(QAccessible::EditableText);
        QTest::newRow("degree") << 1 << "Degree" << int(QAccessible::SpinBox);
        QTest::newRow("button") << -1 << "Create the Polynomial" << int(QAccessible::Button);
    }

    void controlsAreNamed()
    {
        QFETCH(int, control);
        QFETCH(QString, name);
        QFETCH(int, role);
        Opened opened;
        const QWidgetList controls = fillingInOrder(opened.dialog);
        QWidget *widget = control >= 0 ? controls[control] : controls.last();
        QCOMPARE(nameOf(widget), name);
        QCOMPARE(int(accessible(widget)->role()), role);
        QVERIFY(!descriptionOf(widget).isEmpty());
    }

    void readingIsSaidInWords_data()
    {
        QTest::addColumn<int>("box"); // -1: the line
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("said");
        QTest::addColumn<QString>("boxSays"); // where a box was typed into
        const QString xInBox = "A box takes one number: type a polynomial in x into the line above.";
        QTest::newRow("line") << -1 << "x^3 - 6x^2 + 11x - 6"
                              << "Read as: x to the power 3 minus 6 x squared plus 11 x minus 6"
                              << QString();
        QTest::newRow("fraction") << -1 << "-x^2/3 + 1" << "Read as: minus 1/3 x squared plus 1"
                                  << QString();
        QTest::newRow("box for x squared") << 0 << "1/0"
                                           << "In the box for x squared: Division by zero."
                                           << "Division by zero.";
        QTest::newRow("box for x") << 1 << "2x" << "In the box for x: " + xInBox << xInBox;
    }

    // The text under the line, which draws powers as superscripts, is
    // said in words.
    void readingIsSaidInWords()
    {
        QFETCH(int, box);
        QFETCH(QString, typed);
        Opened opened;
        typeOver(box < 0 ? static_cast<QWidget *>(polynomialLine(opened.dialog))
                         : &opened.dialog->coeffBoxes[box],
                 typed);
        auto *reading = opened.dialog->findChild<QLabel *>(QStringLiteral("readingLabel"));
        QTEST(nameOf(reading), "said");
        if (box >= 0)
            QTEST(descriptionOf(&opened.dialog->coeffBoxes[box]), "boxSays");
    }

    void tabFollowsTheFillingIn_data()
    {
        QTest::addColumn<int>("degree");
        QTest::addColumn<bool>("backwards");
        for (const int degree : {1, 3, 22})
            for (const bool backwards : {false, true})
                QTest::newRow(qPrintable(QString("degree %1%2").arg(degree).arg(backwards ? ", Shift+Tab" : "")))
                    << degree << backwards;
    }

    // Tab from the line: the degree, each box, the button and round to the
    // line again; Shift+Tab the other way.
    void tabFollowsTheFillingIn()
    {
        QFETCH(int, degree);
        QFETCH(bool, backwards);
        Opened opened;
        DialogWindow *dialog = opened.dialog;
        setDegree(dialog, degree);
        QWidgetList expected = fillingInOrder(dialog);
        expected << expected.first();
        if (backwards)
            std::reverse(expected.begin(), expected.end());
        expected.first()->setFocus();
        QStringList met{nameInOrder(dialog, focused())}, wanted;
        for (QWidget *widget : expected)
            wanted << nameInOrder(dialog, widget);
        for (int i = 1; i < expected.size(); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                            backwards ? Qt::ShiftModifier : Qt::NoModifier);
            met << nameInOrder(dialog, focused());
        }
        QCOMPARE(met, wanted);
    }

    void enterOnTheButtonSubmits_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }

    // Reached by Tab from the last box, the button takes Enter as a click.
    void enterOnTheButtonSubmits()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        Opened opened;
        typeOver(polynomialLine(opened.dialog), "x - 5");
        // On to the degree, the two boxes, the button.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(nameOf(focused()), QString("Create the Polynomial"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QVERIFY(!opened.dialog || !opened.dialog->isVisible());
        QCOMPARE(opened.window.coeffCount, 2);
        QCOMPARE(double(opened.window.coeffs[1].real()), -5.0);
    }

    // A degree typed and left by a click into one of the boxes it
    // replaces: the new boxes come, and the focus is in the same row.
    void degreeLeftByAClickIntoABox()
    {
        Opened opened;
        opened.dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(opened.dialog));
        typeOver(degreeBox(opened.dialog), "4");
        QTest::mouseClick(opened.dialog->coeffBoxes[1].findChild<QLineEdit *>(), Qt::LeftButton);
        QCOMPARE(opened.dialog->degree, 4);
        QTRY_COMPARE(nameOf(focused()), QString("Coefficient of x to the power 3"));
        QTest::keyClicks(QApplication::focusWidget(), "7");
        QCOMPARE(polynomialLine(opened.dialog)->text(), QString("x^4 + 7x^3 + x^2 - 1"));
    }

    // One help window, not modal, read and selected by keyboard, hidden by
    // Esc and shown again where it was.
    void helpWindowByKeyboard()
    {
        MainWindow window;
        window.show();
        HelpWindow *help = showHelp(window.ui->polishBox);
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        QCOMPARE(accessible(help)->role(), QAccessible::Dialog);
        activate(help);
        QTextBrowser *text = help->browser();
        QVERIFY(text->hasFocus());
        QVERIFY(text->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(text->textCursor().hasSelection());
        QTest::keyClick(text, Qt::Key_Return);
        QVERIFY(help->isVisible());
        QTest::keyClick(text, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        QCOMPARE(showHelp(&window), help);
        QVERIFY(help->isVisible());
    }

    void helpNamesEveryShortcut_data()
    {
        QTest::addColumn<QString>("keys");
        for (const char *keys : {"Ctrl+N", "Ctrl+Shift+C", "Ctrl+T", "Ctrl+P", "Alt+P", "Alt+R", "F1",
                                 "Ctrl+Q"})
            QTest::newRow(keys) << QString(keys);
    }

    void helpNamesEveryShortcut()
    {
        QFETCH(QString, keys);
        QVERIFY(helpText().contains(QKeySequence(keys).toString(QKeySequence::NativeText)));
    }

    // Every key the menus offer is one the help names.
    void helpNamesEveryMenuKey()
    {
        MainWindow window;
        for (QAction *menu : window.ui->menuBar->actions())
            for (QAction *entry : menu->menu()->actions())
                for (const QKeySequence &key : entry->shortcuts())
                    QVERIFY2(helpText().contains(key.toString(QKeySequence::NativeText)),
                             qPrintable(entry->text() + " " + key.toString()));
    }

    // The main window's texts are read in words, and follow each solve.
    void mainWindowTextsInWords()
    {
        MainWindow window;
        window.show();
        QCOMPARE(nameOf(window.ui->polynomialLabel), QString("x squared minus 1 equals 0"));
        QCOMPARE(nameOf(window.ui->solutionsLabel), QString("2 roots: minus 1; 1"));
        QVERIFY(submitPolynomial(openDialog(window), {1, 1, 1}));
        QCOMPARE(nameOf(window.ui->polynomialLabel), QString("x squared plus x plus 1 equals 0"));
        QCOMPARE(nameOf(window.ui->solutionsLabel),
                 QString("2 roots: minus 0.5 plus 0.866025403784 i; minus 0.5 minus 0.866025403784 i"));
    }

    // What the status bar says is what a screen reader reads of it.
    void statusTextsAreRead()
    {
        MainWindow window;
        window.show();
        window.ui->polishBox->setChecked(false);
        auto *trust = window.findChild<QLabel *>("trustLabel");
        QVERIFY(!trust->text().isEmpty());
        QCOMPARE(nameOf(trust), trust->text());
    }

    // Each option says what it does, in a tooltip and in What's This.
    void optionsExplainThemselves()
    {
        MainWindow window;
        for (QWidget *box : QWidgetList{window.ui->polishBox, window.ui->reverseBox}) {
            QVERIFY(!box->toolTip().isEmpty());
            QVERIFY(box->whatsThis().size() > box->toolTip().size());
            // A screen reader hears the same explanation.
            QCOMPARE(descriptionOf(box), box->toolTip());
        }
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
