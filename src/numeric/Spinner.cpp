#include "numeric/Spinner.h"

#include "platform/QtCompat_p.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QTimer>

#include <limits>

namespace {

constexpr int RepeatIntervalMs = 200;
// Distance of the arrows' corners from the spinner's edges and from its middle line.
constexpr int ArrowInset = 3;

} // namespace

Spinner::Spinner(QWidget* parent)
    : QWidget(parent)
    , m_timer(new QTimer(this))
{
    m_timer->setInterval(RepeatIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &Spinner::fireValueChanged);
}

float Spinner::getMinimum() const
{
    return m_minimum;
}

void Spinner::setMinimum(float minimum)
{
    m_minimum = minimum;
}

float Spinner::getMaximum() const
{
    return m_maximum;
}

void Spinner::setMaximum(float maximum)
{
    m_maximum = maximum;
}

float Spinner::getValue() const
{
    return m_value;
}

void Spinner::setValue(float value)
{
    m_value = value;
}

int Spinner::getSingleStep() const
{
    return m_singleStep;
}

void Spinner::setSingleStep(int step)
{
    m_singleStep = step;
}

void Spinner::setArrowColor(QColor const& color)
{
    m_arrowColor = color;
    update();
}

void Spinner::setBackgroundColor(QColor const& color)
{
    m_backgroundColor = color;
    update();
}

void Spinner::setFrameColor(QColor const& color)
{
    m_frameColor = color;
    update();
}

void Spinner::setAntialiased(bool on)
{
    m_antialiased = on;
    update();
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.save();
    const QRect box(QPoint(0, 0), QPoint(width() - 2, height() - 2));
    painter.fillRect(box, m_backgroundColor);
    painter.setPen(m_frameColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.drawLine(0, height() / 2, width() - 1, height() / 2);
    drawTriangle(&painter, true);
    drawTriangle(&painter, false);
    painter.restore();
}

void Spinner::drawTriangle(QPainter* painter, bool up)
{
    const int w = width();
    const int h = height();
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    if (up) {
        path.moveTo(ArrowInset, h / 2 - ArrowInset);
        path.lineTo(w - ArrowInset, h / 2 - ArrowInset);
        path.lineTo(w / 2, ArrowInset);
    } else {
        path.moveTo(ArrowInset, h / 2 + ArrowInset);
        path.lineTo(w - ArrowInset, h / 2 + ArrowInset);
        path.lineTo(w / 2, h - ArrowInset);
    }
    path.closeSubpath();
    // The frame and the middle line lie on whole pixels at any whole ratio; only the slanted
    // edges want smoothing, which at ratio 1 is the theme's choice.
    painter->setRenderHint(QPainter::Antialiasing, m_antialiased || devicePixelRatioF() > 1.0);
    painter->fillPath(path, QBrush(m_arrowColor, Qt::SolidPattern));
}

void Spinner::mousePressEvent(QMouseEvent* ev)
{
    m_up = corvaneMousePos(ev).y() <= height() / 2;
    QPointer<Spinner> self(this);
    fireValueChanged();
    if (self)
        m_timer->start(RepeatIntervalMs);
}

void Spinner::mouseReleaseEvent(QMouseEvent*)
{
    m_timer->stop();
}

void Spinner::fireValueChanged()
{
    // -INT_MIN does not exist; the lower half then steps by INT_MAX.
    const int down = m_singleStep == std::numeric_limits<int>::min()
        ? std::numeric_limits<int>::max()
        : -m_singleStep;
    Q_EMIT valueChanged(m_up ? m_singleStep : down);
}
