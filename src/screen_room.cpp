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
// that, room for a title bar.
QMargins frameOf(const QWidget *window)
{
    const QWindow *handle = window->windowHandle();
    const QMargins frame = handle ? handle->frameMargins() : QMargins();
    if (!frame.isNull())
        return frame;
    return QMargins(0, window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window), 0, 0);
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
