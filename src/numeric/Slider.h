#pragma once

#include <corvane/CorvaneExport.h>

#include <QSlider>

// The slider of InputLine's popup: releasing the mouse on it closes the popup.
class CORVANE_AUTOTEST_EXPORT Slider : public QSlider
{
    Q_OBJECT
public:
    explicit Slider(Qt::Orientation orientation, QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* ev) override;
};
