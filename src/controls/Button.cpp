#include <corvane/Button.h>

#include <QEvent>

Button::Button(QString const& text, QWidget* parent)
    : QPushButton(text, parent)
{
    init();
}

Button::Button(QIcon const& icon, QString const& text, QWidget* parent)
    : QPushButton(icon, text, parent)
{
    init();
}

void Button::init()
{
    setAttribute(Qt::WA_LayoutUsesWidgetRect);
    connect(this, &QPushButton::clicked, this, &Button::onButtonClicked);
}

void Button::onButtonClicked()
{
    Q_EMIT buttonClicked();
    Q_EMIT buttonClicked(this);
}

bool Button::event(QEvent* e)
{
    // A disabled QPushButton swallows wheel events; refusing them here lets the wheel travel on
    // to the enclosing scroll area.
    if (!isEnabled() && e->type() == QEvent::Wheel)
        return false;
    return QPushButton::event(e);
}
