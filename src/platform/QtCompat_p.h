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

<<<<<<< HEAD
// Global position of a mouse event as a whole point (Qt 6 reports it as a QPointF).
#include <QMouseEvent>
inline QPoint corvaneGlobalPos(const QMouseEvent* e)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return e->globalPosition().toPoint();
#else
    return e->globalPos();
=======
// Mouse event positions: Qt 6 reports them as floating-point points, Qt 5 as integer ones.
#include <QMouseEvent>

inline QPoint corvaneMousePos(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
>>>>>>> numeric
#endif
}
