#include "root_table.h"

#include "label_copier.h"
#include "root_conventions.h"
#include "root_copies.h"
#include "screen_room.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QShortcut>
#include <QSpinBox>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <flint/flint.h>

#include <algorithm>

namespace {

// Digits the user may ask for, beyond the window's 12.
constexpr int most_digits = 10000;

// A value longer than this is cut short in its cell.
constexpr int cell_characters = 40;

enum Column { value_column, multiplicity_column, form_column };

QTableWidgetItem *cell(const QString &text, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setData(Qt::TextAlignmentRole, int(alignment));
    return item;
}

} // namespace

RootTable::RootTable(QWidget *parent)
    : QDockWidget(tr("Root Table"), parent), cancelled(std::make_shared<std::atomic<bool>>(false))
{
    setObjectName(QStringLiteral("rootTable"));
    setAccessibleName(tr("Root table"));
    // Beside the window's own column, whose width follows the room left.
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    toggleViewAction()->setObjectName(QStringLiteral("rootTableAction"));
    toggleViewAction()->setToolTip(tr("Show or hide the root table: each distinct root once, with "
                                      "its multiplicity, its exact form and as many certified "
                                      "digits as you ask for"));
    // One thread: a new request waits only for the last one to notice it is
    // no longer wanted.
    workers.setMaxThreadCount(1);
    buildContents();
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && stale)
            ask();
    });
}

RootTable::~RootTable()
{
    cancelled->store(true);
    workers.waitForDone();
}

void RootTable::buildContents()
{
    auto *contents = new QWidget;
    contents->setObjectName(QStringLiteral("rootTableContents"));
    auto *column = new QVBoxLayout(contents);

    auto *factoredCaption = new QLabel(tr("Factored over the rationals:"));
    factoredCaption->setObjectName(QStringLiteral("factoredCaption"));
    factoredLabel = new QLabel;
    factoredLabel->setObjectName(QStringLiteral("factoredLabel"));
    factoredLabel->setAccessibleDescription(tr("The polynomial factored over the rationals"));
    factoredLabel->setToolTip(tr("The polynomial as a product of factors that have no rational "
                                 "factors of their own, with its leading factor"));
    factoredLabel->setTextFormat(Qt::RichText);
    factoredLabel->setWordWrap(true);
    new LabelCopier(factoredLabel);
    factoredLabel->setFocusPolicy(Qt::StrongFocus);
    factoredCaption->setBuddy(factoredLabel);

    auto *digitsLabel = new QLabel(tr("Si&gnificant digits:"));
    digitsLabel->setObjectName(QStringLiteral("digitsLabel"));
    digitsBox = new QSpinBox;
    digitsBox->setObjectName(QStringLiteral("digitsBox"));
    digitsBox->setAccessibleName(tr("Significant digits"));
    digitsBox->setToolTip(tr("How many significant digits each root shows: 12, as the roots list "
                             "shows them, up to %1. Every digit shown is certified.").arg(most_digits));
    digitsBox->setRange(roots::shown_digits, most_digits);
    // Typing 1000 asks once, on Enter, not for 1, 10 and 100 first.
    digitsBox->setKeyboardTracking(false);
    digitsLabel->setBuddy(digitsBox);
    connect(digitsBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &RootTable::ask);

    copies << addCopyAction(tr("&Copy Roots"),
                            tr("Copy the selected roots, or all of them, as text: one root per "
                               "line, as a + bi"),
                            &RootTable::asText)
           << addCopyAction(tr("Copy as C&SV"),
                            tr("Copy the selected roots, or all of them, as CSV: real part, "
                               "imaginary part, multiplicity"),
                            &RootTable::asCsv)
           << addCopyAction(tr("Copy for P&ython"),
                            tr("Copy the selected roots, or all of them, as a list Python and "
                               "numpy read, each root as often as its multiplicity"),
                            &RootTable::forPython)
           << addCopyAction(tr("Copy for &Octave"),
                            tr("Copy the selected roots, or all of them, as a column Octave and "
                               "MATLAB read, each root as often as its multiplicity"),
                            &RootTable::forOctave);
    // Ctrl+Shift+C from anywhere in the window, as the menus show it; Ctrl+C
    // in the table, whose own selection is rows of roots.
    copies.front()->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    copyButton = new QToolButton;
    copyButton->setObjectName(QStringLiteral("copyButton"));
    copyButton->setAccessibleName(tr("Copy roots"));
    copyButton->setPopupMode(QToolButton::MenuButtonPopup);
    copyButton->setDefaultAction(copies.front());
    auto *copyMenu = new QMenu(copyButton);
    copyMenu->addActions(copies);
    copyButton->setMenu(copyMenu);
    copyButton->setToolTip(tr("Copy the selected roots, or all of them; the arrow offers CSV and "
                              "lists for Python and Octave"));
    // Enter on the focused button copies, as on any push button.
    copyButton->installEventFilter(this);

    auto *controls = new QHBoxLayout;
    controls->addWidget(digitsLabel);
    controls->addWidget(digitsBox);
    controls->addStretch(1);
    controls->addWidget(copyButton);

    rootTableWidget = new QTableWidget(0, 3);
    rootTableWidget->setObjectName(QStringLiteral("rootTableWidget"));
    rootTableWidget->setAccessibleName(tr("Distinct roots"));
    rootTableWidget->setToolTip(tr("Each distinct root once: real roots ascending, then complex "
                                   "pairs by real part. Exact forms are given for the roots of "
                                   "factors of degree 1 and 2."));
    rootTableWidget->setHorizontalHeaderLabels({tr("Root"), tr("Multiplicity"), tr("Exact form")});
    rootTableWidget->verticalHeader()->hide();
    // Rows as tall as a line of text, so that more roots show at once; on a
    // small screen, room for one.
    const int row = rootTableWidget->fontMetrics().height() + 6;
    rootTableWidget->verticalHeader()->setDefaultSectionSize(row);
    rootTableWidget->setMinimumHeight(rootTableWidget->horizontalHeader()->sizeHint().height() + 2 * row);
    rootTableWidget->setSelectionBehavior(QAbstractItemView::SelectRows);
    rootTableWidget->setSelectionMode(QAbstractItemView::ExtendedSelection);
    rootTableWidget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    rootTableWidget->setTabKeyNavigation(false);
    rootTableWidget->setWordWrap(false);
    fitColumns();
    rootTableWidget->setContextMenuPolicy(Qt::ActionsContextMenu);
    rootTableWidget->addActions(copies);
    auto *copyKey = new QShortcut(QKeySequence::Copy, rootTableWidget);
    copyKey->setContext(Qt::WidgetShortcut);
    connect(copyKey, &QShortcut::activated, copies.front(), &QAction::trigger);
    connect(rootTableWidget, &QTableWidget::currentCellChanged, this, &RootTable::showCurrentValue);

    rootValueView = new QPlainTextEdit;
    rootValueView->setObjectName(QStringLiteral("rootValueView"));
    rootValueView->setAccessibleName(tr("Current root in full"));
    rootValueView->setToolTip(tr("Every digit of the current root of the table"));
    rootValueView->setReadOnly(true);
    rootValueView->setTabChangesFocus(true);
    rootValueView->setWordWrapMode(QTextOption::WrapAnywhere);
    rootValueView->setPlaceholderText(tr("Choose a root in the table to see all its digits here"));
    // Three lines where there is room, one on a small screen.
    const int line = rootValueView->fontMetrics().lineSpacing(), frame = 4 * rootValueView->frameWidth();
    rootValueView->setMaximumHeight(3 * line + frame);
    rootValueView->setMinimumHeight(line + frame);

    tableStatusLabel = new QLabel;
    tableStatusLabel->setObjectName(QStringLiteral("tableStatusLabel"));
    tableStatusLabel->setAccessibleDescription(tr("Root table status"));
    tableStatusLabel->setWordWrap(true);

    column->addWidget(factoredCaption);
    column->addWidget(factoredLabel);
    column->addLayout(controls);
    column->addWidget(rootTableWidget, 1);
    column->addWidget(rootValueView);
    column->addWidget(tableStatusLabel);
    // The whole panel scrolls, either way, where the screen is too small
    // for it.
    auto *panel = new QScrollArea;
    panel->setFrameShape(QFrame::NoFrame);
    panel->setWidgetResizable(true);
    panel->setWidget(contents);
    setWidget(panel);
}

// Room for a complex root with the window's 12 digits in each part and for
// a closed form of a quadratic factor's root, so that neither is cut short
// at the table's first width where the screen has the room; more digits
// scroll, or show below the table.
void RootTable::fitColumns()
{
    const QFontMetrics metrics(rootTableWidget->font());
    const int padding = 3 * metrics.averageCharWidth();
    QHeaderView *header = rootTableWidget->horizontalHeader();
    header->setSectionResizeMode(value_column, QHeaderView::Interactive);
    header->resizeSection(value_column,
                          metrics.horizontalAdvance(QStringLiteral("-0.000000000000 - 0.000000000000i")) + padding);
    header->setSectionResizeMode(multiplicity_column, QHeaderView::ResizeToContents);
    header->setStretchLastSection(true);
    const int form = metrics.horizontalAdvance(QStringLiteral("(−10 − 10i√10)/10")) + padding;
    int width = 2 * rootTableWidget->frameWidth() + form
                + rootTableWidget->verticalScrollBar()->sizeHint().width();
    for (const int column : {value_column, multiplicity_column})
        width += std::max(header->sectionSize(column), header->sectionSizeHint(column));
    // On a small or magnified screen, half of it at most: the roots beside
    // the table keep the rest, and the columns scroll.
    rootTableWidget->setMinimumWidth(std::min(width, roomOnScreen(this).width() / 2));
}

bool RootTable::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == copyButton && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            copyButton->click();
            return true;
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

QAction *RootTable::addCopyAction(const QString &text, const QString &tip,
                                  QString (RootTable::*format)() const)
{
    auto *action = new QAction(text, this);
    action->setToolTip(tip);
    action->setStatusTip(tip);
    connect(action, &QAction::triggered, this, [this, format] {
        listNow();
        QApplication::clipboard()->setText((this->*format)());
    });
    return action;
}

QList<QAction *> RootTable::copyActions() const
{
    return copies;
}

void RootTable::setPolynomial(const std::vector<std::string> &polynomial,
                              const std::vector<std::complex<long double>> &roots)
{
    exact = polynomial;
    shown = roots;
    ++polynomialVersion;
    ask();
}

// A copy asked for from the menus, with the table hidden or still at work
// on a new polynomial, takes the roots with the window's 12 digits at once.
void RootTable::listNow()
{
    if (listedVersion == polynomialVersion)
        return;
    const DistinctRoots result = distinct_roots(exact, shown, roots::shown_digits);
    list(result, true);
    listedVersion = polynomialVersion;
}

// Worked out at once where the table is shown, else when it is shown next.
void RootTable::ask()
{
    cancelled->store(true);
    stale = isHidden();
    if (!stale)
        compute();
}

// A new polynomial's roots with the window's 12 digits first, which come at
// once; more digits after them.
void RootTable::compute()
{
    ++request;
    cancelled = std::make_shared<std::atomic<bool>>(false);
    tableStatusLabel->setText(tr("Certifying the roots…"));
    const int digits = digitsBox->value();
    if (listedVersion != polynomialVersion && digits != roots::shown_digits)
        start(roots::shown_digits);
    start(digits);
}

void RootTable::start(int digits)
{
    const int job = request, version = polynomialVersion;
    const std::shared_ptr<std::atomic<bool>> stop = cancelled;
    const std::vector<std::string> polynomial = exact;
    const std::vector<std::complex<long double>> seeds = shown;
    workers.start([this, job, version, digits, stop, polynomial, seeds] {
        const DistinctRoots result = distinct_roots(polynomial, seeds, digits, stop.get());
        // Arb keeps caches per thread, and the pool ends idle threads.
        flint_cleanup();
        if (!stop->load())
            QMetaObject::invokeMethod(
                this, [this, job, version, digits, result] { receive(job, version, digits, result); },
                Qt::QueuedConnection);
    });
}

// Only the last request's roots are listed: its first 12 digits, unless the
// digits asked for came first.
void RootTable::receive(int job, int version, int digits, const DistinctRoots &result)
{
    const bool asked = digits == digitsBox->value();
    if (job != request || (!asked && listedVersion == version))
        return;
    list(result, listedVersion != version);
    listedVersion = version;
    if (asked) {
        showStatus(result);
        emit rootsListed();
    } else {
        tableStatusLabel->setText(tr("Certifying %1 digits…").arg(digitsBox->value()));
    }
}

void RootTable::list(const DistinctRoots &result, bool newPolynomial)
{
    listed = result.roots;
    factoredLabel->setText(QString::fromStdString(factored_text(result.factorization, true)));
    // Read without the markup of the powers.
    factoredLabel->setAccessibleName(QString::fromStdString(factored_text(result.factorization, false)));
    if (newPolynomial)
        rootTableWidget->clearSelection();
    rootTableWidget->setRowCount(int(listed.size()));
    const QString point = decimalPoint();
    for (int row = 0; row < int(listed.size()); ++row) {
        const DistinctRoot &root = listed[size_t(row)];
        QTableWidgetItem *value = cell(valueText(root, point));
        if (value->text().size() > cell_characters)
            value->setToolTip(tr("All %1 digits of the current root are shown below the table")
                                  .arg(root.digits));
        rootTableWidget->setItem(row, value_column, value);
        rootTableWidget->setItem(row, multiplicity_column,
                                 cell(QString::number(root.multiplicity), Qt::AlignCenter));
        rootTableWidget->setItem(row, form_column, cell(QString::fromStdString(root.exact_form)));
    }
    showCurrentValue();
}

void RootTable::showCurrentValue()
{
    const int row = rootTableWidget->currentRow();
    if (row >= 0 && row < int(listed.size()))
        rootValueView->setPlainText(valueText(listed[size_t(row)], decimalPoint()));
    else
        rootValueView->clear();
}

void RootTable::showStatus(const DistinctRoots &result)
{
    const int digits = digitsBox->value();
    const bool fewer = std::any_of(listed.begin(), listed.end(),
                                   [digits](const DistinctRoot &root) { return root.digits < digits; });
    if (result.factorization.factors.empty())
        tableStatusLabel->setText(tr("This polynomial has no exact reading, so its roots are not listed."));
    else if (!result.complete)
        tableStatusLabel->setText(tr("Not every root could be certified within the work allowed."));
    else if (fewer)
        tableStatusLabel->setText(tr("Every digit shown is certified; some roots show fewer than %1: "
                                     "the work allowed ended first.").arg(digits));
    else
        tableStatusLabel->setText(tr("Every digit shown is certified."));
}

// The selected rows in the table's order, or all where none is.
std::vector<DistinctRoot> RootTable::chosenRoots() const
{
    QList<int> rows;
    for (const QModelIndex &index : rootTableWidget->selectionModel()->selectedRows())
        rows << index.row();
    if (rows.isEmpty())
        return listed;
    std::sort(rows.begin(), rows.end());
    std::vector<DistinctRoot> chosen;
    for (const int row : rows)
        if (row < int(listed.size()))
            chosen.push_back(listed[size_t(row)]);
    return chosen;
}

QString RootTable::decimalPoint() const
{
    return QString(locale().decimalPoint());
}

QString RootTable::asText() const
{
    return plainText(chosenRoots(), decimalPoint());
}

QString RootTable::asCsv() const
{
    return csvText(chosenRoots());
}

QString RootTable::forPython() const
{
    return pythonList(chosenRoots());
}

QString RootTable::forOctave() const
{
    return octaveList(chosenRoots());
}
