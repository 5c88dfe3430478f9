#ifndef CONTENT_SCROLL_AREA_H
#define CONTENT_SCROLL_AREA_H

#include <QScrollArea>

// A frameless scroll area that asks its layout for all the room its content
// needs: where the room is there, it looks like the content alone; where it
// is not, the content scrolls. It never needs to scroll sideways to show
// the content at its narrowest.
class ContentScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    explicit ContentScrollArea(QWidget *content, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
};

#endif
