#include "screen_room.h"

#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QStyle>
#include <QWidget>
#include <QWindow>

namespace {

QScreen *screenOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    QScreen *screen = handle ? handle->screen() : nullptr;
    return screen ? screen : QGuiApplication::primaryScreen();
}

// The window manager's frame, once it has put one round the window; before
// that, room for a title bar and a thin border.
QMargins frameOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    if (!frame.isNull())
        return frame;
    const QStyle *style = window->style();
    const int border = style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, window);
    const int title = style->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window);
    return QMargins(border, border + title, border, border);
}

} // namespace

QRect availableArea(const QWidget *window)
{
    const QScreen *screen = screenOf(window);
    return screen ? screen->availableGeometry() : QRect(0, 0, QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
}

QSize roomOnScreen(const QWidget *window)
{
    const QMargins frame = frameOf(window);
    return availableArea(window).size()
           - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

QRect keptOnScreen(const QWidget *window, const QSize &size)
{
    const QMargins frame = frameOf(window);
    const QRect area = availableArea(window);
    const int frameHeight = frame.top() + size.height() + frame.bottom();
    int top = window->frameGeometry().top();
    if (top + frameHeight > area.bottom() + 1)
        top = qMax(area.top(), area.bottom() + 1 - frameHeight);
    return QRect(QPoint(window->geometry().left(), top + frame.top()), size);
}

namespace {

// A frame's top left corner moved as little as needed to lie inside the
// area, or at the area's top left where it is larger.
QPoint clampedInto(QPoint corner, const QSize &frame, const QRect &area)
{
    corner.setX(qMax(area.left(), qMin(corner.x(), area.right() + 1 - frame.width())));
    corner.setY(qMax(area.top(), qMin(corner.y(), area.bottom() + 1 - frame.height())));
    return corner;
}

int coveredArea(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : both.width() * both.height();
}

} // namespace

QPoint placedBeside(const QRect &anchor, const QRect &avoid, const QSize &frame, const QRect &area)
{
    const QPoint candidates[] = {
        {anchor.right() + 1, anchor.top()},
        {anchor.left() - frame.width(), anchor.top()},
        {anchor.left(), anchor.bottom() + 1},
        {anchor.left(), anchor.top() - frame.height()},
    };
    // Beside the anchor, slid along its side as far as the area needs.
    for (const QPoint &corner : candidates) {
        const QRect placed(clampedInto(corner, frame, area), frame);
        if (area.contains(placed) && !placed.intersects(anchor))
            return placed.topLeft();
    }
    QPoint best = clampedInto(candidates[0], frame, area);
    for (const QPoint &corner : candidates) {
        const QPoint inside = clampedInto(corner, frame, area);
        if (coveredArea(QRect(inside, frame), avoid) < coveredArea(QRect(best, frame), avoid))
            best = inside;
    }
    return best;
}

QPoint centredOver(const QRect &anchor, const QSize &frame, const QRect &area)
{
    const QPoint corner = anchor.center() - QPoint(frame.width() / 2, frame.height() / 2);
    return clampedInto(corner, frame, area);
}

namespace {

// The size of the window with the frame it will get.
QSize frameSizeOf(const QWidget *window)
{
    const QMargins frame = frameOf(window);
    return window->size() + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

} // namespace

void placeBeside(QWidget *window, const QWidget *anchor, const QWidget *avoid)
{
    const QRect keepClear(avoid->mapToGlobal(QPoint(0, 0)), avoid->size());
    // A window's position is that of its frame.
    window->move(placedBeside(anchor->frameGeometry(), keepClear, frameSizeOf(window),
                              availableArea(anchor)));
}

void placeOver(QWidget *window, const QWidget *anchor)
{
    window->move(centredOver(anchor->frameGeometry(), frameSizeOf(window), availableArea(anchor)));
}
