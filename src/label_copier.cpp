#include "label_copier.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

namespace {

// The part of a run of equally formatted text that lies in start to end,
// a raised run marked as a power.
QString fragmentText(const QTextFragment &fragment, int start, int end)
{
    const int from = qMax(start, fragment.position());
    const int to = qMin(end, fragment.position() + fragment.length());
    if (from >= to)
        return QString();
    const QString text = fragment.text().mid(from - fragment.position(), to - from);
    if (fragment.charFormat().verticalAlignment() == QTextCharFormat::AlignSuperScript)
        return QLatin1Char('^') + text;
    return text;
}

// Line by line, with the spaces that only set the terms apart on screen
// brought down to one.
QString tidyLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = line.simplified();
    return lines.join(QLatin1Char('\n'));
}

// Characters start to end of the document as plain text that reads as the
// label does.
QString plainText(const QTextDocument &document, int start, int end)
{
    QString plain;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.position() > start && block.position() <= end)
            plain += QLatin1Char('\n');
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it)
            plain += fragmentText(it.fragment(), start, end);
    }
    plain.replace(QChar::LineSeparator, QLatin1Char('\n'));
    plain.replace(QChar::Nbsp, QLatin1Char(' '));
    return tidyLines(plain);
}

} // namespace

LabelCopier::LabelCopier(QLabel *label) : QObject(label), label(label)
{
    label->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    label->installEventFilter(this);
}

bool LabelCopier::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != label)
        return false;
    if (event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    if (event->type() == QEvent::ContextMenu) {
        showMenu(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    return false;
}

void LabelCopier::copySelection()
{
    if (!label->hasSelectedText())
        return;
    const int start = label->selectionStart();
    const int end = start + label->selectedText().size();

    // The label's own document is not reachable; one made from the same
    // text has the same positions.
    QTextDocument document;
    document.setHtml(label->text());
    QTextCursor cursor(&document);
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);

    auto *data = new QMimeData;
    data->setText(plainText(document, start, end));
    data->setHtml(QTextDocumentFragment(cursor).toHtml());
    QApplication::clipboard()->setMimeData(data);
}

void LabelCopier::selectAll()
{
    QTextDocument document;
    document.setHtml(label->text());
    label->setSelection(0, document.characterCount() - 1);
}

void LabelCopier::showMenu(const QPoint &globalPos)
{
    QMenu menu(label);
    QAction *copy = menu.addAction(tr("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(label->hasSelectedText());
    connect(copy, &QAction::triggered, this, &LabelCopier::copySelection);
    QAction *all = menu.addAction(tr("Select &All"));
    all->setShortcut(QKeySequence::SelectAll);
    connect(all, &QAction::triggered, this, &LabelCopier::selectAll);
    menu.exec(globalPos);
}
