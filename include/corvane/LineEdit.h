#pragma once

/// @file
/// LineEdit, the drag-editable field of the numeric rows.

#include <corvane/CorvaneExport.h>

#include <QLineEdit>

/// The text field of the numeric rows. At rest it is a horizontal drag handle: dragging sideways
/// with the left button emits signed steps while the pointer stays hidden at the centre. A click
/// without a drag, a key press or arriving by Tab turns it into an ordinary text field.
/// With corvane::setFullKeyboardAccess(), Esc ends editing (editingAbandoned() tells the owner to
/// show its value again), and a step dragged with Shift held is a tenth, with Ctrl ten times.
/// Where the pointer cannot be moved back (Wayland), each step is measured from the last one.
///
/// Theming: class `LineEdit`, `style_type` "transp" at rest and "white" while editing.
class CORVANE_WIDGETS_EXPORT LineEdit : public QLineEdit
{
    Q_OBJECT
    /// The look for the style sheet: "transp" at rest, "white" while editing.
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    /// A field at rest, in the "transp" look.
    explicit LineEdit(QWidget* parent = nullptr);

    /// `step` is the size of the owner's value range; with `realValues` it picks the step rule.
    /// A step is emitted once the pointer is 9 pixels or more from where steps are measured, and
    /// its size follows from that travel `dx`: 1 on an integer row with a range of 1 or more;
    /// dx / 6 in whole steps on a real row with a range above 100; dx * 0.01 with a range above 1;
    /// dx / 4 in whole steps otherwise.
    void setStep(double step, bool realValues);
    /// Sets `style_type` and applies the theme again.
    void forceStyles(QString const& styleType);
    /// The `style_type` property.
    QString getStyleType() const;

Q_SIGNALS:
    /// The field lost the focus; emitted before the field leaves editing.
    void focusLost(QFocusEvent* event);
    /// One step of a drag: signed, positive to the right, already scaled by the modifiers.
    void mouseDraging(double delta);
    /// Esc ended editing (full keyboard access only); the owner shows its value again.
    void editingAbandoned();
    /// The left button came up after a drag that emitted at least one step.
    void dragFinished();

protected:
    /// Applies the theme once the field is polished.
    bool event(QEvent* ev) override;

protected Q_SLOTS:
    /// Turns a key press into editing; handles Esc with full keyboard access.
    bool eventFilter(QObject* obj, QEvent* ev) override;
    /// Shows the arrow pointer; the caret starts only when editing starts.
    void focusInEvent(QFocusEvent* ev) override;
    /// Emits focusLost() and returns to rest.
    void focusOutEvent(QFocusEvent* ev) override;
    /// Starts measuring a drag from the centre.
    void mousePressEvent(QMouseEvent* ev) override;
    /// Ends a drag (dragFinished()), or starts editing after a click without one.
    void mouseReleaseEvent(QMouseEvent* ev) override;
    /// Emits mouseDraging() for each 9 pixels of travel while the left button is down at rest.
    void mouseMoveEvent(QMouseEvent* ev) override;

private:
    bool isEditing() const;
    // Sets the look, applying the theme again only when it changed.
    void setLook(QString const& styleType);
    void enterEditingLook(Qt::FocusReason reason);
    void leaveEditing();
    double stepFor(int dx) const;
    void returnPointer(QPoint const& centre, int stepX);

    QString m_styleType;
    double m_step = 0.0;
    bool m_dragged = false;
    bool m_editing = false;
    bool m_realValues = false;
    // Where the pointer cannot be warped back to the centre (Wayland), each step is measured
    // from the x position at which the previous one was taken.
    bool m_measureFromLastStep = false;
    int m_lastStepX = 0;
};
