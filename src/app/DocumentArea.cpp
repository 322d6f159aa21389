#include "DocumentArea.h"

#include <QAccessibleWidget>

namespace {
// Every child widget is an accessible child: the tab bar, the viewport with
// the document windows, the scroll bars.
QAccessibleInterface* DocumentAreaFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CDocumentArea") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::LayeredPane);
    return nullptr;
}
} // namespace

CDocumentArea::CDocumentArea(QWidget* parent) : QMdiArea(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&DocumentAreaFactory);
        return true;
    }();
    (void)installed;
}
