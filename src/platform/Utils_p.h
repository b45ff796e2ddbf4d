#pragma once

#include <corvane/CorvaneExport.h>

class QWidget;

// Applies the theme (the host's ":/force-styles.css" unless it set another) as the widget's own
// style sheet. The resource is read once per process and kept; a missing or empty resource is
// looked for again on the next call. In the shared theme mode the widget carries no copy and is
// polished again instead, with the widgets inside it.
CORVANE_AUTOTEST_EXPORT void forceStyles(QWidget* widget);
