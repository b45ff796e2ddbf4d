#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QSet>
#include <QVariant>

class QMetaObject;

// Reads the properties a sheet binds by name, without searching for what it already found or
// already missed. A static property is resolved to its index once per class; a name an object
// has neither statically nor dynamically is remembered as missing until a dynamic property of
// that name is set on the object, which Qt announces with QEvent::DynamicPropertyChange. The
// objects with a remembered miss are watched for that event and for their destruction; no
// other object is touched.
class PropertyLookup : public QObject
{
    Q_OBJECT
public:
    explicit PropertyLookup(QObject* parent);
    ~PropertyLookup() override;

    // What QObject::property(name) returns for `object`.
    QVariant read(QObject* object, QByteArray const& name);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    int staticIndex(QMetaObject const* meta, QByteArray const& name);
    void forget(QObject* object);

    QHash<QPair<QMetaObject const*, QByteArray>, int> m_indices;
    QHash<QObject*, QSet<QByteArray>> m_misses;
    QHash<QObject*, QPointer<QObject>> m_watched;
};
