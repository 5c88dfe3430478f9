#include "content_scroll_area.h"

#include <QEvent>
#include <QScrollBar>

ContentScrollArea::ContentScrollArea(QWidget *content, QWidget *parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    // The content's own widgets take the focus; the area itself has nothing
    // to show for it.
    setFocusPolicy(Qt::NoFocus);
    setWidget(content);
}

QSize ContentScrollArea::sizeHint() const
{
    const int frame = 2 * frameWidth();
    return widget()->sizeHint() + QSize(frame, frame);
}

QSize ContentScrollArea::minimumSizeHint() const
{
    const int width = widget()->minimumSizeHint().width() + 2 * frameWidth()
                      + verticalScrollBar()->sizeHint().width();
    return QSize(width, QScrollArea::minimumSizeHint().height());
}

// The content asks for a new layout when its size hint changes (the
// viewport passes that on to here); the area's own hint changes with it.
// A change while hidden is caught up on the next show.
bool ContentScrollArea::event(QEvent *event)
{
    if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show)
        updateGeometry();
    return QScrollArea::event(event);
}
