#include <corvane/PropertyListBuilder.h>

#include "propertysheet/DescriptionKeys.h"
#include "propertysheet/MetaObjectRows.h"

namespace {

// A record of `type` with the keys of `more`.
PropertyDescription record(QLatin1String type, PropertyDescription more = {})
{
    more.insert(PropertyKey::Type, QString(type));
    return more;
}

// A record of a row bound to `prop`.
PropertyDescription boundRecord(
    QLatin1String type, QString const& label, QString const& prop, PropertyDescription more = {})
{
    more.insert(PropertyKey::Label, label);
    more.insert(PropertyKey::Prop, prop);
    return record(type, std::move(more));
}

int twoLinesFlags(bool twoLines)
{
    return twoLines ? eTwoLines : 0;
}

} // namespace

PropertiesListBuilder::PropertiesListBuilder(QString const& title)
{
    m_list.append(record(RowType::Title, { { PropertyKey::Label, title } }));
}

void PropertiesListBuilder::AddPanel(QString const& label)
{
    m_list.append(record(RowType::Panel, { { PropertyKey::Label, label } }));
}

void PropertiesListBuilder::AddPercentSlider(
    QString const& label, QString const& prop, bool twoLines)
{
    const int flags = ePercents | eIntValues | eSliderInsteadSpinner | twoLinesFlags(twoLines);
    m_list.append(boundRecord(RowType::Number, label, prop,
        { { PropertyKey::MinValue, 0 }, { PropertyKey::MaxValue, 1 },
            { PropertyKey::Percent, true }, { PropertyKey::Flags, flags } }));
}

void PropertiesListBuilder::AddSlider(QString const& label, QString const& prop, float minValue,
    float maxValue, int flags, int precision)
{
    m_list.append(boundRecord(RowType::Number, label, prop,
        { { PropertyKey::MinValue, minValue }, { PropertyKey::MaxValue, maxValue },
            { PropertyKey::Percent, false }, { PropertyKey::Precision, precision },
            { PropertyKey::Flags, flags } }));
}

void PropertiesListBuilder::AddColorPicker(QString const& label, QString const& prop, eOrder order)
{
    m_list.append(boundRecord(RowType::Color, label, prop, { { PropertyKey::Order, int(order) } }));
}

void PropertiesListBuilder::AddFilePicker(
    QString const& label, QString const& prop, QString const& mode)
{
    m_list.append(boundRecord(RowType::File, label, prop, { { PropertyKey::Mode, mode } }));
}

void PropertiesListBuilder::AddCheckBox(QString const& label, QString const& prop, eOrder order)
{
    m_list.append(boundRecord(RowType::Check, label, prop, { { PropertyKey::Order, int(order) } }));
}

void PropertiesListBuilder::AddComboBox(
    QString const& label, QString const& prop, bool editable, bool twoLines)
{
    m_list.append(boundRecord(RowType::Combo, label, prop,
        { { PropertyKey::IsEditable, editable },
            { PropertyKey::Flags, twoLinesFlags(twoLines) } }));
}

void PropertiesListBuilder::AddSeparator(eLine line)
{
    m_list.append(record(RowType::Line, { { PropertyKey::Value, int(line) } }));
}

void PropertiesListBuilder::AddLabel(
    QString const& label, int value, eOrder order, eSide side, QString const& objectId)
{
    m_list.append(record(RowType::Label,
        { { PropertyKey::Label, label }, { PropertyKey::Padding, int(side) },
            { PropertyKey::Value, value }, { PropertyKey::Order, int(order) },
            { PropertyKey::ObjectId, objectId } }));
}

void PropertiesListBuilder::AddButton(QString const& label, QString const& prop)
{
    m_list.append(boundRecord(RowType::Button, label, prop));
}

void PropertiesListBuilder::AddTextField(
    QString const& label, QString const& prop, QString const& value, bool twoLines)
{
    m_list.append(boundRecord(RowType::Text, label, prop,
        { { PropertyKey::Value, value }, { PropertyKey::Flags, twoLinesFlags(twoLines) } }));
}

void PropertiesListBuilder::AddMultiTextField(
    QString const& label, QString const& prop, QString const& value, bool twoLines)
{
    m_list.append(boundRecord(RowType::MultiText, label, prop,
        { { PropertyKey::Value, value }, { PropertyKey::Flags, twoLinesFlags(twoLines) } }));
}

QStringList PropertiesListBuilder::AddProperties(QObject const* object, QMetaObject const* base)
{
    return object ? AddProperties(*object->metaObject(), base) : QStringList();
}

QStringList PropertiesListBuilder::AddProperties(
    QMetaObject const& metaObject, QMetaObject const* base)
{
    QStringList skipped;
    m_list << MetaObjectRows::describe(metaObject, base, &skipped);
    return skipped;
}
