#include "propertysheet/MetaObjectRows.h"

#include "numeric/InputLineFlags.h"
#include "propertysheet/DescriptionCheck.h"
#include "propertysheet/DescriptionKeys.h"

#include <QMetaEnum>
#include <QMetaProperty>
#include <QVector>

#include <cmath>
#include <limits>

namespace MetaObjectRows {

namespace {

// Ranges and precisions of number rows whose class gives none.
constexpr float IntegerMax = 100.0f;
constexpr int IntegerPrecision = 0;
constexpr float RealMax = 1.0f;
constexpr int RealPrecision = 3;

// The class information that describes one property, "<property>.<attribute>", as the most
// derived class gives it.
class PropertyInfo
{
public:
    PropertyInfo(QMetaObject const& meta, QMetaProperty const& property)
        : m_meta(meta)
        , m_name(QString::fromLatin1(property.name()))
    { }

    QString name() const { return m_name; }
    bool has(const char* attribute) const { return index(attribute) >= 0; }
    QString text(const char* attribute, QString const& fallback = QString()) const
    {
        const int i = index(attribute);
        return i < 0 ? fallback : QString::fromUtf8(m_meta.classInfo(i).value());
    }
    float real(const char* attribute, float fallback) const
    {
        const double value = number(attribute, fallback);
        return std::isfinite(float(value)) ? float(value) : unusable(attribute, fallback);
    }
    int integer(const char* attribute, int fallback) const
    {
        const double value = number(attribute, fallback);
        const bool fits = value >= std::numeric_limits<int>::min()
            && value <= std::numeric_limits<int>::max() && value == std::trunc(value);
        return fits ? int(value) : unusable(attribute, fallback);
    }

private:
    // The entry's value read as a number; NaN when it is none.
    double number(const char* attribute, double fallback) const
    {
        const int i = index(attribute);
        if (i < 0)
            return fallback;
        bool ok = false;
        const double value = QByteArray(m_meta.classInfo(i).value()).toDouble(&ok);
        return ok ? value : qQNaN();
    }
    template<class T> T unusable(const char* attribute, T fallback) const
    {
        qCDebug(lcSheet, "PropertiesListBuilder: class info \"%s.%s\" of %s is not a usable number",
            qPrintable(m_name), attribute, m_meta.className());
        return fallback;
    }
    int index(const char* attribute) const
    {
        return m_meta.indexOfClassInfo(
            QStringLiteral("%1.%2").arg(m_name, QLatin1String(attribute)).toLatin1().constData());
    }

    QMetaObject const& m_meta;
    QString m_name;
};

// The entries of a combo over an enum or flags property: each key with its number.
QVariantMap enumEntries(QMetaEnum const& meta)
{
    QVariantMap entries;
    for (int i = 0; i < meta.keyCount(); ++i)
        entries.insert(QString::fromLatin1(meta.key(i)), meta.value(i));
    return entries;
}

// Appends the row of `property` to `list`, as the builder writes it; false for a type that no
// row edits.
bool addRow(PropertyDescriptionList& list, QMetaObject const& meta, QMetaProperty const& property)
{
    PropertiesListBuilder rows { QString() };
    const PropertyInfo info(meta, property);
    const QString prop = info.name();
    const QString label = info.text("label", prop);
    const int type = property.userType();
    const bool integer = DescriptionCheck::isIntegerType(type);
    QVariantMap extra;
    if (property.isEnumType()) {
        rows.AddComboBox(label, prop);
        extra.insert(PropertyKey::Values, enumEntries(property.enumerator()));
    } else if (type == QMetaType::Bool) {
        rows.AddCheckBox(label, prop);
    } else if (type == QMetaType::QUrl || (type == QMetaType::QString && info.has("file"))) {
        rows.AddFilePicker(label, prop, info.text("file"));
    } else if (type == QMetaType::QString) {
        rows.AddTextField(label, prop);
    } else if (type == QMetaType::QColor) {
        rows.AddColorPicker(label, prop);
    } else if (integer || type == QMetaType::Float || type == QMetaType::Double) {
        // One at a time: a malformed entry's message comes in this order.
        const float min = info.real("min", 0.0f);
        const float max = info.real("max", integer ? IntegerMax : RealMax);
        const int precision = info.integer("precision", integer ? IntegerPrecision : RealPrecision);
        rows.AddSlider(label, prop, min, max,
            integer ? eIntValues | eSliderInsteadSpinner : int(NumberFlags::Default), precision);
    } else {
        return false;
    }
    if (info.has("tooltip"))
        extra.insert(PropertyKey::ToolTip, info.text("tooltip"));
    list << rows.list().last();
    list.last().insert(extra);
    return true;
}

// "<prop>Enabled" and "<prop>Values" of another property belong to that property's row.
bool isDerived(QMetaObject const& meta, QString const& name)
{
    for (QLatin1String suffix : PropertySuffix::All) {
        if (name.endsWith(suffix)
            && meta.indexOfProperty(name.chopped(suffix.size()).toLatin1().constData()) >= 0)
            return true;
    }
    return false;
}

// The class's own "panel" class information, else its name.
QString panelTitle(QMetaObject const& meta)
{
    for (int i = meta.classInfoOffset(); i < meta.classInfoCount(); ++i) {
        if (qstrcmp(meta.classInfo(i).name(), "panel") == 0)
            return QString::fromUtf8(meta.classInfo(i).value());
    }
    return QString::fromLatin1(meta.className());
}

} // namespace

PropertyDescriptionList describe(
    QMetaObject const& meta, QMetaObject const* base, QStringList* skipped)
{
    QVector<QMetaObject const*> classes;
    for (QMetaObject const* m = &meta; m && m != base; m = m->superClass())
        classes.prepend(m);

    PropertyDescriptionList list;
    for (QMetaObject const* cls : classes) {
        PropertyDescriptionList rows;
        for (int i = cls->propertyOffset(); i < cls->propertyCount(); ++i) {
            const QMetaProperty property = cls->property(i);
            const QString name = QString::fromLatin1(property.name());
            if (!property.isDesignable() || !property.isReadable() || !property.isWritable()
                || isDerived(meta, name))
                continue;
            if (!addRow(rows, meta, property) && skipped)
                skipped->append(name);
        }
        if (!rows.isEmpty()) {
            PropertiesListBuilder panel { QString() };
            panel.AddPanel(panelTitle(*cls));
            list << panel.list().last() << rows;
        }
    }
    return list;
}

} // namespace MetaObjectRows
