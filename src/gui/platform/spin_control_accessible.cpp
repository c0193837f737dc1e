#include "platform/spin_control_accessible.h"

#include "platform/spin_control.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

class SpinControlAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SpinControlAccessible(SpinControl* control) : QAccessibleWidget(control, QAccessible::SpinBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text type) const override
    {
        if (type == QAccessible::Value)
            return QString::number(Control()->Value());
        return QAccessibleWidget::text(type);
    }

    QVariant currentValue() const override { return Control()->Value(); }
    void setCurrentValue(const QVariant& value) override { Control()->SetValue(value.toInt()); }
    QVariant maximumValue() const override { return Control()->Maximum(); }
    QVariant minimumValue() const override { return Control()->Minimum(); }
    QVariant minimumStepSize() const override { return Control()->Step(); }

    QStringList actionNames() const override
    {
        return QStringList{increaseAction(), decreaseAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& name) override
    {
        if (name == increaseAction())
            Control()->PressUp();
        else if (name == decreaseAction())
            Control()->PressDown();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    SpinControl* Control() const { return static_cast<SpinControl*>(widget()); }
};

QAccessibleInterface* Factory(const QString& className, QObject* object)
{
    if (className == QLatin1String(SpinControl::staticMetaObject.className()) && object->isWidgetType())
        return new SpinControlAccessible(static_cast<SpinControl*>(object));
    return nullptr;
}

}  // namespace

void InstallSpinControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    (void)installed;
}

}  // namespace platform
