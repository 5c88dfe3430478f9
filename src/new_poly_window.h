#ifndef NEW_POLY_WINDOW_H
#define NEW_POLY_WINDOW_H

// Complete, since the boxes are indexed through coeffBoxes.
#include "coefficient_box.h"

#include <QStringList>
#include <QWidget>

#include <string>
#include <vector>

class ContentScrollArea;
class MainWindow;
class QGridLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// Lets the user type the polynomial in one line, or pick a degree and type
// the coefficients, highest power first, and hands the new polynomial to
// the main window exactly as typed. The line and the boxes follow each
// other; what does not read is refused with the reason and kept for
// mending.
class DialogWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DialogWindow(MainWindow *mainWindow);
    ~DialogWindow() override;

    void newCoefficients(int n);
    void clearCoefficients();

    MainWindow *mainWindow;
    QVBoxLayout *vLayout;
    int degree;
    CoefficientBox *coeffBoxes;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private slots:
    void changeDegree(int new_degree);
    void submitReceived();
    void validateBox(int index);
    void readLine();

private:
    // Where a problem lies: the line, a box, or the polynomial as a whole.
    struct Refusal {
        QWidget *field = nullptr;
        int place = -1; // in the line's text
        QString why;
        QString said; // why in words, where why holds more than plain text
    };

    void startWith(const std::vector<std::string> &exact);
    void showCoefficients(const std::vector<std::string> &exact);
    void followBoxes();
    Refusal boxesRefusal(std::vector<std::string> &exact);
    Refusal lineRefusal(std::vector<std::string> &exact) const;
    QString boxesLine() const;
    void writeLine(const QString &text);
    void showRead(const std::vector<std::string> &exact);
    void showRefusal(const Refusal &refusal);
    void showReading(const QString &text);
    QString why(const Problem &problem) const;
    QString lineToolTip() const;
    char32_t point() const;
    void fitToContent();
    void orderTabs();
    int focusedBox() const;
    void retireCoefficients(int focused);
    void deleteRetired();
    static QString boxName(int power);

    QLineEdit *polynomialEdit;
    // The polynomial read, or why it cannot be.
    QLabel *readingLabel;
    QSpinBox *degreeBox;
    QPushButton *submitButton;
    // What each power's box holds, by power, also above the degree shown,
    // so that a change of degree keeps every coefficient at its power.
    QStringList typed;
    bool writingLine;

    // One label per box, saying which power the box is for; allocated and
    // freed together with the boxes.
    QLabel *powerLabels;
    // Boxes and labels replaced while the focus was moving into them, to be
    // deleted once that is over.
    struct Retired {
        CoefficientBox *boxes;
        QLabel *labels;
    };
    std::vector<Retired> retired;
    QGridLayout *boxGrid;
    ContentScrollArea *boxArea;
};

#endif
