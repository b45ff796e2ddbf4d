#pragma once

#include <corvane/IInputLine.h>

// Flag arguments of the number rows beside the options that eInputLineFlags names. The rows
// interpret neither of the two values below; they only tell the writes apart.
namespace NumberFlags {
// A value written as such: the default flags of a number record, a write through the m_value
// property, the initial value of the row constructors that take one.
inline constexpr eInputLineFlags PlainWrite = eInputLineFlags(0x002);
// The property sheet showing the bound property again.
inline constexpr eInputLineFlags RefreshWrite = eInputLineFlags(0x010);
// A number record without "w_flags": a real-valued slider row.
inline constexpr eInputLineFlags Default
    = eInputLineFlags(eSliderInsteadSpinner | eRealValues | PlainWrite);
} // namespace NumberFlags
