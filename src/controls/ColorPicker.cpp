#include <corvane/ColorPicker.h>
#include <corvane/Label.h>

#include "controls/ColorPicker_PushButton.h"

#include <QHBoxLayout>

namespace {

// The swatch's colour before any is set, and the light grey it shows while the picker is
// disabled, whatever colour is set.
constexpr QRgb InitialSwatch = qRgb(255, 255, 255);
constexpr QRgb DisabledSwatch = qRgb(0xF0, 0xF0, 0xF0);

} // namespace

ColorPicker::ColorPicker(QString const& title, QWidget* parent)
    : QFrame(parent)
    , m_button(nullptr)
    , m_enabled(true)
{
    makeGui(title);
    connectAll();
}

void ColorPicker::makeGui(QString const& title)
{
    if (m_button)
        return;

    m_button = new ColorPicker_PushButton(QColor(InitialSwatch), this);
    m_button->setObjectName(QStringLiteral("button"));
    m_button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);

    auto* label = new Label(title);
    label->setFocusPolicy(Qt::NoFocus);
    label->setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(label);
    layout->addWidget(m_button);
}

void ColorPicker::connectAll()
{
    connect(m_button, &ColorPicker_PushButton::colorChanged, this, &ColorPicker::colorChanged);
}

void ColorPicker::setValue(QColor const& color)
{
    setColor(color);
}

void ColorPicker::setColor(QColor const& color)
{
    m_color = color;
    m_button->setMixed(false);
    showColor();
}

void ColorPicker::showColor()
{
    QColor shown = m_color;
    if (!m_enabled)
        shown = QColor(DisabledSwatch);
    m_button->setValue(shown);
}

void ColorPicker::setMixed(bool mixed)
{
    m_button->setMixed(mixed);
}

bool ColorPicker::isMixed() const
{
    return m_button->isMixed();
}

QColor ColorPicker::getValue()
{
    return m_button->getValue();
}

void ColorPicker::setEnabled(bool enabled)
{
    m_enabled = enabled;
    showColor();
    QWidget::setEnabled(enabled);
}
