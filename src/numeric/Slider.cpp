#include "numeric/Slider.h"

#include <QMouseEvent>

Slider::Slider(Qt::Orientation orientation, InputLine* row, QWidget* parent)
    : QSlider(orientation, parent)
    , m_row(row)
{ }

void Slider::mouseReleaseEvent(QMouseEvent* ev)
{
    // The release only closes the popup; the chosen value already arrived with the moves.
    if (ev->type() == QEvent::MouseButtonRelease && parentWidget())
        parentWidget()->setVisible(false);
}
