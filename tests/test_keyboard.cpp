// The whole main window by keyboard: the menus and their keys, the tool
// bar, the order Tab goes through the window, Enter on a focused button,
// and what the status bar says when a new polynomial switches an option off.
#include "dialog_testing.h"
#include "help_texts.h"
#include "root_table.h"
#include "window_testing.h"

#include "ui_mainwindow.h"

#include <QClipboard>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QtTest>

namespace {

QStringList menuEntries(MainWindow &window, const QString &menu)
{
    QStringList entries;
    for (QAction *top : window.ui->menuBar->actions())
        if (top->text() == menu)
            for (QAction *entry : top->menu()->actions())
                if (!entry->isSeparator())
                    entries << entry->text() + " " + entry->shortcut().toString(QKeySequence::PortableText);
    return entries;
}

QStringList topMenus(MainWindow &window)
{
    QStringList menus;
    for (QAction *top : window.ui->menuBar->actions())
        menus << top->text();
    return menus;
}

DialogWindow *openDialogOf(MainWindow &window)
{
    const QList<DialogWindow *> dialogs = window.findChildren<DialogWindow *>();
    for (DialogWindow *dialog : dialogs)
        if (dialog->isVisible())
            return dialog;
    return nullptr;
}

void press(MainWindow &window, const QKeySequence &key)
{
    activate(&window);
    QTest::keySequence(&window, key);
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT

private slots:
    void menusAndTheirKeys_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("File") << "&File" << QStringList{"&New Polynomial… Ctrl+N", "&Plot Ctrl+P", "&Quit Ctrl+Q"};
        QTest::newRow("Edit") << "&Edit"
                              << QStringList{"&Copy Roots Ctrl+Shift+C", "Copy as C&SV ", "Copy for P&ython ",
                                             "Copy for &Octave "};
        QTest::newRow("View") << "&View" << QStringList{"Root &Table Ctrl+T", "&Plot Ctrl+P"};
        QTest::newRow("Options") << "&Options" << QStringList{"&Polish Roots Alt+P", "&Reverse Deflation Alt+R"};
        QTest::newRow("Help") << "&Help" << QStringList{"&Help Contents F1", "What's This? Shift+F1", "&About "};
    }

    void menusAndTheirKeys()
    {
        QFETCH(QString, menu);
        QFETCH(QStringList, entries);
        MainWindow window;
        QCOMPARE(topMenus(window), (QStringList{"&File", "&Edit", "&View", "&Options", "&Help"}));
        QCOMPARE(menuEntries(window, menu), entries);
    }

    // The tool bar carries the main actions instead of standing empty.
    void toolBarCarriesTheMainActions()
    {
        MainWindow window;
        QStringList texts;
        for (QAction *action : window.ui->mainToolBar->actions())
            texts << action->text();
        QCOMPARE(texts, (QStringList{"&New Polynomial…", "&Copy Roots", "Root &Table", "&Plot", "&Help Contents"}));
    }

    void shortcutsDoWhatTheMenusSay_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("effect");
        QTest::newRow("Ctrl+N") << QKeySequence(Qt::CTRL | Qt::Key_N) << "dialog";
        QTest::newRow("Alt+D") << QKeySequence(Qt::ALT | Qt::Key_D) << "dialog";
        QTest::newRow("Ctrl+T") << QKeySequence(Qt::CTRL | Qt::Key_T) << "table";
        QTest::newRow("Ctrl+P") << QKeySequence(Qt::CTRL | Qt::Key_P) << "plot";
        QTest::newRow("Alt+P") << QKeySequence(Qt::ALT | Qt::Key_P) << "polish off";
        QTest::newRow("Alt+R") << QKeySequence(Qt::ALT | Qt::Key_R) << "reverse on";
        QTest::newRow("Ctrl+Shift+C") << QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C) << "copied";
        QTest::newRow("F1") << QKeySequence(Qt::Key_F1) << "help";
    }

    void shortcutsDoWhatTheMenusSay()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, effect);
        QApplication::clipboard()->clear();
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        press(window, key);
        QApplication::processEvents();
        if (effect == "dialog")
            QVERIFY(openDialogOf(window));
        else if (effect == "table")
            QVERIFY(window.findChild<RootTable *>("rootTable")->isVisible());
        else if (effect == "plot")
            QCOMPARE(plotsOf(window).size(), 1);
        else if (effect == "polish off")
            QVERIFY(!window.polish && !window.ui->polishBox->isChecked());
        else if (effect == "reverse on")
            QVERIFY(window.reverse && window.ui->reverseBox->isChecked());
        else if (effect == "help")
            QTRY_VERIFY(window.findChild<HelpWindow *>() && window.findChild<HelpWindow *>()->isVisible());
        else if (effect == "copied")
            QCOMPARE(QApplication::clipboard()->text(), QString("-1\n1\n"));
    }

    // Ctrl+P again raises the plot already open for the polynomial; a new
    // polynomial gets a plot of its own.
    void plotShownOncePerPolynomial()
    {
        MainWindow window;
        window.show();
        press(window, QKeySequence(Qt::CTRL | Qt::Key_P));
        press(window, QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(plotsOf(window).size(), 1);
        QVERIFY(submitPolynomial(openDialog(window), {1, -3, 2}));
        QCOMPARE(plotsOf(window).size(), 2);
        press(window, QKeySequence(Qt::CTRL | Qt::Key_P));
        QCOMPARE(plotsOf(window).size(), 2);
    }

    // Tab reaches both texts and every control, in reading order.
    void tabGoesThroughTheWindow()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        activate(&window);
        window.ui->polynomialLabel->setFocus();
        QStringList order;
        for (int step = 0; step < 5; ++step) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"polynomialLabel", "solutionsLabel", "reverseBox", "newPolyButton",
                                     "polishBox"}));
        // The texts are selectable by keyboard, and copied as they read.
        window.ui->solutionsLabel->setFocus();
        QTest::keyClick(window.ui->solutionsLabel, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(window.ui->solutionsLabel, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), QString("-1\n1\n"));
    }

    void enterActivatesTheFocusedButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Return") << int(Qt::Key_Return);
        QTest::newRow("Enter") << int(Qt::Key_Enter);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterActivatesTheFocusedButton()
    {
        QFETCH(int, key);
        MainWindow window;
        window.show();
        activate(&window);
        window.ui->newPolyButton->setFocus();
        QTest::keyClick(window.ui->newPolyButton, Qt::Key(key));
        QVERIFY(openDialogOf(window));
    }

    // A new polynomial switches Reverse Deflation off, and says so.
    void reverseSwitchedOffIsSaid()
    {
        MainWindow window;
        window.show();
        window.ui->reverseBox->setChecked(true);
        QVERIFY(window.statusBar()->currentMessage().isEmpty());
        QVERIFY(submitPolynomial(openDialog(window), {1, -3, 2}));
        QVERIFY(!window.reverse);
        QVERIFY(window.statusBar()->currentMessage().contains("Reverse Deflation"));

        QVERIFY(submitPolynomial(openDialog(window), {1, -5, 6}));
        window.statusBar()->clearMessage();
        QVERIFY(submitPolynomial(openDialog(window), {1, -7, 12}));
        QVERIFY(window.statusBar()->currentMessage().isEmpty());
    }
};

QTEST_MAIN(TestKeyboard)
#include "test_keyboard.moc"
