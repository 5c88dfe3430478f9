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

// Where a window whose frame has the given size goes over another: centred
// on the anchor's frame, moved as little as the free area needs. Returns
// the frame's top left corner.
QPoint centredOver(const QRect &anchor, const QSize &frame, const QRect &area);

// Moves a window not yet shown beside the anchor window, keeping clear of
// the anchor's widget avoid where the screen has room.
void placeBeside(QWidget *window, const QWidget *anchor, const QWidget *avoid);

// Moves a window not yet shown over the anchor window, centred.
void placeOver(QWidget *window, const QWidget *anchor);

#endif
