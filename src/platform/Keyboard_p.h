#pragma once

#include <corvane/Keyboard.h>

namespace corvane::detail {

// Calls `listener` with the new state after each change of the full keyboard access switch, for
// the controls whose tab stops follow it. Listeners stay for the life of the process.
void onFullKeyboardAccessChanged(void (*listener)(bool on));

} // namespace corvane::detail
