#include <corvane/InputLineSlider.h>

#include <corvane/Label.h>
#include <corvane/LineEdit.h>

#include "numeric/Rounding.h"
#include "platform/Utils_p.h"

#include <QBoxLayout>
#include <QDoubleValidator>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>
#include <cmath>

using numeric::roundHalfUp;
using numeric::toFloat;
using numeric::truncToInt;

namespace {

// Flags of programmatic value writes that carry no option (the m_value property, the initial
// value of the constructor with a value).
constexpr eInputLineFlags NoValueOptions = eInputLineFlags(0x002);

QString focusLook()
{
    return QStringLiteral("focus");
}

} // namespace

InputLineSlider::InputLineSlider(QString const& title, eInputLineFlags flags, QWidget* parent)
    : InputLineSlider(title, flags, 5, false, 0, parent)
{ }

InputLineSlider::InputLineSlider(
    QString const& title, eInputLineFlags flags, int value, QWidget* parent)
    : InputLineSlider(title, flags, 2, true, value, parent)
{ }

InputLineSlider::InputLineSlider(QString const& title, int flags, QWidget* parent)
    : InputLineSlider(title, eInputLineFlags(flags), parent)
{ }

InputLineSlider::InputLineSlider(QString const& title, eInputLineFlags flags, int decimalDigits,
    bool hasValue, int value, QWidget* parent)
    : IInputLine(parent)
    , m_decimalDigits(decimalDigits)
{
    buildLayout(flags);
    connectAll();
    setTitle(title);
    if (hasValue)
        setValue(float(value), NoValueOptions);
    setRealValues(flags & eRealValues);
    setIntValues(flags & eIntValues);
    setSliderInsteadSpinner(flags & eSliderInsteadSpinner);
    setTwoLines(flags & eTwoLines);
    setSliderIntStep(flags & eSliderIntStep);
    setPercents(flags & ePercents);
}

void InputLineSlider::buildLayout(eInputLineFlags flags)
{
    m_validator = new QDoubleValidator(m_minValue, m_maxValue, m_decimalDigits, this);
    // The field's text is written and read in the C locale (QString::number, toDouble).
    m_validator->setLocale(QLocale::c());

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
        m_slider = new QSlider(Qt::Horizontal, this);
        m_slider->setTickPosition(QSlider::NoTicks);
        m_slider->setRange(0, 100);
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
    if (std::isnan(value))
        return;
    m_minValue = value;
    m_validator->setBottom(value);
}

void InputLineSlider::setMaxValue(float value)
{
    if (std::isnan(value))
        return;
    m_maxValue = value;
    m_validator->setTop(value);
}

void InputLineSlider::setPercents(bool on)
{
    m_usePercents = on;
}

void InputLineSlider::setIntValues(bool on)
{
    setRealValues(!on);
}

void InputLineSlider::setRealValues(bool on)
{
    m_realValues = on;
}

void InputLineSlider::setPrecision(int precision)
{
    m_precision = std::clamp(precision, -1, numeric::MaxPrecision);
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
    if (!(m_minValue <= value && value <= m_maxValue))
        return;
    m_value = value;
    m_value = fillLineEdit(value);
    setSliderValue(value);
}

void InputLineSlider::setValueProperty(float value)
{
    setValue(value, NoValueOptions);
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
    return toFloat(m_value);
}

float InputLineSlider::getMinValue() const
{
    return toFloat(m_minValue);
}

float InputLineSlider::getMaxValue() const
{
    return toFloat(m_maxValue);
}

int InputLineSlider::getPrecision() const
{
    return m_precision;
}

bool InputLineSlider::isPercents() const
{
    return m_usePercents;
}

bool InputLineSlider::isRealValues() const
{
    return m_realValues;
}

bool InputLineSlider::isIntValues() const
{
    return !m_realValues;
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
    ::forceStyles(this);
}

void InputLineSlider::setDecimalDigits(int digits)
{
    m_decimalDigits = digits;
    m_validator->setDecimals(digits);
}

void InputLineSlider::setStep(int step)
{
    if (double(step) < m_maxValue && m_slider)
        m_slider->setPageStep(step);
}

void InputLineSlider::setEnabled(bool on)
{
    m_edit->setEnabled(on);
    QWidget::setEnabled(on);
}

void InputLineSlider::setStepForMouse()
{
    m_edit->setStep(m_maxValue - m_minValue, m_realValues);
}

void InputLineSlider::setEditValue(double value, bool emitChanged)
{
    m_value = fillLineEdit(value);
    setSliderValue(toFloat(value));
    if (emitChanged)
        emitSignals(m_value);
}

void InputLineSlider::setAndEmit(double value)
{
    emitSignals(fillLineEdit(value));
}

void InputLineSlider::emitSignals(double value)
{
    emitAlive(value);
}

bool InputLineSlider::emitAlive(double value)
{
    QPointer<InputLineSlider> self(this);
    Q_EMIT changed(truncToInt(value));
    if (!self)
        return false;
    Q_EMIT changed(toFloat(value));
    return !self.isNull();
}

double InputLineSlider::fillLineEdit(double value)
{
    m_value = value;
    QString text;
    if (m_usePercents) {
        text = QString::number(roundHalfUp(value * 100), 'f', 0);
    } else if (!m_realValues) {
        m_value = std::floor(value);
        text = QString::number(m_value, 'f', 0);
    } else if (m_precision > 0) {
        const QString fixed
            = numeric::cutDecimals(QString::number(value, 'f', m_precision), m_precision);
        text = QString::number(fixed.toDouble(), 'g', 6);
        addZeroAtEnd(text);
    } else if (m_precision == 0) {
        text = QString::number(value, 'f', 0);
    } else {
        text = QString::number(value, 'g', 6);
    }
    m_edit->setText(text);
    return m_value;
}

void InputLineSlider::addZeroAtEnd(QString& text)
{
    // Padding an exponent form ("1e+06") or "inf"/"nan" would make it unreadable as a number.
    if (text.contains(QLatin1Char('e'), Qt::CaseInsensitive) || text.contains(QLatin1Char('n')))
        return;
    const int dot = text.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        text += QLatin1Char('.');
        text += QString(std::max(0, m_precision), QLatin1Char('0'));
        return;
    }
    const int decimals = int(text.size()) - dot - 1;
    if (m_precision > decimals)
        text += QString(m_precision - decimals, QLatin1Char('0'));
}

double InputLineSlider::getEditValue()
{
    return numeric::typedValue(
        m_edit->text(), m_usePercents, m_validator, m_minValue, m_maxValue, m_value);
}

bool InputLineSlider::validate(QString const& text)
{
    return numeric::isAcceptable(m_validator, text);
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
    // An empty or inverted range has no slider position; it rests at the start.
    const double span = m_maxValue - m_minValue;
    const int position = span > 0 ? truncToInt((value - m_minValue) * 100 / span) : 0;
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
    commit();
}

void InputLineSlider::commit()
{
    disconnectAll();
    const double value = getEditValue();
    m_value = fillLineEdit(value);
    setSliderValue(toFloat(value));
    if (emitAlive(m_value))
        connectAll();
}

void InputLineSlider::onMouseDraging(double delta)
{
    m_clickPending = false;
    double value;
    if (m_usePercents) {
        value = (getEditValue() * 100 + delta) / 100;
    } else {
        const double unit = m_fineStep == 0 ? 1.0 : 1.0 / std::pow(10.0, m_precision);
        if (delta > 0)
            m_value += unit;
        else if (delta < 0)
            m_value -= unit;
        value = m_value;
        if (m_fineStep != 1)
            value = roundHalfUp(value);
    }
    value = std::min(m_maxValue, std::max(m_minValue, value));
    m_value = fillLineEdit(value);
    setSliderValue(toFloat(value));
    emitSignals(m_value);
}

void InputLineSlider::onSliderChanged(int position)
{
    disconnectAll();
    double value = m_minValue + (m_maxValue - m_minValue) * position / 100;
    m_sliderDriven = true;
    if (m_sliderIntStep)
        value = roundHalfUp(value);
    if (validate(QString::number(value, 'g', 6))) {
        if (!emitAlive(fillLineEdit(value)))
            return;
    }
    connectAll();
}

void InputLineSlider::keyPressEvent(QKeyEvent* ev)
{
    const int key = ev->key();
    if (!m_edit->hasFocus() || (key != Qt::Key_Up && key != Qt::Key_Down)) {
        ev->ignore();
        return;
    }
    ev->accept();
    const double base = m_usePercents ? m_value * 100 : m_value;
    const double step = m_usePercents ? 1.0 : (m_fineStep == 1 ? 0.1 : 1.0);
    double value = key == Qt::Key_Up ? base + step : base - step;
    if (m_usePercents)
        value /= 100;
    if (value <= m_minValue)
        value = m_minValue;
    else if (value >= m_maxValue)
        value = m_maxValue;
    if (value == m_value)
        return;
    m_value = fillLineEdit(value);
    setSliderValue(toFloat(value));
    emitSignals(m_value);
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
    case QEvent::MouseButtonPress:
        m_clickPending = true;
        break;
    case QEvent::MouseButtonRelease:
        if (m_clickPending) {
            m_clickPending = false;
            forceStyles(focusLook());
        }
        break;
    case QEvent::KeyPress:
        forceStyles(focusLook());
        break;
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(ev)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            m_clickPending = false;
            forceStyles(focusLook());
        }
        break;
    }
    case QEvent::FocusOut:
        forceStyles(QString());
        break;
    default:
        break;
    }
    return false;
}
