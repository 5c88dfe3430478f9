#include "mainwindow.h"
#include "ui_mainwindow.h"
#include "content_scroll_area.h"
#include "decimal_polynomial.h"
#include "help_texts.h"
#include "label_copier.h"
#include "new_poly_window.h"
#include "plot.h"
#include "polynomial_text.h"
#include "root_conventions.h"
#include "root_table.h"
#include "screen_room.h"
#include "spoken_text.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QResizeEvent>
#include <QToolBar>
#include <QWhatsThis>
#include <QTextStream>

#include <algorithm>
#include <cmath>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), coeffCount(0), coeffs(nullptr), solver(nullptr),
      rootCount(0), roots(nullptr), polish(true), reverse(false),
      ui(new Ui_MainWindow), licenseText(nullptr), missingRootsLabel(nullptr),
      trustLabel(nullptr), rootTable(nullptr), widenedBy(0)
{
    ui->setupUi(this);
    // A small or magnified screen gets a window it can show whole.
    resize(size().boundedTo(roomOnScreen(this)));
    makeRootsScrollable();
    new LabelCopier(ui->polynomialLabel);
    new LabelCopier(ui->solutionsLabel);
    makeReachableByKeyboard();
    // Enter at once defines a polynomial, the first thing a user does.
    ui->newPolyButton->setFocus();

    QFile licenseFile(QStringLiteral(":/res/LicenseNotification.txt"));
    licenseFile.open(QIODevice::ReadOnly | QIODevice::Text);
    QTextStream licenseStream(&licenseFile);
    licenseText = new QString(licenseStream.readAll());
    licenseFile.close();

    missingRootsLabel = new QLabel;
    // Status labels are read by their text; the description says what
    // they are about.
    missingRootsLabel->setAccessibleDescription(tr("Roots not found"));
    ui->statusBar->addWidget(missingRootsLabel, 1);
    addRootTable();
    addMenus();

    coeffCount = 3;
    coeffs = new std::complex<long double>[3]{{1, 0}, {0, 0}, {-1, 0}};
    exactCoeffs = {"1", "0", "-1"};
    roots = new std::complex<long double>[2]();
    polish = true;
    reverse = false;

    ui->polynomialLabel->setText(formatPoly());

    solver = newSolver();
    solver->poly_solve(polish, reverse, &rootCount, roots);
    ui->solutionsLabel->setText(formatSolutions());
    showAnswers();
}

MainWindow::~MainWindow()
{
    // Closing the window hides the table, whose action would then call back
    // into a window already half destroyed.
    rootTable->toggleViewAction()->disconnect(this);
    delete[] coeffs;
    delete solver;
    delete[] roots;
    delete ui;
    delete licenseText;
}

QString MainWindow::formatComplex(std::complex<long double> z)
{
    return QString::fromStdString(roots::root_text(z));
}

QString MainWindow::formatPoly()
{
    const int n = coeffCount;
    QString text;
    for (int k = 0; k <= n - 3; ++k)
        text += formatComplex(coeffs[k]) + QStringLiteral(" x<sup>")
                + QString::number(n - 1 - k, 10) + QStringLiteral("</sup> &nbsp; + &nbsp; ");
    text += formatComplex(coeffs[n - 2]) + QStringLiteral(" x &nbsp; + &nbsp; ");
    text += QStringLiteral("(") + formatComplex(coeffs[n - 1])
            + QStringLiteral(") &nbsp; = &nbsp; 0");
    return text;
}

QString MainWindow::formatSolutions()
{
    QString text;
    for (int i = 0; i < rootCount; ++i)
        text += formatComplex(roots[i]) + QStringLiteral("<br>");
    return text;
}

// Every change of polynomial or option solves from scratch with a fresh
// solver; no result is reused.
void MainWindow::UpdateView()
{
    delete solver;
    delete[] roots;
    roots = new std::complex<long double>[coeffCount - 1]();
    solver = newSolver();
    solver->poly_solve(polish, reverse, &rootCount, roots);
    ui->polynomialLabel->setText(formatPoly());
    ui->solutionsLabel->setText(formatSolutions());
    showAnswers();
}

std::vector<std::string> MainWindow::exactPolynomial() const
{
    if (exactCoeffs.size() != size_t(coeffCount))
        return {};
    for (int k = 0; k < coeffCount; ++k)
        if (coeffs[k] != std::complex<long double>(nearest_long_double(exactCoeffs[size_t(k)]), 0))
            return {};
    return exactCoeffs;
}

// The search takes a leading coefficient below its floor for 1. Where the
// polynomial is known exactly, it searches a multiple of it by a power of
// ten that lifts the leading coefficient to the floor: the roots are the
// same, and the exact check decides them from the polynomial as typed.
PolySolver *MainWindow::newSolver() const
{
    const std::vector<std::string> exact = exactPolynomial();
    if (exact.empty())
        return new PolySolver(coeffCount - 1, coeffs);
    long double scale = 1;
    while (std::fabs(coeffs[0].real() * scale) < roots::lead_floor && coeffs[0].real() != 0)
        scale *= 10;
    std::vector<std::complex<long double>> searched(coeffs, coeffs + coeffCount);
    for (std::complex<long double> &c : searched)
        c *= scale;
    return new PolySolver(coeffCount - 1, searched.data(), exact);
}

// Twenty-two roots can be taller than the layout area: they scroll in the
// label's place, and look as before when they fit.
void MainWindow::makeRootsScrollable()
{
    QVBoxLayout *column = ui->verticalLayout;
    const int index = column->indexOf(ui->solutionsLabel);
    auto *rootsArea = new ContentScrollArea(ui->solutionsLabel);
    rootsArea->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    column->insertWidget(index, rootsArea);
}

// Every control and both texts in the order they are read, top to bottom,
// left to right; a button takes Enter as well as Space, as in a dialog.
void MainWindow::makeReachableByKeyboard()
{
    ui->polynomialLabel->setFocusPolicy(Qt::StrongFocus);
    ui->solutionsLabel->setFocusPolicy(Qt::StrongFocus);
    QWidget::setTabOrder(ui->polynomialLabel, ui->solutionsLabel);
    QWidget::setTabOrder(ui->solutionsLabel, ui->reverseBox);
    QWidget::setTabOrder(ui->reverseBox, ui->newPolyButton);
    QWidget::setTabOrder(ui->newPolyButton, ui->polishBox);
    ui->newPolyButton->setAutoDefault(true);
    ui->polishBox->setToolTip(polishToolTip());
    ui->polishBox->setWhatsThis(polishWhatsThis());
    ui->reverseBox->setToolTip(reverseToolTip());
    ui->reverseBox->setWhatsThis(reverseWhatsThis());
    ui->polynomialLabel->setAccessibleDescription(tr("The polynomial solved"));
    ui->solutionsLabel->setAccessibleDescription(tr("Its real and complex roots, one per line"));
}

// A screen reader reads the polynomial and the roots in words, not the
// labels' markup.
void MainWindow::nameTextsInWords()
{
    ui->polynomialLabel->setAccessibleName(QString::fromStdString(spoken_polynomial(coeffs, coeffCount)));
    ui->solutionsLabel->setAccessibleName(QString::fromStdString(spoken_roots(roots, rootCount)));
}

QAction *MainWindow::newAction(const QString &text, const QKeySequence &key, const QString &tip)
{
    auto *action = new QAction(text, this);
    action->setShortcut(key);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    return action;
}

// The menus a desktop user looks for, each entry with its key; the main
// ones also on the tool bar. The platform's quit key (Ctrl+Q where it names
// none) works from every window of the program.
void MainWindow::addMenus()
{
    QAction *define = newAction(tr("&New Polynomial…"), QKeySequence::New,
                                tr("Define a new polynomial: type it, paste it, or give its coefficients"));
    define->setShortcuts({QKeySequence(QKeySequence::New), QKeySequence(Qt::ALT | Qt::Key_D)});
    connect(define, &QAction::triggered, this, &MainWindow::on_newPolyButton_clicked);

    QAction *plot = newAction(tr("&Plot"), QKeySequence(Qt::CTRL | Qt::Key_P),
                              tr("Show the plot of the polynomial"));
    connect(plot, &QAction::triggered, this, &MainWindow::showPlot);

    QAction *quit = newAction(tr("&Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q), tr("Close every window"));
    const QList<QKeySequence> quitKeys = QKeySequence::keyBindings(QKeySequence::Quit);
    if (!quitKeys.isEmpty())
        quit->setShortcuts(quitKeys);
    quit->setShortcutContext(Qt::ApplicationShortcut);
    connect(quit, &QAction::triggered, this, &QApplication::closeAllWindows);

    QAction *table = rootTable->toggleViewAction();
    table->setText(tr("Root &Table"));
    table->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));

    QAction *polishOption = optionAction(ui->polishBox, tr("&Polish Roots"), QKeySequence(Qt::ALT | Qt::Key_P));
    QAction *reverseOption = optionAction(ui->reverseBox, tr("&Reverse Deflation"), QKeySequence(Qt::ALT | Qt::Key_R));

    QAction *help = newAction(tr("&Help Contents"), QKeySequence::HelpContents,
                              tr("What the window shows, how to define a polynomial, the options, "
                                 "what certified means, and the keys"));
    connect(help, &QAction::triggered, this, [this] { showHelp(this); });
    QAction *whatsThis = QWhatsThis::createAction(this);
    QAction *about = new QAction(tr("&About"), this);
    connect(about, &QAction::triggered, this, &MainWindow::showAbout);

    QMenu *file = ui->menuBar->addMenu(tr("&File"));
    file->addActions({define, plot});
    file->addSeparator();
    file->addAction(quit);
    QMenu *edit = ui->menuBar->addMenu(tr("&Edit"));
    edit->addActions(rootTable->copyActions());
    QMenu *view = ui->menuBar->addMenu(tr("&View"));
    view->addActions({table, plot});
    QMenu *options = ui->menuBar->addMenu(tr("&Options"));
    options->addActions({polishOption, reverseOption});
    QMenu *helpMenu = ui->menuBar->addMenu(tr("&Help"));
    helpMenu->addActions({help, whatsThis});
    helpMenu->addSeparator();
    helpMenu->addAction(about);

    ui->mainToolBar->setWindowTitle(tr("Main tool bar"));
    ui->mainToolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    ui->mainToolBar->addActions({define, rootTable->copyActions().front(), table, plot, help});
}

// A menu entry that follows an option's check box both ways; the box stays
// where the option is set and read.
QAction *MainWindow::optionAction(QCheckBox *box, const QString &text, const QKeySequence &key)
{
    QAction *action = newAction(text, key, box->toolTip());
    action->setCheckable(true);
    action->setChecked(box->isChecked());
    connect(action, &QAction::triggered, box, &QCheckBox::setChecked);
    connect(box, &QCheckBox::toggled, action, &QAction::setChecked);
    return action;
}

// The plot of the polynomial held: the window last opened for it, where it
// is still open, else a new one beside this window.
void MainWindow::showPlot()
{
    const std::vector<std::complex<long double>> held(coeffs, coeffs + coeffCount);
    if (!latestPlot || plottedCoeffs != held) {
        openPlot();
        return;
    }
    latestPlot->showNormal();
    latestPlot->raise();
    latestPlot->activateWindow();
}

void MainWindow::openPlot()
{
    auto *plot = new MyPlot(this);
    placeBeside(plot, this, ui->solutionsLabel->parentWidget());
    plot->show();
    latestPlot = plot;
    plottedCoeffs.assign(coeffs, coeffs + coeffCount);
}

// The root table beside the layout area, hidden until the user asks for it
// (View, or the tool bar); whether it is shown, and
// where, holds for the session.
void MainWindow::addRootTable()
{
    rootTable = new RootTable(this);
    addDockWidget(Qt::RightDockWidgetArea, rootTable);
    rootTable->hide();
    connect(rootTable->toggleViewAction(), &QAction::toggled, this, &MainWindow::makeRoomForTable);
    centralWidget()->installEventFilter(this);
    ui->verticalLayoutWidget->installEventFilter(this);

    trustLabel = new QLabel;
    trustLabel->setObjectName(QStringLiteral("trustLabel"));
    trustLabel->setAccessibleDescription(tr("Which digits to trust"));
    ui->statusBar->addWidget(trustLabel, 1);
}

// What the status bar, the root table and a screen reader say of the roots
// just solved.
void MainWindow::showAnswers()
{
    nameTextsInWords();
    reportMissingRoots();
    reportTrust();
    const std::vector<std::string> exact = exactPolynomial();
    rootTable->setPolynomial(exact.empty() ? decimal_coefficients(coeffs, coeffCount - 1) : exact,
                             std::vector<std::complex<long double>>(roots, roots + rootCount));
}

// Unpolished, the roots listed are the search's own, which the exact check
// keeps where they lie within 1e-6 of the exact roots.
void MainWindow::reportTrust()
{
    if (polish || reverse)
        trustLabel->clear();
    else
        trustLabel->setText(tr("Unpolished: the roots listed are the search's, good to about "
                               "10\u207b\u2076; the root table shows them certified"));
}

// The solver lists only roots it could verify; a shorter list must not pass
// for the complete one. A permanent label, since a menu entry's status tip
// would wipe a temporary message.
void MainWindow::reportMissingRoots()
{
    const int degree = coeffCount - 1;
    if (rootCount < degree)
        missingRootsLabel->setText(tr("Found %1 of %2 roots").arg(rootCount).arg(degree));
    else
        missingRootsLabel->clear();
}

// Unchecking the box runs its slot, which re-solves at once. The box
// changes without the user touching it, so the status bar says why.
void MainWindow::unsetReverse()
{
    if (!reverse)
        return;
    ui->reverseBox->setChecked(false);
    ui->statusBar->showMessage(tr("Reverse Deflation is switched off for a new polynomial"), 10000);
}

void MainWindow::on_polishBox_stateChanged(int arg1)
{
    polish = arg1 == Qt::Checked;
    UpdateView();
}

void MainWindow::on_reverseBox_stateChanged(int arg1)
{
    reverse = arg1 == Qt::Checked;
    UpdateView();
}

void MainWindow::on_newPolyButton_clicked()
{
    auto *dialog = new DialogWindow(this);
    dialog->show();
}

void MainWindow::showAbout()
{
    QMessageBox::information(this, QStringLiteral("Info"), *licenseText, QMessageBox::Ok,
                             QMessageBox::NoButton);
}

void MainWindow::resizeEvent(QResizeEvent *event)
{
    placeLayoutArea();
    QWidget::resizeEvent(event);
}

// The central widget also changes size when the root table docks beside it;
// the layout area asks for a new layout when what it shows changes size.
bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == centralWidget() && event->type() == QEvent::Resize)
        || (watched == ui->verticalLayoutWidget && event->type() == QEvent::LayoutRequest))
        placeLayoutArea();
    return QMainWindow::eventFilter(watched, event);
}

// The layout area is not managed by a layout of the central widget, so it
// follows the window by hand, inset 5 px at the left and 45 px at the top,
// less the width a docked root table takes. A tool bar or status bar taller
// than the empty strips of old leaves the central widget shorter: the area
// ends where it does, so that the buttons at its foot stay whole. Where the
// polynomial and the roots need more height than the area has, as on a
// small or magnified screen, the blank strip at the top gives its room to
// them.
void MainWindow::placeLayoutArea()
{
    const int docked = width() - centralWidget()->width();
    const int width = this->width() - 14 - docked;
    const int bottom = std::min(this->height() - 80, centralWidget()->height());
    int top = 45;
    QLayout *column = ui->verticalLayout;
    const int needed = column->hasHeightForWidth() ? column->totalHeightForWidth(width)
                                                   : column->totalSizeHint().height();
    if (needed > bottom - top)
        top = std::max(5, bottom - needed);
    ui->verticalLayoutWidget->setGeometry(5, top, width, bottom - top);
}

// Docked beside the window, the table takes room the window gains where
// the screen has it, so that the polynomial and the roots keep theirs;
// hidden, it gives that room back.
void MainWindow::makeRoomForTable(bool shown)
{
    if (isMaximized() || isFullScreen() || rootTable->isFloating()) {
        widenedBy = 0;
        return;
    }
    if (!shown) {
        resize(width() - widenedBy, height());
        widenedBy = 0;
        return;
    }
    widenedBy = qBound(0, rootTable->sizeHint().width(), roomOnScreen(this).width() - width());
    const int overflow = frameGeometry().right() + widenedBy - availableArea(this).right();
    if (overflow > 0)
        move(pos() - QPoint(overflow, 0));
    resize(width() + widenedBy, height());
}
