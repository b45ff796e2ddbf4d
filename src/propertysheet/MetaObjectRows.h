#pragma once

#include <corvane/PropertyListBuilder.h>

#include <QStringList>

struct QMetaObject;

// The rows that describe the Q_PROPERTYs of a class, for PropertiesListBuilder::AddProperties.
namespace MetaObjectRows {

// One panel per class from `meta` up to, not including, `base` (all of them when `base` is none of
// its superclasses), base classes first; one row per designable, readable and writable property,
// in declaration order. `skipped` receives the names of the properties whose type no row edits.
PropertyDescriptionList describe(
    QMetaObject const& meta, QMetaObject const* base, QStringList* skipped);

} // namespace MetaObjectRows
