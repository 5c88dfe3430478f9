// Exploring a plot as a user does: the wheel, dragging, the keys, the
// double-click, the readout, the context menu with the pictures it saves
// and copies, and the roots in the complex plane.
#include "plot_export.h"
#include "plot_testing.h"

#include <QtTest>
#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QImageReader>
#include <QLabel>
#include <QMimeData>
#include <QSvgRenderer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolTip>

#include <cmath>

namespace {

enum Which { graph, plane };

PlotView *viewOf(MyPlot *plot, int which)
{
    PlotView *view = which == graph ? static_cast<PlotView *>(plot->plotLabel)
                                    : static_cast<PlotView *>(plot->planeLabel);
    plot->views->setCurrentWidget(view);
    return view;
}

// The view brought to the front of the shown window once it has drawn its
// picture; nothing where the window or the picture did not come.
PlotView *drawnView(ShownPlot &shown, int which)
{
    if (!shown.exposed())
        return nullptr;
    PlotView *view = viewOf(shown.plot, which);
    return QTest::qWaitFor([view] { return !view->picture().isNull(); }) ? view : nullptr;
}

// The data point under a pixel of the picture shown.
QPointF dataAt(const PlotView *view, QPointF pixel)
{
    return QPointF(view->frame().x(pixel.x()), view->frame().axisY(pixel.y()));
}

// Equal but for rounding, against the stretch of the axis.
bool nearlyEqual(double a, double b, double stretch)
{
    return std::fabs(a - b) <= 1e-9 * stretch;
}

QPointF inArea(const PlotView *view, double across, double down)
{
    const QRectF &area = view->frame().area;
    return area.topLeft() + QPointF(area.width() * across, area.height() * down);
}

QAction *actionNamed(QWidget *view, const QString &text)
{
    for (QAction *action : view->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

} // namespace

class TestPlotExplore : public QObject
{
    Q_OBJECT

    static void addViewRows()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("which");
        for (size_t i = 0; i < plotCases().size(); ++i)
            QTest::addRow("%s, graph", plotCases()[i].name) << static_cast<int>(i) << int(graph);
        for (size_t i : {3, 5, 6})
            QTest::addRow("%s, plane", plotCases()[i].name) << static_cast<int>(i) << int(plane);
    }

private slots:
    void cleanup() { QToolTip::hideText(); }

    // The point under the pointer stays there; a notch away from the user
    // zooms in by 1.25, Ctrl keeps y and Shift keeps x as they are.
    void wheelZoomsAboutThePointer_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("which");
        QTest::addColumn<int>("angle");
        QTest::addColumn<int>("modifiers");
        const struct {
            const char *name;
            int angle;
            Qt::KeyboardModifiers modifiers;
        } turns[] = {{"in", 120, Qt::NoModifier},
                     {"out twice", -240, Qt::NoModifier},
                     {"x only", 120, Qt::ControlModifier},
                     {"y only", -120, Qt::ShiftModifier}};
        for (size_t i = 0; i < plotCases().size(); ++i)
            for (const auto &turn : turns)
                for (int which : {int(graph), int(plane)})
                    QTest::addRow("%s, %s, %s", plotCases()[i].name, turn.name,
                                  which == graph ? "graph" : "plane")
                        << static_cast<int>(i) << which << turn.angle << int(turn.modifiers);
    }

    void wheelZoomsAboutThePointer()
    {
        QFETCH(int, index);
        QFETCH(int, which);
        QFETCH(int, angle);
        QFETCH(int, modifiers);
        ShownPlot p(plotCases()[index]);
        PlotView *view = drawnView(p, which);
        QVERIFY(view);
        const QPointF pointer = inArea(view, 0.3, 0.7);
        const QPointF before = dataAt(view, pointer);
        const PlotRange from = view->range();
        turnWheel(view, pointer, angle, Qt::KeyboardModifiers(modifiers));
        const PlotRange to = view->range();
        const QPointF after = dataAt(view, pointer);
        QVERIFY(nearlyEqual(after.x(), before.x(), from.width()));
        QVERIFY(nearlyEqual(after.y(), before.y(), from.height()));
        const double factor = std::pow(1.25, -angle / 120.0);
        const double xFactor = modifiers == Qt::ShiftModifier ? 1 : factor;
        const double yFactor = modifiers == Qt::ControlModifier ? 1 : factor;
        QVERIFY(nearlyEqual(to.width(), from.width() * xFactor, from.width()));
        QVERIFY(nearlyEqual(to.height(), from.height() * yFactor, from.height()));
    }

    // The data point under the pointer where the drag began is under it
    // where the drag ends.
    void dragMovesWithThePointer_data() { addViewRows(); }

    void dragMovesWithThePointer()
    {
        QFETCH(int, index);
        QFETCH(int, which);
        ShownPlot p(plotCases()[index]);
        PlotView *view = drawnView(p, which);
        QVERIFY(view);
        const QPoint from = inArea(view, 0.25, 0.25).toPoint();
        const QPoint to = inArea(view, 0.6, 0.8).toPoint();
        const QPointF grabbed = dataAt(view, from);
        const PlotRange before = view->range();
        QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
        movePointer(view, (from + to) / 2, Qt::LeftButton);
        movePointer(view, to, Qt::LeftButton);
        QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
        const QPointF under = dataAt(view, to);
        QVERIFY(nearlyEqual(under.x(), grabbed.x(), before.width()));
        QVERIFY(nearlyEqual(under.y(), grabbed.y(), before.height()));
        QVERIFY(nearlyEqual(view->range().width(), before.width(), before.width()));
        // Moving the pointer afterwards moves nothing.
        const PlotRange dropped = view->range();
        movePointer(view, from);
        QCOMPARE(view->range(), dropped);
    }

    // +, = and - zoom about the middle, the arrows move by a tenth of the
    // view, Home returns to the start view.
    void keysZoomAndMove_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<double>("widthFactor");
        QTest::addColumn<double>("xShift");
        QTest::addColumn<double>("yShift");
        QTest::newRow("+") << int(Qt::Key_Plus) << 0.8 << 0.0 << 0.0;
        QTest::newRow("=") << int(Qt::Key_Equal) << 0.8 << 0.0 << 0.0;
        QTest::newRow("-") << int(Qt::Key_Minus) << 1.25 << 0.0 << 0.0;
        QTest::newRow("left") << int(Qt::Key_Left) << 1.0 << -0.1 << 0.0;
        QTest::newRow("right") << int(Qt::Key_Right) << 1.0 << 0.1 << 0.0;
        QTest::newRow("up") << int(Qt::Key_Up) << 1.0 << 0.0 << 0.1;
        QTest::newRow("down") << int(Qt::Key_Down) << 1.0 << 0.0 << -0.1;
    }

    void keysZoomAndMove()
    {
        QFETCH(int, key);
        QFETCH(double, widthFactor);
        QFETCH(double, xShift);
        QFETCH(double, yShift);
        for (int which : {int(graph), int(plane)}) {
            ShownPlot p(plotCases()[5]);
            PlotView *view = drawnView(p, which);
            QVERIFY(view);
            focus(view);
            const PlotRange start = view->range();
            const double cx = (start.x0 + start.x1) / 2, cy = (start.y0 + start.y1) / 2;
            QTest::keyClick(view, Qt::Key(key));
            const PlotRange moved = view->range();
            QVERIFY(nearlyEqual(moved.width(), start.width() * widthFactor, start.width()));
            QVERIFY(nearlyEqual(moved.height(), start.height() * widthFactor, start.height()));
            QVERIFY(nearlyEqual((moved.x0 + moved.x1) / 2, cx + xShift * start.width(), start.width()));
            QVERIFY(nearlyEqual((moved.y0 + moved.y1) / 2, cy + yShift * start.height(), start.height()));
            QTest::keyClick(view, Qt::Key_Home);
            QCOMPARE(view->range(), start);
        }
    }

    // After zooming, moving and a signed-log scale, a double-click brings
    // back the start view, its scale and its caption.
    void doubleClickReturnsToTheStartView()
    {
        ShownPlot p(plotCases()[4]);
        QVERIFY(p.exposed());
        GraphView *view = p.plot->plotLabel;
        const PlotRange start = view->range();
        focus(view);
        turnWheel(view, inArea(view, 0.1, 0.5), 360);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_L);
        QVERIFY(view->signedLogY());
        QVERIFY(p.plot->infoLabel->text() != QString("X-Tick-Interval: 2.5e+02"));
        QTest::mouseDClick(view, Qt::LeftButton, Qt::NoModifier, inArea(view, 0.5, 0.5).toPoint());
        QCOMPARE(view->range(), start);
        QVERIFY(!view->signedLogY());
        QCOMPARE(p.plot->infoLabel->text(), QString("X-Tick-Interval: 2.5e+02"));
    }

    // x to the resolution of a pixel and p(x) at the x written; the
    // complex number under the pointer in the plane; how to explore where
    // the pointer is elsewhere.
    void readoutFollowsThePointer_data() { addViewRows(); }

    void readoutFollowsThePointer()
    {
        QFETCH(int, index);
        QFETCH(int, which);
        ShownPlot p(plotCases()[index]);
        PlotView *view = drawnView(p, which);
        QVERIFY(view);
        for (const QPointF at : {inArea(view, 0.2, 0.3), inArea(view, 0.77, 0.9)}) {
            movePointer(view, at.toPoint());
            const QString text = p.plot->readoutLabel->text();
            const PlotFrame &frame = view->frame();
            const double x = frame.x(at.toPoint().x());
            const QString xText = text.section(' ', 2, 2);
            QVERIFY2(std::fabs(xText.toDouble() - x) <= frame.xResolution(), qPrintable(text));
            if (which == graph) {
                QVERIFY2(text.startsWith("x = "), qPrintable(text));
                QCOMPARE(text.section("p(x) = ", 1),
                         QString::number(p.plot->polynomial->at(xText.toDouble()), 'g', 6));
            } else {
                QVERIFY2(text.startsWith("z = ") && text.endsWith('i'), qPrintable(text));
                const double y = frame.axisY(at.toPoint().y());
                double im = text.section(' ', 4, 4).chopped(1).toDouble();
                if (text.section(' ', 3, 3) == "-")
                    im = -im;
                QVERIFY2(std::fabs(im - y) <= frame.yResolution(), qPrintable(text));
            }
        }
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(view, &leave);
        QCOMPARE(p.plot->readoutLabel->text(), view->idleText());
    }

    // The caption gives the x tick distance of the view in front.
    void captionFollowsTheXTicks()
    {
        ShownPlot p(plotCases()[1]);
        QVERIFY(p.exposed());
        GraphView *view = p.plot->plotLabel;
        QCOMPARE(p.plot->infoLabel->text(), QString("X-Tick-Interval: 0.5"));
        turnWheel(view, inArea(view, 0.5, 0.5), 120 * 8, Qt::ControlModifier);
        QCOMPARE(p.plot->infoLabel->text(), QString("X-Tick-Interval: 0.1"));
        p.plot->views->setCurrentWidget(p.plot->planeLabel);
        QTRY_VERIFY(!p.plot->planeLabel->picture().isNull());
        QCOMPARE(p.plot->infoLabel->text(),
                 "X-Tick-Interval: "
                     + QString::number(p.plot->planeLabel->pictureLayout().x.step, 'g', 2));
    }

    // PNG and SVG files of the view in front, by key or by menu: a PNG of
    // the screen's device pixels, an SVG drawing of the view's size.
    void savedPictures_data()
    {
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("svg");
        QTest::addColumn<bool>("byKey");
        for (int which : {int(graph), int(plane)})
            for (bool svg : {false, true})
                for (bool byKey : {true, false})
                    QTest::addRow("%s, %s, by %s", which == graph ? "graph" : "plane",
                                  svg ? "SVG" : "PNG", byKey ? "key" : "menu")
                        << which << svg << byKey;
    }

    void savedPictures()
    {
        QFETCH(int, which);
        QFETCH(bool, svg);
        QFETCH(bool, byKey);
        ShownPlot p(plotCases()[5], QSize(520, 450));
        PlotView *view = drawnView(p, which);
        QVERIFY(view);
        focus(view);
        const Qt::KeyboardModifiers keys =
            svg ? Qt::ControlModifier | Qt::ShiftModifier : Qt::KeyboardModifiers(Qt::ControlModifier);
        if (byKey)
            QTest::keyClick(view, Qt::Key_S, keys);
        else
            actionNamed(view, svg ? "Save as SVG..." : "Save as PNG...")->trigger();
        QFileDialog *dialog = p.plot->findChild<QFileDialog *>();
        QVERIFY(dialog);
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(dialog->selectedFiles().value(0).endsWith(view->pictureName() + (svg ? ".svg" : ".png")));
        QTemporaryDir folder;
        const QString path = folder.filePath("picture");
        dialog->selectFile(path);
        // As the dialog's Save button does.
        static_cast<QDialog *>(dialog)->accept();
        const QString saved = path + (svg ? ".svg" : ".png");
        QVERIFY2(QFile::exists(saved), qPrintable(saved));
        if (svg) {
            QSvgRenderer drawing(saved);
            QVERIFY(drawing.isValid());
            QCOMPARE(drawing.viewBox(), view->rect());
        } else {
            QImageReader reader(saved);
            QCOMPARE(reader.format(), QByteArray("png"));
            QCOMPARE(reader.size(), view->size() * view->devicePixelRatioF());
            QCOMPARE(reader.read(), view->picture().toImage().convertToFormat(reader.imageFormat()));
        }
    }

    // A file that cannot be written is reported, not taken as saved.
    void unwritablePathIsReported()
    {
        ShownPlot p(plotCases()[0]);
        QVERIFY(p.exposed());
        QTemporaryDir folder;
        // A folder where the file should go.
        const QString path = folder.filePath("taken.png");
        QVERIFY(QDir().mkdir(path));
        QVERIFY(!savePicture(*p.plot->plotLabel, path, PictureFormat::png).isEmpty());
        QVERIFY(!savePicture(*p.plot->plotLabel, path, PictureFormat::svg).isEmpty());
        QVERIFY(QFileInfo(path).isDir());
    }

    // Ctrl+C puts the picture on the clipboard as an image and as SVG.
    void copiedPicture()
    {
        for (int which : {int(graph), int(plane)}) {
            ShownPlot p(plotCases()[3]);
            PlotView *view = drawnView(p, which);
            QVERIFY(view);
            QApplication::clipboard()->clear();
            focus(view);
            QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
            const QMimeData *data = QApplication::clipboard()->mimeData();
            QVERIFY(data && data->hasImage());
            QCOMPARE(qvariant_cast<QImage>(data->imageData()).size(), view->picture().size());
            QSvgRenderer drawing(data->data("image/svg+xml"));
            QVERIFY(drawing.isValid());
            QCOMPARE(drawing.viewBox(), view->rect());
        }
    }

    // Every root a point at its place in the plane, one unit as long
    // across as up, its value and multiplicity on hovering.
    void complexPlaneMarksEveryRoot_data()
    {
        QTest::addColumn<int>("index");
        for (size_t i = 0; i < plotCases().size(); ++i)
            QTest::newRow(plotCases()[i].name) << static_cast<int>(i);
    }

    void complexPlaneMarksEveryRoot()
    {
        QFETCH(int, index);
        const PlotCase &polynomial = plotCases()[index];
        ShownPlot p(polynomial, QSize(700, 600));
        PlotView *view = drawnView(p, plane);
        QVERIFY(view);
        const PlotFrame &frame = view->frame();
        QVERIFY(nearlyEqual(frame.xResolution(), frame.yResolution(), frame.xResolution()));
        for (const RootMark &mark : rootMarks(polynomial.roots.data(), static_cast<int>(polynomial.roots.size()))) {
            const QPointF at = frame.pixel(static_cast<double>(mark.root.real()),
                                           static_cast<double>(mark.root.imag()));
            QVERIFY(frame.area.contains(at));
            QVERIFY2(toolTipAt(view, at).split('\n').contains(markText(mark)),
                     qPrintable(markText(mark)));
        }
    }

    void numbersFollowTheLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("point");
        QTest::newRow("C") << "C" << ".";
        QTest::newRow("German") << "de_DE" << ",";
        QTest::newRow("French") << "fr_FR" << ",";
        QTest::newRow("British") << "en_GB" << ".";
    }

    // The numbers on the axes, in the readout and in the roots' tool tips
    // are written with the locale's decimal separator; the caption keeps
    // its own.
    void numbersFollowTheLocale()
    {
        QFETCH(QString, locale);
        QFETCH(QString, point);
        const QString other = point == "." ? "," : ".";
        const QLocale systemLocale;
        QLocale::setDefault(QLocale(locale));
        ShownPlot p(plotCases()[1]);
        ShownPlot wide(plotCases()[4], QSize(700, 600));
        QLocale::setDefault(systemLocale);
        PlotView *view = drawnView(p, graph);
        QVERIFY(view);

        QStringList numbers;
        for (const auto *labels : {&view->pictureLayout().xLabels, &view->pictureLayout().yLabels})
            for (const ScaleLabel &label : *labels)
                numbers << label.text;
        QVERIFY2(numbers.filter(point).size() > 0 && numbers.filter(other).isEmpty(),
                 qPrintable(numbers.join("  ")));
        QCOMPARE(p.plot->infoLabel->text(), QString("X-Tick-Interval: 0.5"));

        const QPointF at = inArea(view, 0.3, 0.5);
        movePointer(view, at.toPoint());
        const QString text = p.plot->readoutLabel->text();
        const QString xText = text.section(' ', 2, 2), pText = text.section("p(x) = ", 1);
        QVERIFY2(xText.contains(point) && pText.contains(point) && !text.contains(other),
                 qPrintable(text));
        const double x = QLocale(locale).toDouble(xText);
        QVERIFY2(std::fabs(x - view->frame().x(at.toPoint().x())) <= view->frame().xResolution(),
                 qPrintable(text));
        QCOMPARE(QLocale(locale).toDouble(pText), QString::number(x * x - 1, 'g', 6).toDouble());

        PlotView *plane = drawnView(wide, ::plane);
        QVERIFY(plane);
        const QPointF mark = plane->frame().pixel(0.001, 0);
        QCOMPARE(toolTipAt(plane, mark), "Root 0" + point + "001");
    }

    // A larger window shows more of the plane at the same scale, also once
    // the user has zoomed.
    void planeKeepsEqualScalesOnResize()
    {
        ShownPlot p(plotCases()[3]);
        PlotView *view = drawnView(p, plane);
        QVERIFY(view);
        turnWheel(view, inArea(view, 0.5, 0.5), 120);
        const double scale = view->frame().xResolution();
        p.plot->resize(900, 500);
        QTRY_VERIFY(view->width() > 800);
        const PlotFrame &frame = view->frame();
        QVERIFY(std::fabs(frame.xResolution() / scale - 1) < 0.02);
        QVERIFY(std::fabs(frame.yResolution() / frame.xResolution() - 1) < 0.02);
    }
};

QTEST_MAIN(TestPlotExplore)
#include "test_plot_explore.moc"
