#pragma once

// The few places where Qt 5 and Qt 6 differ in what the library uses, named once.

#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QEnterEvent>
using CorvaneEnterEvent = QEnterEvent;
#else
#include <QEvent>
using CorvaneEnterEvent = QEvent;
#endif
