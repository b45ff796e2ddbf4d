#pragma once

// What a record may add to its row besides the control: a tooltip, and a reset action for a
// property with a default. Rows of records without "w_tooltip" or "w_default", bound to
// properties without RESET, get neither.

#include <corvane/PropertyListBuilder.h>

class QAction;
class QObject;
class QWidget;

namespace RowExtras {

// The row's tooltip from "w_tooltip". Screen readers take the row's description from it.
void setToolTip(QWidget* row, PropertyDescription const& record);

// True for a value row whose record gives a default ("w_default"), or whose bound property of
// `object` can be reset (RESET in its Q_PROPERTY).
bool offersReset(QObject const* object, PropertyDescription const& record);
// The row's context menu entry "Reset"; the caller connects what it does.
QAction* addResetAction(QWidget* row);
// Resets the property `prop` of `object` through its RESET function. A host's reset function may
// throw: false then, and false for a property that cannot be reset.
bool resetProperty(QObject* object, QString const& prop);

} // namespace RowExtras
