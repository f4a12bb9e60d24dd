#include "accessibility.h"

#include "picture_box.h"

#include <QAccessibleWidget>

namespace {

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget)
        return nullptr;
    if (dynamic_cast<PictureBox*>(widget))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    if (className == QLatin1String("QWidget") && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void installAccessibleRoles()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}
