#include <corvane/InputLine.h>

#include <corvane/LineEdit.h>

#include "numeric/NumericValue.h"
#include "numeric/Slider.h"
#include "numeric/Spinner.h"
#include "platform/Accessibility.h"

#include <QBoxLayout>
#include <QCursor>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <utility>

using numeric::toFloat;
using numeric::truncToInt;

namespace {

// Height of the title and the field, and the side of the square button and spinner.
constexpr int RowHeight = 22;
// Space between the title and the field.
constexpr int TitleGap = 5;

// The popup is 100 x 20 pixels; its slider's track is 92 pixels long and starts 4 pixels in,
// the popup's left and right margins.
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
    setDecimalDigits(numeric::DecimalDigitsWithValue);
    setValue(float(value), NumberFlags::PlainWrite);
}

InputLine::~InputLine()
{
    // As for InputLineSlider: the focus-out that QWidget's destructor may cause is no edit.
    m_edit->disconnect(this);
    delete m_popup;
}

void InputLine::makeGui()
{
    corvane::accessibility::installNumeric();
    m_label = new QLabel(this);
    m_label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label->setFocusPolicy(Qt::NoFocus);
    m_label->setFixedHeight(RowHeight);
    m_label->setObjectName(QStringLiteral("label"));

    m_edit = new LineEdit(this);
    m_edit->setFixedHeight(RowHeight);
    m_edit->setObjectName(QStringLiteral("edit"));

    m_button = new QPushButton(QStringLiteral("V"), this);
    m_button->setFocusPolicy(Qt::ClickFocus);
    m_button->setFixedSize(RowHeight, RowHeight);
    m_button->setObjectName(QStringLiteral("button"));

    m_spinnerWidget = new Spinner(this);
    m_spinnerWidget->setFixedSize(RowHeight, RowHeight);
    m_spinnerWidget->setObjectName(QStringLiteral("spin"));

    m_number.reset(new NumericValue(NumericValue::Style::Short, numeric::DecimalDigits, this));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_label);
    layout->addSpacing(TitleGap);
    layout->addWidget(m_edit);
    layout->addWidget(m_button);
    layout->addWidget(m_spinnerWidget);

    m_popup->setWindowFlags(Qt::Popup);
    auto* popupLayout = new QHBoxLayout(m_popup);
    popupLayout->setContentsMargins(SliderInset, 0, SliderInset, 0);
    m_popup->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_popup->setLineWidth(1);
    m_sliderWidget = new Slider(Qt::Horizontal, this, m_popup);
    m_sliderWidget->setTickPosition(QSlider::NoTicks);
    popupLayout->addWidget(m_sliderWidget);

    m_button->setVisible(m_slider);
    m_spinnerWidget->setVisible(m_spinner);
    connect(m_edit, &LineEdit::editingAbandoned, this, &InputLine::onEditingAbandoned);
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
    if (m_number->setMinimum(value))
        m_spinnerWidget->setMinimum(value);
}

void InputLine::setMaxValue(float value)
{
    if (m_number->setMaximum(value))
        m_spinnerWidget->setMaximum(value);
}

void InputLine::setPercents(bool on)
{
    m_number->setPercents(on);
}

void InputLine::setIntValues(bool on)
{
    setRealValues(!on);
}

void InputLine::setRealValues(bool on)
{
    m_number->setRealValues(on);
}

void InputLine::setPrecision(int precision)
{
    m_number->setPrecision(precision);
}

void InputLine::setValueAndInit(float value, eInputLineFlags flags)
{
    setValue(value, flags);
}

void InputLine::setValue(float value, eInputLineFlags flags)
{
    // Only percents alone switch percent presentation on, and only the maximum is checked (NaN
    // fails it too): unlike the property sheet's row, this one shows a value below its minimum.
    if (flags == ePercents)
        setPercents(true);
    if (!(value <= m_number->maximum()))
        return;
    setEditValue(value, false);
}

void InputLine::setValueProperty(float value)
{
    setValue(value, NumberFlags::PlainWrite);
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
    m_number->setDecimalDigits(digits);
}

void InputLine::setStep(int step)
{
    if (step < m_number->maximum())
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
    return toFloat(m_number->value());
}

float InputLine::getMinValue() const
{
    return toFloat(m_number->minimum());
}

float InputLine::getMaxValue() const
{
    return toFloat(m_number->maximum());
}

int InputLine::getPrecision() const
{
    return m_number->precision();
}

bool InputLine::isPercents() const
{
    return m_number->percents();
}

bool InputLine::isRealValues() const
{
    return m_number->realValues();
}

bool InputLine::isIntValues() const
{
    return !m_number->realValues();
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
    m_edit->setText(m_number->show(value));
    if (emitChanged)
        numeric::emitChanged(this, m_number->value());
}

double InputLine::getEditValue()
{
    return m_number->typed(m_edit->text());
}

bool InputLine::validate(QString const& text)
{
    return m_number->accepts(text);
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
    if (std::exchange(m_abandoned, false) && corvane::fullKeyboardAccess() && !m_edit->isModified())
        return;
    commit();
}

void InputLine::onEditingAbandoned()
{
    setEditValue(m_number->value(), false);
    m_abandoned = true;
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
    const int direction = numeric::arrowDirection(ev, m_edit);
    if (direction == 0)
        return;
    const double value = m_number->clamped(m_number->stepped(direction, 1.0));
    if (value == m_number->value())
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
    const double minimum = m_number->minimum();
    const double span = m_number->maximum() - minimum;
    const bool usable = span > 0 && m_step > 0;
    m_sliderWidget->setRange(0, numeric::SliderPositions);
    m_sliderWidget->setPageStep(m_step);
    m_sliderWidget->setValue(usable ? m_number->sliderPosition(m_number->value()) : 0);

    const int pixelsPerStep = usable ? truncToInt(SliderTrack / (span / m_step)) : 0;
    const int offset
        = usable ? truncToInt(pixelsPerStep * (m_number->value() - minimum) / m_step) : 0;

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
    const double value = m_number->atSliderPosition(position);
    QPointer<InputLine> self(this);
    if (validate(QString::number(value, 'g', numeric::SignificantDigits)))
        setEditValue(value, true);
    if (self)
        connectAll();
}

void InputLine::onSpinnerChanged(int delta)
{
    disconnectAll();
    const double value = delta + getEditValue();
    QPointer<InputLine> self(this);
    if (m_number->minimum() <= value && value <= m_number->maximum())
        setEditValue(value, true);
    if (self)
        connectAll();
}
