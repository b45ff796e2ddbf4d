#include "propertysheet/RowExtras.h"

#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/RowKinds.h"

#include <QAction>
#include <QCoreApplication>
#include <QMetaProperty>
#include <QWidget>

namespace RowExtras {

namespace {

QMetaProperty metaProperty(QObject const* object, QString const& prop)
{
    const QMetaObject* meta = object->metaObject();
    return meta->property(meta->indexOfProperty(prop.toLatin1().constData()));
}

} // namespace

void setToolTip(QWidget* row, PropertyDescription const& record)
{
    const auto it = record.constFind(PropertyKey::ToolTip);
    if (it != record.cend())
        row->setToolTip(it->toString());
}

bool offersReset(QObject const* object, PropertyDescription const& record)
{
    const QString type = record.value(PropertyKey::Type).toString();
    const QString prop = record.value(PropertyKey::Prop).toString();
    if (prop.isEmpty() || type == RowType::Button || !RowKind::find(type))
        return false;
    if (record.value(PropertyKey::Default).isValid())
        return true;
    return object && metaProperty(object, prop).isResettable();
}

QAction* addResetAction(QWidget* row)
{
    auto* reset = new QAction(QCoreApplication::translate("Corvane", "Reset"), row);
    reset->setObjectName(QStringLiteral("reset"));
    row->addAction(reset);
    row->setContextMenuPolicy(Qt::ActionsContextMenu);
    return reset;
}

bool resetProperty(QObject* object, QString const& prop)
{
    try {
        return metaProperty(object, prop).reset(object);
    } catch (...) {
        return false;
    }
}

} // namespace RowExtras
