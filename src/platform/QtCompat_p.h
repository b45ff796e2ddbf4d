#pragma once

// The few places where Qt 5 and Qt 6 differ in what the library uses, named once.

#include <QMouseEvent>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#include <QEnterEvent>
using CorvaneEnterEvent = QEnterEvent;
#else
#include <QEvent>
using CorvaneEnterEvent = QEvent;
#endif

// Mouse event positions: Qt 6 reports them as floating-point points, Qt 5 as integer ones.
inline QPoint corvaneMousePos(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->position().toPoint();
#else
    return event->pos();
#endif
}

inline QPoint corvaneGlobalPos(const QMouseEvent* event)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
    return event->globalPosition().toPoint();
#else
    return event->globalPos();
#endif
}
