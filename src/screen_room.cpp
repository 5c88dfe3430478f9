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
