#include <corvane/LineEdit.h>

#include "platform/QtCompat_p.h"
#include "platform/Utils_p.h"

#include <QCursor>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPointer>

namespace {

// Sideways travel, in pixels, that makes one drag step.
constexpr int DragThreshold = 9;
// The step a drag emits for that travel: on a real-valued row with a range above WideRange one
// per PixelsPerWideStep pixels, with a range above 1 StepPerPixel per pixel, otherwise (and on a
// row never given a range) one per PixelsPerNarrowStep pixels. Integer rows step by one.
constexpr double WideRange = 100;
constexpr int PixelsPerWideStep = 6;
constexpr double StepPerPixel = 0.01;
constexpr int PixelsPerNarrowStep = 4;

QString transpLook()
{
    return QStringLiteral("transp");
}
QString whiteLook()
{
    return QStringLiteral("white");
}

bool platformCanWarpPointer()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

} // namespace

LineEdit::LineEdit(QWidget* parent)
    : QLineEdit(parent)
{
    installEventFilter(this);
    setAttribute(Qt::WA_MacShowFocusRect, false);
    forceStyles(transpLook());
}

void LineEdit::setStep(double step, bool realValues)
{
    m_step = step;
    m_realValues = realValues;
}

void LineEdit::forceStyles(QString const& styleType)
{
    m_styleType = styleType;
    ::forceStyles(this);
}

QString LineEdit::getStyleType() const
{
    return m_styleType;
}

bool LineEdit::isEditing() const
{
    // A click without a drag sets the look only; keys and Tab also set m_editing.
    return m_editing || m_styleType == whiteLook();
}

void LineEdit::enterEditingLook(Qt::FocusReason reason)
{
    forceStyles(whiteLook());
    // focusInEvent() leaves the base class alone; handing it a focus-in only now starts the
    // caret and, for Tab, selects the whole text.
    QFocusEvent focusIn(QEvent::FocusIn, reason);
    QLineEdit::focusInEvent(&focusIn);
}

bool LineEdit::eventFilter(QObject* obj, QEvent* ev)
{
    if (obj != this)
        return false;
    if (ev->type() == QEvent::KeyPress) {
        m_editing = true;
        enterEditingLook(Qt::MouseFocusReason);
    } else if (ev->type() == QEvent::KeyRelease) {
        const int key = static_cast<QKeyEvent*>(ev)->key();
        // The release of the Tab that moved the focus here arrives at this field.
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            m_editing = true;
            enterEditingLook(Qt::TabFocusReason);
        }
    }
    return false;
}

void LineEdit::focusInEvent(QFocusEvent*)
{
    setCursor(Qt::ArrowCursor);
}

void LineEdit::focusOutEvent(QFocusEvent* ev)
{
    QPointer<LineEdit> self(this);
    Q_EMIT focusLost(ev);
    if (!self)
        return;
    forceStyles(transpLook());
    if (QRect(mapToGlobal(QPoint(0, 0)), size()).contains(QCursor::pos()))
        setCursor(Qt::SizeHorCursor);
    m_editing = false;
    QLineEdit::focusOutEvent(ev);
}

void LineEdit::mousePressEvent(QMouseEvent* ev)
{
    m_measureFromLastStep = false;
    QLineEdit::mousePressEvent(ev);
}

void LineEdit::mouseReleaseEvent(QMouseEvent* ev)
{
    const bool dragged = m_dragged;
    if (m_dragged)
        m_dragged = false;
    else
        enterEditingLook(Qt::MouseFocusReason);
    setCursor(isEditing() ? Qt::ArrowCursor : Qt::SizeHorCursor);
    QLineEdit::mouseReleaseEvent(ev);
    if (dragged)
        Q_EMIT dragFinished();
}

void LineEdit::mouseMoveEvent(QMouseEvent* ev)
{
    if (!(ev->buttons() & Qt::LeftButton)) {
        if (!hasFocus())
            setCursor(Qt::SizeHorCursor);
        return;
    }
    if (isEditing()) {
        QLineEdit::mouseMoveEvent(ev);
        return;
    }

    const QPoint centre(width() / 2, height() / 2);
    setCursor(Qt::BlankCursor);
    deselect();

    const int x = corvaneMousePos(ev).x();
    const int dx = x - (m_measureFromLastStep ? m_lastStepX : centre.x());
    if (qAbs(dx) < DragThreshold)
        return;

    QPointer<LineEdit> self(this);
    Q_EMIT mouseDraging(stepFor(dx));
    if (!self)
        return;
    m_dragged = true;
    returnPointer(centre, x);
}

double LineEdit::stepFor(int dx) const
{
    if (m_realValues) {
        if (m_step > WideRange)
            return dx / PixelsPerWideStep;
        if (m_step > 1)
            return dx * StepPerPixel;
        return dx / PixelsPerNarrowStep;
    }
    if (m_step >= 1)
        return dx > 0 ? 1 : -1;
    return dx / PixelsPerNarrowStep;
}

void LineEdit::returnPointer(QPoint const& centre, int stepX)
{
    if (!m_measureFromLastStep) {
        const QPoint globalCentre = mapToGlobal(centre);
        bool warped = false;
        if (platformCanWarpPointer()) {
            QCursor::setPos(globalCentre);
            // Some platforms ignore the request without telling.
            warped = QCursor::pos() == globalCentre;
        }
        // Otherwise the pointer stays where this step was taken, and the next step is measured
        // from there.
        m_measureFromLastStep = !warped;
    }
    m_lastStepX = stepX;
}
