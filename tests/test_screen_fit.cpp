// Windows kept on the screen, and scroll areas that leave room for their
// bar: on the 800 x 600 test screen, at the edges to the pixel.
#include "content_scroll_area.h"
#include "screen_room.h"

#include <QLabel>
#include <QScrollBar>
#include <QStyle>
#include <QWindow>
#include <QtTest>

class TestScreenFit : public QObject
{
    Q_OBJECT

private slots:
    // A window whose frame ends on the last row of the free area stays where
    // it is; one pixel taller and it moves up by that pixel; taller than
    // the area and its frame starts at the area's top.
    void keptOnScreenMovesOnlyAsFarAsNeeded_data()
    {
        QTest::addColumn<int>("overhang"); // rows of the frame below the area
        QTest::addColumn<int>("moved");    // rows the window moves up
        QTest::newRow("ends on the last row") << 0 << 0;
        QTest::newRow("one row over") << 1 << 1;
        QTest::newRow("ten rows over") << 10 << 10;
        QTest::newRow("one row short") << -1 << 0;
    }

    void keptOnScreenMovesOnlyAsFarAsNeeded()
    {
        QFETCH(int, overhang);
        QFETCH(int, moved);
        QWidget window;
        window.setGeometry(100, 200, 300, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = availableArea(&window);
        const int frameTop = window.frameGeometry().top();
        const int above = window.geometry().top() - frameTop;
        const int frameRows = area.height() - roomOnScreen(&window).height();
        // The height whose frame ends overhang rows below the area.
        const int height = area.bottom() + 1 - frameTop - frameRows + overhang;
        const QRect kept = keptOnScreen(&window, QSize(300, height));
        QCOMPARE(kept.size(), QSize(300, height));
        QCOMPARE(kept.left(), window.geometry().left());
        QCOMPARE(frameTop - (kept.top() - above), moved);
    }

    void keptOnScreenStopsAtTheTop()
    {
        QWidget window;
        window.setGeometry(100, 200, 300, 100);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect area = availableArea(&window);
        const int above = window.geometry().top() - window.frameGeometry().top();
        const QRect kept = keptOnScreen(&window, QSize(300, area.height() * 2));
        QCOMPARE(kept.top() - above, area.top());
    }

    // The largest size leaves exactly the room for the frame: before the
    // window is shown, a title bar's and a thin border's; once shown, the
    // frame it has.
    void roomOnScreenIsTheAreaLessTheFrame()
    {
        QWidget window;
        const QRect area = availableArea(&window);
        const int title = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
        const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, &window);
        QCOMPARE(area.size(), QSize(800, 600));
        QCOMPARE(roomOnScreen(&window), QSize(800 - 2 * border, 600 - title - 2 * border));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QMargins frame = window.windowHandle()->frameMargins();
        if (frame.isNull())
            QSKIP("This platform puts no frame round its windows");
        QCOMPARE(roomOnScreen(&window), area.size() - QSize(frame.left() + frame.right(), frame.top() + frame.bottom()));
    }

    // A new window goes beside another where the screen has room, else
    // covers as little as it can of what should stay visible; never off
    // the screen.
    void placedBesideTheAnchor_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QRect>("anchor");
        QTest::addColumn<QRect>("avoid");
        QTest::addColumn<QSize>("frame");
        QTest::addColumn<QPoint>("corner");
        const QSize plot(424, 455);
        const QRect roots(20, 200, 780, 350);
        QTest::newRow("1366 x 768: to the right") << QRect(0, 0, 1366, 740) << QRect(0, 0, 810, 640) << roots
                                                  << plot << QPoint(810, 0);
        QTest::newRow("right edge: to the left") << QRect(0, 0, 1920, 1050) << QRect(1100, 100, 810, 640)
                                                 << QRect(1120, 300, 780, 350) << plot << QPoint(676, 100);
        QTest::newRow("slid up along the side") << QRect(0, 0, 1366, 740) << QRect(100, 500, 810, 200)
                                                << QRect(120, 550, 780, 100) << plot << QPoint(910, 285);
        QTest::newRow("tall screen: below") << QRect(0, 0, 900, 1600) << QRect(0, 0, 810, 640) << roots << plot
                                            << QPoint(0, 640);
        QTest::newRow("1024 x 768: least over the roots") << QRect(0, 0, 1024, 740) << QRect(0, 0, 810, 640)
                                                          << roots << plot << QPoint(600, 0);
        QTest::newRow("taller than the area: at its top, right")
            << QRect(0, 0, 512, 370) << QRect(0, 0, 512, 370) << QRect(10, 100, 490, 200) << plot << QPoint(88, 0);
        QTest::newRow("second screen") << QRect(1366, 0, 1920, 1050) << QRect(1400, 50, 810, 640)
                                       << QRect(1420, 250, 780, 350) << plot << QPoint(2210, 50);
    }

    void placedBesideTheAnchor()
    {
        QFETCH(QRect, area);
        QFETCH(QRect, anchor);
        QFETCH(QRect, avoid);
        QFETCH(QSize, frame);
        QFETCH(QPoint, corner);
        const QPoint placed = placedBeside(anchor, avoid, frame, area);
        QCOMPARE(placed, corner);
        if (frame.width() <= area.width() && frame.height() <= area.height())
            QVERIFY(area.contains(QRect(placed, frame)));
    }

    // At its narrowest the area shows tall content whole across, with its
    // vertical bar beside it and no bar below.
    void scrollAreaLeavesRoomForItsBar()
    {
        auto *content = new QLabel;
        content->setMinimumSize(200, 2000);
        ContentScrollArea area(content);
        area.resize(area.minimumSizeHint().width(), 100);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        QTRY_VERIFY(area.verticalScrollBar()->maximum() > 0);
        QCOMPARE(area.horizontalScrollBar()->maximum(), 0);
        QVERIFY(area.viewport()->width() >= 200);
    }

    // Where everything fits the area asks for the content's own size.
    void scrollAreaAsksForItsContentsSize()
    {
        auto *content = new QLabel(QStringLiteral("a few words"));
        ContentScrollArea area(content);
        QCOMPARE(area.sizeHint(), content->sizeHint());
    }
};

QTEST_MAIN(TestScreenFit)
#include "test_screen_fit.moc"
