#include <corvane/ColorPicker.h>
#include <corvane/Label.h>

#include "controls/ColorPicker_PushButton.h"

#include <QHBoxLayout>

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

    m_button = new ColorPicker_PushButton(QColor(255, 255, 255, 255), this);
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
    QColor shown = m_color;
    if (!m_enabled)
        shown = QColor(QStringLiteral("#F0F0F0"));
    m_button->setValue(shown);
}

QColor ColorPicker::getValue()
{
    return m_button->getValue();
}

void ColorPicker::setEnabled(bool enabled)
{
    m_enabled = enabled;
    setColor(m_color);
    QWidget::setEnabled(enabled);
}
