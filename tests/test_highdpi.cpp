// The windows on a magnified screen: at a scale factor of 2 the 800 x 600
// test screen has 400 x 300 logical pixels of 2 x 2 device pixels each.
#include "dialog_testing.h"
#include "screen_room.h"
#include "window_testing.h"

#include <QtTest>
#include <QDockWidget>
#include <QLabel>

#include <cmath>

class TestHighDpi : public QObject
{
    Q_OBJECT

private slots:
    // The picture as large as the graph in logical pixels, drawn with all
    // the screen's device pixels: a line one logical pixel wide covers two
    // whole rows of device pixels.
    void plotIsDrawnAtTheScreensPixels()
    {
#if QT_VERSION < QT_VERSION_CHECK(5, 6, 0)
        QSKIP("The toolkit magnifies a screen by QT_SCALE_FACTOR from 5.6 on");
#endif
        MainWindow window;
        installSolved(window, {1, 0, -1}, {{1, 0}, {-1, 0}});
        auto *plot = new MyPlot(&window);
        plot->show();
        QVERIFY(QTest::qWaitForWindowExposed(plot));
        const QPixmap shown = plot->plotLabel->property("pixmap").value<QPixmap>();
        QCOMPARE(shown.devicePixelRatio(), 2.0);
        QCOMPARE(shown.size(), plot->plotLabel->size() * 2);
        const PlotFrame &frame = plot->plotLabel->frame();
        const QImage image = shown.toImage();
        const int column = static_cast<int>(2 * (frame.area.left() + 5));
        const int axis = 2 * static_cast<int>(std::floor(frame.row(0)));
        const QRgb white = qRgb(255, 255, 255);
        QCOMPARE(image.pixel(column, axis) & 0xffffff, white & 0xffffff);
        QCOMPARE(image.pixel(column, axis + 1) & 0xffffff, white & 0xffffff);
        QVERIFY((image.pixel(column, axis - 1) & 0xffffff) != (white & 0xffffff));
        QVERIFY((image.pixel(column, axis + 2) & 0xffffff) != (white & 0xffffff));
    }

    // Every window fits the 400 x 300 logical pixels whole, frame and all:
    // the main window, the dialog, and the plot beside the main window.
    void windowsFitTheMagnifiedScreen()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = availableArea(&window);
        QCOMPARE(area.size(), QSize(400, 300));
        QVERIFY(area.contains(window.frameGeometry()));
        DialogWindow *dialog = openDialog(window);
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(area.contains(dialog->frameGeometry()));
        QTest::mouseClick(submitButton(dialog), Qt::LeftButton);
        const QList<MyPlot *> plots = plotsOf(window);
        QCOMPARE(plots.size(), 1);
        QVERIFY(QTest::qWaitForWindowExposed(plots[0]));
        QVERIFY(area.contains(plots[0]->frameGeometry()));
    }

    // The root table docks within the window, and the window stays on the
    // magnified screen.
    void rootTableFitsTheMagnifiedScreen()
    {
        MainWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *table = window.findChild<QDockWidget *>("rootTable");
        table->toggleViewAction()->trigger();
        QTRY_VERIFY(table->isVisible());
        QApplication::processEvents();
        QVERIFY(availableArea(&window).contains(window.frameGeometry()));
        QVERIFY(window.rect().contains(table->geometry()));
    }
};

int main(int argc, char **argv)
{
    // Read when the application starts, so set before it.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestHighDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_highdpi.moc"
