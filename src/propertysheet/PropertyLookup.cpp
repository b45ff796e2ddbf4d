#include "propertysheet/PropertyLookup.h"

#include <QDynamicPropertyChangeEvent>
#include <QMetaProperty>

PropertyLookup::PropertyLookup(QObject* parent)
    : QObject(parent)
{ }

PropertyLookup::~PropertyLookup()
{
    for (const QPointer<QObject>& object : std::as_const(m_watched)) {
        if (object)
            object->removeEventFilter(this);
    }
}

int PropertyLookup::staticIndex(QMetaObject const* meta, QByteArray const& name)
{
    const auto key = qMakePair(meta, name);
    auto it = m_indices.constFind(key);
    if (it == m_indices.cend())
        it = m_indices.insert(key, meta->indexOfProperty(name.constData()));
    return *it;
}

QVariant PropertyLookup::read(QObject* object, QByteArray const& name)
{
    const QMetaObject* meta = object->metaObject();
    const int index = staticIndex(meta, name);
    if (index >= 0)
        return meta->property(index).read(object);
    const auto misses = m_misses.constFind(object);
    if (misses != m_misses.cend() && misses->contains(name))
        return QVariant();
    // Only a dynamic property can still answer; setting it sends the event that ends a miss.
    QVariant value = object->property(name.constData());
    // An object of another thread cannot be watched: its misses are searched for again.
    if (value.isValid() || object->thread() != thread())
        return value;
    if (!m_watched.contains(object)) {
        m_watched.insert(object, object);
        object->installEventFilter(this);
        connect(object, &QObject::destroyed, this, [this, object] { forget(object); });
    }
    m_misses[object].insert(name);
    return value;
}

bool PropertyLookup::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::DynamicPropertyChange) {
        const auto it = m_misses.find(object);
        if (it != m_misses.end())
            it->remove(static_cast<QDynamicPropertyChangeEvent*>(event)->propertyName());
    }
    return QObject::eventFilter(object, event);
}

void PropertyLookup::forget(QObject* object)
{
    m_misses.remove(object);
    m_watched.remove(object);
}
