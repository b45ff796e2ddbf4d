#pragma once

// The vocabulary of property description records, spelled in this one place: the keys of a
// record, the row type names, the suffixes of the host properties derived from a row's "prop",
// and the flag values that the sheet hands its number rows. The spellings are the format that
// hosts also write by hand, so they never change; a new key or type joins its list below, and
// whatever walks the lists (the fuzzer, the randomized test) picks it up.

#include "numeric/InputLineFlags.h"

#include <QString>

#include <cstddef>

namespace description_detail {
template<std::size_t N> constexpr QLatin1String name(const char (&text)[N])
{
    return QLatin1String(text, int(N - 1));
}
} // namespace description_detail

namespace PropertyKey {
using description_detail::name;
inline constexpr QLatin1String Type = name("type");
inline constexpr QLatin1String Label = name("label");
inline constexpr QLatin1String Prop = name("prop");
inline constexpr QLatin1String MinValue = name("w_minValue");
inline constexpr QLatin1String MaxValue = name("w_maxValue");
inline constexpr QLatin1String Precision = name("w_precision");
inline constexpr QLatin1String Flags = name("w_flags");
inline constexpr QLatin1String IsEditable = name("w_isEditable");
inline constexpr QLatin1String Order = name("w_order");
inline constexpr QLatin1String Mode = name("w_mode");
inline constexpr QLatin1String Value = name("w_value");
inline constexpr QLatin1String ObjectId = name("w_obj_id");
// Combo entries carried by the record, for an object without "<prop>Values".
inline constexpr QLatin1String Values = name("w_values");
// The row's tooltip, and the value its reset action writes.
inline constexpr QLatin1String ToolTip = name("w_tooltip");
inline constexpr QLatin1String Default = name("w_default");
// Written by the builder, read by no row.
inline constexpr QLatin1String Percent = name("w_percent");
inline constexpr QLatin1String Padding = name("w_padding");

inline constexpr QLatin1String All[] = { Type, Label, Prop, MinValue, MaxValue, Precision, Flags,
    IsEditable, Order, Mode, Value, ObjectId, Values, ToolTip, Default, Percent, Padding };
} // namespace PropertyKey

namespace RowType {
using description_detail::name;
// Rows that shape the sheet rather than show a value.
inline constexpr QLatin1String Panel = name("panel");
inline constexpr QLatin1String Title = name("title");
inline constexpr QLatin1String Space = name("space");
inline constexpr QLatin1String Line = name("line");
inline constexpr QLatin1String Label = name("label");
// Rows bound to a property of the host object (a slot, for buttons).
inline constexpr QLatin1String Number = name("number");
inline constexpr QLatin1String File = name("file");
inline constexpr QLatin1String Color = name("color");
inline constexpr QLatin1String Check = name("check");
inline constexpr QLatin1String Combo = name("combo");
inline constexpr QLatin1String Button = name("button");
inline constexpr QLatin1String Text = name("text");
inline constexpr QLatin1String MultiText = name("multitext");

inline constexpr QLatin1String All[] = { Panel, Title, Space, Line, Label, Number, File, Color,
    Check, Combo, Button, Text, MultiText };
} // namespace RowType

// Host properties named after a row's "prop": "<prop>Enabled" and, for combos, "<prop>Values".
namespace PropertySuffix {
using description_detail::name;
inline constexpr QLatin1String Enabled = name("Enabled");
inline constexpr QLatin1String Values = name("Values");

inline constexpr QLatin1String All[] = { Enabled, Values };
} // namespace PropertySuffix

// Dynamic property that the sheet sets on every combo it fills: true when the entries came from
// a string list, so that the bound property holds the chosen index rather than its text.
inline constexpr char ComboNoKeysProperty[] = "w_nokeys";
// Set on a combo whose entries came from the record's "w_values" and whose bound property is an
// enum or flags property: the combo selects by the property's number, not its text.
inline constexpr char ComboEnumProperty[] = "w_enum";
