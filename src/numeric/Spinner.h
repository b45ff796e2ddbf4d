#pragma once

#include <corvane/CorvaneExport.h>

#include <QColor>
#include <QWidget>

class QTimer;

// A pair of arrows: holding the upper half emits +singleStep at once and then every 200 ms until
// the release, the lower half likewise -singleStep. A theme sets its colours with
// qproperty-arrow_color, qproperty-background_color and qproperty-frame_color. The arrows are
// smoothed on a high-density screen, and at ratio 1 too with qproperty-antialiased: true.
class CORVANE_AUTOTEST_EXPORT Spinner : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QColor arrow_color READ arrowColor WRITE setArrowColor)
    Q_PROPERTY(QColor background_color READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor frame_color READ frameColor WRITE setFrameColor)
    Q_PROPERTY(bool antialiased READ antialiased WRITE setAntialiased)
public:
    explicit Spinner(QWidget* parent = nullptr);

    float getMinimum() const;
    void setMinimum(float minimum);
    float getMaximum() const;
    void setMaximum(float maximum);
    float getValue() const;
    void setValue(float value);
    int getSingleStep() const;
    void setSingleStep(int step);

    QColor arrowColor() const { return m_arrowColor; }
    void setArrowColor(QColor const& color);
    QColor backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(QColor const& color);
    QColor frameColor() const { return m_frameColor; }
    void setFrameColor(QColor const& color);
    bool antialiased() const { return m_antialiased; }
    void setAntialiased(bool on);

Q_SIGNALS:
    void valueChanged(int delta);

protected:
    void paintEvent(QPaintEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void drawTriangle(QPainter* painter, bool up);

private Q_SLOTS:
    void fireValueChanged();

private:
    QColor m_arrowColor { 0, 0, 0 };
    QColor m_backgroundColor { 128, 128, 128 };
    QColor m_frameColor { 169, 169, 169 };
    QTimer* m_timer = nullptr;
    bool m_up = false;
    bool m_antialiased = false;
    float m_minimum = 0;
    float m_maximum = 0;
    float m_value = 0;
    int m_singleStep = 1;
};
