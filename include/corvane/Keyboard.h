#pragma once

/// @file
/// Full keyboard access, a process-wide opt-in.

#include <corvane/CorvaneExport.h>

/// The library's process-wide switches and free functions: themes (Theme.h), full keyboard access
/// (Keyboard.h), and property descriptions as JSON (DescriptionJson.h).
namespace corvane {

/// Full keyboard access, off by default. Off, every control takes the keys it always took. On,
/// the keyboard reaches what otherwise needs the mouse: Tab and Shift+Tab also stop at the file
/// picker's combo and buttons, Esc abandons a number being typed, Shift and Ctrl make drag steps
/// finer and coarser, and a collection view with multiple selection extends it with Shift and the
/// arrow keys and moves with Home, End, Page Up and Page Down, Ctrl+A selecting everything.
/// Process-wide; it may change at any time and applies from the next key or mouse event. A host
/// may follow the platform's own "full keyboard access" setting with it.
CORVANE_WIDGETS_EXPORT void setFullKeyboardAccess(bool on);
/// Whether full keyboard access is on.
CORVANE_WIDGETS_EXPORT bool fullKeyboardAccess();

} // namespace corvane
