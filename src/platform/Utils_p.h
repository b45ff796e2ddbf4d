#pragma once

#include <corvane/CorvaneExport.h>

class QWidget;

// Applies the host's ":/force-styles.css" as the widget's own style sheet. The resource is read
// once per process and kept; a missing or empty resource is looked for again on the next call.
CORVANE_AUTOTEST_EXPORT void forceStyles(QWidget* widget);
