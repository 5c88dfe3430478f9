#ifndef HELP_TEXTS_H
#define HELP_TEXTS_H

// What the program says about itself: the options' tooltips and "What's
// This" texts, and the help window.
#include <QDialog>
#include <QString>

class QTextBrowser;

// One line each, for the tooltips of "Polish Roots" and "Reverse Deflation".
QString polishToolTip();
QString reverseToolTip();
// A few sentences each, rich text: what the option does, and when it
// changes the roots shown.
QString polishWhatsThis();
QString reverseWhatsThis();

// The help: the window, defining a polynomial, the options, what
// "certified" means, and the keyboard. Rich text.
QString helpText();

// The help in a window of its own beside the main window, not modal: text
// to read, select and copy by keyboard or mouse; Esc or "Close" hides it.
class HelpWindow : public QDialog
{
    Q_OBJECT

public:
    explicit HelpWindow(QWidget *parent);

    QTextBrowser *browser() const;

private:
    QTextBrowser *textView;
};

// Shows the help of parent's window and brings it to the front, the one
// window that the first call made if it is still there: it keeps its place
// and where the reader had scrolled to. Returns it.
HelpWindow *showHelp(QWidget *parent);

#endif
