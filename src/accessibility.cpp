#include "accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

// Asked for every class of an object, most derived first, before the
// toolkit's own interfaces; a plain QWidget is asked about last, and only
// where no class on the way had an interface of its own.
QAccessibleInterface *dialogInterface(const QString &className, QObject *object)
{
    if (className != QLatin1String("QWidget") || !object || !object->isWidgetType())
        return nullptr;
    auto *widget = static_cast<QWidget *>(object);
    if (!widget->isWindow() || widget->windowType() != Qt::Dialog)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Dialog);
}

} // namespace

void installAccessibility()
{
    QAccessible::installFactory(dialogInterface);
}
