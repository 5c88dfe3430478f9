// Prints what assistive technology is told of the main window and of the
// definition dialog: the tree of accessible objects, each with its role,
// name and description, as the toolkit hands it to AT-SPI. In process, so
// it needs no accessibility bus:
//
//   QT_QPA_PLATFORM=offscreen build/tools/accessible_tree
#include "accessibility.h"
#include "mainwindow.h"

#include <QAccessible>
#include <QApplication>
#include <QMetaEnum>
#include <QMetaObject>
#include <QTextStream>

namespace {

QTextStream out(stdout);

QString roleName(QAccessible::Role role)
{
    static const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    const char *key = roles.valueToKey(role);
    return key ? QString::fromLatin1(key) : QString::number(role);
}

void walk(QAccessibleInterface *node, int depth)
{
    if (!node || node->state().invisible)
        return;
    out << QString(2 * depth, QLatin1Char(' ')) << '[' << roleName(node->role()) << "] \""
        << node->text(QAccessible::Name).replace(QLatin1Char('\n'), QLatin1String("\\n")) << '"';
    const QString description = node->text(QAccessible::Description);
    if (!description.isEmpty())
        out << " -- \"" << description << '"';
    out << '\n';
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), depth + 1);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    installAccessibility();
    MainWindow window;
    window.show();
    QApplication::processEvents();
    walk(QAccessible::queryAccessibleInterface(&window), 0);
    QMetaObject::invokeMethod(&window, "on_newPolyButton_clicked");
    QApplication::processEvents();
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top != &window && top->isVisible() && top->inherits("DialogWindow"))
            walk(QAccessible::queryAccessibleInterface(top), 0);
    out.flush();
    return 0;
}
