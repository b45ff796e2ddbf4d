#pragma once

#include <corvane/CorvaneExport.h>

#include <QLineEdit>

// The text field of the numeric rows. At rest it is a horizontal drag handle: dragging sideways
// with the left button emits signed steps while the pointer stays hidden at the centre. A click
// without a drag, a key press or arriving by Tab turns it into an ordinary text field.
class CORVANE_WIDGETS_EXPORT LineEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(QString style_type READ getStyleType)
public:
    explicit LineEdit(QWidget* parent = nullptr);

    // `step` is the size of the owner's value range; with `realValues` it picks the step rule.
    void setStep(double step, bool realValues);
    void forceStyles(QString const& styleType);
    QString getStyleType() const;

Q_SIGNALS:
    void focusLost(QFocusEvent* event);
    void mouseDraging(double delta);
    // The left button came up after a drag that emitted at least one step.
    void dragFinished();

protected Q_SLOTS:
    bool eventFilter(QObject* obj, QEvent* ev) override;
    void focusInEvent(QFocusEvent* ev) override;
    void focusOutEvent(QFocusEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;

private:
    bool isEditing() const;
    void enterEditingLook(Qt::FocusReason reason);
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
