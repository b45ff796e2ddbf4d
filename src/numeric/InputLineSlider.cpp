#include <corvane/InputLineSlider.h>

#include <corvane/Label.h>
#include <corvane/LineEdit.h>

#include "controls/MixedState.h"
#include "numeric/NumericValue.h"
#include "platform/Accessibility.h"
#include "platform/ThemeRegistry.h"
#include "platform/Utils_p.h"

#include <QBoxLayout>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyleOptionSlider>

#include <cmath>
#include <utility>

using numeric::roundHalfUp;
using numeric::toFloat;

namespace {

// Arrow-key step of a row with fine steps; drag steps are finer still (10^-precision).
constexpr double FineArrowStep = 0.1;

QString focusLook()
{
    return QStringLiteral("focus");
}

// The row's slider. In a right-to-left layout Qt puts the handle where the value says, counted
// from the right, yet style sheets fill the groove from the left; drawn as a left-to-right
// slider seen in a mirror, the fill grows from the leading edge up to the handle.
class RowSlider final : public QSlider
{
public:
    using QSlider::QSlider;

protected:
    void paintEvent(QPaintEvent* ev) override
    {
        if (!isRightToLeft()) {
            QSlider::paintEvent(ev);
            return;
        }
        QPainter painter(this);
        painter.translate(width(), 0);
        painter.scale(-1, 1);
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.direction = Qt::LeftToRight;
        option.upsideDown = !option.upsideDown;
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        if (tickPosition() != NoTicks)
            option.subControls |= QStyle::SC_SliderTickmarks;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
    }
};

} // namespace

InputLineSlider::InputLineSlider(QString const& title, eInputLineFlags flags, QWidget* parent)
    : InputLineSlider(title, flags, numeric::DecimalDigits, false, 0, parent)
{ }

InputLineSlider::InputLineSlider(
    QString const& title, eInputLineFlags flags, int value, QWidget* parent)
    : InputLineSlider(title, flags, numeric::DecimalDigitsWithValue, true, value, parent)
{ }

InputLineSlider::InputLineSlider(QString const& title, int flags, QWidget* parent)
    : InputLineSlider(title, eInputLineFlags(flags), parent)
{ }

InputLineSlider::InputLineSlider(QString const& title, eInputLineFlags flags, int decimalDigits,
    bool hasValue, int value, QWidget* parent)
    : IInputLine(parent)
    , m_mixed(new MixedState)
{
    corvane::accessibility::installNumeric();
    buildLayout(flags, decimalDigits);
    connectAll();
    connect(m_edit, &LineEdit::editingAbandoned, this, &InputLineSlider::onEditingAbandoned);
    // Outside connectAll(): a movement still ends while the handlers have the others broken.
    connect(m_edit, &LineEdit::dragFinished, this, &InputLineSlider::onMovementReleased);
    if (m_slider)
        connect(m_slider, &QSlider::sliderReleased, this, &InputLineSlider::onMovementReleased);
    setTitle(title);
    if (hasValue)
        setValue(float(value), NumberFlags::PlainWrite);
    setRealValues(flags & eRealValues);
    setIntValues(flags & eIntValues);
    setSliderInsteadSpinner(flags & eSliderInsteadSpinner);
    setTwoLines(flags & eTwoLines);
    setSliderIntStep(flags & eSliderIntStep);
    setPercents(flags & ePercents);
}

InputLineSlider::~InputLineSlider()
{
    // QWidget's destructor, which runs next, may take the focus from the field (a row that is a
    // window hides first); that focus-out must reach no slot of a row that is no longer one.
    m_edit->removeEventFilter(this);
    m_edit->disconnect(this);
}

void InputLineSlider::buildLayout(eInputLineFlags flags, int decimalDigits)
{
    m_number.reset(new NumericValue(NumericValue::Style::Padded, decimalDigits, this));

    m_label = new Label(QString(), this);
    m_label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);
    m_label->setObjectName(QStringLiteral("label"));
    m_label->setFocusPolicy(Qt::NoFocus);
    m_label->setWordWrap(false);

    m_edit = new LineEdit(this);
    m_edit->setAlignment(Qt::AlignLeft);
    m_edit->installEventFilter(this);
    m_edit->setObjectName(QStringLiteral("edit"));

    const bool twoLines = flags & eTwoLines;
    if (flags & eSliderInsteadSpinner) {
        m_slider = new RowSlider(Qt::Horizontal, this);
        m_slider->setTickPosition(QSlider::NoTicks);
        m_slider->setRange(0, numeric::SliderPositions);
        m_slider->setFocusPolicy(Qt::ClickFocus);
        m_slider->installEventFilter(this);
        m_slider->setAttribute(Qt::WA_LayoutUsesWidgetRect);
        m_slider->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Fixed);
    } else if (!twoLines) {
        m_space = new QFrame(this);
        m_space->setObjectName(QStringLiteral("space"));
        m_space->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Expanding);
    }

    auto* line = new QHBoxLayout;
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    if (twoLines) {
        m_label->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::Minimum);
        auto* column = new QVBoxLayout(this);
        column->setContentsMargins(0, 0, 0, 0);
        column->setSpacing(0);
        column->addWidget(m_label);
        column->addLayout(line);
    } else {
        setLayout(line);
        line->addWidget(m_label);
        if (m_space)
            line->addWidget(m_space);
    }
    if (m_slider)
        line->addWidget(m_slider);
    line->addWidget(m_edit);

    setAttribute(Qt::WA_MouseTracking);
}

void InputLineSlider::setTitle(QString const& title)
{
    m_label->setText(title);
}

void InputLineSlider::setMinValue(float value)
{
    m_number->setMinimum(value);
}

void InputLineSlider::setMaxValue(float value)
{
    m_number->setMaximum(value);
}

void InputLineSlider::setPercents(bool on)
{
    m_number->setPercents(on);
}

void InputLineSlider::setIntValues(bool on)
{
    setRealValues(!on);
}

void InputLineSlider::setRealValues(bool on)
{
    m_number->setRealValues(on);
}

void InputLineSlider::setPrecision(int precision)
{
    m_number->setPrecision(precision);
}

void InputLineSlider::setValueAndInit(float value, eInputLineFlags flags)
{
    setValue(value, flags);
    setStepForMouse();
}

void InputLineSlider::setValue(float value, eInputLineFlags flags)
{
    if (flags & ePercents)
        setPercents(true);
    if (flags & eFineStep)
        m_fineStep = 1;
    // Out of range (or NaN): dropped, the row keeps what it shows.
    if (!(m_number->minimum() <= value && value <= m_number->maximum()))
        return;
    fillLineEdit(value);
    setSliderValue(value);
}

void InputLineSlider::setValueProperty(float value)
{
    setValue(value, NumberFlags::PlainWrite);
}

void InputLineSlider::setSliderInsteadSpinner(bool on)
{
    m_sliderInsteadSpinner = on;
}

void InputLineSlider::setTwoLines(bool on)
{
    m_twoLines = on;
}

void InputLineSlider::setSliderIntStep(bool on)
{
    m_sliderIntStep = on;
}

float InputLineSlider::getValue() const
{
    return toFloat(m_number->value());
}

float InputLineSlider::getMinValue() const
{
    return toFloat(m_number->minimum());
}

float InputLineSlider::getMaxValue() const
{
    return toFloat(m_number->maximum());
}

int InputLineSlider::getPrecision() const
{
    return m_number->precision();
}

bool InputLineSlider::isPercents() const
{
    return m_number->percents();
}

bool InputLineSlider::isRealValues() const
{
    return m_number->realValues();
}

bool InputLineSlider::isIntValues() const
{
    return !m_number->realValues();
}

bool InputLineSlider::isNoSlider() const
{
    return !m_sliderInsteadSpinner;
}

bool InputLineSlider::isTwoLines() const
{
    return m_twoLines;
}

QString InputLineSlider::getStyleType() const
{
    return m_styleType;
}

void InputLineSlider::setStyleType(QString const& styleType)
{
    m_styleType = styleType;
}

void InputLineSlider::forceStyles(QString const& styleType)
{
    m_styleType = styleType;
    ThemeRegistry::instance().restyle(this, true);
}

void InputLineSlider::setLook(QString const& styleType)
{
    const bool changed = styleType != m_styleType;
    m_styleType = styleType;
    ThemeRegistry::instance().restyle(this, changed);
}

void InputLineSlider::setDecimalDigits(int digits)
{
    m_number->setDecimalDigits(digits);
}

void InputLineSlider::setStep(int step)
{
    if (double(step) < m_number->maximum() && m_slider)
        m_slider->setPageStep(step);
}

void InputLineSlider::setEnabled(bool on)
{
    m_edit->setEnabled(on);
    QWidget::setEnabled(on);
}

void InputLineSlider::setStepForMouse()
{
    m_edit->setStep(m_number->maximum() - m_number->minimum(), m_number->realValues());
}

void InputLineSlider::setEditValue(double value, bool emitChanged)
{
    fillLineEdit(value);
    setSliderValue(toFloat(value));
    if (emitChanged)
        emitSignals(m_number->value());
}

void InputLineSlider::setAndEmit(double value)
{
    emitSignals(fillLineEdit(value));
}

void InputLineSlider::emitSignals(double value)
{
    numeric::emitChanged(this, value);
}

double InputLineSlider::fillLineEdit(double value)
{
    m_mixed->set(false, m_edit, m_edit);
    m_edit->setText(m_number->show(value));
    return m_number->value();
}

void InputLineSlider::addZeroAtEnd(QString& text)
{
    m_number->padDecimals(text);
}

double InputLineSlider::getEditValue()
{
    return m_number->typed(m_edit->text());
}

bool InputLineSlider::validate(QString const& text)
{
    return m_number->accepts(text);
}

void InputLineSlider::setSliderValue(float value)
{
    if (m_sliderDriven) {
        // The slider already shows what the user chose.
        m_sliderDriven = false;
        return;
    }
    if (!m_slider)
        return;
    const int position = m_number->sliderPosition(value);
    // Blocked rather than disconnected, so that the connections a running handler broke stay
    // broken until it restores them itself.
    const QSignalBlocker blocker(m_slider);
    m_slider->setValue(position);
}

void InputLineSlider::connectAll()
{
    connect(m_edit, &QLineEdit::returnPressed, this, &InputLineSlider::onReturnPressed,
        Qt::UniqueConnection);
    connect(
        m_edit, &LineEdit::focusLost, this, &InputLineSlider::onFocusLost, Qt::UniqueConnection);
    connect(m_edit, &LineEdit::mouseDraging, this, &InputLineSlider::onMouseDraging,
        Qt::UniqueConnection);
    if (m_slider)
        connect(m_slider, &QSlider::valueChanged, this, &InputLineSlider::onSliderChanged,
            Qt::UniqueConnection);
}

void InputLineSlider::disconnectAll()
{
    disconnect(m_edit, &QLineEdit::returnPressed, this, &InputLineSlider::onReturnPressed);
    disconnect(m_edit, &LineEdit::focusLost, this, &InputLineSlider::onFocusLost);
    disconnect(m_edit, &LineEdit::mouseDraging, this, &InputLineSlider::onMouseDraging);
    if (m_slider)
        disconnect(m_slider, &QSlider::valueChanged, this, &InputLineSlider::onSliderChanged);
}

void InputLineSlider::onReturnPressed()
{
    commit();
}

void InputLineSlider::onFocusLost(QFocusEvent*)
{
    if (std::exchange(m_abandoned, false) && corvane::fullKeyboardAccess() && !m_edit->isModified())
        return;
    commit();
}

void InputLineSlider::onEditingAbandoned()
{
    fillLineEdit(m_number->value());
    m_abandoned = true;
}

bool InputLineSlider::isAdjusting() const
{
    return m_adjusting;
}

void InputLineSlider::setMixed(bool mixed)
{
    if (!m_mixed->set(mixed, m_edit, m_edit))
        return;
    if (mixed)
        m_edit->clear();
    else
        m_edit->setText(m_number->show(m_number->value()));
}

bool InputLineSlider::isMixed() const
{
    return m_mixed->isOn();
}

void InputLineSlider::onMovementReleased()
{
    if (!m_adjusting)
        return;
    m_adjusting = false;
    Q_EMIT adjustmentFinished();
}

void InputLineSlider::commit()
{
    // Leaving a mixed field untouched is no edit: it would give every object the same value.
    if (m_mixed->isOn() && m_edit->text().isEmpty())
        return;
    m_adjusting = false;
    disconnectAll();
    QPointer<InputLineSlider> self(this);
    setEditValue(getEditValue(), true);
    if (self)
        connectAll();
}

void InputLineSlider::onMouseDraging(double delta)
{
    m_clickPending = false;
    m_adjusting = true;
    double value;
    if (m_number->percents()) {
        // The field's step counts percentage points.
        value = (getEditValue() * numeric::PercentScale + delta) / numeric::PercentScale;
    } else {
        // One unit per step, however far the pointer went.
        double unit = m_fineStep == 0 ? 1.0 : 1.0 / std::pow(10.0, m_number->precision());
        if (m_dragFactor != 1.0) {
            // Modifiers scale it, though an integer row still moves by whole numbers.
            unit *= m_dragFactor;
            if (!m_number->realValues())
                unit = std::max(unit, 1.0);
        }
        value = m_number->value();
        if (delta > 0)
            value += unit;
        else if (delta < 0)
            value -= unit;
        // Rounded to whole units, or to tenths for a step made finer.
        const double grid = std::min(unit, 1.0);
        if (m_fineStep != 1)
            value = roundHalfUp(value / grid) * grid;
    }
    setEditValue(m_number->clamped(value), true);
}

void InputLineSlider::onSliderChanged(int position)
{
    disconnectAll();
    double value = m_number->atSliderPosition(position);
    m_sliderDriven = true;
    // Clicks beside the handle and keys step once; only a held handle moves on.
    m_adjusting = m_slider->isSliderDown();
    if (m_sliderIntStep)
        value = roundHalfUp(value);
    if (validate(QString::number(value, 'g', numeric::SignificantDigits))) {
        if (!numeric::emitChanged(this, fillLineEdit(value)))
            return;
    }
    connectAll();
}

void InputLineSlider::keyPressEvent(QKeyEvent* ev)
{
    const int direction = numeric::arrowDirection(ev, m_edit);
    if (direction == 0)
        return;
    ev->accept();
    double value = m_number->stepped(direction, m_fineStep == 1 ? FineArrowStep : 1.0);
    // The minimum is tried first, unlike in a drag or in InputLine: on a range whose minimum lies
    // above its maximum, the keys land on the minimum where those land on the maximum.
    if (value <= m_number->minimum())
        value = m_number->minimum();
    else if (value >= m_number->maximum())
        value = m_number->maximum();
    if (value == m_number->value())
        return;
    setEditValue(value, true);
}

bool InputLineSlider::eventFilter(QObject* obj, QEvent* ev)
{
    if (m_slider && obj == m_slider && ev->type() == QEvent::Wheel) {
        // Left unaccepted, the wheel travels on and scrolls the enclosing sheet.
        ev->ignore();
        return true;
    }
    if (obj != m_edit)
        return false;
    switch (ev->type()) {
    case QEvent::MouseMove:
        m_dragFactor = numeric::dragFactor(static_cast<QMouseEvent*>(ev)->modifiers());
        break;
    case QEvent::MouseButtonPress:
        m_clickPending = true;
        break;
    case QEvent::MouseButtonRelease:
        if (m_clickPending) {
            m_clickPending = false;
            setLook(focusLook());
        }
        break;
    case QEvent::KeyPress:
        setLook(focusLook());
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(ev)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            m_clickPending = false;
            setLook(focusLook());
        }
        break;
    }
    case QEvent::FocusOut:
        setLook(QString());
        break;
    default:
        break;
    }
    return false;
}
