#pragma once

/// @file
/// Themes: the style sheet the controls take their look from, changed at run time.

#include <corvane/CorvaneExport.h>

#include <QString>

class QWidget;

namespace corvane {

/// @name Themes
/// The theme is the style sheet every control takes its look from. Until the host sets one it
/// is the host's resource ":/force-styles.css", read the first time a control finds it and kept.
/// @{

/// Replaces the theme while the program runs. Every widget that carries the theme as its own
/// style sheet (controls, and widgets given to applyTheme()) gets the new text at once, in the
/// look it shows at that moment (style_type, two_lines, no_slider, selected); controls made
/// later use it.
CORVANE_WIDGETS_EXPORT void setTheme(QString const& css);

/// Goes back to the resource, read again now; live widgets follow as with setTheme().
CORVANE_WIDGETS_EXPORT void resetTheme();

/// The theme's text as controls get it; empty while the resource is missing.
CORVANE_WIDGETS_EXPORT QString theme();

/// Gives `widget`, typically a window, the theme as its own style sheet and keeps it current
/// through setTheme() and resetTheme() for as long as the widget keeps that sheet. In the shared
/// mode this is where the controls below the widget find their look; in the default mode it
/// styles what the controls do not carry themselves (panels, check boxes, combo boxes, the
/// toolbar) and the host's own widgets.
CORVANE_WIDGETS_EXPORT void applyTheme(QWidget* widget);

/// Shared theme mode, off by default. Off, a control that names its look (style_type) carries a
/// copy of the theme as its own style sheet, and Qt parses that copy for each such control. On,
/// controls carry no copy: they are drawn with the theme of a widget above them given to
/// applyTheme() (a host that sets the theme on its window itself works too, without the updates
/// of setTheme()), and a control whose look changes is polished again with the widgets inside
/// it, and nothing else. Under a window given to applyTheme() both modes draw the same pixels.
/// Process-wide. Choose it before the first control is made. It may change later: it then
/// applies to the looks set from that moment on, and controls made before keep (or keep
/// lacking) their copy until their look next changes, which under such a window looks the same.
CORVANE_WIDGETS_EXPORT void setSharedTheme(bool on);
/// Whether the shared theme mode is on.
CORVANE_WIDGETS_EXPORT bool sharedTheme();

/// @}

} // namespace corvane
