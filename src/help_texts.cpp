#include "help_texts.h"
#include "screen_room.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// The context of the texts below for translators.
class Help
{
    Q_DECLARE_TR_FUNCTIONS(Help)
};

// A key as this platform writes it in menus.
QString keyText(const char *portable)
{
    return QKeySequence(QString::fromLatin1(portable)).toString(QKeySequence::NativeText).toHtmlEscaped();
}

QString keyRow(const char *keys, const QString &what)
{
    return QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>").arg(keyText(keys), what);
}

QString keyTable()
{
    return QStringLiteral("<table cellspacing=\"0\" cellpadding=\"3\">")
           + keyRow("Ctrl+N", Help::tr("Define a new polynomial"))
           + keyRow("Alt+D", Help::tr("Define a new polynomial, as \"Define New Polynomial\" does"))
           + keyRow("Ctrl+Shift+C", Help::tr("Copy the roots"))
           + keyRow("Ctrl+T", Help::tr("Show the root table"))
           + keyRow("Ctrl+P", Help::tr("Plot the polynomial"))
           + keyRow("Alt+P", Help::tr("Turn \"Polish Roots\" on or off"))
           + keyRow("Alt+R", Help::tr("Turn \"Reverse Deflation\" on or off"))
           + keyRow("F1", Help::tr("Show this help"))
           + keyRow("Shift+F1", Help::tr("Point at a control to learn what it does"))
           + keyRow("Ctrl+Q", Help::tr("Quit"))
           + keyRow("Tab", Help::tr("Move to the next control or text; Shift+Tab moves back"))
           + keyRow("Esc", Help::tr("Close the dialog, the plot or this help"))
           + QStringLiteral("</table>");
}

} // namespace

QString polishToolTip()
{
    return Help::tr("Refine each root the search finds by a few Newton steps before it is "
                      "divided out (Alt+P).");
}

QString reverseToolTip()
{
    return Help::tr("Find the roots again, smallest first, from the whole polynomial, and "
                      "list them from the largest to the smallest (Alt+R).");
}

QString polishWhatsThis()
{
    return Help::tr(
        "<p><b>Polish Roots</b> refines each root the search finds by up to four Newton steps "
        "on the polynomial it is a root of, before the search divides it out and goes on to "
        "the next root.</p>"
        "<p>For most polynomials it does not change the digits shown: every root shown is "
        "checked against the exact polynomial as you typed it, and each of its digits is "
        "certified. With both options off, a root the search found is shown as it is where it "
        "lies within 10<sup>-6</sup> of the exact root, so its last digits may differ.</p>");
}

QString reverseWhatsThis()
{
    return Help::tr(
        "<p><b>Reverse Deflation</b> takes the roots the search found and finds them once more, "
        "smallest first, each polished, from the whole polynomial rather than from what was "
        "left after dividing out the roots before it. The roots are then listed by decreasing "
        "modulus, the largest first.</p>"
        "<p>For most polynomials it changes the order of the roots, not their digits: every "
        "root shown is checked against the exact polynomial and each of its digits is "
        "certified.</p>"
        "<p>A new polynomial turns this option off.</p>");
}

QString helpText()
{
    return Help::tr(
               "<h2>Roots Of Polynomial</h2>"
               "<p>This program finds every root, real and complex, of a polynomial with real "
               "coefficients of degree 1 to 22, and plots it.</p>"
               "<h3>The window</h3>"
               "<p><b>Polynomial</b> shows the equation being solved. <b>Real and Complex "
               "Roots</b> lists its roots, one per line; a root of multiplicity <i>m</i> is "
               "listed <i>m</i> times. A complex root <i>a</i> + <i>b</i>i is written (a + "
               "(b)I). Both texts can be selected and copied.</p>"
               "<p>The <b>root table</b> lists each distinct root once, with its multiplicity, "
               "and copies the roots in forms other programs read. The <b>plot</b> shows the "
               "graph of the polynomial with its real roots marked, and the roots in the "
               "complex plane; zoom with the wheel or + and −, move by dragging or with the "
               "arrow keys.</p>"
               "<h3>Defining a polynomial</h3>"
               "<p>\"Define New Polynomial\" opens a dialog. Type the polynomial into its line "
               "as you write it: <tt>x^3 - 6x^2 + 11x - 6</tt>, <tt>(x-1)^22</tt>, <tt>2x(x - "
               "1/3)</tt>; or paste its coefficients, highest power first: <tt>1 -6 11 -6</tt>, "
               "<tt>[1, -6, 11, -6]</tt>. Or choose the degree and type each coefficient into "
               "its box; the line and the boxes follow each other. Under the line the dialog "
               "says what it has read, or why it cannot read it and where. Enter or \"Create "
               "the Polynomial\" solves the polynomial and plots it; Esc closes the dialog.</p>"
               "<h3>The options</h3>"
               "<p>%1</p><p>%2</p>"
               "<h3>Certified roots</h3>"
               "<p>Every digit shown is proved right. The polynomial is taken exactly as you "
               "typed it, fractions and decimals included, never rounded to floating point. "
               "Each root found is checked against it with certified enclosures (FLINT and "
               "Arb): a region proved to hold exactly one root, narrowed until it decides every "
               "digit shown. A root the check cannot confirm is replaced by the certified one, "
               "and multiple roots are recognised exactly and listed as often as they "
               "count.</p>"
               "<h3>Keyboard</h3>")
               .arg(Help::tr("<b>Polish Roots</b> refines each root the search finds by a few "
                               "Newton steps. <b>Reverse Deflation</b> finds the roots again, "
                               "smallest first, from the whole polynomial, and lists them by "
                               "decreasing modulus; a new polynomial turns it off."),
                    Help::tr("For most polynomials neither option changes the digits shown, "
                               "since every root shown is certified. With both off, the roots "
                               "are the search's own where they lie within 10<sup>-6</sup> of "
                               "the exact ones."))
           + keyTable();
}

HelpWindow::HelpWindow(QWidget *parent) : QDialog(parent), textView(new QTextBrowser(this))
{
    setWindowTitle(Help::tr("Roots Of Polynomial Help"));
    textView->setHtml(helpText());
    textView->setOpenExternalLinks(true);
    // A caret to select with Shift and the arrows, and Ctrl+C to copy.
    textView->setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
    textView->setAccessibleName(Help::tr("Help"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // Enter in the text does not close the window.
    buttons->button(QDialogButtonBox::Close)->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(textView);
    layout->addWidget(buttons);

    const QSize room = roomOnScreen(this);
    const int em = fontMetrics().averageCharWidth();
    resize(std::min(room.width(), em * 80), std::min(room.height(), em * 90));
    textView->setFocus();
}

QTextBrowser *HelpWindow::browser() const
{
    return textView;
}

HelpWindow *showHelp(QWidget *parent)
{
    QWidget *owner = parent->window();
    auto *help = owner->findChild<HelpWindow *>(QString(), Qt::FindDirectChildrenOnly);
    if (!help) {
        help = new HelpWindow(owner);
        placeBeside(help, owner, owner);
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}
