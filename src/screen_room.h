#ifndef SCREEN_ROOM_H
#define SCREEN_ROOM_H

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// The free part of the screen that a top-level window is on, or will open
// on: the screen less its panels and task bars.
QRect availableArea(const QWidget *window);

// The largest size a top-level window can take with its frame still inside
// that free part.
QSize roomOnScreen(const QWidget *window);

// The geometry (without the frame) for a shown window to take the given
// size where it is, moved up only as far as the frame must to stay above
// the bottom of that free part.
QRect keptOnScreen(const QWidget *window, const QSize &size);

// Where a window whose frame has the given size goes beside another: right
// of the anchor's frame, else left of it, else below, else above, wherever
// the free area has room for it whole; where none has, inside the area
// where it covers least of what it should not cover (avoid), nearest the
// anchor's right edge. Returns the frame's top left corner.
QPoint placedBeside(const QRect &anchor, const QRect &avoid, const QSize &frame, const QRect &area);

#endif
