#include "ValueLabel.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace {
// Name "Trefferzahl: 12 Kanäle", value "12 Kanäle".
class CValueLabelAccessible : public QAccessibleWidget {
public:
    explicit CValueLabelAccessible(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        const QString value = static_cast<const QLabel*>(widget())->text().simplified();
        switch (t) {
        case QAccessible::Name:
            return value.isEmpty() ? widget()->accessibleName()
                                   : QStringLiteral("%1: %2").arg(widget()->accessibleName(), value);
        case QAccessible::Value:
            return value;
        default:
            return QAccessibleWidget::text(t);
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }
};

QAccessibleInterface* ValueLabelFactory(const QString& className, QObject* object)
{
    if (className == QLatin1String("CValueLabel") && object && object->isWidgetType())
        return new CValueLabelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}
} // namespace

CValueLabel::CValueLabel(const QString& name, const QString& value, QWidget* parent) : QLabel(value, parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(&ValueLabelFactory);
        return true;
    }();
    (void)installed;
    setAccessibleName(name);
}

void CValueLabel::SetValue(const QString& value)
{
    if (value == text())
        return;
    setText(value);
    QAccessibleEvent event(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}
