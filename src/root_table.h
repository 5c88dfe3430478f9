#ifndef ROOT_TABLE_H
#define ROOT_TABLE_H

#include "distinct_roots.h"

#include <QDockWidget>
#include <QThreadPool>

#include <atomic>
#include <complex>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;
class QToolButton;

// The main window's panel of answers: the polynomial factored over the
// rationals, and each distinct root once, with its certified value to the
// digits the user chooses, its multiplicity and its exact form; the roots
// copied as text, CSV, or lists for Python and Octave. The roots are
// worked out on a thread of the panel's own, only while it is shown; a
// new polynomial drops whatever is still being worked out for the last.
class RootTable : public QDockWidget
{
    Q_OBJECT

public:
    explicit RootTable(QWidget *parent = nullptr);
    ~RootTable() override;

    // The polynomial exactly, coefficients highest power first (none where
    // it has no exact reading), and the roots the window shows, for the
    // enclosures to start from.
    void setPolynomial(const std::vector<std::string> &exact,
                       const std::vector<std::complex<long double>> &shown);

    // Copy as text, CSV, for Python and for Octave, in this order.
    QList<QAction *> copyActions() const;

    // The roots the table lists.
    const std::vector<DistinctRoot> &listedRoots() const { return listed; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // The table lists the roots of the polynomial last set, with the
    // digits shown.
    void rootsListed();

private:
    void buildContents();
    void fitColumns();
    QAction *addCopyAction(const QString &text, const QString &tip, QString (RootTable::*format)() const);
    void ask();
    void listNow();
    void compute();
    void start(int digits);
    void receive(int job, int version, int digits, const DistinctRoots &result);
    void list(const DistinctRoots &result, bool newPolynomial);
    void showCurrentValue();
    void showStatus(const DistinctRoots &result);
    std::vector<DistinctRoot> chosenRoots() const;
    QString decimalPoint() const;
    QString asText() const;
    QString asCsv() const;
    QString forPython() const;
    QString forOctave() const;

    QLabel *factoredLabel;
    QSpinBox *digitsBox;
    QToolButton *copyButton;
    QTableWidget *rootTableWidget;
    QPlainTextEdit *rootValueView;
    QLabel *tableStatusLabel;
    QList<QAction *> copies;

    std::vector<std::string> exact;
    std::vector<std::complex<long double>> shown;
    std::vector<DistinctRoot> listed;
    // Which polynomial the table lists, against the last one set; which
    // request the work under way answers. Stale: set while hidden, so
    // worked out when shown.
    int polynomialVersion = 0;
    int listedVersion = -1;
    int request = 0;
    bool stale = true;
    std::shared_ptr<std::atomic<bool>> cancelled;
    QThreadPool workers;
};

#endif
