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

// Global position of a mouse event as a whole point (Qt 6 reports it as a QPointF).
#include <QMouseEvent>
inline QPoint corvaneGlobalPos(const QMouseEvent* e)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return e->globalPosition().toPoint();
#else
    return e->globalPos();
#endif
}
