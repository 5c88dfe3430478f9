// The main window as a user meets it, and the rich text it renders.
#include "dialog_testing.h"
#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "screen_room.h"
#include "window_testing.h"

#include <QtTest>
#include <QAbstractButton>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusTipEvent>

#include <cmath>
#include <limits>
#include <vector>

using cplx = std::complex<long double>;
Q_DECLARE_METATYPE(cplx)

namespace {

QAction *aboutAction(MainWindow &window)
{
    const QList<QAction *> menus = window.ui->menuBar->actions();
    if (menus.isEmpty() || menus.back()->text() != "&Help" || !menus.back()->menu())
        return nullptr;
    for (QAction *entry : menus.back()->menu()->actions())
        if (entry->text() == "&About")
            return entry;
    return nullptr;
}

QScrollArea *rootsArea(MainWindow &window)
{
    return qobject_cast<QScrollArea *>(window.ui->solutionsLabel->parentWidget()->parentWidget());
}

// Opens the label's context menu and picks an entry.
void chooseFromMenu(QLabel *label, const QString &entry)
{
    QTimer::singleShot(0, [entry] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        for (QAction *action : menu ? menu->actions() : QList<QAction *>())
            if (action->text() == entry)
                action->trigger();
        if (menu)
            menu->close();
    });
    const QPoint centre = label->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, centre, label->mapToGlobal(centre));
    QApplication::sendEvent(label, &event);
}

// From the top left corner to the bottom right one, the button held.
// (QTest reads the point 0, 0 as the centre.)
void dragAcross(QLabel *label)
{
    const QPoint end(label->width() - 1, label->height() - 1);
    QTest::mousePress(label, Qt::LeftButton, Qt::NoModifier, QPoint(1, 1));
    QMouseEvent move(QEvent::MouseMove, end, label->mapToGlobal(end), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(label, &move);
    QTest::mouseRelease(label, Qt::LeftButton, Qt::NoModifier, end);
}

// An object's name, or its class where it has none.
QString nameOf(const QObject *object)
{
    if (!object)
        return "none";
    const QString name = object->objectName();
    return name.isEmpty() ? object->metaObject()->className() : name;
}

QString itemNames(const QLayout &layout)
{
    QStringList names;
    for (int i = 0; i < layout.count(); ++i) {
        QLayoutItem *item = layout.itemAt(i);
        names << (item->widget() ? nameOf(item->widget()) : nameOf(item->layout()));
    }
    return names.join(' ');
}

// A property, or one of these views of the form's structure.
QVariant formView(const QObject *object, const QByteArray &view)
{
    const auto *widget = qobject_cast<const QWidget *>(object);
    const auto *layout = qobject_cast<const QLayout *>(object);
    if (view == "items")
        return itemNames(*layout);
    if (view == "margins") {
        const QMargins m = layout->contentsMargins();
        return QString("%1 %2 %3 %4").arg(m.left()).arg(m.top()).arg(m.right()).arg(m.bottom());
    }
    if (view == "policies") {
        const QMetaObject &meta = QSizePolicy::staticMetaObject;
        const QMetaEnum policy = meta.enumerator(meta.indexOfEnumerator("Policy"));
        return QString("%1 %2").arg(policy.valueToKey(widget->sizePolicy().horizontalPolicy()),
                                    policy.valueToKey(widget->sizePolicy().verticalPolicy()));
    }
    if (view == "parent")
        return nameOf(widget->parentWidget());
    if (view == "layout")
        return nameOf(widget->layout());
    return object->property(view);
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void formatComplex_data()
    {
        QTest::addColumn<cplx>("value");
        QTest::addColumn<QString>("text");
        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        QTest::newRow("one") << cplx(1, 0) << "1";
        QTest::newRow("minus one") << cplx(-1, 0) << "-1";
        QTest::newRow("half") << cplx(0.5, 0) << "0.5";
        QTest::newRow("third") << cplx(1.0L / 3, 0) << "0.333333333333";
        QTest::newRow("12 digits at most") << cplx(0.99999999999999L, 0) << "1";
        QTest::newRow("3 - 4i") << cplx(3, -4) << "(3 + (-4)I)";
        QTest::newRow("2i") << cplx(0, 2) << "(0 + (2)I)";
        QTest::newRow("negligible imaginary") << cplx(1.5, 1e-15) << "1.5";
        QTest::newRow("imaginary at threshold") << cplx(1, 1e-12) << "(1 + (1e-12)I)";
        QTest::newRow("imaginary below threshold") << cplx(1, 5e-13) << "1";
        QTest::newRow("negative imaginary below threshold") << cplx(1, -5e-13) << "1";
        QTest::newRow("NaN imaginary") << cplx(2, nan) << "(2 + (nan)I)";
        QTest::newRow("tiny real") << cplx(3e-13, 0) << "3e-13";
        QTest::newRow("large real") << cplx(1.5e15, 0) << "1.5e+15";
    }

    void formatComplex()
    {
        QFETCH(cplx, value);
        QFETCH(QString, text);
        QCOMPARE(MainWindow::formatComplex(value), text);
    }

    void formatPoly_data()
    {
        QTest::addColumn<std::vector<double>>("coefficients");
        QTest::addColumn<QString>("text");
        QTest::newRow("x^2 - 1") << std::vector<double>{1, 0, -1}
                                 << "1 x<sup>2</sup> &nbsp; + &nbsp; 0 x &nbsp; + &nbsp; (-1) &nbsp; = &nbsp; 0";
        QTest::newRow("degree 1") << std::vector<double>{2, 3}
                                  << "2 x &nbsp; + &nbsp; (3) &nbsp; = &nbsp; 0";
        QTest::newRow("cubic") << std::vector<double>{1, -6, 11, -6}
                               << "1 x<sup>3</sup> &nbsp; + &nbsp; -6 x<sup>2</sup> &nbsp; + &nbsp; "
                                  "11 x &nbsp; + &nbsp; (-6) &nbsp; = &nbsp; 0";
        QString everyPower;
        for (int power = 22; power >= 2; --power)
            everyPower += QString("1 x<sup>%1</sup> &nbsp; + &nbsp; ").arg(power);
        QTest::newRow("degree 22 lists every power")
            << std::vector<double>(23, 1.0) << everyPower + "1 x &nbsp; + &nbsp; (1) &nbsp; = &nbsp; 0";
    }

    void formatPoly()
    {
        QFETCH(std::vector<double>, coefficients);
        QFETCH(QString, text);
        MainWindow window;
        installCoefficients(window, coefficients);
        QCOMPARE(window.formatPoly(), text);
    }

    void formatSolutions_data()
    {
        QTest::addColumn<std::vector<cplx>>("roots");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::newRow("real pair") << std::vector<cplx>{{-1, 0}, {1, 0}} << 2 << "-1<br>1<br>";
        QTest::newRow("conjugates") << std::vector<cplx>{{0, 1}, {0, -1}} << 2
                                    << "(0 + (1)I)<br>(0 + (-1)I)<br>";
        QTest::newRow("only the counted ones") << std::vector<cplx>{{4, 0}, {5, 0}} << 1 << "4<br>";
        QTest::newRow("none") << std::vector<cplx>{{4, 0}, {5, 0}} << 0 << "";
        QTest::newRow("negative count") << std::vector<cplx>{{4, 0}, {5, 0}} << -1 << "";
    }

    void formatSolutions()
    {
        QFETCH(std::vector<cplx>, roots);
        QFETCH(int, count);
        QFETCH(QString, text);
        MainWindow window;
        std::copy(roots.begin(), roots.end(), window.roots);
        window.rootCount = count;
        QCOMPARE(window.formatSolutions(), text);
    }

    void windowAtStart()
    {
        MainWindow window;
        // 800 x 610 where the screen has room; the 800 x 600 test screen has
        // room for neither once the frame is round it.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = availableArea(&window);
        QCOMPARE(area.size(), QSize(800, 600));
        QVERIFY(window.width() > 780 && window.width() <= 800);
        QVERIFY(window.frameGeometry().height() <= area.height());
        QCOMPARE(window.coeffCount, 3);
        QCOMPARE(window.coeffs[0], cplx(1, 0));
        QCOMPARE(window.coeffs[1], cplx(0, 0));
        QCOMPARE(window.coeffs[2], cplx(-1, 0));
        QVERIFY(window.polish);
        QVERIFY(!window.reverse);
        QCOMPARE(window.ui->polynomialLabel->text(),
                 QString("1 x<sup>2</sup> &nbsp; + &nbsp; 0 x &nbsp; + &nbsp; (-1) &nbsp; = &nbsp; 0"));
        QCOMPARE(window.centralWidget(), window.ui->centralWidget);
        QCOMPARE(window.menuBar(), window.ui->menuBar);
        QCOMPARE(window.statusBar(), window.ui->statusBar);
        QCOMPARE(window.toolBarArea(window.ui->mainToolBar), Qt::TopToolBarArea);
        QCOMPARE(rootsArea(window)->widget(), window.ui->solutionsLabel);
    }

    // The form as built, object by object (the window itself by its class's
    // name); enumerations are given as numbers.
    void form_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QVariant>("value");
        const auto row = [](const char *object, const char *property, const QVariant &value) {
            const QString name = QString("%1 %2").arg(object, property);
            QTest::newRow(qPrintable(name)) << object << QByteArray(property) << value;
        };
        row("MainWindow", "objectName", "MainWindow");
        row("MainWindow", "windowTitle", "Roots Of Polynomial");
        row("MainWindow", "policies", "Expanding Expanding");
        for (const char *part : {"centralWidget", "menuBar", "mainToolBar", "statusBar"})
            row(part, "parent", "MainWindow");
        row("centralWidget", "layout", "none");
        row("verticalLayoutWidget", "parent", "centralWidget");
        row("verticalLayoutWidget", "layout", "verticalLayout");
        row("verticalLayout", "items",
            "label1 polynomialLabel label2 ContentScrollArea horizontalLayout");
        row("verticalLayout", "spacing", 6);
        row("verticalLayout", "margins", "0 0 0 0");
        row("verticalLayout", "sizeConstraint", QLayout::SetNoConstraint);
        row("horizontalLayout", "items", "reverseBox newPolyButton polishBox");
        row("horizontalLayout", "spacing", 6);
        row("horizontalLayout", "margins", "5 0 5 0");
        for (const char *caption : {"label1", "label2", "polynomialLabel"}) {
            row(caption, "margin", 5);
            row(caption, "indent", 5);
        }
        row("label1", "text", "Polynomial:");
        row("label2", "text", "Real and Complex Roots:");
        row("polynomialLabel", "textFormat", Qt::RichText);
        row("polynomialLabel", "wordWrap", true);
        row("polynomialLabel", "alignment", Qt::AlignCenter);
        row("polynomialLabel", "policies", "Expanding MinimumExpanding");
        row("solutionsLabel", "textFormat", Qt::AutoText);
        row("solutionsLabel", "wordWrap", false);
        row("solutionsLabel", "alignment", Qt::AlignCenter);
        row("solutionsLabel", "policies", "Expanding MinimumExpanding");
        row("reverseBox", "text", "Reverse Deflation");
        row("reverseBox", "checked", false);
        row("newPolyButton", "text", "Define New Polynomial");
        row("polishBox", "text", "Polish Roots");
        row("polishBox", "checked", true);
    }

    void form()
    {
        QFETCH(QString, object);
        QFETCH(QByteArray, property);
        QFETCH(QVariant, value);
        MainWindow window;
        QObject *found = object == "MainWindow" ? &window : window.findChild<QObject *>(object);
        QVERIFY(found);
        QVariant shown = formView(found, property);
        if (value.userType() == QMetaType::Int)
            shown = shown.toInt();
        QCOMPARE(shown, value);
    }

    // Inset as designed; as tall as designed where the central widget, under
    // a tool bar that now carries the main actions, has the room.
    void layoutAreaFollowsWindow()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QSize size : {QSize(800, 600), QSize(1000, 700)}) {
            window.resize(size);
            QTRY_COMPARE(window.size(), size);
            const QRect area = window.ui->verticalLayoutWidget->geometry();
            QCOMPARE(area.topLeft(), QPoint(5, 45));
            QCOMPARE(area.width(), size.width() - 14);
            QCOMPARE(area.bottom() + 1, std::min(size.height() - 80, window.centralWidget()->height()));
        }
    }

    // Twenty-two roots: the blank strip above the polynomial gives its room
    // to the roots, as soon as they are listed.
    void rootsTakeTheBlankStrip()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.ui->verticalLayoutWidget->y(), 45);
        DialogWindow *dialog = openDialog(window);
        typeOver(polynomialLine(dialog), "x^22 - 1");
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        // Up to the left inset, or until every root shows.
        QScrollBar *bar = rootsArea(window)->verticalScrollBar();
        QTRY_VERIFY(window.ui->verticalLayoutWidget->y() < 45);
        QTRY_VERIFY(window.ui->verticalLayoutWidget->y() == 5 || bar->maximum() == 0);
    }

    // The tool bar and the status bar carry controls now; the buttons at the
    // foot of the layout area stay whole above the status bar.
    void layoutAreaEndsAboveTheStatusBar()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        for (const QSize size : {QSize(800, 600), QSize(640, 400), QSize(1000, 700)}) {
            window.resize(size);
            QTRY_COMPARE(window.size(), size);
            const QRect button(window.ui->newPolyButton->mapTo(&window, QPoint(0, 0)),
                               window.ui->newPolyButton->size());
            QVERIFY2(button.bottom() < window.statusBar()->geometry().top(),
                     qPrintable(QString("%1 x %2").arg(size.width()).arg(size.height())));
        }
    }

    // 0.01 x^22 + 1e10 x^21 + 1: 22 roots, the largest -1e+12; every root
    // can be scrolled to, and the polynomial stays whole.
    void everyRootOfDegree22CanBeReached()
    {
        MainWindow window;
        std::vector<long double> coefficients(23, 0);
        coefficients[0] = 0.01; // as the dialog passes it: the double, widened
        coefficients[1] = 1e10L;
        coefficients[22] = 1;
        installCoefficients(window, coefficients);
        window.UpdateView();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // Shorter than 22 roots, whatever the font.
        window.resize(800, 400);
        QCOMPARE(window.rootCount, 22);
        QVERIFY(window.ui->solutionsLabel->text().contains("-1e+12<br>"));

        QScrollArea *area = rootsArea(window);
        QLabel *roots = window.ui->solutionsLabel;
        QScrollBar *bar = area->verticalScrollBar();
        QTRY_VERIFY(bar->maximum() > 0);
        QVERIFY(roots->height() >= roots->sizeHint().height());
        QCOMPARE(bar->maximum(), roots->height() - area->viewport()->height());
        QLabel *polynomial = window.ui->polynomialLabel;
        QVERIFY(polynomial->height() >= polynomial->heightForWidth(polynomial->width()));
    }

    void copyingGivesPlainText_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("text");
        for (const QString way : {"keys", "menu", "mouse"}) {
            QTest::newRow(qPrintable("polynomial by " + way))
                << "polynomialLabel" << way << "1 x^2 + 0 x + (-1) = 0";
            QTest::newRow(qPrintable("roots by " + way)) << "solutionsLabel" << way << "-1\n1\n";
        }
        // Characters 2 to 15 of "1 x2   +   0 x   +   (-1)   =   0", the 2 raised.
        QTest::newRow("part of the polynomial") << "polynomialLabel" << "part" << "x^2 + 0 x";
    }

    // Selected and copied as the student pasting the roots elsewhere does:
    // Ctrl+A and Ctrl+C, the context menu's Select All and Copy, or a drag
    // across the text and Ctrl+C.
    void copyingGivesPlainText()
    {
        QFETCH(QString, label);
        QFETCH(QString, way);
        QFETCH(QString, text);
        MainWindow window;
        window.show();
        activate(&window);
        auto *shown = window.findChild<QLabel *>(label);
        QApplication::clipboard()->clear();
        if (way == "menu") {
            chooseFromMenu(shown, "Select &All");
            chooseFromMenu(shown, "&Copy");
        } else {
            if (way == "keys") {
                QTest::mouseClick(shown, Qt::LeftButton, Qt::NoModifier, shown->rect().center());
                QVERIFY(shown->hasFocus());
                QTest::keyClick(shown, Qt::Key_A, Qt::ControlModifier);
            } else if (way == "mouse") {
                dragAcross(shown);
            } else {
                shown->setSelection(2, 14);
            }
            QTest::keyClick(shown, Qt::Key_C, Qt::ControlModifier);
        }
        QCOMPARE(QApplication::clipboard()->text(), text);
        QVERIFY(QApplication::clipboard()->mimeData()->hasHtml());
    }

    void statusBarTellsOfMissingRoots()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *report = window.ui->statusBar->findChild<QLabel *>();
        QVERIFY(report);
        QCOMPARE(window.ui->solutionsLabel->text(), QString("-1<br>1<br>"));
        QCOMPARE(report->text(), QString());

        const long double nan = std::numeric_limits<long double>::quiet_NaN();
        window.coeffs[1] = cplx(nan, 0);
        window.UpdateView();
        QCOMPARE(window.rootCount, 0);
        QCOMPARE(report->text(), QString("Found 0 of 2 roots"));
        // Pointing at a menu entry shows its (empty) status tip: the report stays.
        QStatusTipEvent tip(QString{});
        QApplication::sendEvent(&window, &tip);
        QCOMPARE(report->text(), QString("Found 0 of 2 roots"));
        QVERIFY(report->isVisible());

        installCoefficients(window, {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
        window.UpdateView();
        QCOMPARE(window.rootCount, 17);
        QCOMPARE(report->text(), QString());
    }

    void aboutBoxShowsNotice()
    {
        MainWindow window;
        QAction *about = aboutAction(window);
        QVERIFY(about);
        QCOMPARE(about->text(), QString("&About"));
        QVERIFY(window.licenseText->startsWith("<p>"));
        QVERIFY(window.licenseText->contains("NO WARRANTY"));
        QVERIFY(window.licenseText->contains("<a href="));

        for (int round = 0; round < 2; ++round) {
            QString title, text;
            QList<QAbstractButton *> buttons;
            QTimer::singleShot(0, [&] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                QVERIFY(box);
                title = box->windowTitle();
                text = box->text();
                buttons = box->buttons();
                QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
                QCOMPARE(box->textFormat(), Qt::AutoText);
                box->button(QMessageBox::Ok)->click();
            });
            about->trigger();
            QCOMPARE(title, QString("Info"));
            QCOMPARE(text, *window.licenseText);
            QCOMPARE(buttons.size(), 1);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "test_mainwindow.moc"
