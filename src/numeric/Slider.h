#pragma once

#include <corvane/CorvaneExport.h>

#include <QSlider>

class InputLine;

// The slider of InputLine's popup: releasing the mouse on it closes the popup.
class CORVANE_AUTOTEST_EXPORT Slider : public QSlider
{
    Q_OBJECT
public:
    Slider(Qt::Orientation orientation, InputLine* row, QWidget* parent);

    // The row whose value the slider picks. The popup is a window of its own, so the row is not
    // among the slider's parents; reparenting the popup would change its style sheet cascade.
    // Assistive technologies are told the row's value through this link.
    InputLine* row() const { return m_row; }

protected:
    void mouseReleaseEvent(QMouseEvent* ev) override;

private:
    // The row deletes the popup, and so the slider, before it goes.
    InputLine* const m_row;
};
