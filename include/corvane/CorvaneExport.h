#pragma once

#include <QtGlobal>

#if defined(CORVANE_WIDGETS_BUILDING)
#define CORVANE_WIDGETS_EXPORT Q_DECL_EXPORT
#else
#define CORVANE_WIDGETS_EXPORT Q_DECL_IMPORT
#endif

// Internal classes are hidden from hosts; a build with tests exports them so that the unit
// tests can reach them. Hosts never see this macro expand to anything.
#if defined(CORVANE_WIDGETS_AUTOTESTS)
#define CORVANE_AUTOTEST_EXPORT CORVANE_WIDGETS_EXPORT
#else
#define CORVANE_AUTOTEST_EXPORT
#endif
