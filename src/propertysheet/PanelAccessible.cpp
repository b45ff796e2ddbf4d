// A panel of a property sheet is a grouping named by its title.

#include "platform/Accessibility.h"
#include "propertysheet/Panel.h"

#include <QLabel>

namespace {

class PanelAccessible : public QAccessibleWidget
{
public:
    explicit PanelAccessible(QWidget* panel)
        : QAccessibleWidget(panel, QAccessible::Grouping)
    { }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
            auto* title = widget()->findChild<QLabel*>(
                QStringLiteral("panelTitle"), Qt::FindDirectChildrenOnly);
            return title ? title->text() : QString();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* propertySheetFactory(QString const& className, QObject* object)
{
    if (className == QLatin1String("PropsPanel") && object->isWidgetType())
        return new PanelAccessible(static_cast<QWidget*>(object));
    return nullptr;
}

} // namespace

void corvane::accessibility::installPropertySheet()
{
    static const bool installed = (QAccessible::installFactory(&propertySheetFactory), true);
    Q_UNUSED(installed)
}
