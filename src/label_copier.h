#ifndef LABEL_COPIER_H
#define LABEL_COPIER_H

#include <QObject>

class QLabel;
class QPoint;

// Makes a rich-text label's text selectable by mouse and keyboard and
// copyable (Ctrl+C, or Copy in its context menu) as plain text that reads
// as the label does: superscripts as powers (x^22), line breaks as new
// lines. The rich text goes along for programs that take it.
class LabelCopier : public QObject
{
    Q_OBJECT

public:
    explicit LabelCopier(QLabel *label);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void copySelection();
    void selectAll();
    void showMenu(const QPoint &globalPos);

    QLabel *label;
};

#endif
