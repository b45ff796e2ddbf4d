#pragma once

#include <corvane/CorvaneExport.h>

namespace corvane {

// Full keyboard access, off by default. Off, every control takes the keys it always took. On,
// the keyboard reaches what otherwise needs the mouse: Tab and Shift+Tab also stop at the file
// picker's combo and buttons, Esc abandons a number being typed, Shift and Ctrl make drag steps
// finer and coarser, and a collection view with multiple selection extends it with Shift and the
// arrow keys and moves with Home, End, Page Up and Page Down, Ctrl+A selecting everything.
// Process-wide; it may change at any time and applies from the next key or mouse event.
CORVANE_WIDGETS_EXPORT void setFullKeyboardAccess(bool on);
CORVANE_WIDGETS_EXPORT bool fullKeyboardAccess();

} // namespace corvane
