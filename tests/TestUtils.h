#pragma once

// Helpers shared by the unit tests.

#include <QApplication>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

namespace testutils {

// Turns the wheel over `w` as the platform would. QApplication only propagates wheel events
// from a child to its parents when they are spontaneous, so the event is marked as such and
// handed to notify() directly, as QTest does for key events (sendEvent() would clear the mark).
inline bool sendWheel(QWidget* w, int angleDelta, QPoint pos = QPoint(2, 2))
{
    const QPointF local(pos);
    const QPointF global(w->mapToGlobal(pos));
    QWheelEvent event(local, global, QPoint(), QPoint(0, angleDelta), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(w, &event);
    return event.isAccepted();
}

} // namespace testutils
