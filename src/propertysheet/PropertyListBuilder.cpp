#include <corvane/PropertyListBuilder.h>

namespace {

QVariant typeValue(char const* type)
{
    return QVariant(QString::fromLatin1(type));
}

} // namespace

PropertiesListBuilder::PropertiesListBuilder(QString const& title)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("title") }, { QStringLiteral("label"), title } });
}

void PropertiesListBuilder::AddPanel(QString const& label)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("panel") }, { QStringLiteral("label"), label } });
}

void PropertiesListBuilder::AddPercentSlider(
    QString const& label, QString const& prop, bool twoLines)
{
    m_list.append({ { QStringLiteral("type"), typeValue("number") },
        { QStringLiteral("label"), label }, { QStringLiteral("w_minValue"), 0 },
        { QStringLiteral("w_maxValue"), 1 }, { QStringLiteral("w_percent"), true },
        { QStringLiteral("prop"), prop }, { QStringLiteral("w_flags"), twoLines ? 0x2a1 : 0xa1 } });
}

void PropertiesListBuilder::AddSlider(QString const& label, QString const& prop, float minValue,
    float maxValue, int flags, int precision)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("number") }, { QStringLiteral("label"), label },
            { QStringLiteral("w_minValue"), minValue }, { QStringLiteral("w_maxValue"), maxValue },
            { QStringLiteral("w_percent"), false }, { QStringLiteral("w_precision"), precision },
            { QStringLiteral("prop"), prop }, { QStringLiteral("w_flags"), flags } });
}

void PropertiesListBuilder::AddColorPicker(QString const& label, QString const& prop, eOrder order)
{
    m_list.append({ { QStringLiteral("type"), typeValue("color") },
        { QStringLiteral("label"), label }, { QStringLiteral("prop"), prop },
        { QStringLiteral("w_order"), static_cast<int>(order) } });
}

void PropertiesListBuilder::AddFilePicker(
    QString const& label, QString const& prop, QString const& mode)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("file") }, { QStringLiteral("label"), label },
            { QStringLiteral("prop"), prop }, { QStringLiteral("w_mode"), mode } });
}

void PropertiesListBuilder::AddCheckBox(QString const& label, QString const& prop, eOrder order)
{
    m_list.append({ { QStringLiteral("type"), typeValue("check") },
        { QStringLiteral("label"), label }, { QStringLiteral("prop"), prop },
        { QStringLiteral("w_order"), static_cast<int>(order) } });
}

void PropertiesListBuilder::AddComboBox(
    QString const& label, QString const& prop, bool editable, bool twoLines)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("combo") }, { QStringLiteral("label"), label },
            { QStringLiteral("prop"), prop }, { QStringLiteral("w_isEditable"), editable },
            { QStringLiteral("w_flags"), twoLines ? 0x200 : 0 } });
}

void PropertiesListBuilder::AddSeparator(eLine line)
{
    m_list.append({ { QStringLiteral("type"), typeValue("line") },
        { QStringLiteral("w_value"), static_cast<int>(line) } });
}

void PropertiesListBuilder::AddLabel(
    QString const& label, int value, eOrder order, eSide side, QString const& objectId)
{
    m_list.append({ { QStringLiteral("type"), typeValue("label") },
        { QStringLiteral("label"), label }, { QStringLiteral("w_padding"), static_cast<int>(side) },
        { QStringLiteral("w_value"), value },
        { QStringLiteral("w_order"), static_cast<int>(order) },
        { QStringLiteral("w_obj_id"), objectId } });
}

void PropertiesListBuilder::AddButton(QString const& label, QString const& prop)
{
    m_list.append({ { QStringLiteral("type"), typeValue("button") },
        { QStringLiteral("label"), label }, { QStringLiteral("prop"), prop } });
}

void PropertiesListBuilder::AddTextField(
    QString const& label, QString const& prop, QString const& value, bool twoLines)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("text") }, { QStringLiteral("label"), label },
            { QStringLiteral("prop"), prop }, { QStringLiteral("w_value"), value },
            { QStringLiteral("w_flags"), twoLines ? 0x200 : 0 } });
}

void PropertiesListBuilder::AddMultiTextField(
    QString const& label, QString const& prop, QString const& value, bool twoLines)
{
    m_list.append(
        { { QStringLiteral("type"), typeValue("multitext") }, { QStringLiteral("label"), label },
            { QStringLiteral("prop"), prop }, { QStringLiteral("w_value"), value },
            { QStringLiteral("w_flags"), twoLines ? 0x200 : 0 } });
}
