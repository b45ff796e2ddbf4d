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

// --- numeric rows ---
#include <QMouseEvent>

namespace testutils {

// Moves the pointer over `w` with `buttons` held, as the platform reports a drag. QTest::mouseMove
// cannot be used for this: on Qt 5 it only warps the cursor, and the move the platform then
// reports carries no buttons.
inline void mouseMoveHeld(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::LeftButton)
{
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), QPointF(w->mapToGlobal(pos)), Qt::NoButton,
        buttons, Qt::NoModifier);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(w, &event);
}

} // namespace testutils
