#include "propertysheet/LiveRefresh.h"

#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/RowKinds.h"

#include <corvane/PropertyListWidget.h>

#include <QDynamicPropertyChangeEvent>
#include <QMetaMethod>

#include <utility>

LiveRefresh::LiveRefresh(PropertyListWidget* sheet)
    : QObject(sheet)
    , m_sheet(sheet)
{ }

LiveRefresh::~LiveRefresh()
{
    unwatch();
}

void LiveRefresh::unwatch()
{
    for (QObject* object : std::as_const(m_watched)) {
        if (object)
            object->removeEventFilter(this);
    }
    m_watched.clear();
    m_byName.clear();
    m_bySignal.clear();
}

void LiveRefresh::watch()
{
    unwatch();
    // Rows that show nothing of their objects (labels, lines) are never refreshed.
    for (auto it = m_sheet->m_descriptions.cbegin(); it != m_sheet->m_descriptions.cend(); ++it) {
        const QString prop = it.value().value(PropertyKey::Prop).toString();
        if (prop.isEmpty() || !RowKind::find(it.value().value(PropertyKey::Type).toString()))
            continue;
        for (QString const& name :
            { prop, prop + PropertySuffix::Enabled, prop + PropertySuffix::Values })
            m_byName[name.toLatin1()].insert(it.key());
    }

    const QMetaMethod notified = metaObject()->method(metaObject()->indexOfSlot("onNotify()"));
    for (QObject* object : std::as_const(m_sheet->m_objects)) {
        if (!object)
            continue;
        m_watched << object;
        object->installEventFilter(this);
        const QMetaObject* meta = object->metaObject();
        for (auto it = m_byName.cbegin(); it != m_byName.cend(); ++it) {
            const QMetaProperty property
                = meta->property(meta->indexOfProperty(it.key().constData()));
            if (!property.hasNotifySignal())
                continue;
            // Properties that share a signal share one connection.
            QSet<QWidget*>& rows = m_bySignal[{ object, property.notifySignalIndex() }];
            if (rows.isEmpty())
                connect(object, property.notifySignal(), this, notified);
            rows += it.value();
        }
    }
}

bool LiveRefresh::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::DynamicPropertyChange) {
        const auto* change = static_cast<QDynamicPropertyChangeEvent*>(event);
        mark(m_byName.value(change->propertyName()));
    }
    return QObject::eventFilter(object, event);
}

void LiveRefresh::onNotify()
{
    mark(m_bySignal.value({ sender(), senderSignalIndex() }));
}

void LiveRefresh::mark(QSet<QWidget*> const& rows)
{
    if (rows.isEmpty())
        return;
    const bool queued = !m_marked.isEmpty();
    m_marked += rows;
    if (!queued)
        QMetaObject::invokeMethod(this, &LiveRefresh::refresh, Qt::QueuedConnection);
}

void LiveRefresh::refresh()
{
    const QSet<QWidget*> rows = std::exchange(m_marked, {});
    m_sheet->refreshRows(false, {}, &rows);
}
