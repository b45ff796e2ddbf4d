#include <corvane/InputLine.h>

#include <corvane/LineEdit.h>

#include "numeric/Rounding.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"

#include <QBoxLayout>
#include <QCursor>
#include <QDoubleValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cmath>

using numeric::roundHalfUp;
using numeric::toFloat;
using numeric::truncToInt;

namespace {

constexpr eInputLineFlags NoValueOptions = eInputLineFlags(0x002);

// The popup is 100 x 20 pixels; its slider's track is 92 pixels long and starts 4 pixels in.
constexpr int PopupWidth = 100;
constexpr int PopupHeight = 20;
constexpr int SliderTrack = 92;
constexpr int SliderInset = 4;

} // namespace

InputLine::InputLine(QWidget* parent)
    : IInputLine(parent)
    , m_popup(new QFrame)
{
    makeGui();
    connectAll();
}

InputLine::InputLine(QString const& title, QWidget* parent)
    : InputLine(parent)
{
    setTitle(title);
}

InputLine::InputLine(QString const& title, int value, QWidget* parent)
    : InputLine(parent)
{
    setTitle(title);
    setDecimalDigits(2);
    setValue(float(value), NoValueOptions);
}

InputLine::~InputLine()
{
    delete m_popup;
}

void InputLine::makeGui()
{
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setFocusPolicy(Qt::NoFocus);
    m_label->setFixedHeight(22);
    m_label->setObjectName(QStringLiteral("label"));

    m_edit = new LineEdit(this);
    m_edit->setFixedHeight(22);
    m_edit->setObjectName(QStringLiteral("edit"));

    m_button = new QPushButton(QStringLiteral("V"), this);
    m_button->setFocusPolicy(Qt::ClickFocus);
    m_button->setFixedSize(22, 22);
    m_button->setObjectName(QStringLiteral("button"));

    m_spinnerWidget = new Spinner(this);
    m_spinnerWidget->setFixedSize(22, 22);
    m_spinnerWidget->setObjectName(QStringLiteral("spin"));

    m_validator = new QDoubleValidator(m_minValue, m_maxValue, m_decimalDigits, this);
    // The field's text is written and read in the C locale (QString::number, toDouble).
    m_validator->setLocale(QLocale::c());

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_label);
    layout->addSpacing(5);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    layout->addWidget(m_spinnerWidget);

    m_popup->setWindowFlags(Qt::Popup);
    auto* popupLayout = new QHBoxLayout(m_popup);
    popupLayout->setContentsMargins(4, 0, 4, 0);
    m_popup->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_popup->setLineWidth(1);
    m_sliderWidget = new Slider(Qt::Horizontal, m_popup);
    m_sliderWidget->setTickPosition(QSlider::NoTicks);
    popupLayout->addWidget(m_sliderWidget);

    m_button->setVisible(m_slider);
    m_spinnerWidget->setVisible(m_spinner);
}

void InputLine::setTitle(QString const& title)
{
    m_label->setText(title);
}

void InputLine::setTitleWidth(int width)
{
    m_label->setFixedWidth(width);
}

void InputLine::setMinValue(float value)
{
    if (std::isnan(value))
        return;
    m_minValue = value;
    m_validator->setBottom(value);
    m_spinnerWidget->setMinimum(value);
}

void InputLine::setMaxValue(float value)
{
    if (std::isnan(value))
        return;
    m_maxValue = value;
    m_validator->setTop(value);
    m_spinnerWidget->setMaximum(value);
}

void InputLine::setPercents(bool on)
{
    m_usePercents = on;
}

void InputLine::setIntValues(bool on)
{
    setRealValues(!on);
}

void InputLine::setRealValues(bool on)
{
    m_realValues = on;
}

void InputLine::setPrecision(int precision)
{
    m_precision = std::clamp(precision, -1, numeric::MaxPrecision);
}

void InputLine::setValueAndInit(float value, eInputLineFlags flags)
{
    setValue(value, flags);
}

void InputLine::setValue(float value, eInputLineFlags flags)
{
    if (flags == ePercents)
        setPercents(true);
    // Only the maximum is checked; NaN fails it too.
    if (!(value <= m_maxValue))
        return;
    m_value = value;
    setEditValue(value, false);
}

void InputLine::setValueProperty(float value)
{
    setValue(value, NoValueOptions);
}

void InputLine::setSliderInsteadSpinner(bool on)
{
    disconnectAll();
    if (on)
        m_slider = true;
    else
        m_spinner = true;
    showControls(on);
    connectAll();
}

void InputLine::setSliderIntStep(bool) { }

void InputLine::setDecimalDigits(int digits)
{
    m_decimalDigits = digits;
    m_validator->setDecimals(digits);
}

void InputLine::setStep(int step)
{
    if (step < m_maxValue)
        m_step = step;
}

void InputLine::setSlider(bool on)
{
    disconnectAll();
    m_slider = on;
    showControls(on);
    connectAll();
}

void InputLine::setSpinner(bool on)
{
    disconnectAll();
    m_spinner = on;
    showControls(!on);
    connectAll();
}

void InputLine::showControls(bool button)
{
    m_button->setVisible(button);
    m_spinnerWidget->setVisible(!button);
}

float InputLine::getValue() const
{
    return toFloat(m_value);
}

float InputLine::getMinValue() const
{
    return toFloat(m_minValue);
}

float InputLine::getMaxValue() const
{
    return toFloat(m_maxValue);
}

int InputLine::getPrecision() const
{
    return m_precision;
}

bool InputLine::isPercents() const
{
    return m_usePercents;
}

bool InputLine::isRealValues() const
{
    return m_realValues;
}

bool InputLine::isIntValues() const
{
    return !m_realValues;
}

bool InputLine::isSlider() const
{
    return m_slider;
}

bool InputLine::isSpinner() const
{
    return m_spinner;
}

void InputLine::setEditValue(double value, bool emitChanged)
{
    m_value = value;
    QString text;
    if (m_usePercents) {
        text = QString::number(roundHalfUp(value * 100), 'f', 0) + QLatin1Char('%');
    } else if (!m_realValues) {
        m_value = std::floor(value);
        text = QString::number(m_value, 'f', 0);
    } else if (m_precision > 0) {
        text = numeric::cutDecimals(QString::number(value, 'g', 6), m_precision);
    } else if (m_precision == 0) {
        text = QString::number(value, 'f', 0);
    } else {
        text = QString::number(value, 'g', 6);
    }
    m_edit->setText(text);
    if (emitChanged)
        emitAlive(m_value);
}

bool InputLine::emitAlive(double value)
{
    QPointer<InputLine> self(this);
    Q_EMIT changed(truncToInt(value));
    if (!self)
        return false;
    Q_EMIT changed(toFloat(value));
    return !self.isNull();
}

double InputLine::getEditValue()
{
    QString text = m_edit->text();
    text.remove(QLatin1Char('%'));
    return numeric::typedValue(text, m_usePercents, m_validator, m_minValue, m_maxValue, m_value);
}

bool InputLine::validate(QString const& text)
{
    return numeric::isAcceptable(m_validator, text);
}

void InputLine::connectAll()
{
    connect(
        m_edit, &QLineEdit::returnPressed, this, &InputLine::onReturnPressed, Qt::UniqueConnection);
    connect(m_edit, &LineEdit::focusLost, this, &InputLine::onFocusLost, Qt::UniqueConnection);
    connect(m_button, &QPushButton::clicked, this, &InputLine::onClickButton, Qt::UniqueConnection);
    connectSlider(true);
    connectSpinner(true);
}

void InputLine::disconnectAll()
{
    disconnect(m_edit, &QLineEdit::returnPressed, this, &InputLine::onReturnPressed);
    disconnect(m_edit, &LineEdit::focusLost, this, &InputLine::onFocusLost);
    disconnect(m_button, &QPushButton::clicked, this, &InputLine::onClickButton);
    // Both, whatever the flags say now: a flag may have been cleared since they were made.
    disconnect(m_sliderWidget, &QSlider::valueChanged, this, &InputLine::onSliderChanged);
    disconnect(m_spinnerWidget, &Spinner::valueChanged, this, &InputLine::onSpinnerChanged);
}

void InputLine::connectSlider(bool on)
{
    if (!m_slider)
        return;
    if (on)
        connect(m_sliderWidget, &QSlider::valueChanged, this, &InputLine::onSliderChanged,
            Qt::UniqueConnection);
    else
        disconnect(m_sliderWidget, &QSlider::valueChanged, this, &InputLine::onSliderChanged);
}

void InputLine::connectSpinner(bool on)
{
    if (!m_spinner)
        return;
    if (on)
        connect(m_spinnerWidget, &Spinner::valueChanged, this, &InputLine::onSpinnerChanged,
            Qt::UniqueConnection);
    else
        disconnect(m_spinnerWidget, &Spinner::valueChanged, this, &InputLine::onSpinnerChanged);
}

void InputLine::onReturnPressed()
{
    commit();
}

void InputLine::onFocusLost(QFocusEvent*)
{
    commit();
}

void InputLine::commit()
{
    disconnectAll();
    QPointer<InputLine> self(this);
    setEditValue(getEditValue(), true);
    if (self)
        connectAll();
}

void InputLine::keyPressEvent(QKeyEvent* ev)
{
    const int key = ev->key();
    if (!m_edit->hasFocus() || (key != Qt::Key_Up && key != Qt::Key_Down)) {
        ev->ignore();
        return;
    }
    const double sign = key == Qt::Key_Up ? 1.0 : -1.0;
    double value = m_usePercents ? (m_value * 100 + sign) / 100 : m_value + sign;
    value = std::min(m_maxValue, std::max(m_minValue, value));
    if (value == m_value)
        return;
    setEditValue(value, true);
    ev->accept();
}

void InputLine::onClickButton()
{
    if (!m_button->hasFocus())
        return;
    disconnectAll();

    // An empty or inverted range, or a step that is not positive, opens the slider at its start.
    const double span = m_maxValue - m_minValue;
    const bool usable = span > 0 && m_step > 0;
    m_sliderWidget->setRange(0, 100);
    m_sliderWidget->setPageStep(m_step);
    m_sliderWidget->setValue(usable ? truncToInt((m_value - m_minValue) * 100 / span) : 0);

    const int pixelsPerStep = usable ? truncToInt(SliderTrack / (span / m_step)) : 0;
    const int offset = usable ? truncToInt(pixelsPerStep * (m_value - m_minValue) / m_step) : 0;

    // 64 bits: a value far below the minimum (only the maximum is checked) makes a huge offset.
    qint64 left = qint64(QCursor::pos().x()) - SliderInset - offset;
    qint64 top = qint64(m_button->mapToGlobal(QPoint(0, 0)).y()) + m_button->height();
    QRect area(QPoint(0, 0), QSize(PopupWidth, PopupHeight));
    if (QScreen* rowScreen = screen())
        area = rowScreen->geometry();
    left = std::max<qint64>(area.left(), std::min<qint64>(area.right() - (PopupWidth - 1), left));
    top = std::max<qint64>(area.top(), std::min<qint64>(area.bottom() - (PopupHeight - 1), top));
    m_popup->setGeometry(int(left), int(top), PopupWidth, PopupHeight);
    m_popup->show();
    m_sliderWidget->setFocus(Qt::OtherFocusReason);
    connectAll();
}

void InputLine::onSliderChanged(int position)
{
    disconnectAll();
    const double value = m_minValue + (m_maxValue - m_minValue) * position / 100;
    QPointer<InputLine> self(this);
    if (validate(QString::number(value, 'g', 6)))
        setEditValue(value, true);
    if (self)
        connectAll();
}

void InputLine::onSpinnerChanged(int delta)
{
    disconnectAll();
    const double value = delta + getEditValue();
    QPointer<InputLine> self(this);
    if (m_minValue <= value && value <= m_maxValue)
        setEditValue(value, true);
    if (self)
        connectAll();
}
