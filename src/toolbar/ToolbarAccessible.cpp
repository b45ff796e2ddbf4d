// A toolbar is a tool bar; each of its buttons tells what its action says: the action's text (its
// tooltip when it has none), its shortcut, and whether it is checked.

#include <corvane/Toolbar.h>

#include "platform/Accessibility.h"

#include <QAction>
#include <QLayout>

namespace {

class ToolbarButtonAccessible : public corvane::accessibility::ButtonAccessible
{
public:
    using ButtonAccessible::ButtonAccessible;

    QString text(QAccessible::Text t) const override
    {
        QAction* a = action();
        if (!a)
            return ButtonAccessible::text(t);
        const QString name = a->text().isEmpty()
            ? a->toolTip()
            : corvane::accessibility::withoutMnemonic(a->text());
        switch (t) {
        case QAccessible::Name:
            return widget()->accessibleName().isEmpty() ? name : widget()->accessibleName();
        case QAccessible::Description: {
            // The tooltip, unless it is already the name.
            const QString description = ButtonAccessible::text(t);
            return description == name ? QString() : description;
        }
        case QAccessible::Accelerator:
            return a->shortcut().toString(QKeySequence::NativeText);
        default:
            return ButtonAccessible::text(t);
        }
    }
    QStringList keyBindingsForAction(QString const& name) const override
    {
        const QString shortcut = text(QAccessible::Accelerator);
        if ((name == pressAction() || name == toggleAction()) && !shortcut.isEmpty())
            return { shortcut };
        return ButtonAccessible::keyBindingsForAction(name);
    }

private:
    // The entry at the button's position.
    QAction* action() const
    {
        auto* toolbar = qobject_cast<Toolbar*>(widget()->parentWidget());
        const int index = toolbar ? toolbar->layout()->indexOf(widget()) : -1;
        return index < 0 ? nullptr : toolbar->actionAt(static_cast<unsigned long>(index));
    }
};

QAccessibleInterface* toolbarFactory(QString const& className, QObject* object)
{
    if (!object->isWidgetType())
        return nullptr;
    auto* w = static_cast<QWidget*>(object);
    if (className == QLatin1String("Toolbar"))
        return new QAccessibleWidget(w, QAccessible::ToolBar);
    if (className == QLatin1String("QPushButton") && qobject_cast<Toolbar*>(w->parentWidget()))
        return new ToolbarButtonAccessible(w);
    return nullptr;
}

} // namespace

void corvane::accessibility::installToolbar()
{
    static const bool installed = (QAccessible::installFactory(&toolbarFactory), true);
    Q_UNUSED(installed)
}
