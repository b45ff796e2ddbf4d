#pragma once

#include <corvane/CorvaneExport.h>

#include <QColor>
#include <QWidget>

class QTimer;

// A pair of arrows: holding the upper half emits +singleStep at once and then every 200 ms until
// the release, the lower half likewise -singleStep.
class CORVANE_AUTOTEST_EXPORT Spinner : public QWidget
{
    Q_OBJECT
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
    float m_minimum = 0;
    float m_maximum = 0;
    float m_value = 0;
    int m_singleStep = 1;
};
